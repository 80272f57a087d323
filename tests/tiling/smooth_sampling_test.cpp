#include "tiling/smooth_sampling.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "tiling/linear_light.h"

namespace mosaren {
namespace {

struct Texture {
    std::int32_t width;
    std::int32_t height;
    std::vector<std::uint8_t> rgba;
    const std::uint8_t* Texel(std::int32_t x, std::int32_t y) const {
        return &rgba[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)) *
                     4];
    }
};

using TexelMaker = std::function<std::array<std::uint8_t, 4>(std::int32_t x, std::int32_t y,
                                                             std::mt19937& random)>;

Texture MakeTexture(std::int32_t width, std::int32_t height, const TexelMaker& make) {
    Texture t{width, height, {}};
    std::mt19937 random(7);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const auto texel = make(x, y, random);
            t.rgba.insert(t.rgba.end(), texel.begin(), texel.end());
        }
    }
    return t;
}

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

// The part of a convex polygon with coordinate `axis` on the side `keep` of the value.
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

// The ideal tile worked out the other way round: each texel's square is carried forward onto
// the tile (a small rhombus) and cut by every pixel square it meets; a pixel adds up the cut
// areas, in linear light weighted by alpha.
std::vector<SmoothPixel> ReferenceTile(const Texture& texture, const TRect& piece, std::int32_t w,
                                       std::int32_t h, bool withAlpha) {
    const double pw = piece.right - piece.left;
    const double ph = piece.bottom - piece.top;
    const auto tileOf = [&](double u, double v) {
        const double a = u / pw;
        const double b = v / ph;
        return Point{w / 2.0 + (a - b) * w / 2.0, (a + b) * h / 2.0};
    };
    const std::size_t n = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
    std::vector<std::array<double, 7>> sums(n, std::array<double, 7>{});
    std::vector<double> covered(n, 0.0);
    for (std::int32_t j = 0; j < piece.bottom - piece.top; ++j) {
        for (std::int32_t i = 0; i < piece.right - piece.left; ++i) {
            const std::vector<Point> rhombus{tileOf(i, j), tileOf(i + 1, j), tileOf(i + 1, j + 1),
                                             tileOf(i, j + 1)};
            double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
            for (const Point& q : rhombus) {
                left = std::min(left, q.x), right = std::max(right, q.x);
                top = std::min(top, q.y), bottom = std::max(bottom, q.y);
            }
            const std::uint8_t* texel = texture.Texel(piece.left + i, piece.top + j);
            const double alpha = withAlpha ? texel[3] / 255.0 : 1.0;
            const std::array<double, 3> light{LinearOfSrgb(texel[0]), LinearOfSrgb(texel[1]),
                                              LinearOfSrgb(texel[2])};
            for (auto py = std::max(0, int(std::floor(top)));
                 py < std::min(h, int(std::ceil(bottom))); ++py) {
                for (auto px = std::max(0, int(std::floor(left)));
                     px < std::min(w, int(std::ceil(right))); ++px) {
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
    std::vector<SmoothPixel> tile(n);
    for (std::size_t p = 0; p < n; ++p) {
        if (covered[p] <= 1e-12) continue;
        const double alpha = sums[p][3] / covered[p];
        const bool seen = sums[p][3] > 1e-12 * covered[p];
        const double weight = seen ? sums[p][3] : covered[p];
        const double* light = seen ? &sums[p][0] : &sums[p][4];
        tile[p] = {
            SrgbOfLinear(light[0] / weight), SrgbOfLinear(light[1] / weight),
            SrgbOfLinear(light[2] / weight),
            static_cast<std::uint8_t>(std::lround(255.0 * std::min(1.0, covered[p]) * alpha)),
            std::min(1.0, covered[p])};
    }
    return tile;
}

std::vector<SmoothPixel> SmoothTileOf(const Texture& texture, const TRect& piece, std::int32_t w,
                                      std::int32_t h, bool withAlpha) {
    const SmoothSampling sampling(w, h, piece);
    SmoothTile tile(sampling, withAlpha);
    // The rows go in out of order, as a decoder of interlaced pictures might hand them over.
    std::vector<std::int32_t> rows(static_cast<std::size_t>(piece.bottom - piece.top));
    std::iota(rows.begin(), rows.end(), piece.top);
    std::shuffle(rows.begin(), rows.end(), std::mt19937(3));
    for (const std::int32_t y : rows) tile.AddRow(y, texture.Texel(piece.left, y));
    return tile.Pixels();
}

struct SmoothCase {
    std::string name;
    std::int32_t textureWidth;
    std::int32_t textureHeight;
    TexelMaker texel;
    bool withAlpha;
};

std::array<std::uint8_t, 4> Opaque(int r, int g, int b) {
    return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
            static_cast<std::uint8_t>(b), 255};
}

const std::vector<SmoothCase>& Cases() {
    static const std::vector<SmoothCase> cases{
        {"Gradient", 64, 64, [](int x, int y, std::mt19937&) { return Opaque(x * 4, y * 4, 128); },
         false},
        {"CheckerboardAtNyquist", 32, 32,
         [](int x, int y, std::mt19937&) {
             return (x + y) % 2 ? Opaque(255, 255, 255) : Opaque(0, 0, 0);
         },
         false},
        {"Noise", 48, 48,
         [](int, int, std::mt19937& r) {
             return Opaque(int(r() % 256), int(r() % 256), int(r() % 256));
         },
         false},
        {"OddRectangle", 37, 23,
         [](int x, int y, std::mt19937&) { return Opaque(x * 6, 255 - y * 9, x * y % 256); },
         false},
        {"AlphaHoles", 40, 40,
         [](int x, int y, std::mt19937& r) {
             const bool hole = (x / 5 + y / 5) % 3 == 0;
             return std::array<std::uint8_t, 4>{
                 static_cast<std::uint8_t>(r() % 256), static_cast<std::uint8_t>(x * 6),
                 static_cast<std::uint8_t>(y * 6),
                 static_cast<std::uint8_t>(hole ? 0 : 128 + r() % 128)};
         },
         true},
        {"LargeNoise", 256, 256,
         [](int, int, std::mt19937& r) {
             return Opaque(int(r() % 256), int(r() % 256), int(r() % 256));
         },
         false},
    };
    return cases;
}

class SmoothAgainstReference : public ::testing::TestWithParam<SmoothCase> {};

// Both ways of working out the ideal tile agree on every pixel at every tile size, for whole
// textures and for pieces of them: coverage to a millionth, colour and alpha to one level.
TEST_P(SmoothAgainstReference, GivesTheIdealTile) {
    const SmoothCase& c = GetParam();
    const Texture texture = MakeTexture(c.textureWidth, c.textureHeight, c.texel);
    const std::vector<std::pair<std::int32_t, std::int32_t>> sizes{
        {16, 8}, {33, 17}, {72, 36}, {255, 128}};
    const std::vector<TRect> pieces{
        {0, 0, c.textureWidth, c.textureHeight},
        {c.textureWidth / 3, c.textureHeight / 4, c.textureWidth, c.textureHeight / 2 + 1}};
    for (const auto& [w, h] : sizes) {
        if (c.textureWidth > 64 && w > 72) continue;  // the reference's cost grows with both
        for (const TRect& piece : pieces) {
            const auto actual = SmoothTileOf(texture, piece, w, h, c.withAlpha);
            const auto expected = ReferenceTile(texture, piece, w, h, c.withAlpha);
            int worst = 0;
            for (std::size_t p = 0; p < actual.size(); ++p) {
                const SmoothPixel& a = actual[p];
                const SmoothPixel& e = expected[p];
                ASSERT_NEAR(a.coverage, e.coverage, 1e-6) << w << "x" << h << " pixel " << p;
                if (e.coverage < 1e-6) continue;
                // A channel of a pixel whose average alpha rounds to 0 has no weight to speak of.
                if (c.withAlpha && e.alpha == 0) continue;
                for (const auto& [x, y] : {std::pair{a.red, e.red},
                                           {a.green, e.green},
                                           {a.blue, e.blue},
                                           {a.alpha, e.alpha}}) {
                    worst = std::max(worst, std::abs(int(x) - int(y)));
                }
            }
            EXPECT_LE(worst, 1) << w << "x" << h << " piece " << piece.left << "," << piece.top;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Textures, SmoothAgainstReference, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.name; });

// Half black, half white averages to half the light, not half the stored value; and the
// diamond's area is the tile's half, however the pixels share it.
TEST(SmoothTile, AveragesLightAndCoversHalfTheTile) {
    const Texture checker = MakeTexture(64, 64, [](int x, int y, std::mt19937&) {
        return (x + y) % 2 ? Opaque(255, 255, 255) : Opaque(0, 0, 0);
    });
    const auto tile = SmoothTileOf(checker, {0, 0, 64, 64}, 32, 16, false);
    double covered = 0.0;
    for (const SmoothPixel& p : tile) covered += p.coverage;
    EXPECT_NEAR(covered, 32.0 * 16.0 / 2.0, 1e-6);
    const SmoothPixel& centre = tile[8 * 32 + 16];
    EXPECT_EQ(centre.coverage, 1.0);
    EXPECT_NEAR(centre.red, SrgbOfLinear(0.5), 1);  // 188, where averaging stored values gives 128
}

}  // namespace
}  // namespace mosaren
