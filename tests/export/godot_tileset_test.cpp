#include "export/godot_tileset.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "export/godot_project.h"
#include "export/png_output.h"
#include "raster/exceptions.h"
#include "support/files.h"
#include "support/godot3.h"
#include "support/godot4_tileset_reader.h"

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

TEST(ReadGodot4Tileset, RefusesWhatGodotWouldNotWriteOrOurTileSetsHaveNoUseFor) {
    // Margins, separation and a block's texture origin: every key the writer may use.
    const std::string good = Godot4TilesetText(Tileset(2, 0, 2, 4, 64, 52, 32));
    ASSERT_NO_THROW(ReadGodot4Tileset(good));
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
    for (const auto& [from, to] : changes) {
        std::string text = good;
        const std::size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, std::string(from).size(), to);
        EXPECT_THROW(ReadGodot4Tileset(text), std::runtime_error) << to;
    }
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
    if (Godot3Program().empty()) GTEST_SKIP() << "godot3-server is not installed";
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

INSTANTIATE_TEST_SUITE_P(Sheets, Godot3Loads,
                         ::testing::Values(Godot3Case{"FlatTilesSpaced", {72, 36, 36}, 2, 2, 4},
                                           Godot3Case{"BlocksInOneRow", {64, 52, 32}, 5, 0, 0},
                                           Godot3Case{"BlocksOfOddHeight", {32, 27, 16}, 3, 1, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mosaren
