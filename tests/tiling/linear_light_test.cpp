// The sRGB value of a light by its table of least lights against the formula itself: around
// every value's beginning, a double at a time, over random lights and at the ends.

#include "tiling/linear_light.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace mosaren {
namespace {

TEST(SrgbOfLinear, IsTheFormulaEverywhere) {
    std::size_t checked = 0;
    const auto expectSame = [&checked](double light) {
        ASSERT_EQ(int{SrgbOfLinear(light)}, int{SrgbOfLinearByFormula(light)}) << light;
        ++checked;
    };
    for (int v = 1; v < 256; ++v) {
        // Where the formula turns from v − 1 to v, and 200 doubles each side.
        const double s = (v - 0.5) / 255.0;
        double l = s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        for (int i = 0; i < 200; ++i) l = std::nextafter(l, 0.0);
        for (int i = 0; i < 400; ++i, l = std::nextafter(l, 2.0)) expectSame(l);
    }
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> share(0.0, 1.0);
    for (int i = 0; i < 200000; ++i) expectSame(share(random));
    for (const double light :
         {0.0, -0.0, -1.0, 1.0, 1.5, 1e-300, 0.0031308, 1.0 - 1e-16,
          std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
          -std::numeric_limits<double>::infinity()}) {
        expectSame(light);
    }
    EXPECT_EQ(checked, 255u * 400u + 200000u + 11u);
}

}  // namespace
}  // namespace mosaren
