#include "tiling/tile_coverage.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/display_depth.h"
#include "support/pixel_grid.h"
#include "tiling/support/working_texture.h"
#include "tiling/tile_maker.h"

namespace mosaren::testing {
namespace {

struct CoverageCase {
    const char* name;
    std::uint8_t width;
    std::uint8_t height;
    TColor mask;
    int depth;
};

class TileCoverageTest : public ::testing::TestWithParam<CoverageCase> {
protected:
    void SetUp() override {
        mSettings.TileWidth = GetParam().width;
        mSettings.TileHeight = GetParam().height;
        mSettings.MaskR = RedOf(GetParam().mask);
        mSettings.MaskG = GreenOf(GetParam().mask);
        mSettings.MaskB = BlueOf(GetParam().mask);
    }

    // The colours of the tile of a working texture whose pixel (x, y) is colourAt(x, y).
    std::vector<TColor> TileOf(const std::function<TColor(int, int)>& colourAt) {
        FillWorkingTexture(mMaker.Texture(), colourAt);
        mMaker.MakeTile();
        return PixelsOf(mMaker.Tile());
    }

    ScopedDisplayDepth mDepth{GetParam().depth};
    TTileSettings mSettings;
    TileMaker mMaker{mSettings};
};

TEST_P(TileCoverageTest, IsWhereATextureWithoutTheMaskColourShows) {
    // Every channel at least 64 away from the mask's, so that no depth rounds it onto the mask.
    const auto away = [](std::uint8_t maskChannel, int v) {
        return static_cast<std::uint8_t>(maskChannel < 128 ? 128 + v % 128 : v % 128);
    };
    const std::vector<TColor> tile = TileOf([&](int x, int y) {
        return Rgb(away(mSettings.MaskR, x), away(mSettings.MaskG, y),
                   away(mSettings.MaskB, x + y));
    });
    const Coverage coverage = TileCoverage(mSettings);
    ASSERT_EQ(coverage.size(), tile.size());
    std::size_t covered = 0;
    for (std::size_t i = 0; i < tile.size(); ++i) {
        ASSERT_EQ(coverage[i], tile[i] != GetParam().mask) << "pixel " << i;
        covered += coverage[i];
    }
    EXPECT_GT(covered, 0u);
}

INSTANTIATE_TEST_SUITE_P(Settings, TileCoverageTest,
                         ::testing::Values(CoverageCase{"Default", 72, 36, Rgb(255, 0, 255), 32},
                                           CoverageCase{"OtherMask", 72, 36, Rgb(1, 2, 3), 32},
                                           CoverageCase{"Depth16", 64, 32, Rgb(255, 0, 255), 16},
                                           CoverageCase{"Depth24", 64, 32, Rgb(255, 0, 255), 24},
                                           CoverageCase{"Standing", 36, 72, Rgb(0, 0, 0), 32},
                                           CoverageCase{"Largest", 255, 255, Rgb(255, 255, 255),
                                                        32},
                                           CoverageCase{"OnePixel", 1, 1, Rgb(255, 0, 255), 32}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mosaren::testing
