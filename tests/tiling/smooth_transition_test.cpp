#include "tiling/smooth_transition.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "support/smooth_reference.h"
#include "tiling/terrain_field.h"

namespace mosaren {
namespace {

using testing::ReferenceTexture;

using TexelAt = std::function<std::array<std::uint8_t, 4>(int x, int y, std::mt19937& random)>;

std::array<std::uint8_t, 4> Opaque(int r, int g, int b) {
    return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
            static_cast<std::uint8_t>(b), 255};
}

ReferenceTexture MakeTexture(int side, const TexelAt& texel, unsigned seed) {
    ReferenceTexture texture{side, side, {}};
    std::mt19937 random(seed);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const auto t = texel(x, y, random);
            texture.rgba.insert(texture.rgba.end(), t.begin(), t.end());
        }
    }
    return texture;
}

TerrainPicture PictureOf(const ReferenceTexture& texture, bool hasAlpha) {
    return TerrainPicture{texture.width, texture.height, hasAlpha, texture.rgba};
}

testing::PngPicture AsPicture(const TilePixels& tile) {
    testing::PngPicture picture{tile.width, tile.height, {}};
    for (const TilePixel& p : tile.pixels) picture.pixels.push_back({p.Colour(), p.Opacity()});
    return picture;
}

struct TransitionCase {
    const char* name;
    int sideA;
    TexelAt texelA;
    int sideB;  // divides sideA
    TexelAt texelB;
    bool withAlpha;
    TerrainEdge edge;
    double feather;
    int tileWidth;
    int tileHeight;
};

std::array<std::uint8_t, 4> Gradient(int x, int y, std::mt19937&) {
    return Opaque(30 + x * 3, 150 + y, 40 + (x + y));
}
std::array<std::uint8_t, 4> Noise(int, int, std::mt19937& r) {
    return Opaque(int(r() % 256), int(r() % 256), int(r() % 256));
}
std::array<std::uint8_t, 4> Holes(int x, int y, std::mt19937& r) {
    const bool hole = (x / 4 + y / 6) % 3 == 0;
    return {static_cast<std::uint8_t>(r() % 256), static_cast<std::uint8_t>(200 - x * 3),
            static_cast<std::uint8_t>(y * 5), static_cast<std::uint8_t>(hole ? 0 : 120 + r() % 136)};
}

const TransitionCase kCases[] = {
    {"StraightFeathered", 48, Gradient, 48, Noise, false, TerrainEdge::Straight, 3.0, 64, 32},
    {"NoiseHard", 48, Noise, 24, Gradient, false, TerrainEdge::Noise, 0.0, 72, 36},
    {"NoiseWideFeather", 64, Gradient, 32, Noise, false, TerrainEdge::Noise, 8.0, 32, 16},
    {"AlphaHolesAndSmallerB", 40, Holes, 20, Gradient, true, TerrainEdge::Straight, 2.0, 48, 24},
};

class SmoothTransitionTiles : public ::testing::TestWithParam<TransitionCase> {};

// Every one of the 16 tiles is the smooth tile of the blend, within 40 dB of the reference.
TEST_P(SmoothTransitionTiles, MatchTheReferenceBlend) {
    const TransitionCase& c = GetParam();
    const ReferenceTexture a = MakeTexture(c.sideA, c.texelA, 3);
    const ReferenceTexture b = MakeTexture(c.sideB, c.texelB, 4);
    const TerrainBorder border{c.edge, 7, 0};
    const SmoothTransitions transitions(PictureOf(a, c.withAlpha), PictureOf(b, c.withAlpha),
                                        border, c.feather, c.tileWidth, c.tileHeight);
    for (int index = 0; index < kTransitionTileCount; ++index) {
        SCOPED_TRACE(index);
        const TerrainCorners corners = TransitionCorners(index);
        const ReferenceTexture blend =
            testing::ReferenceTransitionTextures(a, b, TerrainLevels(corners, border), c.feather,
                                                 c.tileWidth, c.tileHeight)
                .lid;
        const auto reference = testing::ReferenceSmoothTile(
            blend, 0, 0, blend.width, blend.height, c.tileWidth, c.tileHeight, c.withAlpha);
        EXPECT_GE(testing::SmoothPsnr(AsPicture(transitions.Tile(corners)), reference), 40.0);
    }
}

INSTANTIATE_TEST_SUITE_P(Terrains, SmoothTransitionTiles, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// B's share: half on the border, all or nothing half a feather away, and the side of the border
// alone without a feather or where the level is flat.
TEST(TerrainBShare, GrowsAcrossTheFeather) {
    struct Case {
        double level, slope, pixel, feather, share;
    };
    for (const Case& c : {Case{0.0, 0.01, 0.5, 4.0, 0.5}, Case{0.04, 0.01, 0.5, 4.0, 1.0},
                          Case{-0.04, 0.01, 0.5, 4.0, 0.0}, Case{0.01, 0.01, 0.5, 4.0, 0.625},
                          Case{-0.01, 0.01, 1.0, 4.0, 0.25}, Case{0.0, 0.01, 0.5, 0.0, 1.0},
                          Case{-1e-6, 0.01, 0.5, 0.0, 0.0}, Case{-0.3, 0.0, 0.5, 4.0, 0.0}}) {
        EXPECT_NEAR(TerrainBShare(c.level, c.slope, c.pixel, c.feather), c.share, 1e-12)
            << c.level << " " << c.slope << " " << c.feather;
    }
}

}  // namespace
}  // namespace mosaren
