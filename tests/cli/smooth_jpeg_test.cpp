// Large JPEG textures decoded at a reduced scale for smooth tiles: the tile of a 2048² JPEG file
// (decoded at an eighth by libjpeg-turbo) and the tile of its pixels decoded whole (by Pillow,
// into a PNG file) are both within 40 dB of the ideal tile of the whole picture; nearest tiles of
// the JPEG file show its full-size pixels.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "cli/support/command_line.h"
#include "cli/support/test_pictures.h"
#include "support/png_picture.h"
#include "support/requirements.h"
#include "support/smooth_reference.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;

// Something like a photograph of stones: soft blobs of colour with fine grain on top.
std::vector<std::uint8_t> StonesPicture(int side) {
    std::mt19937 random(17);
    struct Blob {
        double x, y, radius;
        int r, g, b;
    };
    std::vector<Blob> blobs;
    for (int i = 0; i < 60; ++i) {
        blobs.push_back({double(random() % side), double(random() % side),
                         side / 30.0 + random() % (side / 12), int(random() % 200),
                         int(random() % 200), int(random() % 200)});
    }
    std::vector<std::uint8_t> rgba;
    rgba.reserve(static_cast<std::size_t>(side) * side * 4);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            double r = 90, g = 80, b = 70;
            for (const Blob& blob : blobs) {
                const double d = std::hypot(x - blob.x, y - blob.y) / blob.radius;
                if (d < 1.0) {
                    const double w = 1.0 - d * d;
                    r += (blob.r - r) * w;
                    g += (blob.g - g) * w;
                    b += (blob.b - b) * w;
                }
            }
            const int grain = int(random() % 41) - 20;
            for (const double v : {r, g, b}) {
                rgba.push_back(static_cast<std::uint8_t>(std::clamp(v + grain, 0.0, 255.0)));
            }
            rgba.push_back(255);
        }
    }
    return rgba;
}

TEST_F(CommandLine, LargeJpegTexturesDecodeReducedForSmoothTiles) {
    MOSAREN_REQUIRE(HavePillow(), "Debian's python3-pil is not installed");
    constexpr int kSide = 1024;  // large enough to be decoded at a quarter for a 64 × 32 tile
    WriteRgbaPng(mFolder.Path() / "source.png", kSide, kSide, StonesPicture(kSide));
    RunPictureScript("png_to_jpeg.py", {(mFolder.Path() / "source.png").string(),
                                        (mFolder.Path() / "stones.jpg").string(),
                                        (mFolder.Path() / "decoded.png").string()});
    for (const char* texture : {"stones.jpg", "decoded.png"}) {
        const CliRun run = Run({"tile", "--filter", "smooth", "--format", "png", "--size", "64x32",
                                texture, std::string(texture) + "-tile"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }
    const PngPicture decoded = ReadPngFile(mFolder.Path() / "decoded.png");
    ReferenceTexture whole{kSide, kSide, {}};
    whole.rgba.reserve(static_cast<std::size_t>(kSide) * kSide * 4);
    for (const PngPixel& p : decoded.pixels) {
        whole.rgba.insert(whole.rgba.end(), {RedOf(p.colour), GreenOf(p.colour), BlueOf(p.colour), 255});
    }
    const std::vector<ReferencePixel> reference =
        ReferenceSmoothTile(whole, 0, 0, kSide, kSide, 64, 32, false);
    const PngPicture reduced = ReadPngFile(mFolder.Path() / "stones.jpg-tile.png");
    const PngPicture full = ReadPngFile(mFolder.Path() / "decoded.png-tile.png");
    EXPECT_GE(SmoothPsnr(full, reference), 40.0);
    EXPECT_GE(SmoothPsnr(reduced, reference), 40.0);
    // The reduced decoding is the JPEG file's own: nearest sampling, which reads chosen pixels at
    // full size, still gives the tile of the whole decoded picture.
    for (const char* texture : {"stones.jpg", "decoded.png"}) {
        const CliRun run = Run({"tile", "--format", "png", "--size", "64x32", texture,
                                std::string(texture) + "-nearest"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }
    EXPECT_TRUE(ReadPngFile(mFolder.Path() / "stones.jpg-nearest.png").pixels ==
                ReadPngFile(mFolder.Path() / "decoded.png-nearest.png").pixels);
}

}  // namespace
}  // namespace mosaren
