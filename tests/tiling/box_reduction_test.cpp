#include "tiling/box_reduction.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "support/smooth_reference.h"

namespace mosaren {
namespace {

TEST(ReductionFactor, LeavesThreeAndAHalfTexelsEachWayAndDividesBothSides) {
    struct Case {
        std::int32_t width, height;
        double pixelArea;
        std::int32_t factor;
    };
    for (const Case& c : {Case{2048, 2048, 3136.0, 16}, Case{2048, 2048, 3135.0, 8},
                          Case{512, 512, 202.3, 4}, Case{512, 256, 100.0, 2},
                          Case{96, 96, 48.0, 1}, Case{300, 300, 400.0, 5},
                          Case{301, 301, 800.0, 7}, Case{307, 307, 800.0, 1},
                          Case{8, 8, 1e6, 8}}) {
        EXPECT_EQ(ReductionFactor(c.width, c.height, c.pixelArea), c.factor)
            << c.width << "x" << c.height << " " << c.pixelArea;
    }
}

using TexelAt = std::function<std::array<std::uint8_t, 4>(int x, int y, std::mt19937& random)>;

struct ReducedCase {
    const char* name;
    int side;
    TexelAt texel;
    bool withAlpha;
    int tileWidth;
    int tileHeight;
};

std::array<std::uint8_t, 4> Opaque(int r, int g, int b) {
    return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
            static_cast<std::uint8_t>(b), 255};
}

const ReducedCase kCases[] = {
    // White noise, the hardest texture, at the fewest reduced texels a tile pixel may span.
    {"Noise", 512, [](int, int, std::mt19937& r) {
         return Opaque(int(r() % 256), int(r() % 256), int(r() % 256));
     }, false, 72, 36},
    {"CheckerboardAtNyquist", 256, [](int x, int y, std::mt19937&) {
         return (x + y) % 2 ? Opaque(255, 255, 255) : Opaque(0, 0, 0);
     }, false, 33, 17},
    {"Gradient", 480, [](int x, int y, std::mt19937&) {
         return Opaque(x / 2, y / 2, (x + y) / 4);
     }, false, 72, 36},
    {"AlphaHoles", 384, [](int x, int y, std::mt19937& r) {
         const bool hole = (x / 24 + y / 20) % 3 == 0;
         return std::array<std::uint8_t, 4>{static_cast<std::uint8_t>(r() % 256),
                                            static_cast<std::uint8_t>(x / 2),
                                            static_cast<std::uint8_t>(y / 2),
                                            static_cast<std::uint8_t>(hole ? 0 : 128 + r() % 128)};
     }, true, 48, 24},
};

class ReducedTiles : public ::testing::TestWithParam<ReducedCase> {};

// The tile of the reduced texture against the reference tile of the whole one: within 40 dB.
TEST_P(ReducedTiles, StayCloseToTheIdealTile) {
    const ReducedCase& c = GetParam();
    testing::ReferenceTexture texture{c.side, c.side, {}};
    std::mt19937 random(5);
    for (int y = 0; y < c.side; ++y) {
        for (int x = 0; x < c.side; ++x) {
            const auto t = c.texel(x, y, random);
            texture.rgba.insert(texture.rgba.end(), t.begin(), t.end());
        }
    }
    const double area = PixelAreaOf(DiamondPlacement(c.tileWidth, c.tileHeight), c.side, c.side);
    const std::int32_t factor = ReductionFactor(c.side, c.side, area);
    ASSERT_GE(factor, 2);
    BoxReduction reduction(c.side, c.side, factor, c.withAlpha);
    for (int y = c.side - 1; y >= 0; --y) reduction.AddRow(y, texture.Texel(0, y));
    const SmoothSampling sampling(c.tileWidth, c.tileHeight,
                                  TRect{0, 0, c.side / factor, c.side / factor});
    SmoothTile tile(sampling, c.withAlpha);
    reduction.Feed(tile);
    testing::PngPicture picture{c.tileWidth, c.tileHeight, {}};
    for (const TilePixel& p : tile.Tile().pixels) picture.pixels.push_back({p.Colour(), p.Opacity()});
    const auto reference = testing::ReferenceSmoothTile(texture, 0, 0, c.side, c.side, c.tileWidth,
                                                        c.tileHeight, c.withAlpha);
    EXPECT_GE(testing::SmoothPsnr(picture, reference), 40.0) << "factor " << factor;
}

INSTANTIATE_TEST_SUITE_P(Textures, ReducedTiles, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A file's own bytes, 3 or 4 apart in any channel order, reduce to the very sums their colours do.
TEST(BoxReduction, TakesAFilesBytesAsTheirColours) {
    constexpr int kSide = 96;
    const SmoothSampling sampling(32, 16, TRect{0, 0, kSide / 4, kSide / 4});
    std::mt19937 random(3);
    for (const ByteTexels texels : {ByteTexels{3, 2, 1, 0}, ByteTexels{4, 2, 1, 0},
                                    ByteTexels{4, 1, 3, 0}}) {
        BoxReduction fromColours(kSide, kSide, 4, false);
        BoxReduction fromBytes(kSide, kSide, 4, false);
        for (int y = 0; y < kSide; ++y) {
            std::vector<TColor> colours(kSide);
            std::vector<std::uint8_t> bytes(kSide * texels.step);
            for (std::size_t x = 0; x < colours.size(); ++x) {
                std::uint8_t* t = &bytes[x * texels.step];
                for (std::size_t i = 0; i < texels.step; ++i) {
                    t[i] = static_cast<std::uint8_t>(random());
                }
                colours[x] = Rgb(t[texels.red], t[texels.green], t[texels.blue]);
            }
            fromColours.AddRow(y, colours.data(), nullptr);
            fromBytes.AddRow(y, bytes.data(), texels);
        }
        SmoothTile expected(sampling, false);
        SmoothTile tile(sampling, false);
        fromColours.Feed(expected);
        fromBytes.Feed(tile);
        EXPECT_EQ(tile.Pixels(), expected.Pixels()) << "step " << texels.step;
    }
}

}  // namespace
}  // namespace mosaren
