#include "pixel_grid.h"

#include <cstdio>
#include <string>

#include "raster/bitmap.h"

namespace mosaren::testing {

namespace {

std::string Hex(TColor colour) {
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", RedOf(colour), GreenOf(colour),
                  BlueOf(colour));
    return text;
}

std::string GridRow(const std::vector<TColor>& pixels, std::size_t width, std::size_t row) {
    std::string text;
    for (std::size_t x = 0; x < width; ++x) {
        const std::size_t i = row * width + x;
        text += (i < pixels.size() ? Hex(pixels[i]) : std::string(6, ' ')) + ' ';
    }
    return text;
}

}  // namespace

std::vector<TColor> PixelsOf(const TBitmap& bitmap) {
    std::vector<TColor> pixels(static_cast<std::size_t>(bitmap.ImageWidth()) *
                               static_cast<std::size_t>(bitmap.ImageHeight()));
    bitmap.ReadColours(TRect{0, 0, bitmap.ImageWidth(), bitmap.ImageHeight()}, pixels);
    return pixels;
}

::testing::AssertionResult PixelGridIs(const std::vector<TColor>& actual, int width,
                                       const std::vector<TColor>& expected) {
    if (actual == expected) return ::testing::AssertionSuccess();
    const std::size_t columns = width > 0 ? static_cast<std::size_t>(width) : 1;
    const std::size_t rows = (std::max(actual.size(), expected.size()) + columns - 1) / columns;
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << "the pixels differ (expected | actual):\n";
    for (std::size_t row = 0; row < rows; ++row) {
        failure << "  " << GridRow(expected, columns, row) << "| " << GridRow(actual, columns, row)
                << "\n";
    }
    return failure;
}

::testing::AssertionResult PixelsAre(const TBitmap& bitmap, const std::vector<TColor>& expected) {
    const std::size_t area = static_cast<std::size_t>(bitmap.ImageWidth()) *
                             static_cast<std::size_t>(bitmap.ImageHeight());
    if (area != expected.size()) {
        return ::testing::AssertionFailure()
               << "the bitmap is " << bitmap.ImageWidth() << " x " << bitmap.ImageHeight() << ", "
               << area << " pixels, not " << expected.size();
    }
    return PixelGridIs(PixelsOf(bitmap), bitmap.ImageWidth(), expected);
}

}  // namespace mosaren::testing
