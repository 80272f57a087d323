#include "export/godot_tileset.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <random>
#include <span>

#include "export/godot_project.h"
#include "export/png_output.h"
#include "export/support/transition_terrains.h"
#include "raster/exceptions.h"
#include "support/files.h"
#include "support/godot3.h"
#include "support/godot4_tileset_reader.h"
#include "support/requirements.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;

// The tile set of count pictures of pictureWidth × pictureHeight, whose footprint is the
// pictureWidth × tileHeight diamond at their bottom.
GodotTileset Tileset(std::size_t count, std::int32_t columns, std::int32_t margin,
                     std::int32_t spacing, std::int32_t pictureWidth, std::int32_t pictureHeight,
                     std::int32_t tileHeight) {
    const SheetLayout layout =
        LayOutSheet(count, pictureWidth, pictureHeight, columns, margin, spacing);
    return SheetGodotTileset("res://sheets/terrain.png", layout, count, pictureWidth, tileHeight);
}

struct PictureShape {
    std::int32_t width;
    std::int32_t height;
    std::int32_t tileHeight;  // below height for a block
};

// Checks what Godot 4 makes of the tile set of one sheet; returns whether it was written.
bool CheckGodotsGrid(const PictureShape& shape, std::size_t count, std::int32_t columns,
                     std::int32_t margin, std::int32_t spacing) {
    const GodotTileset tileset =
        Tileset(count, columns, margin, spacing, shape.width, shape.height, shape.tileHeight);
    const std::string name = std::to_string(shape.width) + "x" + std::to_string(shape.height) +
                             " count " + std::to_string(count) + " columns " +
                             std::to_string(columns) + " margin " + std::to_string(margin) +
                             " spacing " + std::to_string(spacing);
    // Godot takes the margin off the left and top only, so a margin as wide as a cell reads as
    // one more column or row.
    if (margin >= std::min(shape.width, shape.height) + spacing) {
        EXPECT_THROW(Godot4TilesetText(tileset), EInvalidOperation) << name;
        return false;
    }
    const Godot4Tileset read = ReadGodot4Tileset(Godot4TilesetText(tileset));
    const int rows = (tileset.tileCount + tileset.columns - 1) / tileset.columns;
    EXPECT_EQ(read.GridSize(tileset.sheetWidth, tileset.sheetHeight),
              (Vector2i{tileset.columns, rows}))
        << name;
    EXPECT_EQ(read.regionSize, (Vector2i{shape.width, shape.height})) << name;
    EXPECT_EQ(read.tileSize, (Vector2i{shape.width, shape.tileHeight})) << name;
    EXPECT_EQ(read.tiles.size(), count) << name;
    const SheetLayout layout =
        LayOutSheet(count, shape.width, shape.height, columns, margin, spacing);
    for (std::size_t k = 0; k < read.tiles.size(); ++k) {
        const Godot4Tile& tile = read.tiles[k];
        EXPECT_EQ(read.RegionOrigin(tile.coords), (Vector2i{layout.CellLeft(k), layout.CellTop(k)}))
            << name << " tile " << k;
        // A block's picture, centred on the cell, goes up by half its height, which puts the
        // footprint's centre on the cell's.
        EXPECT_EQ(tile.textureOrigin, (Vector2i{0, (shape.height - shape.tileHeight) / 2})) << name;
    }
    return true;
}

TEST(Godot4TilesetText, GodotsGridFindsExactlyTheSheetsTilesWhereverTheMarginAllowsIt) {
    // Flat tiles (the default, Godot's own default region size, a small odd one) and blocks of
    // even and odd height.
    const PictureShape shapes[] = {
        {72, 36, 36}, {16, 16, 16}, {7, 3, 3}, {64, 52, 32}, {64, 39, 32}};
    int written = 0;
    for (const PictureShape& shape : shapes) {
        for (std::size_t count = 1; count <= 7; ++count) {
            for (std::int32_t columns : {0, 1, 3, 8}) {
                for (std::int32_t spacing : {0, 3}) {
                    for (std::int32_t margin : {0, 1, 2, 5, 6, 40}) {
                        written += CheckGodotsGrid(shape, count, columns, margin, spacing);
                    }
                }
            }
        }
    }
    EXPECT_GT(written, 500);
}

TEST(Godot4TilesetText, IsAnIsometricAtlasOfTheSheet) {
    const Godot4Tileset read =
        ReadGodot4Tileset(Godot4TilesetText(Tileset(5, 3, 2, 4, 72, 36, 36)));
    EXPECT_EQ(read.texturePath, "res://sheets/terrain.png");
    EXPECT_EQ(read.tileShape, 1);   // isometric
    EXPECT_EQ(read.tileLayout, 5);  // diamond down
    EXPECT_EQ(read.margins, (Vector2i{2, 2}));
    EXPECT_EQ(read.separation, (Vector2i{4, 4}));
}

// The reader refuses good with each change made to it, each from → to made once.
void ExpectEachRefused(const std::string& good,
                       std::span<const std::pair<const char*, const char*>> changes) {
    ASSERT_NO_THROW(ReadGodot4Tileset(good));
    for (const auto& [from, to] : changes) {
        std::string text = good;
        const std::size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, std::string(from).size(), to);
        EXPECT_THROW(ReadGodot4Tileset(text), std::runtime_error) << to;
    }
}

TEST(ReadGodot4Tileset, RefusesWhatGodotWouldNotWriteOrOurTileSetsHaveNoUseFor) {
    // Margins, separation and a block's texture origin: every key the writer may use.
    const std::string good = Godot4TilesetText(Tileset(2, 0, 2, 4, 64, 52, 32));
    const std::pair<const char*, const char*> changes[] = {
        {"format=3]", "load_steps=2 format=3]"},
        {"format=3", "format=2"},
        {"Texture2D", "Texture"},
        {"res://", "/"},
        {"margins = Vector2i(2, 2)", "margins = Vector2i(2,2)"},
        {"margins = Vector2i(2, 2)", "margins = Vector2(2, 2)"},
        {"margins = Vector2i(2, 2)", "margins=Vector2i(2, 2)"},
        {"separation = Vector2i(4, 4)", "separation = Vector2i(0, 0)"},
        {"texture = ExtResource(\"1\")", "texture = ExtResource(\"2\")"},
        {"0:0/0 = 0", "0:0/0 = 1"},
        {"0:0/0/texture_origin = Vector2i(0, 10)", "0:0/0/texture_origin = Vector2i(0, 0)"},
        {"0:0/0/texture_origin", "0:0/0/texture_offset"},
        {"tile_layout = 5\n", "tile_layout = 5\ntile_offset_axis = 1\n"},
        {"tile_shape = 1\n", ""},
        {"sources/0 = SubResource", "sources/1 = SubResource"},
        {"\n\n[resource]", "\n[resource]"},
    };
    ExpectEachRefused(good, changes);
}

// The 16 transition tiles of grass and sand in a 4 × 4 sheet.
GodotTileset TransitionTileset() {
    GodotTileset tileset = Tileset(kTransitionTileCount, 4, 0, 0, 72, 36, 36);
    tileset.terrains = GrassAndSand();
    return tileset;
}

TEST(Godot4TilesetText, GivesTransitionTilesACornerTerrainSetAndEachTileItsCorners) {
    const Godot4Tileset read = ReadGodot4Tileset(Godot4TilesetText(TransitionTileset()));
    ASSERT_EQ(read.terrainSets.size(), 1u);
    EXPECT_EQ(read.terrainSets[0].mode, 1);  // match corners
    const auto& terrains = read.terrainSets[0].terrains;
    ASSERT_EQ(terrains.size(), 2u);
    EXPECT_EQ(terrains[0].name, "grass");
    EXPECT_EQ(terrains[1].name, "sand");
    const std::array<double, 4> sand{230 / 255.0, 200 / 255.0, 128 / 255.0, 1};
    for (std::size_t i = 0; i < 4; ++i) EXPECT_NEAR(terrains[1].colour[i], sand[i], 1e-6) << i;

    ASSERT_EQ(read.tiles.size(), 16u);
    for (int k = 0; k < 16; ++k) {
        const Godot4Tile& tile = read.tiles[static_cast<std::size_t>(k)];
        const TerrainCorners c = TransitionCorners(k);
        auto number = [](Terrain t) { return t == Terrain::A ? 0 : 1; };
        EXPECT_EQ(tile.coords, (Vector2i{k % 4, k / 4}));
        EXPECT_EQ(tile.terrainSet, 0);
        // The middle is sand when two corners or more are.
        EXPECT_EQ(tile.terrain, (k & 8) / 8 + (k & 4) / 4 + (k & 2) / 2 + (k & 1) >= 2 ? 1 : 0)
            << k;
        // Godot's isometric corners are the diamond's vertices: the texture's top-left corner
        // is the top vertex, and so on clockwise.
        EXPECT_EQ(tile.peeringBits, (std::vector<std::pair<std::string, int>>{
                                        {"right_corner", number(c.topRight)},
                                        {"bottom_corner", number(c.bottomRight)},
                                        {"left_corner", number(c.bottomLeft)},
                                        {"top_corner", number(c.topLeft)}}))
            << k;
    }
}

TEST(ReadGodot4Tileset, RefusesTerrainsGodotWouldNotTake) {
    const std::string good = Godot4TilesetText(TransitionTileset());
    const std::pair<const char*, const char*> changes[] = {
        // A bit Godot does not take on isometric corners, or in a mode of sides only.
        {"0:0/0/terrains_peering_bit/top_corner", "0:0/0/terrains_peering_bit/top_left_corner"},
        {"terrain_set_0/mode = 1", "terrain_set_0/mode = 2"},
        // Bits without a terrain set, out of Godot's order, or of no terrain of the set.
        {"0:0/0/terrain_set = 0\n", ""},
        {"0:0/0/terrains_peering_bit/right_corner = 0\n0:0/0/terrains_peering_bit/bottom_corner = "
         "0",
         "0:0/0/terrains_peering_bit/bottom_corner = 0\n0:0/0/terrains_peering_bit/right_corner = "
         "0"},
        {"0:0/0/terrain = 0", "0:0/0/terrain = 2"},
        {"0:0/0/terrain = 0", "0:0/0/terrain = -1"},
        // Terrains out of their set, or a colour not as Godot writes it.
        {"terrain_set_0/terrain_1/name", "terrain_set_0/terrain_2/name"},
        {"terrain_set_0/mode", "terrain_set_1/mode"},
        {"Color(0.156863,", "Color(0.1568630,"},
    };
    ExpectEachRefused(good, changes);
}

TEST(Godot3TilesetText, IsOneSingleTilePerCellAsGodot3WritesIt) {
    // A block of height 16 on a 64 × 32 diamond, 3 tiles in 2 columns.
    EXPECT_EQ(Godot3TilesetText(Tileset(3, 2, 1, 2, 64, 48, 32)),
              "[gd_resource type=\"TileSet\" format=2]\n"
              "\n"
              "[ext_resource path=\"res://sheets/terrain.png\" type=\"Texture\" id=1]\n"
              "\n"
              "[resource]\n"
              "0/name = \"terrain.png 0\"\n"
              "0/texture = ExtResource( 1 )\n"
              "0/tex_offset = Vector2( 0, -16 )\n"
              "0/region = Rect2( 1, 1, 64, 48 )\n"
              "0/tile_mode = 0\n"
              "1/name = \"terrain.png 1\"\n"
              "1/texture = ExtResource( 1 )\n"
              "1/tex_offset = Vector2( 0, -16 )\n"
              "1/region = Rect2( 67, 1, 64, 48 )\n"
              "1/tile_mode = 0\n"
              "2/name = \"terrain.png 2\"\n"
              "2/texture = ExtResource( 1 )\n"
              "2/tex_offset = Vector2( 0, -16 )\n"
              "2/region = Rect2( 1, 51, 64, 48 )\n"
              "2/tile_mode = 0\n");
}

TEST(Godot3TilesetText, AddsTransitionTilesAsOneAutotileOfTheGridWithTheirCornerBitmasks) {
    // Blocks of height 16 on a 64 × 32 diamond, in 4 columns with margin 1 and spacing 2.
    GodotTileset tileset = Tileset(kTransitionTileCount, 4, 1, 2, 64, 48, 32);
    tileset.terrains = GrassAndSand();
    const std::string text = Godot3TilesetText(tileset);
    const std::size_t autotile = text.find("16/name");
    ASSERT_NE(autotile, std::string::npos);
    // Its bits are Godot's TOPLEFT 1, TOPRIGHT 4, BOTTOMLEFT 64 and BOTTOMRIGHT 256, set where a
    // corner is sand; tile 0, grass alone, has none and is the icon, which Godot 3 shows where
    // no bitmask matches.
    EXPECT_EQ(
        text.substr(autotile),
        "16/name = \"sand\"\n"
        "16/texture = ExtResource( 1 )\n"
        "16/tex_offset = Vector2( 0, -16 )\n"
        "16/region = Rect2( 1, 1, 262, 198 )\n"
        "16/tile_mode = 1\n"
        "16/autotile/bitmask_mode = 0\n"
        "16/autotile/bitmask_flags = [ Vector2( 1, 0 ), 64, "
        "Vector2( 2, 0 ), 256, Vector2( 3, 0 ), 320, Vector2( 0, 1 ), 4, Vector2( 1, 1 ), 68, "
        "Vector2( 2, 1 ), 260, Vector2( 3, 1 ), 324, Vector2( 0, 2 ), 1, Vector2( 1, 2 ), 65, "
        "Vector2( 2, 2 ), 257, Vector2( 3, 2 ), 321, Vector2( 0, 3 ), 5, Vector2( 1, 3 ), 69, "
        "Vector2( 2, 3 ), 261, Vector2( 3, 3 ), 325 ]\n"
        "16/autotile/icon_coordinate = Vector2( 0, 0 )\n"
        "16/autotile/tile_size = Vector2( 64, 48 )\n"
        "16/autotile/spacing = 2\n");
    // The single tiles come first, as without terrains.
    tileset.terrains.reset();
    EXPECT_EQ(text.substr(0, autotile), Godot3TilesetText(tileset));
}

TEST(GodotTilesetText, EscapesQuotesAndBackslashesAndRefusesANameTextCannotCarry) {
    GodotTileset tileset = Tileset(2, 0, 0, 0, 72, 36, 36);
    tileset.sheet = "res://a \"b\" \\c трава.png";
    EXPECT_EQ(ReadGodot4Tileset(Godot4TilesetText(tileset)).texturePath, tileset.sheet);
    EXPECT_NE(Godot3TilesetText(tileset).find(R"(path="res://a \"b\" \\c трава.png")"),
              std::string::npos);
    for (const char* sheet : {"res://a\xff.png", "res://line\nbreak.png"}) {
        tileset.sheet = sheet;
        EXPECT_THROW(Godot4TilesetText(tileset), EInvalidOperation) << sheet;
        EXPECT_THROW(Godot3TilesetText(tileset), EInvalidOperation) << sheet;
    }
}

TEST(GodotResourcePath, NamesFilesInsideTheProjectOnly) {
    TempFolder folder;
    const std::filesystem::path root = folder.Path();
    std::filesystem::create_directories(root / "game/art");
    std::filesystem::create_directories(root / "elsewhere");
    std::filesystem::create_directory_symlink(root / "game", root / "link");
    const std::string game = (root / "game").string();
    EXPECT_EQ(GodotResourcePath(folder / "game/sheet.png", game), "res://sheet.png");
    EXPECT_EQ(GodotResourcePath(folder / "game/art/sheet.png", game), "res://art/sheet.png");
    // The same file reached through a link to the project.
    EXPECT_EQ(GodotResourcePath(folder / "link/art/sheet.png", game), "res://art/sheet.png");
    EXPECT_EQ(GodotResourcePath(folder / "game/../game/a.png", game), "res://a.png");
    EXPECT_EQ(GodotResourcePath(folder / "elsewhere/sheet.png", game), std::nullopt);
    EXPECT_EQ(GodotResourcePath(folder / "sheet.png", game), std::nullopt);
    EXPECT_EQ(GodotResourcePath(game, game), std::nullopt);

    EXPECT_EQ(GodotProjectFolder("game/t.tres", ""), "game");
    EXPECT_EQ(GodotProjectFolder("t.tres", ""), "");
    EXPECT_EQ(GodotProjectFolder("game/t.tres", "root"), "root");
}

TEST(WriteGodotTileset, NamesTheSheetFromTheProjectAndRefusesOneOutsideIt) {
    TempFolder folder;
    std::filesystem::create_directories(folder.Path() / "game/art");
    GodotTileset tileset = Tileset(2, 0, 0, 0, 72, 36, 36);
    tileset.sheet = folder / "game/art/sheet.png";
    WriteGodotTileset(tileset, GodotVersion::Godot4, folder / "game/t.tres", folder / "game");
    const std::vector<std::uint8_t> bytes = FileBytes(folder.Path() / "game/t.tres");
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(ReadGodot4Tileset(text).texturePath, "res://art/sheet.png");

    for (GodotVersion version : {GodotVersion::Godot3, GodotVersion::Godot4}) {
        EXPECT_THROW(WriteGodotTileset(tileset, version, folder / "game/art/u.tres",
                                       folder / "game/art/deeper"),
                     EInvalidOperation);
    }
    EXPECT_EQ(FolderNames(folder.Path() / "game/art"), (std::vector<std::string>{}));
}

// ----- The real Godot 3 -----

// Tile k's picture: opaque gradient pixels with a transparent diagonal stripe, different for
// every tile, so that a region one pixel off or taken from the wrong cell shows.
RgbaImage Picture(int k, int width, int height) {
    RgbaImage picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((x + y + k) % 7 == 0) continue;
            picture.At(x, y) =
                Rgba{static_cast<std::uint8_t>(3 * x + 40 * k), static_cast<std::uint8_t>(4 * y),
                     static_cast<std::uint8_t>(k), 255};
        }
    }
    return picture;
}

struct Godot3Case {
    const char* name;
    PictureShape shape;
    std::int32_t columns;
    std::int32_t margin;
    std::int32_t spacing;
};

class Godot3Loads : public ::testing::TestWithParam<Godot3Case> {};

TEST_P(Godot3Loads, EveryTileWithTheRegionOfItsCellAndTheBlocksOffset) {
    MOSAREN_REQUIRE(!Godot3Program().empty(), "godot3-server is not installed");
    const Godot3Case& p = GetParam();
    const int count = 5;
    TempFolder folder;
    std::filesystem::create_directories(folder.Path() / "art");
    std::vector<RgbaImage> pictures;
    for (int k = 0; k < count; ++k) pictures.push_back(Picture(k, p.shape.width, p.shape.height));
    const SheetLayout layout =
        LayOutSheet(count, p.shape.width, p.shape.height, p.columns, p.margin, p.spacing);
    WritePngFile(ComposeSheet(pictures, layout, 0), folder / "art/sheet.png");
    WriteGodotTileset(SheetGodotTileset(folder / "art/sheet.png", layout, count, p.shape.width,
                                        p.shape.tileHeight),
                      GodotVersion::Godot3, folder / "tiles.tres", folder.Path());

    const std::vector<Godot3Tile> tiles = LoadGodot3Tileset(folder.Path(), "res://tiles.tres");
    ASSERT_EQ(tiles.size(), static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        const Godot3Tile& tile = tiles[static_cast<std::size_t>(k)];
        EXPECT_EQ(tile.id, k);
        EXPECT_EQ(tile.name, "sheet.png " + std::to_string(k));
        EXPECT_EQ(tile.mode, 0);
        EXPECT_EQ(tile.textureWidth, layout.Width());
        EXPECT_EQ(tile.textureHeight, layout.Height());
        EXPECT_EQ(tile.regionX, layout.CellLeft(static_cast<std::size_t>(k))) << k;
        EXPECT_EQ(tile.regionY, layout.CellTop(static_cast<std::size_t>(k))) << k;
        EXPECT_EQ(tile.regionWidth, p.shape.width);
        EXPECT_EQ(tile.regionHeight, p.shape.height);
        EXPECT_EQ(tile.offsetX, 0);
        EXPECT_EQ(tile.offsetY, p.shape.tileHeight - p.shape.height);
        // The region holds the tile's picture: its opaque pixels exactly, and transparency where
        // it is transparent (whose colour the importer may change).
        const RgbaImage& picture = pictures[static_cast<std::size_t>(k)];
        ASSERT_EQ(tile.pixels.size(), picture.Pixels().size() * 4);
        for (std::size_t i = 0; i < picture.Pixels().size(); ++i) {
            const Rgba& expected = picture.Pixels()[i];
            const Rgba seen{tile.pixels[4 * i], tile.pixels[4 * i + 1], tile.pixels[4 * i + 2],
                            tile.pixels[4 * i + 3]};
            if (expected.a == 0) {
                ASSERT_EQ(seen.a, 0) << "tile " << k << " pixel " << i;
            } else {
                ASSERT_EQ(seen, expected) << "tile " << k << " pixel " << i;
            }
        }
    }
}

// The real Godot 3 paints a map with the autotile of the transition tiles: a cell of sand's corner
// is sand where the four cells around it are sand, and Godot picks the subtile of exactly those
// corners.
TEST(Godot3Autotile, GivesEveryCellTheTileOfItsCorners) {
    MOSAREN_REQUIRE(!Godot3Program().empty(), "godot3-server is not installed");
    TempFolder folder;
    const GodotTileset tileset = [&folder] {
        GodotTileset t = TransitionTileset();
        std::vector<RgbaImage> pictures;
        for (int k = 0; k < kTransitionTileCount; ++k) pictures.push_back(Picture(k, 72, 36));
        const SheetLayout layout = LayOutSheet(pictures.size(), 72, 36, 4, 0, 0);
        WritePngFile(ComposeSheet(pictures, layout, 0), folder / "sheet.png");
        t.sheet = folder / "sheet.png";
        return t;
    }();
    WriteGodotTileset(tileset, GodotVersion::Godot3, folder / "tiles.tres", folder.Path());

    // A random map of grass (the single tile 0) and sand (the autotile, tile 16).
    constexpr int kSide = 9;
    std::mt19937 random(17);
    std::vector<bool> sand(kSide * kSide);
    std::vector<Godot3Cell> cells;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            sand[y * kSide + x] = random() % 3 != 0;
            cells.push_back({x, y, sand[y * kSide + x] ? 16 : 0, 0, 0});
        }
    }
    auto isSand = [&sand](int x, int y) {
        return x >= 0 && y >= 0 && x < kSide && y < kSide && sand[y * kSide + x];
    };
    const std::vector<Godot3Cell> painted =
        PaintGodot3Map(folder.Path(), "res://tiles.tres", 72, 36, cells);
    ASSERT_EQ(painted.size(), cells.size());
    int seen[kTransitionTileCount] = {};
    for (const Godot3Cell& cell : painted) {
        if (cell.tile != 16) continue;
        const int x = cell.x;
        const int y = cell.y;
        // On an isometric map the cell's top vertex is shared with the cells above and to the
        // left of it in the map's grid, and so on round.
        const int index = 8 * (isSand(x - 1, y - 1) && isSand(x, y - 1) && isSand(x - 1, y)) +
                          4 * (isSand(x, y - 1) && isSand(x + 1, y - 1) && isSand(x + 1, y)) +
                          2 * (isSand(x + 1, y) && isSand(x + 1, y + 1) && isSand(x, y + 1)) +
                          1 * (isSand(x, y + 1) && isSand(x - 1, y + 1) && isSand(x - 1, y));
        ++seen[index];
        EXPECT_EQ((Vector2i{cell.subtileX, cell.subtileY}), (Vector2i{index % 4, index / 4}))
            << "cell " << x << "," << y;
    }
    EXPECT_GE(std::count_if(std::begin(seen), std::end(seen), [](int n) { return n > 0; }), 12);
}

INSTANTIATE_TEST_SUITE_P(Sheets, Godot3Loads,
                         ::testing::Values(Godot3Case{"FlatTilesSpaced", {72, 36, 36}, 2, 2, 4},
                                           Godot3Case{"BlocksInOneRow", {64, 52, 32}, 5, 0, 0},
                                           Godot3Case{"BlocksOfOddHeight", {32, 27, 16}, 3, 1, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mosaren
