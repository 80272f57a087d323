// A BMP sheet written row by row must be the file the raster layer's writer makes of a
// device-form bitmap holding the same colours, which is how sheets were written before.

#include "export/bmp_output.h"

#include <gtest/gtest.h>

#include "raster/bitmap.h"
#include "raster/bmp_writer.h"
#include "raster/byte_stream.h"
#include "support/display_depth.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;

class BmpRows : public ::testing::TestWithParam<int> {};

TEST_P(BmpRows, AreTheWritersFileOfADeviceBitmapWithTheMaskWhereTransparent) {
    const ScopedDisplayDepth depth(GetParam());
    TTileSettings settings;
    settings.MaskR = 3;
    settings.MaskG = 200;
    settings.MaskB = 7;
    // 13 × 9: rows that need padding at every depth.
    RgbaImage picture(13, 9);
    for (std::int32_t y = 0; y < 9; ++y) {
        for (std::int32_t x = 0; x < 13; ++x) {
            if ((x * y) % 4 != 1) {
                picture.At(x, y) = Rgba{static_cast<std::uint8_t>(x * 19),
                                        static_cast<std::uint8_t>(y * 27), 99, 255};
            }
        }
    }

    TBitmap bitmap;
    bitmap.SetImageWidth(13);
    bitmap.SetImageHeight(9);
    std::vector<TColor> colours;
    for (std::int32_t y = 0; y < 9; ++y) {
        for (std::int32_t x = 0; x < 13; ++x) {
            const Rgba& p = picture.At(x, y);
            colours.push_back(p.a == 0 ? Rgb(3, 200, 7) : Rgb(p.r, p.g, p.b));
        }
    }
    bitmap.WriteColours(TRect{0, 0, 13, 9}, colours);
    MemoryOutputStream expected;
    WriteBmp(bitmap, expected);

    MemoryOutputStream streamed;
    WriteBmpRows(streamed, 13, 9, settings, DisplayDepth(), [&](std::int32_t y, std::span<Rgba> row) {
        for (std::int32_t x = 0; x < 13; ++x) row[static_cast<std::size_t>(x)] = picture.At(x, y);
    });
    EXPECT_EQ(streamed.Bytes(), expected.Bytes());
}

INSTANTIATE_TEST_SUITE_P(DisplayDepths, BmpRows, ::testing::Values(32, 24, 16),
                         [](const auto& info) { return "Depth" + std::to_string(info.param); });

}  // namespace
}  // namespace mosaren
