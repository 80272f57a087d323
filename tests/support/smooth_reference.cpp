#include "smooth_reference.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace mosaren::testing {

namespace {

struct Point {
    double x;
    double y;
};

double PolygonArea(const std::vector<Point>& p) {
    double twice = 0.0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        twice += p[i].x * p[(i + 1) % p.size()].y - p[(i + 1) % p.size()].x * p[i].y;
    }
    return std::abs(twice) / 2.0;
}

// The part of a convex polygon on one side of x = value (alongX) or y = value.
std::vector<Point> Clip(const std::vector<Point>& p, bool alongX, double value, bool keepBelow) {
    const auto coordinate = [alongX](const Point& q) { return alongX ? q.x : q.y; };
    const auto inside = [&](const Point& q) {
        return keepBelow ? coordinate(q) <= value : coordinate(q) >= value;
    };
    std::vector<Point> out;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const Point& a = p[i];
        const Point& b = p[(i + 1) % p.size()];
        if (inside(a)) out.push_back(a);
        if (inside(a) != inside(b)) {
            const double t = (value - coordinate(a)) / (coordinate(b) - coordinate(a));
            out.push_back({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)});
        }
    }
    return out;
}

}  // namespace

double ReferenceLinear(std::uint8_t srgb) {
    const double s = srgb / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}

std::uint8_t ReferenceSrgb(double linear) {
    const double l = std::clamp(linear, 0.0, 1.0);
    const double s = l <= 0.0031308 ? l * 12.92 : 1.055 * std::pow(l, 1.0 / 2.4) - 0.055;
    return static_cast<std::uint8_t>(std::lround(s * 255.0));
}

std::vector<ReferencePixel> ReferenceSmoothTile(const ReferenceTexture& texture, std::int32_t left,
                                                std::int32_t top, std::int32_t right,
                                                std::int32_t bottom, std::int32_t w,
                                                std::int32_t h, bool withAlpha) {
    const double pw = right - left;
    const double ph = bottom - top;
    const auto tileOf = [&](double u, double v) {
        const double a = u / pw;
        const double b = v / ph;
        return Point{w / 2.0 + (a - b) * w / 2.0, (a + b) * h / 2.0};
    };
    const std::size_t n = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
    // Per pixel: light times alpha (3), alpha, plain light (3).
    std::vector<std::array<double, 7>> sums(n, std::array<double, 7>{});
    std::vector<double> covered(n, 0.0);
    for (std::int32_t j = 0; j < bottom - top; ++j) {
        for (std::int32_t i = 0; i < right - left; ++i) {
            const std::vector<Point> rhombus{tileOf(i, j), tileOf(i + 1, j), tileOf(i + 1, j + 1),
                                             tileOf(i, j + 1)};
            double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
            for (const Point& q : rhombus) {
                minX = std::min(minX, q.x), maxX = std::max(maxX, q.x);
                minY = std::min(minY, q.y), maxY = std::max(maxY, q.y);
            }
            const std::uint8_t* texel = texture.Texel(left + i, top + j);
            const double alpha = withAlpha ? texel[3] / 255.0 : 1.0;
            const std::array<double, 3> light{ReferenceLinear(texel[0]), ReferenceLinear(texel[1]),
                                              ReferenceLinear(texel[2])};
            for (int py = std::max(0, int(std::floor(minY))); py < std::min(h, int(std::ceil(maxY)));
                 ++py) {
                for (int px = std::max(0, int(std::floor(minX)));
                     px < std::min(w, int(std::ceil(maxX))); ++px) {
                    auto part = Clip(rhombus, true, px, false);
                    part = Clip(part, true, px + 1, true);
                    part = Clip(part, false, py, false);
                    part = Clip(part, false, py + 1, true);
                    if (part.size() < 3) continue;
                    const double area = PolygonArea(part);
                    const std::size_t p = static_cast<std::size_t>(py * w + px);
                    covered[p] += area;
                    for (int k = 0; k < 3; ++k) {
                        sums[p][k] += area * light[k] * alpha;
                        sums[p][4 + k] += area * light[k];
                    }
                    sums[p][3] += area * alpha;
                }
            }
        }
    }
    std::vector<ReferencePixel> tile(n);
    for (std::size_t p = 0; p < n; ++p) {
        if (covered[p] <= 1e-12) continue;
        const bool seen = sums[p][3] > 1e-12 * covered[p];
        const double weight = seen ? sums[p][3] : covered[p];
        const double* light = seen ? &sums[p][0] : &sums[p][4];
        tile[p] = {ReferenceSrgb(light[0] / weight), ReferenceSrgb(light[1] / weight),
                   ReferenceSrgb(light[2] / weight), sums[p][3] / covered[p],
                   std::min(1.0, covered[p])};
    }
    return tile;
}

}  // namespace mosaren::testing
