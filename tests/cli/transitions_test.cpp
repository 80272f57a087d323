// The transitions command through the real binary: its 16 tiles and their names, and the terrain
// data as Tiled and Godot take it. Tiled reads the Wang set back, and a map painted from random
// corners and drawn by Tiled's tmxrasterizer shows no seam between tiles.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <set>

#include "cli/support/command_line.h"
#include "cli/support/grass_and_sand.h"
#include "cli/support/tiled.h"
#include "support/godot4_tileset_reader.h"
#include "support/png_picture.h"
#include "support/requirements.h"
#include "support/texture_files.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;

class Transitions : public CommandLine {
protected:
    void SetUp() override {
        WriteSolidTexture(mFolder / "grass.bmp", 8, 8, kGrass);
        WriteSolidTexture(mFolder / "sand.bmp", 16, 4, kSand);
    }
    void RunOk(Args arguments) {
        const CliRun run = Run(arguments);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "");
    }
};

TEST_F(Transitions, WriteSixteenTilesInIndexOrderEachWithItsCornersTerrains) {
    std::filesystem::create_directory(mFolder.Path() / "out");
    RunOk({"transitions", "grass.bmp", "sand.bmp", "out/edge"});
    Names expected{"grass.bmp", "out", "sand.bmp"};
    EXPECT_EQ(mFolder.Names(), expected);
    Names tiles;
    for (int index = 0; index < 16; ++index) {
        const std::string name = (index < 10 ? "edge_0" : "edge_") + std::to_string(index) + ".bmp";
        tiles.push_back(name);
        const BmpPicture tile = Tile("out/" + name);
        ASSERT_EQ(tile.width, 72);
        ASSERT_EQ(tile.height, 36);
        // The pixels at the diamond's top, right, bottom and left vertices show the terrains of
        // the texture's top-left, top-right, bottom-right and bottom-left corners.
        EXPECT_TRUE(tile.OnlyHolds({kMask, kGrass, kSand})) << name;
        EXPECT_EQ(tile.At(36, 0), SandAt(index, 8) ? kSand : kGrass) << name;
        EXPECT_EQ(tile.At(70, 18), SandAt(index, 4) ? kSand : kGrass) << name;
        EXPECT_EQ(tile.At(36, 35), SandAt(index, 2) ? kSand : kGrass) << name;
        EXPECT_EQ(tile.At(1, 17), SandAt(index, 1) ? kSand : kGrass) << name;
    }
    EXPECT_EQ(FolderNames(mFolder.Path() / "out"), tiles);
}

// A colour times a face's shade of tenths, rounded half up, as the block's faces are shaded.
TColor Shade(TColor c, int tenths) {
    const auto times = [tenths](int channel) {
        return static_cast<std::uint8_t>((channel * tenths + 5) / 10);
    };
    return Rgb(times(RedOf(c)), times(GreenOf(c)), times(BlueOf(c)));
}

// Transition blocks: each side face shows, column by column, the terrain of the lid's edge pixel
// right above it (grass or sand under the default shades 1, 0.8, 0.6), beginning and ending with
// its edge's corners; a side texture given on the command line takes its face's place.
TEST_F(Transitions, BlockSidesShowTheTerrainOfTheLidEdgeAboveThemUnlessATextureIsGiven) {
    constexpr TColor kWall = Rgb(90, 90, 90);
    WriteSolidTexture(mFolder / "wall.bmp", 8, 8, kWall);
    RunOk({"transitions", "--block", "20", "--format", "png", "--edge", "noise", "grass.bmp",
           "sand.bmp", "b"});
    RunOk({"transitions", "--block", "20", "--format", "png", "--edge", "noise", "--left-texture",
           "wall.bmp", "grass.bmp", "sand.bmp", "w"});
    enum Face { kTop, kLeft, kRight };
    for (int index = 0; index < 16; ++index) {
        const std::string number = (index < 10 ? "_0" : "_") + std::to_string(index) + ".png";
        SCOPED_TRACE(number);
        const PngPicture block = Png("b" + number);
        const PngPicture walled = Png("w" + number);
        ASSERT_EQ(block.width, 72);
        ASSERT_EQ(block.height, 56);
        // Per column: the lowest lid pixel's terrain (sand or not), and each side pixel's.
        std::vector<int> lid(72, -1);
        std::vector<std::vector<std::pair<Face, bool>>> sides(72);
        for (int y = 0; y < block.height; ++y) {
            for (int x = 0; x < block.width; ++x) {
                const PngPixel pixel = block.At(x, y);
                if (pixel.alpha == 0) continue;
                ASSERT_EQ(pixel.alpha, 255);
                std::optional<Face> seen;
                for (const auto& [face, tenths] : {std::pair{kTop, 10}, {kLeft, 8}, {kRight, 6}}) {
                    for (const bool sand : {false, true}) {
                        if (pixel.colour != Shade(sand ? kSand : kGrass, tenths)) continue;
                        seen = face;
                        if (face == kTop) {
                            lid[static_cast<std::size_t>(x)] = sand;
                        } else {
                            sides[static_cast<std::size_t>(x)].push_back({face, sand});
                        }
                    }
                }
                ASSERT_TRUE(seen) << x << "," << y;
                // The walled block: its left face the wall's, everything else as it was.
                const PngPixel expected =
                    seen == kLeft ? PngPixel{Shade(kWall, 8), 255} : pixel;
                EXPECT_EQ(walled.At(x, y), expected) << x << "," << y;
            }
        }
        std::vector<bool> left;
        std::vector<bool> right;
        for (std::size_t x = 0; x < sides.size(); ++x) {
            if (sides[x].empty()) continue;
            const bool sand = sides[x].front().second;
            for (const auto& [face, pixelSand] : sides[x]) {
                EXPECT_EQ(pixelSand, sand) << "column " << x;
            }
            if (lid[x] >= 0) {
                EXPECT_EQ(sand, lid[x] == 1) << "column " << x;
            }
            (sides[x].front().first == kLeft ? left : right).push_back(sand);
        }
        ASSERT_FALSE(left.empty());
        ASSERT_FALSE(right.empty());
        EXPECT_EQ(left.front(), SandAt(index, 1));   // the left vertex
        EXPECT_EQ(left.back(), SandAt(index, 2));    // the bottom one
        EXPECT_EQ(right.front(), SandAt(index, 2));
        EXPECT_EQ(right.back(), SandAt(index, 4));   // the right one
    }
}

// A texture that cannot be read, or a terrain name that the tileset cannot carry, fails the run
// before any tile is written.
TEST_F(Transitions, ThatCannotBeMadeWriteNothing) {
    Junk("junk.bmp");
    WriteSolidTexture(mFolder / "bad\xffname.bmp", 4, 4, kSand);
    const std::pair<Args, const char*> runs[] = {
        {{"transitions", "grass.bmp", "junk.bmp", "t"}, "junk.bmp: Bitmap image is not valid."},
        {{"transitions", "gone.bmp", "sand.bmp", "t", "--sheet", "t.png", "--tsx", "t.tsx"},
         "gone.bmp: Cannot open file gone.bmp."},
        {{"transitions", "grass.bmp", "bad\xffname.bmp", "t", "--format", "png", "--tsx", "t.tsx"},
         "Cannot write the name bad\xffname into a tileset file"}};
    for (const auto& [arguments, complaint] : runs) {
        const CliRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find(complaint), std::string::npos) << run.err;
        EXPECT_EQ(mFolder.Names(), (Names{"bad\xffname.bmp", "grass.bmp", "junk.bmp", "sand.bmp"}));
    }
}

// Made on several workers, the tiles, the sheet and the tileset are those of one: flat tiles and
// blocks, of textures of every form.
TEST_F(Transitions, AreTheSameForEveryJobCount) {
    WriteBytes(mFolder / "rle.bmp", TextureFile(TextureForm::Rle8, 90, 300, 3));
    WriteBytes(mFolder / "pal.bmp", TextureFile(TextureForm::Pal1, 400, 40, 4));
    const Args runs[] = {
        {"transitions", "--edge", "noise", "rle.bmp", "pal.bmp", "t", "--depth", "16"},
        {"transitions", "--edge", "dither", "grass.bmp", "rle.bmp", "t", "--block", "20",
         "--right-texture", "pal.bmp", "--sheet", "t.png", "--tsx", "t.tsx"},
        {"transitions", "--variants", "3", "--edge", "noise", "rle.bmp", "pal.bmp", "t",
         "--format", "png", "--map-preview", "tp.png"}};
    for (const Args& arguments : runs) {
        std::map<std::string, std::vector<std::uint8_t>> one;
        for (const char* jobs : {"1", "2", "5"}) {
            Args run = arguments;
            run.insert(run.end(), {"--jobs", jobs});
            RunOk(run);
            std::map<std::string, std::vector<std::uint8_t>> files;
            for (const std::string& name : mFolder.Names()) {
                files[name] = FileBytes(mFolder.Path() / name);
                if (name.starts_with("t")) std::filesystem::remove(mFolder.Path() / name);
            }
            if (one.empty()) one = files;
            EXPECT_TRUE(files == one) << jobs << " jobs";
        }
        EXPECT_GT(one.size(), 4u);
    }
}

// Pixel art: with two 16 × 16 textures at 64 × 32 each texel of the working texture is wholly
// one terrain, so no tile shows texel (i, j) of both. Every texel has a colour of its own, told
// apart by its red and green (its place) and blue (its terrain).
TEST_F(Transitions, OfPixelArtKeepEveryTexelWhole) {
    auto texel = [](int blue) {
        return [blue](int x, int y) {
            return Rgb(static_cast<std::uint8_t>(16 * x + 8), static_cast<std::uint8_t>(16 * y + 8),
                       static_cast<std::uint8_t>(blue));
        };
    };
    WriteTexture(mFolder / "a.bmp", 16, 16, texel(40));
    WriteTexture(mFolder / "b.bmp", 16, 16, texel(200));
    for (const char* edge : {"straight", "noise", "dither"}) {
        RunOk({"transitions", "-q", "a.bmp", "b.bmp", "t", "--size", "64x32", "--edge", edge});
        int mixedTiles = 0;
        for (int index = 0; index < 16; ++index) {
            const BmpPicture tile =
                Tile(std::string(index < 10 ? "t_0" : "t_") + std::to_string(index) + ".bmp");
            std::map<std::pair<int, int>, std::set<int>> terrains;
            for (const TColor colour : tile.pixels) {
                if (colour == kMask) continue;
                terrains[{RedOf(colour), GreenOf(colour)}].insert(BlueOf(colour));
            }
            std::set<int> shown;
            for (const auto& [place, blues] : terrains) {
                EXPECT_EQ(blues.size(), 1u) << edge << ": texel " << place.first / 16 << ","
                                            << place.second / 16 << " of tile " << index;
                shown.insert(blues.begin(), blues.end());
            }
            mixedTiles += shown.size() == 2;
        }
        EXPECT_EQ(mixedTiles, 14) << edge;
    }
}

// ----- Tiled -----

TEST_F(Transitions, GiveTiledOneCornerWangSetWhoseTilesHaveTheirCorners) {
    MOSAREN_REQUIRE(HaveProgram("tiled"), "Tiled is not installed (tools/setup installs it)");
    // A sheet tileset and an image collection: the ids are the tiles' indices in both.
    RunOk({"transitions", "-q", "grass.bmp", "sand.bmp", "t", "--sheet", "t.png", "--tsx",
           "sheet.tsx"});
    RunOk({"transitions", "-q", "grass.bmp", "sand.bmp", "t", "--format", "png", "--tsx",
           "files.tsx"});
    for (const char* tsx : {"sheet.tsx", "files.tsx"}) {
        const QJsonObject tileset = TiledExport(mFolder.Path(), tsx);
        ASSERT_EQ(tileset.value(QStringLiteral("tilecount")).toInt(), 16) << tsx;
        const QJsonArray wangSets = tileset.value(QStringLiteral("wangsets")).toArray();
        ASSERT_EQ(wangSets.size(), 1) << tsx;
        const QJsonObject set = wangSets.at(0).toObject();
        EXPECT_EQ(set.value(QStringLiteral("type")).toString(), QStringLiteral("corner"));
        const QJsonArray colours = set.value(QStringLiteral("colors")).toArray();
        ASSERT_EQ(colours.size(), 2);
        EXPECT_EQ(colours.at(0).toObject().value(QStringLiteral("name")).toString(),
                  QStringLiteral("grass"));
        EXPECT_EQ(colours.at(1).toObject().value(QStringLiteral("name")).toString(),
                  QStringLiteral("sand"));
        EXPECT_EQ(colours.at(1).toObject().value(QStringLiteral("color")).toString(),
                  QStringLiteral("#dcc878"));
        const QJsonArray tiles = set.value(QStringLiteral("wangtiles")).toArray();
        ASSERT_EQ(tiles.size(), 16) << tsx;
        for (int index = 0; index < 16; ++index) {
            const QJsonObject tile = tiles.at(index).toObject();
            EXPECT_EQ(tile.value(QStringLiteral("tileid")).toInt(), index);
            // Tiled's corners, at the odd places from the top-right round, are the diamond's
            // right, bottom, left and top vertices: 1 grass, 2 sand.
            auto colour = [index](int weight) { return SandAt(index, weight) ? 2 : 1; };
            const QJsonArray expected{0, colour(4), 0, colour(2), 0, colour(1), 0, colour(8)};
            EXPECT_EQ(tile.value(QStringLiteral("wangid")).toArray(), expected) << index;
        }
    }
}

struct MapCase {
    const char* edge;
    // Where two neighbours differ across their edge, whether both must show both terrains close
    // by. A dither scatters its pixels at random on either side of the edge, alike in number but
    // not pixel for pixel, so there one side showing both is enough.
    bool bothNearTheBorder;
};

void PrintTo(const MapCase& c, std::ostream* os) { *os << c.edge; }

// A map of kMapSide × kMapSide cells whose vertices are grass or sand at random, each cell the
// transition tile of its four vertices, drawn by Tiled from the program's tileset.
class TiledMapOfTransitions : public Transitions, public ::testing::WithParamInterface<MapCase> {};

constexpr int kMapSide = 12;

TEST_P(TiledMapOfTransitions, ShowsNoSeamAcrossAnyEdge) {
    MOSAREN_REQUIRE(HaveProgram("tmxrasterizer"), "Tiled's tmxrasterizer is not installed");
    RunOk({"transitions", "-q", "grass.bmp", "sand.bmp", "t", "--edge", GetParam().edge, "--sheet",
           "t.png", "--tsx", "t.tsx", "--format", "png"});
    std::mt19937 random(2024);
    std::vector<bool> sand((kMapSide + 1) * (kMapSide + 1));
    for (std::size_t k = 0; k < sand.size(); ++k) sand[k] = random() % 2 == 1;
    auto vertex = [&sand](int c, int r) {
        return sand[static_cast<std::size_t>(r * (kMapSide + 1) + c)];
    };
    std::vector<int> gids;
    for (int r = 0; r < kMapSide; ++r) {
        for (int c = 0; c < kMapSide; ++c) {
            gids.push_back(1 + 8 * vertex(c, r) + 4 * vertex(c + 1, r) + 2 * vertex(c + 1, r + 1) +
                           vertex(c, r + 1));
        }
    }
    std::ofstream(mFolder.Path() / "map.tmx")
        << IsometricTmx("t.tsx", kMapSide, kMapSide, 72, 36, gids);
    ASSERT_TRUE(
        RunOffscreen(mFolder.Path(), "tmxrasterizer --no-smoothing map.tmx map.png", "tiled.log"));
    const PngPicture map = Png("map.png");
    ASSERT_EQ(map.width, kMapSide * 72);
    ASSERT_EQ(map.height, kMapSide * 36);

    // Which cell each pixel of the map belongs to: where a tile's covered pixels land.
    const PngPicture tile = Png("t.png");
    std::vector<int> owner(static_cast<std::size_t>(map.width * map.height), -1);
    for (int r = 0; r < kMapSide; ++r) {
        for (int c = 0; c < kMapSide; ++c) {
            const int left = (c - r + kMapSide - 1) * 36;
            const int top = (c + r) * 18;
            for (int y = 0; y < 36; ++y) {
                for (int x = 0; x < 72; ++x) {
                    if (tile.At(x, y).alpha == 0) continue;  // tile 0, the sheet's first
                    int& cell = owner[static_cast<std::size_t>((top + y) * map.width + left + x)];
                    ASSERT_EQ(cell, -1) << "two cells at " << left + x << "," << top + y;
                    cell = r * kMapSide + c;
                }
            }
        }
    }
    auto ownerAt = [&](int x, int y) {
        return x < 0 || y < 0 || x >= map.width || y >= map.height
                   ? -1
                   : owner[static_cast<std::size_t>(y * map.width + x)];
    };
    // Whether both terrains show among the pixels of cell within two pixels of (x, y): near the
    // border between them, where neighbours may differ by the pixel that the turn rounds one way
    // in one tile and the other way in the next.
    auto nearBorder = [&](int cell, int x, int y) {
        bool grass = false;
        bool sandSeen = false;
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                if (ownerAt(x + dx, y + dy) != cell) continue;
                grass = grass || map.At(x + dx, y + dy).colour == kGrass;
                sandSeen = sandSeen || map.At(x + dx, y + dy).colour == kSand;
            }
        }
        return grass && sandSeen;
    };
    int pairs = 0;
    for (int y = 0; y < map.height; ++y) {
        for (int x = 0; x < map.width; ++x) {
            const int cell = ownerAt(x, y);
            if (cell < 0) continue;
            ASSERT_EQ(map.At(x, y).alpha, 255) << x << "," << y;
            // Each pixel against its neighbours to the right and below that lie in another cell.
            for (const auto& [nx, ny] : {std::pair{x + 1, y}, std::pair{x, y + 1}}) {
                const int other = ownerAt(nx, ny);
                if (other < 0 || other == cell) continue;
                ++pairs;
                if (map.At(x, y).colour == map.At(nx, ny).colour) continue;
                const bool here = nearBorder(cell, x, y);
                const bool there = nearBorder(other, nx, ny);
                EXPECT_TRUE(GetParam().bothNearTheBorder ? here && there : here || there)
                    << "a seam between cells " << cell << " and " << other << " at " << x << ","
                    << y;
            }
        }
    }
    EXPECT_GT(pairs, 2 * kMapSide * kMapSide * 36);
}

INSTANTIATE_TEST_SUITE_P(Edges, TiledMapOfTransitions,
                         ::testing::Values(MapCase{"straight", true}, MapCase{"noise", true},
                                           MapCase{"dither", false}),
                         [](const auto& info) { return std::string(info.param.edge); });

// ----- Godot -----

TEST_F(Transitions, GiveGodot4ACornerTerrainSetNamedAfterTheTextures) {
    RunOk({"transitions", "-q", "grass.bmp", "sand.bmp", "t", "--sheet", "t.png", "--godot",
           "t.tres", "--columns", "8"});
    const Godot4Tileset godot = ReadGodot4Tileset(Text("t.tres"));
    ASSERT_EQ(godot.terrainSets.size(), 1u);
    ASSERT_EQ(godot.terrainSets[0].terrains.size(), 2u);
    EXPECT_EQ(godot.terrainSets[0].terrains[0].name, "grass");
    EXPECT_EQ(godot.terrainSets[0].terrains[1].name, "sand");
    // Tile 6, on the sheet's first row of eight: sand at the right and bottom vertices.
    ASSERT_EQ(godot.tiles.size(), 16u);
    EXPECT_EQ(godot.tiles[6].coords, (Vector2i{6, 0}));
    EXPECT_EQ(
        godot.tiles[6].peeringBits,
        (std::vector<std::pair<std::string, int>>{
            {"right_corner", 1}, {"bottom_corner", 1}, {"left_corner", 0}, {"top_corner", 0}}));
}

}  // namespace
}  // namespace mosaren
