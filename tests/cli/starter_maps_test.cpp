// Starter maps from mosaren-cli, opened by their readers: Tiled's tmxrasterizer draws the TMX map
// as the map preview; the real Godot 3 loads the scene's TileMap with the preview's cells on an
// unfiltered sheet and renders it as the preview; Phaser in headless Chromium draws the TMJ map
// as the preview; and the Godot 4 scene, read strictly, paints the preview's picture by Godot 4's
// placement of its tile set's tiles.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "cli/support/command_line.h"
#include "cli/support/preview_cells.h"
#include "cli/support/tiled.h"
#include "support/godot3.h"
#include "support/godot4_tileset_reader.h"
#include "support/png_picture.h"
#include "support/requirements.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;

constexpr int kW = 72;
constexpr int kH = 36;

class StarterMaps : public CommandLine {
protected:
    // Three textures without the mask colour, so that a BMP sheet's keyed colour hides nothing
    // else.
    void SetUp() override {
        Texture("a.bmp", Rgb(200, 100, 50));
        WriteTexture(mFolder / "b.bmp", 32, 32, [](int x, int y) {
            return Rgb(static_cast<std::uint8_t>(40 + 6 * x), static_cast<std::uint8_t>(100 + 4 * y), 20);
        });
        Texture("c.bmp", Rgb(20, 20, 220));
    }
};

struct TiledCase {
    const char* name;
    Args arguments;  // each run adds --tsx t.tsx --map m.tmx --map-preview p.png
    int rise;
};

class TiledStarterMap : public StarterMaps, public ::testing::WithParamInterface<TiledCase> {};

TEST_P(TiledStarterMap, DrawsInTmxrasterizerAsTheMapPreview) {
    MOSAREN_REQUIRE(HaveProgram("tmxrasterizer"),
                    "Tiled's tmxrasterizer is not installed (Debian's tiled; tools/setup installs it)");
    Args arguments = GetParam().arguments;
    for (const char* argument : {"-q", "--tsx", "t.tsx", "--map", "m.tmx", "--map-preview", "p.png"}) {
        arguments.push_back(argument);
    }
    RunOk(arguments);
    ASSERT_TRUE(RunOffscreen(mFolder.Path(), "tmxrasterizer --no-smoothing m.tmx tiled.png", "tiled.log"))
        << "tmxrasterizer failed, see tiled.log";
    const PngPicture tiled = Png("tiled.png");
    const PngPicture preview = Png("p.png");
    // tmxrasterizer draws the map's own rectangle: of the back row's blocks, what reaches above
    // it is cut off. Everything else is the preview's picture, pixel for pixel.
    const int rise = GetParam().rise;
    ASSERT_EQ(tiled.width, preview.width);
    ASSERT_EQ(tiled.height + rise, preview.height);
    for (int y = 0; y < tiled.height; ++y) {
        for (int x = 0; x < tiled.width; ++x) {
            ASSERT_EQ(tiled.At(x, y), preview.At(x, y + rise)) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, TiledStarterMap,
    ::testing::Values(
        TiledCase{"FlatPngFiles", {"batch", "--format", "png", "a.bmp", "b.bmp", "c.bmp"}, 0},
        TiledCase{"BlocksOnABmpSheet",
                  {"batch", "--block", "24", "--sheet", "s.bmp", "a.bmp", "b.bmp", "c.bmp"}, 24},
        TiledCase{"Transitions",
                  {"transitions", "--edge", "noise", "--sheet", "s.png", "a.bmp", "c.bmp", "tr"}, 0},
        TiledCase{"TransitionVariants",
                  {"transitions", "--variants", "3", "--edge", "noise", "--sheet", "s.png", "a.bmp",
                   "c.bmp", "tr"},
                  0},
        TiledCase{"Pieces", {"tile", "--pieces", "2x3", "--format", "png", "b.bmp", "pc"}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// The cells a scene's tile data holds: three numbers a cell, its place packed as x | y << 16.
std::vector<std::array<long, 3>> TileData(const std::string& scene, const std::string& key,
                                          const std::string& array) {
    std::smatch found;
    const std::regex line("\n" + key + " = " + array + "\\(([^)]*)\\)\n");
    if (!std::regex_search(scene, found, line)) throw std::runtime_error("no " + key + " in " + scene);
    std::vector<long> numbers;
    std::string text = found[1];
    for (std::size_t at = 0; at < text.size();) {
        std::size_t used = 0;
        numbers.push_back(std::stol(text.substr(at), &used));
        at += used;
        while (at < text.size() && (text[at] == ',' || text[at] == ' ')) ++at;
    }
    std::vector<std::array<long, 3>> cells;
    for (std::size_t k = 0; k + 2 < numbers.size(); k += 3) {
        cells.push_back({numbers[k], numbers[k + 1], numbers[k + 2]});
    }
    return cells;
}

TEST_F(StarterMaps, Godot4SceneOfBlocksPaintsTheMapPreviewByGodotsPlacement) {
    constexpr int kRise = 24;
    std::filesystem::create_directories(mFolder.Path() / "game/art");
    RunOk({"batch", "-q", "--block", std::to_string(kRise), "--sheet", "game/art/s.png",
           "--margin", "1", "--spacing", "2", "--godot", "game/t.tres", "--map", "game/m.tscn",
           "--map-preview", "p.png", "a.bmp", "b.bmp", "c.bmp"});
    const std::string scene = Text("game/m.tscn");
    EXPECT_EQ(scene.rfind("[gd_scene load_steps=2 format=3]\n\n"
                          "[ext_resource type=\"TileSet\" path=\"res://t.tres\" id=\"1\"]\n\n"
                          "[node name=\"m\" type=\"TileMap\"]\n"
                          "texture_filter = 1\n"
                          "tile_set = ExtResource(\"1\")\n"
                          "format = 2\n",
                          0),
              0u)
        << scene;
    const Godot4Tileset tileset = ReadGodot4Tileset(Text("game/t.tres"));
    const PngPicture sheet = Png("game/art/s.png");
    const PngPicture preview = Png("p.png");
    // Godot 4 (Diamond Down) centres cell (x, y) at ((x − y) W/2, (x + y + 1) H/2) and draws the
    // tile's region centred there, less its texture origin; the preview's map is shifted so
    // that cell (0, 0)'s box begins at (5 W/2, rise).
    PngPicture painted{preview.width, preview.height,
                       std::vector<PngPixel>(preview.pixels.size())};
    const auto cells = TileData(scene, "layer_0/tile_data", "PackedInt32Array");
    ASSERT_EQ(cells.size(), 36u);
    for (const auto& [place, sourceAndColumn, rowAndAlternative] : cells) {
        const int x = static_cast<int>(place & 0xFFFF);
        const int y = static_cast<int>(place >> 16);
        ASSERT_EQ(sourceAndColumn & 0xFFFF, 0);
        const Vector2i coords{static_cast<int>(sourceAndColumn >> 16),
                              static_cast<int>(rowAndAlternative & 0xFFFF)};
        const auto tile = std::find_if(tileset.tiles.begin(), tileset.tiles.end(),
                                       [&](const Godot4Tile& t) { return t.coords == coords; });
        ASSERT_NE(tile, tileset.tiles.end()) << "no tile at " << coords.x << "," << coords.y;
        const int centreX = 5 * kW / 2 + (x - y) * kW / 2 + kW / 2;
        const int centreY = kRise + (x + y + 1) * kH / 2;
        const int left = centreX - tileset.regionSize.x / 2 - tile->textureOrigin.x;
        const int top = centreY - tileset.regionSize.y / 2 - tile->textureOrigin.y;
        const Vector2i region = tileset.RegionOrigin(coords);
        for (int v = 0; v < tileset.regionSize.y; ++v) {
            for (int u = 0; u < tileset.regionSize.x; ++u) {
                const PngPixel& pixel = sheet.At(region.x + u, region.y + v);
                // Back to front is the order Godot's y-sorted diamonds draw in; the cells here
                // come row by row, so a later cell is never behind an earlier one it overlaps
                // (its sum x + y is never smaller where they overlap).
                if (pixel.alpha != 0) painted.At(left + u, top + v) = pixel;
            }
        }
    }
    for (int y = 0; y < preview.height; ++y) {
        for (int x = 0; x < preview.width; ++x) {
            ASSERT_EQ(painted.At(x, y), preview.At(x, y)) << x << "," << y;
        }
    }
}

TEST_F(StarterMaps, Godot3LoadsTheSceneWithThePreviewsCellsOnAnUnfilteredSheet) {
    MOSAREN_REQUIRE(!Godot3Program().empty(), "godot3-server is not installed");
    std::filesystem::create_directories(mFolder.Path() / "game/art");
    RunOk({"batch", "-q", "--block", "24", "--sheet", "game/art/s.png", "--godot3", "game/t.tres",
           "--map", "game/m.tscn", "a.bmp", "b.bmp", "c.bmp"});
    const Godot3Scene scene = LoadGodot3Scene(mFolder.Path() / "game", "res://m.tscn");
    EXPECT_EQ(scene.mode, 1);  // isometric
    EXPECT_EQ(scene.cellWidth, kW);
    EXPECT_EQ(scene.cellHeight, kH);
    EXPECT_EQ(scene.tileOrigin, 0);  // top left, on which the tile set's offsets count
    EXPECT_FALSE(scene.filtered);
    ASSERT_EQ(scene.cells.size(), 36u);
    for (const Godot3Scene::Cell& cell : scene.cells) {
        // The preview's map: the tiles in patches, each at the preview's place.
        EXPECT_EQ(cell.tile, PreviewTileOfCell(3, cell.x, cell.y)) << cell.x << "," << cell.y;
        EXPECT_EQ(cell.worldX, (cell.x - cell.y) * kW / 2) << cell.x << "," << cell.y;
        EXPECT_EQ(cell.worldY, (cell.x + cell.y) * kH / 2) << cell.x << "," << cell.y;
    }
}

struct SceneCase {
    const char* name;
    Args arguments;  // each run adds the sheet, the tile set, the scene and the preview
    int rise;
};

class Godot3StarterScene : public StarterMaps, public ::testing::WithParamInterface<SceneCase> {};

TEST_P(Godot3StarterScene, RendersInTheRealGodot3AsTheMapPreview) {
    MOSAREN_REQUIRE(!Godot3Program().empty(), "godot3-server is not installed");
    MOSAREN_REQUIRE(!Godot3Renderer().empty(),
                    "godot3 or xvfb-run is not installed (tools/setup installs them)");
    std::filesystem::create_directories(mFolder.Path() / "game/art");
    Args arguments = GetParam().arguments;
    for (const char* argument : {"-q", "--sheet", "game/art/s.png", "--godot3", "game/t.tres",
                                 "--map", "game/m.tscn", "--map-preview", "p.png"}) {
        arguments.push_back(argument);
    }
    RunOk(arguments);
    const PngPicture preview = Png("p.png");
    // The preview puts cell (0, 0)'s box 5 W/2 from its left and the blocks' height from its
    // top; a Godot 3 TileMap puts that box half a cell left of its own place.
    const PngPicture frame = ReadPngFile(RenderGodot3Scene(
        mFolder.Path() / "game", "res://m.tscn", preview.width, preview.height, 3 * kW,
        GetParam().rise));
    ASSERT_EQ(frame.width, preview.width);
    ASSERT_EQ(frame.height, preview.height);
    for (int y = 0; y < preview.height; ++y) {
        for (int x = 0; x < preview.width; ++x) {
            const PngPixel& shown = preview.At(x, y);
            ASSERT_EQ(frame.At(x, y).colour, shown.alpha == 0 ? kMask : shown.colour) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, Godot3StarterScene,
    ::testing::Values(SceneCase{"Blocks", {"batch", "--block", "24", "a.bmp", "b.bmp", "c.bmp"}, 24},
                      SceneCase{"Transitions",
                                {"transitions", "--edge", "dither", "a.bmp", "c.bmp", "tr"}, 0},
                      SceneCase{"TransitionVariants",
                                {"transitions", "--variants", "3", "--edge", "dither", "a.bmp",
                                 "c.bmp", "tr"},
                                0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StarterMaps, Godot3ImportSettingsAreWrittenOnlyWhereNoneAre) {
    std::filesystem::create_directories(mFolder.Path() / "game");
    const Args run{"batch", "-q", "--sheet", "game/s.png", "--godot3", "game/t.tres", "a.bmp"};
    RunOk(run);
    EXPECT_NE(Text("game/s.png.import").find("\n[params]\n\nflags/filter=false\n"), std::string::npos);
    std::ofstream(mFolder.Path() / "game/s.png.import") << "the user's own\n";
    RunOk(run);
    EXPECT_EQ(Text("game/s.png.import"), "the user's own\n");
}

class PhaserStarterMap : public StarterMaps, public ::testing::WithParamInterface<TiledCase> {};

TEST_P(PhaserStarterMap, RendersInPhaserAsTheMapPreview) {
    const std::filesystem::path web = TestsFolder().parent_path() / "tools/web";
    MOSAREN_REQUIRE(HaveProgram("node") && HaveProgram("chromium") &&
                        std::filesystem::exists(web / "node_modules/phaser") &&
                        std::filesystem::exists(web / "node_modules/playwright-core"),
                    "node, chromium or tools/web/node_modules is missing (tools/setup installs them)");
    Args arguments = GetParam().arguments;
    for (const char* argument : {"-q", "--sheet", "s.png", "--map", "m.tmj", "--map-preview", "p.png"}) {
        arguments.push_back(argument);
    }
    RunOk(arguments);
    const PngPicture preview = Png("p.png");
    // The camera shows the preview's rectangle: cell (0, 0)'s box 5 W/2 from the left and the
    // blocks' height from the top. The layer stands where the map puts it.
    const int rise = GetParam().rise;
    const std::string command =
        "node '" + (web / "render_tiled_json.mjs").string() + "' . m.tmj s.png " +
        std::to_string(preview.width) + " " + std::to_string(preview.height) + " " +
        std::to_string(-5 * kW / 2) + " " + std::to_string(-rise) + " phaser.png";
    ASSERT_TRUE(RunOffscreen(mFolder.Path(), command, "phaser.log")) << "see phaser.log";
    const PngPicture frame = Png("phaser.png");
    ASSERT_EQ(frame.width, preview.width);
    ASSERT_EQ(frame.height, preview.height);
    for (int y = 0; y < preview.height; ++y) {
        for (int x = 0; x < preview.width; ++x) {
            const PngPixel& shown = preview.At(x, y);
            ASSERT_EQ(frame.At(x, y).colour, shown.alpha == 0 ? kMask : shown.colour) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, PhaserStarterMap,
    ::testing::Values(
        TiledCase{"Blocks", {"batch", "--block", "24", "a.bmp", "b.bmp", "c.bmp"}, 24},
        TiledCase{"Transitions", {"transitions", "--edge", "noise", "a.bmp", "c.bmp", "tr"}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StarterMaps, TheTmjMapEmbedsTheSheetAndRaisesBlocksForTopAligningReaders) {
    RunOk({"batch", "-q", "--block", "24", "--sheet", "s.png", "--map", "m.tmj", "a.bmp", "b.bmp",
           "c.bmp"});
    const std::string map = Text("m.tmj");
    for (const char* part : {"\"orientation\": \"isometric\"", "\"image\": \"s.png\"",
                             "\"tilecount\": 4", "\"tileheight\": 60", "\"offsety\": -24",
                             "\"columns\": 2"}) {
        EXPECT_NE(map.find(part), std::string::npos) << part << " in " << map;
    }
}

struct Refusal {
    const char* name;
    Args arguments;
    const char* message;
};

class StarterMapRefusal : public StarterMaps, public ::testing::WithParamInterface<Refusal> {};

TEST_P(StarterMapRefusal, NamesWhatTheReaderWouldGetWrong) {
    const CliRun run = Run(GetParam().arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_EQ(FolderNames(mFolder.Path()), (Names{"a.bmp", "b.bmp", "c.bmp"}));
}

INSTANTIATE_TEST_SUITE_P(
    Runs, StarterMapRefusal,
    ::testing::Values(
        Refusal{"TsxOfBmpFiles", {"batch", "--tsx", "t.tsx", "a.bmp"},
                "--tsx of separate BMP tiles would show their mask colour in Tiled"},
        Refusal{"TmxWithoutTsx", {"batch", "--format", "png", "--map", "m.tmx", "a.bmp"},
                "--map 'm.tmx' needs --tsx"},
        Refusal{"TmjWithoutSheet", {"batch", "--format", "png", "--map", "m.tmj", "a.bmp"},
                "--map 'm.tmj' needs a PNG --sheet"},
        Refusal{"TmjOfBmpSheet", {"batch", "--sheet", "s.bmp", "--map", "m.tmj", "a.bmp"},
                "--map 'm.tmj' needs a PNG --sheet"},
        Refusal{"SceneOfBothGodots",
                {"batch", "--sheet", "s.png", "--godot", "t.tres", "--godot3", "t3.tres", "--map",
                 "m.tscn", "a.bmp"},
                "--map 'm.tscn' needs one of --godot and --godot3, not both"},
        Refusal{"SceneOfNoGodot", {"batch", "--sheet", "s.png", "--map", "m.tscn", "a.bmp"},
                "not neither"},
        Refusal{"OtherSuffix", {"batch", "--format", "png", "--map", "m.png", "a.bmp"},
                "--map 'm.png' is not a .tmx, .tmj or .tscn name"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mosaren
