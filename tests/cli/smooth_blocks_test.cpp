// Smooth blocks through the real binary: PNG blocks of generated textures against the
// independent reference block of tests/support (each face's texels carried forward onto its
// parallelogram), with side textures of their own, walls and pieces; the faces meet without a
// seam; BMP blocks by the half-coverage rule; the batch makes the same blocks.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "cli/support/command_line.h"
#include "cli/support/generated_textures.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;

Texel Gradient(int x, int y, std::mt19937&) { return Opaque(x * 3, 40 + y * 3, 220 - x * 2); }
Texel Checker(int x, int y, std::mt19937&) {
    return (x + y) % 2 ? Opaque(240, 230, 20) : Opaque(20, 30, 200);
}
Texel Holes(int x, int y, std::mt19937& r) {
    const bool hole = (x / 5 + y / 7) % 3 == 0;
    return {static_cast<std::uint8_t>(r() % 256), static_cast<std::uint8_t>(x * 4),
            static_cast<std::uint8_t>(y * 4), static_cast<std::uint8_t>(hole ? 0 : 90 + r() % 166)};
}

// The part from (left, top) of side × side.
ReferenceTexture PieceOf(const ReferenceTexture& texture, int left, int top, int side) {
    ReferenceTexture piece{side, side, {}};
    for (int y = 0; y < side; ++y) {
        const std::uint8_t* row = texture.Texel(left, top + y);
        piece.rgba.insert(piece.rgba.end(), row, row + 4 * side);
    }
    return piece;
}

struct BlockCase {
    const char* name;
    int side;
    TexelAt texel;
    bool png;  // a PNG texture with alpha, else a 24-bit BMP file
    int tileWidth;
    int tileHeight;
    int rise;
    const char* faces;   // --faces
    const char* shades;  // --shade
    TexelAt leftTexel;   // a left texture of its own (a BMP file), or none
    int pieces;
};

const BlockCase kCases[] = {
    {"GradientCubeBmp", 64, Gradient, false, 64, 32, 32, "top,left,right", "1,0.8,0.6", nullptr, 1},
    {"AlphaHolesPng", 60, Holes, true, 48, 24, 20, "top,left,right", "1,0.7,0.5", nullptr, 1},
    {"NoiseWithLeftTexture", 48, Noise, false, 40, 20, 16, "top,left,right", "1,0.9,0.4",
     Checker, 1},
    {"CheckerWallOddSize", 40, Checker, false, 33, 17, 11, "left,right", "1,1,0.75", nullptr, 1},
    {"GradientPieces", 64, Gradient, false, 32, 16, 12, "top,left,right", "1,0.8,0.6", nullptr, 2},
};

double ShadeOf(const std::string& shades, int face) {
    std::size_t start = 0;
    for (int i = 0; i < face; ++i) start = shades.find(',', start) + 1;
    return std::stod(shades.substr(start));
}

class SmoothBlocks : public CommandLine, public ::testing::WithParamInterface<BlockCase> {};

TEST_P(SmoothBlocks, MatchTheReferenceWithoutSeamsAndKeepTheBmpRule) {
    const BlockCase& c = GetParam();
    const ReferenceTexture texture = MakeTexture(c.side, c.texel, 5);
    const std::string name = c.png ? "texture.png" : "texture.bmp";
    WriteTextureFile(mFolder.Path() / name, texture, c.png);
    Args common{"--filter", "smooth", "--size",
                std::to_string(c.tileWidth) + "x" + std::to_string(c.tileHeight), "--block",
                std::to_string(c.rise), "--faces", c.faces, "--shade", c.shades, "--pieces",
                std::to_string(c.pieces) + "x" + std::to_string(c.pieces)};
    ReferenceTexture left;
    if (c.leftTexel) {
        left = MakeTexture(32, c.leftTexel, 9);
        WriteTextureFile(mFolder.Path() / "left.bmp", left, false);
        common.insert(common.begin(), {"--left-texture", "left.bmp"});
    }
    for (const char* format : {"png", "bmp"}) {
        Args args{"tile", "--format", format};
        args.insert(args.end(), common.begin(), common.end());
        args.insert(args.end(), {name, "block"});
        const CliRun run = Run(args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }

    const std::string faces = c.faces;
    const int step = c.side / c.pieces;
    for (int i = 1; i <= c.pieces; ++i) {
        for (int j = 1; j <= c.pieces; ++j) {
            const std::string stem = c.pieces == 1 ? std::string("block")
                                                   : "block_" + std::to_string(i) + "_" +
                                                         std::to_string(j);
            SCOPED_TRACE(stem);
            const ReferenceTexture piece = PieceOf(texture, (i - 1) * step, (j - 1) * step, step);
            ReferenceBlockFaces blockFaces;
            blockFaces.withAlpha = c.png;
            const char* faceNames[3] = {"top", "left", "right"};
            for (int f = 0; f < 3; ++f) {
                if (faces.find(faceNames[f]) == std::string::npos) continue;
                blockFaces.textures[f] = f == 1 && c.leftTexel ? &left : &piece;
                blockFaces.shades[f] = ShadeOf(c.shades, f);
            }
            const std::vector<ReferencePixel> reference =
                ReferenceSmoothBlock(blockFaces, c.tileWidth, c.tileHeight, c.rise);
            const PngPicture png = ReadPngFile(mFolder.Path() / (stem + ".png"));
            ASSERT_EQ(png.width, c.tileWidth);
            ASSERT_EQ(png.height, c.tileHeight + c.rise);
            EXPECT_GE(SmoothPsnr(png, reference), 40.0);

            const BmpPicture bmp = Tile(stem + ".bmp");
            for (std::size_t p = 0; p < reference.size(); ++p) {
                const ReferencePixel& e = reference[p];
                // Where the faces meet, inside the block, nothing of the background shows.
                if (!c.png && e.coverage > 0.999) {
                    EXPECT_EQ(png.pixels[p].alpha, 255) << "pixel " << p;
                }
                const TColor colour = bmp.pixels[p];
                if (colour != kMask) {
                    EXPECT_EQ(colour, png.pixels[p].colour) << "pixel " << p;
                }
                const bool borderline = std::abs(e.coverage - 0.5) < 0.01 ||
                                        std::abs(e.alpha * 255.0 - 127.5) < 2.0;
                if (!borderline) {
                    EXPECT_EQ(colour != kMask, e.coverage >= 0.5 && e.alpha * 255.0 >= 128.0)
                        << "pixel " << p;
                }
            }
        }
    }

    if (c.pieces == 1) {
        // The batch makes the same blocks, on several workers.
        const std::string second = c.png ? "second.png" : "second.bmp";
        std::filesystem::copy_file(mFolder.Path() / name, mFolder.Path() / second);
        Args batch{"batch", "-q", "--format", "png", "--jobs", "2"};
        batch.insert(batch.end(), common.begin(), common.end() - 2);  // no --pieces, last
        batch.insert(batch.end(), {name, second});
        const CliRun run = Run(batch);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        for (const char* tile : {"texturetile.png", "secondtile.png"}) {
            EXPECT_TRUE(FileBytes(mFolder.Path() / tile) == FileBytes(mFolder.Path() / "block.png"))
                << tile;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Textures, SmoothBlocks, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mosaren
