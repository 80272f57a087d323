// Tiles and blocks as Tiled itself draws them: a map of the program's tiles, rendered by Tiled's
// own tmxrasterizer from the tileset the program wrote, has no hole inside the map's outline and
// is the very picture of the program's map preview (smooth tiles, whose outline is antialiased:
// no hole, not a pixel translucent, but along the outline).

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

// The map preview's 6 × 6 map of three tiles in patches, the layer moved down by the blocks'
// height, since tmxrasterizer draws only the map's own rectangle and the back row's blocks reach
// that far above it.
std::string MapOfTheBlocks(const std::string& tileset, int rise) {
    std::vector<int> gids;
    for (int k = 0; k < 36; ++k) gids.push_back(PreviewTileOfCell(3, k % 6, k / 6) + 1);
    return IsometricTmx(tileset, 6, 6, kW, kH, gids, rise);
}

struct RenderCase {
    const char* format;  // of the sheet
    const char* filter;
    int rise;  // of the blocks; 0: flat tiles
};

class TiledRendering : public CommandLine, public ::testing::WithParamInterface<RenderCase> {};

TEST_P(TiledRendering, DrawsTheMapWithoutAHoleAsTheMapPreviewDoes) {
    MOSAREN_REQUIRE(HaveProgram("tmxrasterizer"),
                    "Tiled's tmxrasterizer is not installed (Debian's tiled; tools/setup installs it)");
    const std::string sheet = std::string("blocks.") + GetParam().format;
    const bool smooth = GetParam().filter == std::string("smooth");
    const int rise = GetParam().rise;
    // Three textures of no mask colour, so that a BMP sheet's trans colour hides nothing else.
    Texture("a.bmp", Rgb(200, 100, 50));
    WriteTexture(mFolder / "b.bmp", 32, 32, [](int x, int y) {
        return Rgb(static_cast<std::uint8_t>(40 + 6 * x), static_cast<std::uint8_t>(100 + 4 * y),
                   20);
    });
    Texture("c.bmp", Rgb(20, 20, 220));
    Args args{"batch",        "-q",           "--filter",      GetParam().filter, "--sheet", sheet,
              "--tsx",        "blocks.tsx",   "--map-preview", "preview.png",     "a.bmp",   "b.bmp",
              "c.bmp"};
    if (rise > 0) args.insert(args.begin() + 1, {"--block", std::to_string(rise)});
    const CliRun run = Run(args);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::ofstream(mFolder.Path() / "map.tmx") << MapOfTheBlocks("blocks.tsx", rise);
    ASSERT_TRUE(
        RunOffscreen(mFolder.Path(), "tmxrasterizer --no-smoothing map.tmx tiled.png", "tiled.log"))
        << "tmxrasterizer failed, see tiled.log";

    const PngPicture tiled = ReadPngFile(mFolder.Path() / "tiled.png");
    const PngPicture preview = ReadPngFile(mFolder.Path() / "preview.png");
    ASSERT_EQ(tiled.width, 6 * kW);
    ASSERT_EQ(tiled.height, 6 * kH + rise);
    ASSERT_EQ(preview.width, tiled.width);
    ASSERT_EQ(preview.height, tiled.height);
    const auto inside = [&](int x, int y) {
        return OutlineAt(x, y, tiled.width, 6 * kH, rise) == Outline::Inside;
    };
    for (int y = 0; y < tiled.height; ++y) {
        for (int x = 0; x < tiled.width; ++x) {
            if (!smooth) {
                ASSERT_EQ(tiled.At(x, y).alpha, inside(x, y) ? 255 : 0) << x << "," << y;
                if (inside(x, y)) {
                    ASSERT_EQ(tiled.At(x, y), preview.At(x, y)) << x << "," << y;
                }
                continue;
            }
            // Smooth tiles' outline is antialiased, and where two of them meet each blends into
            // the other: within a pixel of the outline, whole.
            if (inside(x - 1, y - 1) && inside(x + 1, y - 1) && inside(x - 1, y + 1) &&
                inside(x + 1, y + 1)) {
                ASSERT_EQ(tiled.At(x, y).alpha, 255) << x << "," << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sheets, TiledRendering,
                         ::testing::Values(RenderCase{"png", "nearest", 24},
                                           RenderCase{"bmp", "nearest", 24},
                                           RenderCase{"png", "smooth", 24},
                                           RenderCase{"png", "smooth", 0}),
                         [](const auto& info) {
                             return std::string(info.param.format) + "_" + info.param.filter +
                                    (info.param.rise ? "_blocks" : "_flat");
                         });

}  // namespace
}  // namespace mosaren
