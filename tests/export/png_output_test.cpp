#include "export/png_output.h"

#include <gtest/gtest.h>
#include <png.h>

#include <random>

#include "raster/exceptions.h"
#include "support/files.h"
#include "support/png_picture.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;

TEST(PngOutput, AnOddSizedPictureComesBackPixelForPixelWithItsAlpha) {
    // 47 × 33, so that no row length is a round number; alpha straight, not premultiplied.
    RgbaImage image(47, 33);
    for (std::int32_t y = 0; y < 33; ++y) {
        for (std::int32_t x = 0; x < 47; ++x) {
            image.At(x, y) =
                Rgba{static_cast<std::uint8_t>(x * 5), static_cast<std::uint8_t>(y * 7),
                     static_cast<std::uint8_t>(x ^ y),
                     static_cast<std::uint8_t>((x + y) % 3 == 0 ? 0 : x * y % 256)};
        }
    }
    TempFolder folder;
    WritePngFile(image, folder / "picture.png");
    const PngPicture file = ReadPngFile(folder.Path() / "picture.png");
    ASSERT_EQ(file.width, 47);
    ASSERT_EQ(file.height, 33);
    for (std::int32_t y = 0; y < 33; ++y) {
        for (std::int32_t x = 0; x < 47; ++x) {
            const Rgba& p = image.At(x, y);
            ASSERT_EQ(file.At(x, y), (PngPixel{Rgb(p.r, p.g, p.b), p.a})) << x << "," << y;
        }
    }
}

TEST(PngOutput, ReplacesAnOldFileAndLeavesNothingWhenItCannotCreate) {
    TempFolder folder;
    WriteBytes(folder / "old.png", std::vector<std::uint8_t>(5000, 'x'));
    WritePngFile(RgbaImage(2, 2), folder / "old.png");
    EXPECT_EQ(ReadPngFile(folder.Path() / "old.png").width, 2);
    try {
        WritePngFile(RgbaImage(2, 2), folder / "gone/new.png");
        FAIL() << "no failure";
    } catch (const EFCreateError& failure) {
        EXPECT_EQ(failure.Message(), "Cannot create file " + (folder / "gone/new.png"));
    }
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"old.png"}));
}

// The bytes libpng's simplified writer gives the picture, which is how the program wrote every
// PNG file before it wrote them row by row.
std::vector<std::uint8_t> SimplifiedApiBytes(const RgbaImage& image) {
    png_image description{};
    description.version = PNG_IMAGE_VERSION;
    description.width = static_cast<png_uint_32>(image.Width());
    description.height = static_cast<png_uint_32>(image.Height());
    description.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&description, nullptr, &size, 0, image.Pixels().data(), 0, nullptr);
    std::vector<std::uint8_t> bytes(size);
    png_image_write_to_memory(&description, bytes.data(), &size, 0, image.Pixels().data(), 0,
                              nullptr);
    bytes.resize(size);
    return bytes;
}

TEST(PngRowWriter, WritesTheSimplifiedWritersBytesRowByRow) {
    std::mt19937 random(5);
    // Noise, mostly transparent tiles and flat bands, up to sizes whose data spans many chunks.
    for (const auto& [width, height] : {std::pair{1, 1}, {72, 36}, {47, 33}, {300, 200}, {1000, 7}}) {
        for (int kind = 0; kind < 3; ++kind) {
            RgbaImage image(width, height);
            for (std::int32_t y = 0; y < height; ++y) {
                for (std::int32_t x = 0; x < width; ++x) {
                    const auto v = static_cast<std::uint8_t>(random());
                    image.At(x, y) = kind == 0   ? Rgba{v, static_cast<std::uint8_t>(random()), 7, v}
                                     : kind == 1 ? ((x + y) % 5 == 0 ? Rgba{v, 2, 3, 255} : kTransparent)
                                                 : Rgba{static_cast<std::uint8_t>(y * 9), 40, 80, 255};
                }
            }
            EXPECT_EQ(EncodePng(image), SimplifiedApiBytes(image)) << width << "x" << height << " " << kind;
        }
    }
}

TEST(PngTileName, PutsPngInPlaceOfTheBmpTheCoreEndsEveryTileNameWith) {
    const std::pair<const char*, const char*> cases[] = {
        {"grasstile.bmp", "grasstile.png"},
        {"out/grass.bmp.bmp", "out/grass.bmp.png"},
        {"save_2_3.bmp", "save_2_3.png"},
    };
    for (const auto& [bmp, png] : cases) EXPECT_EQ(PngTileName(bmp), png);
}

}  // namespace
}  // namespace mosaren
