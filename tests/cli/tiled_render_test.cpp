// Blocks as Tiled itself draws them: a map of the program's blocks, rendered by Tiled's own
// tmxrasterizer from the tileset the program wrote, has no hole inside the map's outline and is
// the very picture of the program's map preview.

#include <gtest/gtest.h>

#include <fstream>

#include "cli/support/block_outline.h"
#include "cli/support/command_line.h"
#include "cli/support/preview_cells.h"
#include "cli/support/tiled.h"
#include "support/png_picture.h"
#include "support/requirements.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;

constexpr int kW = 72;
constexpr int kH = 36;
constexpr int kRise = 24;

// The map preview's 6 × 6 map of three tiles in patches, the layer moved down by the blocks'
// height, since tmxrasterizer draws only the map's own rectangle and the back row's blocks reach
// that far above it.
std::string MapOfTheBlocks(const std::string& tileset) {
    std::vector<int> gids;
    for (int k = 0; k < 36; ++k) gids.push_back(PreviewTileOfCell(3, k % 6, k / 6) + 1);
    return IsometricTmx(tileset, 6, 6, kW, kH, gids, kRise);
}

class TiledRendering : public CommandLine, public ::testing::WithParamInterface<const char*> {};

TEST_P(TiledRendering, DrawsTheBlocksWithoutAHoleExactlyAsTheMapPreview) {
    MOSAREN_REQUIRE(HaveProgram("tmxrasterizer"),
                    "Tiled's tmxrasterizer is not installed (Debian's tiled; tools/setup installs it)");
    const std::string sheet = std::string("blocks.") + GetParam();
    // Three textures of no mask colour, so that a BMP sheet's trans colour hides nothing else.
    Texture("a.bmp", Rgb(200, 100, 50));
    WriteTexture(mFolder / "b.bmp", 32, 32, [](int x, int y) {
        return Rgb(static_cast<std::uint8_t>(40 + 6 * x), static_cast<std::uint8_t>(100 + 4 * y),
                   20);
    });
    Texture("c.bmp", Rgb(20, 20, 220));
    const CliRun run =
        Run({"batch", "-q", "--block", std::to_string(kRise), "--sheet", sheet, "--tsx",
             "blocks.tsx", "--map-preview", "preview.png", "a.bmp", "b.bmp", "c.bmp"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::ofstream(mFolder.Path() / "map.tmx") << MapOfTheBlocks("blocks.tsx");
    ASSERT_TRUE(
        RunOffscreen(mFolder.Path(), "tmxrasterizer --no-smoothing map.tmx tiled.png", "tiled.log"))
        << "tmxrasterizer failed, see tiled.log";

    const PngPicture tiled = ReadPngFile(mFolder.Path() / "tiled.png");
    const PngPicture preview = ReadPngFile(mFolder.Path() / "preview.png");
    ASSERT_EQ(tiled.width, 6 * kW);
    ASSERT_EQ(tiled.height, 6 * kH + kRise);
    ASSERT_EQ(preview.width, tiled.width);
    ASSERT_EQ(preview.height, tiled.height);
    for (int y = 0; y < tiled.height; ++y) {
        for (int x = 0; x < tiled.width; ++x) {
            const bool inside = OutlineAt(x, y, tiled.width, 6 * kH, kRise) == Outline::Inside;
            ASSERT_EQ(tiled.At(x, y).alpha, inside ? 255 : 0) << x << "," << y;
            if (inside) {
                ASSERT_EQ(tiled.At(x, y), preview.At(x, y)) << x << "," << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sheets, TiledRendering, ::testing::Values("png", "bmp"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace mosaren
