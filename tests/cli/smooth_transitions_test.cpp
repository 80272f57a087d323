// Smooth transition tiles through the real binary: two neighbouring tiles, laid side by side as
// a map lays them, join without a seam or a gap across their shared edge; the measure itself
// sees the seam between two tiles that are no neighbours.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "cli/support/command_line.h"
#include "support/png_picture.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;

constexpr int kWidth = 64;
constexpr int kHeight = 32;
constexpr TColor kTerrainA = Rgb(40, 60, 30);
constexpr TColor kTerrainB = Rgb(200, 220, 150);

struct Joined {
    double worstStep = 0.0;     // the largest change of green across a seam pixel, A to B = 1
    int leastOpacity = 255;     // inside the pair, where the two tiles meet
};

// Tile `left` at the map's origin and `right` its neighbour below to the right, sharing the
// left tile's lower-right edge: composed by their alpha, and measured along that edge.
Joined JoinAlongEdge(const PngPicture& left, const PngPicture& right) {
    const int width = kWidth * 3 / 2;
    const int height = kHeight * 3 / 2;
    std::vector<double> premultiplied(static_cast<std::size_t>(width * height), 0.0);
    std::vector<int> opacity(premultiplied.size(), 0);
    std::vector<int> tiles(premultiplied.size(), 0);
    const auto put = [&](const PngPicture& tile, int dx, int dy, int bit) {
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const PngPixel& p = tile.At(x, y);
                if (p.alpha == 0) continue;
                const auto at = static_cast<std::size_t>((y + dy) * width + x + dx);
                premultiplied[at] += GreenOf(p.colour) * p.alpha;
                opacity[at] += p.alpha;
                tiles[at] |= bit;
            }
        }
    };
    put(left, 0, 0, 1);
    put(right, kWidth / 2, kHeight / 2, 2);
    const auto green = [&](int x, int y) {
        const auto at = static_cast<std::size_t>(y * width + x);
        return premultiplied[at] / std::max(1, opacity[at]);
    };
    Joined joined;
    // The edge runs from (W, H/2) to (W/2, H); away from its ends the pair surrounds it.
    for (int y = kHeight / 2 + 2; y < kHeight - 2; ++y) {
        for (int x = 1; x + 1 < width; ++x) {
            if (tiles[static_cast<std::size_t>(y * width + x)] != 3) continue;
            joined.leastOpacity = std::min(joined.leastOpacity, opacity[static_cast<std::size_t>(y * width + x)]);
            const double step = std::abs(green(x + 1, y) - green(x - 1, y)) /
                                (GreenOf(kTerrainB) - GreenOf(kTerrainA));
            joined.worstStep = std::max(joined.worstStep, step);
        }
    }
    return joined;
}

class SmoothTransitionSeams : public CommandLine, public ::testing::WithParamInterface<const char*> {};

TEST_P(SmoothTransitionSeams, NeighboursJoinWithoutASeam) {
    WriteSolidTexture(mFolder / "a.bmp", 48, 48, kTerrainA);
    WriteSolidTexture(mFolder / "b.bmp", 48, 48, kTerrainB);
    const CliRun run = Run({"transitions", "--filter", "smooth", "--feather", "8", "--edge",
                            GetParam(), "--size", "64x32", "--format", "png", "a.bmp", "b.bmp",
                            "t"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // Tile 4 (B at its right vertex only) and tile 14 (A at its left vertex only) share the edge
    // from B to A; tile 7 has that edge from A to B.
    const PngPicture tile4 = ReadPngFile(mFolder.Path() / "t_04.png");
    const Joined neighbours = JoinAlongEdge(tile4, ReadPngFile(mFolder.Path() / "t_14.png"));
    EXPECT_GE(neighbours.leastOpacity, 253);
    // Over two pixels the feather of 8 changes the blend by about a quarter.
    EXPECT_LT(neighbours.worstStep, 0.4);
    const Joined strangers = JoinAlongEdge(tile4, ReadPngFile(mFolder.Path() / "t_07.png"));
    EXPECT_GT(strangers.worstStep, 0.6);
}

INSTANTIATE_TEST_SUITE_P(Edges, SmoothTransitionSeams, ::testing::Values("straight", "noise"));

// The project key feather is the option: a project's tiles are the command line's bytes, and a
// soft border is no hard one.
TEST_F(CommandLine, ProjectKeyFeatherIsTheOption) {
    WriteSolidTexture(mFolder / "a.bmp", 32, 32, kTerrainA);
    WriteSolidTexture(mFolder / "b.bmp", 32, 32, kTerrainB);
    WriteBytes(mFolder / "mosaren.toml", [] {
        const std::string text =
            "size = \"32x16\"\nformat = \"png\"\nout-dir = \"project\"\n"
            "[terrains]\na = \"a.bmp\"\nb = \"b.bmp\"\n"
            "[sets.shore]\ntransitions = [\"a\", \"b\"]\nfilter = \"smooth\"\nfeather = 6\n";
        return std::vector<std::uint8_t>(text.begin(), text.end());
    }());
    const CliRun build = Run({"build", "-q", "mosaren.toml"});
    ASSERT_EQ(build.exitCode, 0) << build.err;
    for (const char* feather : {"6", "0"}) {
        const CliRun run = Run({"transitions", "--filter", "smooth", "--feather", feather, "--size",
                                "32x16", "--format", "png", "a.bmp", "b.bmp",
                                std::string("feather") + feather});
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }
    for (const char* tile : {"_01.png", "_06.png", "_13.png"}) {
        const auto project = FileBytes(mFolder.Path() / "project" / (std::string("shore") + tile));
        EXPECT_TRUE(project == FileBytes(mFolder.Path() / (std::string("feather6") + tile))) << tile;
        EXPECT_FALSE(project == FileBytes(mFolder.Path() / (std::string("feather0") + tile))) << tile;
    }
}

}  // namespace
}  // namespace mosaren
