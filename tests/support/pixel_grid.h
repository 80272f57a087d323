#pragma once

// Small pictures compared as grids: a failure prints the expected and the actual picture side by
// side, each pixel as rrggbb, so that a moved row or a swapped channel shows at a glance.
//
//     EXPECT_PIXELS(bitmap, {kRed,   kGreen,
//                            kBlue,  kWhite});

#include <gtest/gtest.h>

#include <vector>

#include "raster/colour.h"

namespace mosaren {
class TBitmap;
}

namespace mosaren::testing {

// Every pixel of the bitmap, from the top-left, row by row.
std::vector<TColor> PixelsOf(const TBitmap& bitmap);

// Whether the picture of width pixels a row, given row by row from the top-left, is expected.
::testing::AssertionResult PixelGridIs(const std::vector<TColor>& actual, int width,
                                       const std::vector<TColor>& expected);

// Whether the bitmap holds exactly the expected pixels, row by row from the top-left.
::testing::AssertionResult PixelsAre(const TBitmap& bitmap, const std::vector<TColor>& expected);

}  // namespace mosaren::testing

#define EXPECT_PIXELS(bitmap, ...) \
    EXPECT_TRUE(::mosaren::testing::PixelsAre(bitmap, std::vector<::mosaren::TColor> __VA_ARGS__))
