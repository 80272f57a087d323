#include "cli/tile_image.h"

#include <gtest/gtest.h>

#include <functional>

#include "raster/bitmap.h"
#include "raster/canvas.h"
#include "raster/graphics/graphics.h"
#include "tiling/tiler.h"

namespace mosaren::cli {
namespace {

struct CoverageCase {
    const char* name;
    std::uint8_t width;
    std::uint8_t height;
    gdi::ColorRef mask;
    int depth;
};

class TileImageTest : public ::testing::TestWithParam<CoverageCase> {
protected:
    void SetUp() override {
        gdi::SetDisplayDepth(GetParam().depth);
        mSettings.TileWidth = GetParam().width;
        mSettings.TileHeight = GetParam().height;
        mSettings.MaskR = gdi::RedOf(GetParam().mask);
        mSettings.MaskG = gdi::GreenOf(GetParam().mask);
        mSettings.MaskB = gdi::BlueOf(GetParam().mask);
    }
    void TearDown() override { gdi::SetDisplayDepth(32); }

    // Makes the tile of a working texture whose pixel (x, y) is colourAt(x, y).
    TBitmap& MakeTile(const std::function<gdi::ColorRef(int, int)>& colourAt) {
        TBitmap& texture = mTiler.Texture();
        texture.SetImageHeight(kWorkingTextureSide);
        texture.SetImageWidth(kWorkingTextureSide);
        texture.ConvertDepth(TPixelDepth::Depth24);
        for (int y = 0; y < kWorkingTextureSide; ++y) {
            std::uint8_t* row = texture.RowAddress(y);
            for (int x = 0; x < kWorkingTextureSide; ++x) {
                const gdi::ColorRef c = colourAt(x, y);
                row[3 * x] = gdi::BlueOf(c);
                row[3 * x + 1] = gdi::GreenOf(c);
                row[3 * x + 2] = gdi::RedOf(c);
            }
        }
        mTiler.MakeTile();
        return mTiler.Tile();
    }
    gdi::ColorRef Mask() const { return GetParam().mask; }

    TTileSettings mSettings;
    TBitmap mTexturePreview;
    TBitmap mTilePreview;
    Tiler mTiler{mSettings, mTexturePreview, mTilePreview};
};

TEST_P(TileImageTest, CoverageIsWhereATextureWithoutTheMaskColourShows) {
    // Every channel at least 64 away from the mask's, so that no depth rounds it onto the mask.
    const auto away = [](std::uint8_t maskChannel, int v) {
        return static_cast<std::uint8_t>(maskChannel < 128 ? 128 + v % 128 : v % 128);
    };
    TBitmap& tile = MakeTile([&](int x, int y) {
        return gdi::Rgb(away(mSettings.MaskR, x), away(mSettings.MaskG, y),
                        away(mSettings.MaskB, x + y));
    });
    const Coverage coverage = TileCoverage(mSettings);
    ASSERT_EQ(coverage.size(), static_cast<std::size_t>(GetParam().width) * GetParam().height);
    const RgbaImage image = TileImage(tile, coverage);
    std::size_t covered = 0;
    for (std::int32_t y = 0; y < GetParam().height; ++y) {
        for (std::int32_t x = 0; x < GetParam().width; ++x) {
            const gdi::ColorRef c = tile.DrawingSurface().ReadPixel(x, y);
            const bool shows = c != Mask();
            const std::size_t i = static_cast<std::size_t>(y) * GetParam().width + x;
            ASSERT_EQ(coverage[i], shows) << x << "," << y;
            const Rgba expected =
                shows ? Rgba{gdi::RedOf(c), gdi::GreenOf(c), gdi::BlueOf(c), 255} : kTransparent;
            ASSERT_EQ(image.At(x, y), expected) << x << "," << y;
            covered += shows;
        }
    }
    EXPECT_GT(covered, 0u);
}

TEST_P(TileImageTest, TexturePixelsOfTheMaskColourStayOpaque) {
    TBitmap& tile = MakeTile([this](int, int) { return Mask(); });
    const Coverage coverage = TileCoverage(mSettings);
    const RgbaImage image = TileImage(tile, coverage);
    const Rgba opaqueMask{gdi::RedOf(Mask()), gdi::GreenOf(Mask()), gdi::BlueOf(Mask()), 255};
    for (std::int32_t y = 0; y < image.Height(); ++y) {
        for (std::int32_t x = 0; x < image.Width(); ++x) {
            ASSERT_EQ(tile.DrawingSurface().ReadPixel(x, y), Mask());
            const std::size_t i = static_cast<std::size_t>(y) * image.Width() + x;
            ASSERT_EQ(image.At(x, y), coverage[i] ? opaqueMask : kTransparent) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, TileImageTest,
    ::testing::Values(CoverageCase{"Default", 72, 36, gdi::Rgb(255, 0, 255), 32},
                      CoverageCase{"OtherMask", 72, 36, gdi::Rgb(1, 2, 3), 32},
                      CoverageCase{"Depth16", 64, 32, gdi::Rgb(255, 0, 255), 16},
                      CoverageCase{"Depth24", 64, 32, gdi::Rgb(255, 0, 255), 24},
                      CoverageCase{"Standing", 36, 72, gdi::Rgb(0, 0, 0), 32},
                      CoverageCase{"Largest", 255, 255, gdi::Rgb(255, 255, 255), 32},
                      CoverageCase{"OnePixel", 1, 1, gdi::Rgb(255, 0, 255), 32}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mosaren::cli
