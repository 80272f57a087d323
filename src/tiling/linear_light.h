#pragma once

// sRGB values and the light they stand for. Averaging stored values darkens every mix of light
// and dark (half black, half white comes out 128, which shows as 22 % of white's light rather
// than half), so whatever averages colours decodes them to linear light, averages there and
// encodes the result again.

#include <array>
#include <cmath>
#include <cstdint>

namespace mosaren {

// The light of each 8-bit sRGB value, 0 to 1: a loop over many texels takes the table once.
inline const std::array<double, 256>& LinearTable() {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t{};
        for (int i = 0; i < 256; ++i) {
            const double s = i / 255.0;
            t[static_cast<std::size_t>(i)] =
                s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        }
        return t;
    }();
    return table;
}

// The light of an 8-bit sRGB value, 0 to 1.
inline double LinearOfSrgb(std::uint8_t value) { return LinearTable()[value]; }

// The nearest 8-bit sRGB value of a light, which is clamped to 0 to 1 first, by the formula.
inline std::uint8_t SrgbOfLinearByFormula(double light) {
    if (!(light > 0.0)) return 0;
    if (light >= 1.0) return 255;
    const double s =
        light <= 0.0031308 ? light * 12.92 : 1.055 * std::pow(light, 1.0 / 2.4) - 0.055;
    return static_cast<std::uint8_t>(std::lround(s * 255.0));
}

// The same without a power for every pixel: the formula rises with the light, so each value
// from 1 up begins at a least light, found once from the formula itself (its inverse, then a
// step at a time to the exact double), and a light's value is how many of them it reaches.
// Where to start counting comes from a table of the value at each 4096th of the light: the
// formula climbs at most 12.92 × 255 values a unit of light, under one a 4096th, so at most a
// step or two is left.
inline std::uint8_t SrgbOfLinear(double light) {
    constexpr std::size_t kSteps = 4096;
    struct Tables {
        std::array<double, 256> least;
        std::array<std::uint8_t, kSteps> atStep;
    };
    static const Tables tables = [] {
        Tables t{};
        for (int v = 1; v < 256; ++v) {
            const double s = (v - 0.5) / 255.0;
            double l = s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
            while (l > 0.0 && SrgbOfLinearByFormula(l) >= v) l = std::nextafter(l, 0.0);
            while (SrgbOfLinearByFormula(l) < v) l = std::nextafter(l, 2.0);
            t.least[static_cast<std::size_t>(v)] = l;
        }
        std::size_t v = 0;
        for (std::size_t step = 0; step < kSteps; ++step) {
            const double from = static_cast<double>(step) / kSteps;
            while (v < 255 && t.least[v + 1] <= from) ++v;
            t.atStep[step] = static_cast<std::uint8_t>(v);
        }
        return t;
    }();
    if (!(light > 0.0)) return 0;
    if (light >= 1.0) return 255;
    std::size_t v = tables.atStep[static_cast<std::size_t>(light * kSteps)];
    while (v < 255 && tables.least[v + 1] <= light) ++v;
    return static_cast<std::uint8_t>(v);
}

}  // namespace mosaren
