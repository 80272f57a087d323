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

#include "support/smooth_reference.h"
#include "tiling/linear_light.h"

namespace mosaren {
namespace {

using testing::ReferenceTexture;
using Texture = ReferenceTexture;

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

// The support's reference tile in the sampler's own terms.
std::vector<SmoothPixel> ReferenceTile(const Texture& texture, const TRect& piece, std::int32_t w,
                                       std::int32_t h, bool withAlpha) {
    std::vector<SmoothPixel> tile;
    for (const testing::ReferencePixel& p : testing::ReferenceSmoothTile(
             texture, piece.left, piece.top, piece.right, piece.bottom, w, h, withAlpha)) {
        tile.push_back({p.red, p.green, p.blue,
                        static_cast<std::uint8_t>(std::lround(255.0 * p.coverage * p.alpha)),
                        p.coverage});
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
