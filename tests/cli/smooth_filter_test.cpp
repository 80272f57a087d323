// --filter smooth through the real binary: PNG tiles of generated textures against the
// independent reference of tests/support, whole and in pieces, from BMP and PNG textures, by the
// tile command and the batch; BMP tiles by the half-coverage rule; nearest tiles unchanged.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "cli/support/command_line.h"
#include "cli/support/generated_textures.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;

struct SmoothCase {
    const char* name;
    int side;  // of the square texture
    TexelAt texel;
    bool png;  // a PNG texture (read by libpng, with its alpha), else a 24-bit BMP file
    int tileWidth;
    int tileHeight;
    int pieces;  // across and down
};

Texel GradientTexel(int x, int y, std::mt19937&) { return Opaque(x * 2, 60 + y * 2, 200 - x); }
Texel CheckerTexel(int x, int y, std::mt19937&) {
    return (x + y) % 2 ? Opaque(250, 250, 250) : Opaque(10, 10, 10);
}
Texel HoleTexel(int x, int y, std::mt19937& r) {
    const bool hole = (x / 6 + y / 6) % 3 == 0;
    return {static_cast<std::uint8_t>(r() % 256), static_cast<std::uint8_t>(x * 3),
            static_cast<std::uint8_t>(y * 3), static_cast<std::uint8_t>(hole ? 0 : 100 + r() % 156)};
}

const SmoothCase kCases[] = {
    {"GradientBmp", 96, GradientTexel, false, 72, 36, 1},
    {"CheckerboardAtNyquistBmp", 64, CheckerTexel, false, 33, 17, 1},
    {"NoisePng", 80, Noise, true, 64, 32, 1},
    {"AlphaHolesPng", 60, HoleTexel, true, 72, 36, 1},
    {"GradientPieces", 64, GradientTexel, false, 32, 16, 2},
    {"AlphaHolesPieces", 60, HoleTexel, true, 40, 20, 3},
};

class SmoothTiles : public CommandLine, public ::testing::WithParamInterface<SmoothCase> {};

TEST_P(SmoothTiles, MatchTheReferenceAndTheBmpRule) {
    const SmoothCase& c = GetParam();
    const ReferenceTexture texture = MakeTexture(c.side, c.texel, 11);
    const std::string name = c.png ? "texture.png" : "texture.bmp";
    WriteTextureFile(mFolder.Path() / name, texture, c.png);
    const std::string size = std::to_string(c.tileWidth) + "x" + std::to_string(c.tileHeight);
    const std::string pieces = std::to_string(c.pieces) + "x" + std::to_string(c.pieces);
    for (const char* format : {"png", "bmp"}) {
        const CliRun run = Run({"tile", "--filter", "smooth", "--format", format, "--size", size,
                                "--pieces", pieces, name, "smooth"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }

    const int step = c.side / c.pieces;
    for (int i = 1; i <= c.pieces; ++i) {
        for (int j = 1; j <= c.pieces; ++j) {
            const std::string stem = c.pieces == 1 ? std::string("smooth")
                                                   : "smooth_" + std::to_string(i) + "_" +
                                                         std::to_string(j);
            SCOPED_TRACE(stem);
            const std::vector<ReferencePixel> reference = ReferenceSmoothTile(
                texture, (i - 1) * step, (j - 1) * step, i * step, j * step, c.tileWidth,
                c.tileHeight, c.png);
            const PngPicture png = ReadPngFile(mFolder.Path() / (stem + ".png"));
            ASSERT_EQ(png.pixels.size(), reference.size());
            EXPECT_GE(SmoothPsnr(png, reference), 40.0);

            // A BMP pixel shows the tile where it covers half the pixel and is half opaque, in
            // the colour of the PNG tile's pixel, never mixed with the mask.
            const BmpPicture bmp = Tile(stem + ".bmp");
            int shown = 0;
            for (std::size_t p = 0; p < reference.size(); ++p) {
                const ReferencePixel& e = reference[p];
                const TColor colour = bmp.pixels[p];
                if (colour != kMask) {
                    EXPECT_EQ(colour, png.pixels[p].colour) << "pixel " << p;
                    ++shown;
                }
                const bool borderline = std::abs(e.coverage - 0.5) < 0.01 ||
                                        std::abs(e.alpha * 255.0 - 127.5) < 2.0;
                if (!borderline) {
                    EXPECT_EQ(colour != kMask, e.coverage >= 0.5 && e.alpha * 255.0 >= 128.0)
                        << "pixel " << p;
                }
            }
            EXPECT_GT(shown, 0);
        }
    }

    if (c.pieces == 1) {
        // The batch makes the same tiles, on several workers; nearest stays the default.
        const std::string second = c.png ? "second.png" : "second.bmp";
        std::filesystem::copy_file(mFolder.Path() / name, mFolder.Path() / second);
        const CliRun batch = Run({"batch", "-q", "--filter", "smooth", "--format", "png", "--size",
                                  size, "--jobs", "2", name, second});
        ASSERT_EQ(batch.exitCode, 0) << batch.err;
        for (const char* tile : {"texturetile.png", "secondtile.png"}) {
            EXPECT_TRUE(FileBytes(mFolder.Path() / tile) == FileBytes(mFolder.Path() / "smooth.png"))
                << tile;
        }
        for (const char* stem : {"default", "nearest"}) {
            Args args{"tile", "--size", size, name, stem};
            if (std::string(stem) == "nearest") args.insert(args.begin() + 1, {"--filter", "nearest"});
            ASSERT_EQ(Run(args).exitCode, 0);
        }
        EXPECT_TRUE(FileBytes(mFolder.Path() / "nearest.bmp") ==
                    FileBytes(mFolder.Path() / "default.bmp"));
        EXPECT_FALSE(FileBytes(mFolder.Path() / "nearest.bmp") ==
                     FileBytes(mFolder.Path() / "smooth.bmp"));
    }
}

INSTANTIATE_TEST_SUITE_P(Textures, SmoothTiles, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Smooth PNG tiles laid out as a map draws them, each over what was drawn before by its alpha:
// no background shows between neighbours, whichever a map draws first, while the tile's upper
// rim stays antialiased.
TEST_F(CommandLine, SmoothTilesOnAMapShowNoBackgroundBetweenThem) {
    WriteTextureFile(mFolder.Path() / "noise.png", MakeTexture(80, Noise, 3), true);
    for (const auto& [w, h] : {std::pair{72, 36}, {64, 32}, {16, 8}, {40, 30}, {254, 128}}) {
        const std::string size = std::to_string(w) + "x" + std::to_string(h);
        SCOPED_TRACE(size);
        RunOk({"tile", "--filter", "smooth", "--format", "png", "--size", size, "noise.png", "t"});
        const PngPicture tile = Png("t.png");
        int antialiased = 0;
        for (int y = 0; y < h / 2; ++y) {
            for (int x = 0; x < w; ++x) antialiased += tile.At(x, y).alpha % 255 != 0;
        }
        EXPECT_GT(antialiased, h / 2);

        // A 4 × 4 map; tile (i, j) at ((i − j) w/2, (i + j) h/2) from the map's top tile.
        constexpr int kSide = 4;
        const int mapWidth = kSide * w;
        const int mapHeight = kSide * h;
        const auto originX = [&](int i, int j) { return (kSide - 1 + i - j) * w / 2; };
        const auto originY = [&](int i, int j) { return (i + j) * h / 2; };
        for (const bool lowerFirst : {false, true}) {
            std::vector<int> alpha(static_cast<std::size_t>(mapWidth * mapHeight), 0);
            for (int n = 0; n < kSide * kSide; ++n) {
                const int k = lowerFirst ? kSide * kSide - 1 - n : n;
                const int i = k % kSide;
                const int j = k / kSide;
                for (int y = 0; y < h; ++y) {
                    for (int x = 0; x < w; ++x) {
                        int& under = alpha[static_cast<std::size_t>(
                            (originY(i, j) + y) * mapWidth + originX(i, j) + x)];
                        const int over = tile.At(x, y).alpha;
                        under = over + (under * (255 - over) + 127) / 255;
                    }
                }
            }
            // Every pixel of the inner tiles' diamonds, their rims included, is wholly drawn.
            for (int j = 1; j < kSide - 1; ++j) {
                for (int i = 1; i < kSide - 1; ++i) {
                    for (int y = 0; y < h; ++y) {
                        for (int x = 0; x < w; ++x) {
                            if (tile.At(x, y).alpha == 0) continue;
                            ASSERT_EQ(alpha[static_cast<std::size_t>(
                                          (originY(i, j) + y) * mapWidth + originX(i, j) + x)],
                                      255)
                                << "tile " << i << "," << j << " pixel " << x << "," << y
                                << (lowerFirst ? ", lower tiles first" : "");
                        }
                    }
                }
            }
        }
    }
}

TEST_F(CommandLine, SmoothOptionsAreRefusedWhereTheyDoNotApply) {
    Texture("a.bmp", Rgb(0, 128, 0));
    struct Refusal {
        Args args;
        const char* message;
    };
    const Refusal refusals[] = {
        {{"transitions", "--feather", "2", "a.bmp", "a.bmp", "t"},
         "mosaren-cli: --feather is for --filter smooth"},
        {{"tile", "--filter", "smooth", "--feather", "2", "a.bmp", "o"},
         "mosaren-cli: --feather is for the transitions command only"},
        {{"transitions", "--filter", "smooth", "--feather", "64.5", "a.bmp", "a.bmp", "t"},
         "mosaren-cli: --feather '64.5' is not a number"},
        {{"transitions", "--filter", "smooth", "--feather", "-1", "a.bmp", "a.bmp", "t"},
         "mosaren-cli: --feather '-1' is not a number"},
        {{"transitions", "--filter", "smooth", "--feather", "1.", "a.bmp", "a.bmp", "t"},
         "mosaren-cli: --feather '1.' is not a number"},
        {{"batch", "--filter", "bilinear", "a.bmp"}, "mosaren-cli: --filter 'bilinear'"},
    };
    for (const Refusal& refusal : refusals) {
        const CliRun run = Run(refusal.args);
        EXPECT_EQ(run.exitCode, 2) << refusal.message;
        EXPECT_EQ(run.err.rfind(refusal.message, 0), 0u) << run.err;
        EXPECT_EQ(mFolder.Names(), (Names{"a.bmp"}));
    }
    // Values it takes: whole and decimal, 0 the hard border.
    for (const char* feather : {"0", ".5", "2.25", "64"}) {
        const CliRun run = Run({"transitions", "--filter", "smooth", "--feather", feather, "--size",
                                "16x8", "a.bmp", "a.bmp", "t"});
        EXPECT_EQ(run.exitCode, 0) << feather << run.err;
    }
}

}  // namespace
}  // namespace mosaren
