// Blocks as Tiled itself draws them: a map of the program's blocks, rendered by Tiled's own
// tmxrasterizer from the tileset the program wrote, has no hole inside the map's outline and is
// the very picture of the program's map preview.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "cli/support/block_outline.h"
#include "cli/support/command_line.h"
#include "support/png_picture.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;

constexpr int kW = 72;
constexpr int kH = 36;
constexpr int kRise = 24;

bool HaveTmxRasterizer() { return std::system("command -v tmxrasterizer >/dev/null 2>&1") == 0; }

// The map preview's 6 × 6 map as a TMX map: cell (c, r) shows tile (6r + c) mod 3, the layer
// moved down by the blocks' height, since tmxrasterizer draws only the map's own rectangle and
// the back row's blocks reach that far above it.
std::string MapOfTheBlocks(const std::string& tileset) {
    std::string data;
    for (int k = 0; k < 36; ++k) {
        data += std::to_string(k % 3 + 1) + (k == 35 ? "\n" : k % 6 == 5 ? ",\n" : ",");
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<map version=\"1.10\" orientation=\"isometric\" renderorder=\"right-down\" "
           "width=\"6\" height=\"6\" tilewidth=\"" +
           std::to_string(kW) + "\" tileheight=\"" + std::to_string(kH) +
           "\" infinite=\"0\" nextlayerid=\"2\" nextobjectid=\"1\">\n"
           " <tileset firstgid=\"1\" source=\"" +
           tileset +
           "\"/>\n"
           " <layer id=\"1\" name=\"blocks\" width=\"6\" height=\"6\" offsety=\"" +
           std::to_string(kRise) +
           "\">\n"
           "  <data encoding=\"csv\">\n" +
           data +
           "</data>\n"
           " </layer>\n"
           "</map>\n";
}

class TiledRendering : public CommandLine, public ::testing::WithParamInterface<const char*> {};

TEST_P(TiledRendering, DrawsTheBlocksWithoutAHoleExactlyAsTheMapPreview) {
    if (!HaveTmxRasterizer()) {
        GTEST_SKIP() << "Tiled's tmxrasterizer is not installed (Debian's tiled; tools/setup "
                        "installs it)";
    }
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

    const std::string command = "cd '" + mFolder.Path().string() +
                                "' && QT_QPA_PLATFORM=offscreen tmxrasterizer --no-smoothing "
                                "map.tmx tiled.png >tiled.log 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << "tmxrasterizer failed, see tiled.log";

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
