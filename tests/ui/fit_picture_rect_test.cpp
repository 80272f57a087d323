// Fitting a picture into a preview area: proportional, centred, in extended precision.

#include <gtest/gtest.h>

#include "ui/fit_picture_rect.h"

namespace mosaren::testing_ui {
namespace {

TEST(FitPictureRect, StretchesProportionallyAndCentresByHalfTheSpareRoomRoundedDown) {
    const struct {
        int width, height, areaWidth, areaHeight;
        TRect expected;
    } cases[] = {
        // Wider than high: the width fills the area.
        {256, 128, 150, 150, {0, 37, 150, 112}},
        // 150 × (100 / 300) lies just below 50 in extended precision.
        {100, 300, 150, 150, {50, 0, 99, 150}},
        // 150 / (5 / 3) lies just below 90 likewise.
        {5, 3, 150, 150, {0, 30, 150, 119}},
        // Square pictures fill a square area; small pictures are enlarged too.
        {40, 40, 150, 150, {0, 0, 150, 150}},
        {10, 5, 150, 150, {0, 37, 150, 112}},
        {2000, 1000, 153, 141, {0, 32, 153, 108}},
        // Too high once the width fills the area: the height fills it instead.
        {300, 200, 150, 50, {37, 0, 112, 50}},
        // Too wide once the height fills the area: the width fills it instead.
        {100, 200, 50, 150, {0, 25, 50, 125}},
        // Without extent the picture takes the whole area.
        {0, 128, 150, 100, {0, 0, 150, 100}},
        {256, 0, 150, 100, {0, 0, 150, 100}},
        {0, 0, 7, 9, {0, 0, 7, 9}},
    };
    for (const auto& c : cases) {
        const TRect fitted = FitPictureRect(c.width, c.height, c.areaWidth, c.areaHeight);
        EXPECT_EQ(fitted.left, c.expected.left) << c.width << "x" << c.height;
        EXPECT_EQ(fitted.top, c.expected.top) << c.width << "x" << c.height;
        EXPECT_EQ(fitted.right, c.expected.right) << c.width << "x" << c.height;
        EXPECT_EQ(fitted.bottom, c.expected.bottom) << c.width << "x" << c.height;
    }
}

}  // namespace
}  // namespace mosaren::testing_ui
