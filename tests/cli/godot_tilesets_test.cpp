// Godot tile sets from mosaren-cli, checked the way Godot takes them: the Godot 4 file by a
// strict reader and Godot's own grid arithmetic, the Godot 3 file by the real Godot 3.

#include <gtest/gtest.h>

#include "cli/support/command_line.h"
#include "support/godot3.h"
#include "support/godot4_tileset_reader.h"
#include "support/png_picture.h"
#include "support/requirements.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;

class GodotTilesets : public CommandLine {
protected:
    // Five textures of different sizes and colours in tex/, and a Godot project in game/.
    void SetUp() override {
        std::filesystem::create_directories(mFolder.Path() / "tex");
        std::filesystem::create_directories(mFolder.Path() / "game/art");
        for (int k = 0; k < 5; ++k) {
            const std::string texture =
                "tex/" + std::string(1, static_cast<char>('a' + k)) + ".bmp";
            WriteTexture(mFolder / texture, 16 + 8 * k, 24, [k](int x, int y) {
                return Rgb(static_cast<std::uint8_t>(30 + 5 * x + 20 * k),
                           static_cast<std::uint8_t>(100 + 4 * y), static_cast<std::uint8_t>(k));
            });
            mTextures.push_back(texture);
        }
    }
    void RunOk(Args arguments) {
        arguments.insert(arguments.end(), mTextures.begin(), mTextures.end());
        const CliRun run = Run(arguments);
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }
    // Tile k as its own PNG file, which the sheet's cell k must hold.
    PngPicture SeparateTile(int k) const {
        return ReadPngFile(mFolder.Path() /
                           ("tex/" + std::string(1, static_cast<char>('a' + k)) + "tile.png"));
    }

    void CheckBatch(int rise);

    Names mTextures;
};

// A batch of flat tiles (rise 0) or of blocks raised by rise pixels: the sheet's tiles for Godot 4
// and the real Godot 3, a block's footprint standing on its cell.
void GodotTilesets::CheckBatch(int rise) {
    Args block;
    if (rise > 0) block = {"--block", std::to_string(rise)};
    const int height = 36 + rise;
    Args withSheet{"batch", "-q", "--sheet", "game/art/terrain.png", "--margin", "2", "--spacing",
                   "4", "--extrude", "2", "--godot", "game/terrain.tres", "--godot3",
                   "game/terrain3.tres"};
    Args separately{"batch", "-q", "--format", "png"};
    withSheet.insert(withSheet.end(), block.begin(), block.end());
    separately.insert(separately.end(), block.begin(), block.end());
    RunOk(withSheet);
    RunOk(separately);
    const PngPicture sheet = ReadPngFile(mFolder.Path() / "game/art/terrain.png");

    // Godot 4: every key as Godot names it, and Godot's grid over the real sheet finds the
    // five tiles, row by row, each region holding its tile.
    const Godot4Tileset godot4 = ReadGodot4Tileset(Text("game/terrain.tres"));
    EXPECT_EQ(godot4.texturePath, "res://art/terrain.png");
    EXPECT_EQ(godot4.tileShape, 1);
    EXPECT_EQ(godot4.tileLayout, 5);
    EXPECT_EQ(godot4.tileSize, (Vector2i{72, 36}));
    EXPECT_EQ(godot4.regionSize, (Vector2i{72, height}));
    EXPECT_EQ(godot4.GridSize(sheet.width, sheet.height), (Vector2i{3, 2}));
    ASSERT_EQ(godot4.tiles.size(), 5u);
    for (int k = 0; k < 5; ++k) {
        const Godot4Tile& tile = godot4.tiles[static_cast<std::size_t>(k)];
        EXPECT_EQ(tile.coords, (Vector2i{k % 3, k / 3}));
        EXPECT_EQ(tile.textureOrigin, (Vector2i{0, rise / 2}));
        const Vector2i origin = godot4.RegionOrigin(tile.coords);
        const PngPicture separate = SeparateTile(k);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < 72; ++x) {
                ASSERT_EQ(sheet.At(origin.x + x, origin.y + y), separate.At(x, y))
                    << "tile " << k << " at " << x << "," << y;
            }
        }
    }

    // Godot 3 loads its file, and finds each tile in the same region, holding the same pixels.
    MOSAREN_REQUIRE(!Godot3Program().empty(), "godot3-server is not installed");
    const std::vector<Godot3Tile> godot3 =
        LoadGodot3Tileset(mFolder.Path() / "game", "res://terrain3.tres");
    ASSERT_EQ(godot3.size(), 5u);
    for (int k = 0; k < 5; ++k) {
        const Godot3Tile& tile = godot3[static_cast<std::size_t>(k)];
        const Vector2i origin =
            godot4.RegionOrigin(godot4.tiles[static_cast<std::size_t>(k)].coords);
        EXPECT_EQ((Vector2i{tile.regionX, tile.regionY}), origin) << k;
        EXPECT_EQ((Vector2i{tile.regionWidth, tile.regionHeight}), (Vector2i{72, height})) << k;
        EXPECT_EQ((Vector2i{tile.offsetX, tile.offsetY}), (Vector2i{0, -rise})) << k;
        EXPECT_EQ((Vector2i{tile.textureWidth, tile.textureHeight}),
                  (Vector2i{sheet.width, sheet.height}));
        const PngPicture separate = SeparateTile(k);
        ASSERT_EQ(tile.pixels.size(), separate.pixels.size() * 4);
        for (std::size_t i = 0; i < separate.pixels.size(); ++i) {
            const PngPixel& expected = separate.pixels[i];
            ASSERT_EQ(tile.pixels[4 * i + 3], expected.alpha) << "tile " << k << " pixel " << i;
            if (expected.alpha == 0) continue;  // the importer may recolour transparent pixels
            const TColor seen =
                Rgb(tile.pixels[4 * i], tile.pixels[4 * i + 1], tile.pixels[4 * i + 2]);
            ASSERT_EQ(seen, expected.colour) << "tile " << k << " pixel " << i;
        }
    }
}

TEST_F(GodotTilesets, OfABatchAreTheSheetsTilesForGodot4AndTheRealGodot3) { CheckBatch(0); }

TEST_F(GodotTilesets, OfBlocksStandEachFootprintOnItsCell) { CheckBatch(24); }

TEST_F(GodotTilesets, NameTheSheetFromTheTresFolderOrFromTheGodotRoot) {
    std::filesystem::create_directories(mFolder.Path() / "elsewhere");
    RunOk({"batch", "-q", "--sheet", "game/art/s.png", "--godot", "game/art/here.tres", "--godot3",
           "elsewhere/there.tres", "--godot-root", "game"});
    EXPECT_EQ(ReadGodot4Tileset(Text("game/art/here.tres")).texturePath, "res://art/s.png");
    EXPECT_NE(Text("elsewhere/there.tres").find("path=\"res://art/s.png\""), std::string::npos);
    RunOk({"batch", "-q", "--sheet", "game/art/s.png", "--godot", "game/art/t.tres"});
    EXPECT_EQ(ReadGodot4Tileset(Text("game/art/t.tres")).texturePath, "res://s.png");
}

TEST_F(GodotTilesets, ThatCannotBeWrittenFailAfterTheSheet) {
    const CliRun run = Run({"batch", "-q", "--sheet", "game/s.png", "--godot", "game/gone/t.tres",
                            "--godot-root", "game", mTextures[0]});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "mosaren-cli: Cannot create file game/gone/t.tres: No such file or directory.\n");
    EXPECT_EQ(FolderNames(mFolder.Path() / "game"), (Names{"art", "s.png"}));
}

}  // namespace
}  // namespace mosaren
