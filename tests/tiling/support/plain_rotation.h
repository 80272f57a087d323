#pragma once

// The turning formula written plainly, pixel by pixel in extended precision: the reference the
// tests and the benchmark hold RotateBitmap to.

#include <cfenv>
#include <cmath>
#include <cstdint>

namespace mosaren::testing {

struct SourcePixel {
    std::int64_t sx;
    std::int64_t sy;
};

inline SourcePixel PlainRotationSample(std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy,
                                       double angle) {
    const long double pi = 3.14159265358979323846264338327950288L;
    const double t = static_cast<double>(static_cast<long double>(-angle) * pi / 180.0f);
    const double s = std::sin(t);
    const double c = std::cos(t);
    const std::int32_t xx = 2 * (x - cx) + 1 - 105;
    const std::int32_t yy = 2 * (y - cy) + 1 - 105;
    const long double u = std::nearbyint(static_cast<long double>(xx) * c - static_cast<long double>(yy) * s);
    const long double v = std::nearbyint(static_cast<long double>(xx) * s + static_cast<long double>(yy) * c);
    const auto iu = static_cast<std::int64_t>(u);
    const auto iv = static_cast<std::int64_t>(v);
    return {(iu - 1) / 2 + cx, (iv - 1) / 2 + cy};
}

}  // namespace mosaren::testing
