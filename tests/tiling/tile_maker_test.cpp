#include "tiling/tile_maker.h"

#include <gtest/gtest.h>

#include "raster/bitmap.h"
#include "raster/canvas.h"
#include "raster/exceptions.h"
#include "support/bmp_builder.h"
#include "support/files.h"
#include "tiling/tiler.h"

namespace mosaren {
namespace {

constexpr TColor kMask = Rgb(255, 0, 255);

// The working texture as the commands leave it: 255 × 255, 24 bits, one colour per quadrant.
void PrepareTexture(TBitmap& texture) {
    texture.ConvertDepth(TPixelDepth::Depth24);
    texture.SetImageHeight(255);
    texture.SetImageWidth(255);
    for (int y = 0; y < 255; ++y) {
        std::uint8_t* row = texture.RowAddress(y);
        for (int x = 0; x < 255; ++x) {
            row[3 * x] = 10;
            row[3 * x + 1] = static_cast<std::uint8_t>(y < 128 ? 20 : 30);
            row[3 * x + 2] = static_cast<std::uint8_t>(x < 128 ? 40 : 50);
        }
    }
}

class TileMakerTest : public ::testing::Test {
protected:
    TileMakerTest() : tiler(settings, texturePreview, tilePreview) {}
    TColor TilePixel(int x, int y) { return tiler.Tile().DrawingSurface().ReadPixel(x, y); }

    TTileSettings settings;
    TBitmap texturePreview;
    TBitmap tilePreview;
    Tiler tiler;
};

TEST_F(TileMakerTest, DefaultTileIsAFlatDiamondInTheDeviceForm) {
    PrepareTexture(tiler.Texture());
    tiler.MakeTile();
    EXPECT_EQ(tiler.Rotated().ImageWidth(), 360);
    EXPECT_EQ(tiler.Rotated().PixelDepth(), TPixelDepth::Depth24);
    ASSERT_EQ(tiler.Tile().ImageWidth(), 72);
    ASSERT_EQ(tiler.Tile().ImageHeight(), 36);
    EXPECT_EQ(tiler.Tile().PixelDepth(), TPixelDepth::DepthDevice);

    // Corners are mask, the middle is texture; every pixel is exactly one or the other.
    EXPECT_EQ(TilePixel(0, 0), kMask);
    EXPECT_EQ(TilePixel(71, 0), kMask);
    EXPECT_EQ(TilePixel(0, 35), kMask);
    EXPECT_EQ(TilePixel(71, 35), kMask);
    EXPECT_NE(TilePixel(36, 18), kMask);
    int texturePixels = 0;
    for (int y = 0; y < 36; ++y) {
        for (int x = 0; x < 72; ++x) {
            const TColor c = TilePixel(x, y);
            const bool texture = c != kMask;
            if (texture) {
                EXPECT_TRUE(BlueOf(c) == 10 && (GreenOf(c) == 20 || GreenOf(c) == 30) &&
                            (RedOf(c) == 40 || RedOf(c) == 50))
                    << x << "," << y;
            }
            texturePixels += texture;
            // The diamond: |x − 35.5| / 36 + |y − 17.5| / 18 ≤ 1, to within a pixel.
            const double distance = std::abs(x - 35.5) / 36 + std::abs(y - 17.5) / 18;
            if (distance < 0.85) {
                EXPECT_TRUE(texture) << x << "," << y;
            }
            if (distance > 1.1) {
                EXPECT_FALSE(texture) << x << "," << y;
            }
        }
    }
    EXPECT_NEAR(texturePixels, 72 * 36 / 2, 72);
}

TEST_F(TileMakerTest, TheTilePreviewGetsACopyOfTheTile) {
    PrepareTexture(tiler.Texture());
    int repaints = 0;
    tilePreview.SetChangeListener([&] { ++repaints; });
    tiler.MakeTile();
    EXPECT_EQ(repaints, 1);
    EXPECT_TRUE(tilePreview.SharesImageWith(tiler.Tile()));
    // The next tile leaves the preview's copy as it was.
    tiler.Texture().RowAddress(127)[3 * 127] = 99;
    tiler.MakeTile();
    EXPECT_EQ(tilePreview.ImageWidth(), 72);
}

TEST_F(TileMakerTest, MakingTheTileTwiceGivesTheSameTile) {
    PrepareTexture(tiler.Texture());
    tiler.MakeTile();
    TBitmap first;
    first.AssignImage(tiler.Tile());
    tiler.MakeTile();
    for (int y = 0; y < 36; ++y) {
        for (int x = 0; x < 72; ++x) ASSERT_EQ(first.DrawingSurface().ReadPixel(x, y), TilePixel(x, y));
    }
}

TEST_F(TileMakerTest, SizeComesFromTheSettingsAtTheCall) {
    struct Case {
        std::uint8_t width, height;
    };
    for (const Case c : {Case{254, 254}, Case{1, 1}, Case{36, 72}, Case{73, 36}}) {
        settings.TileWidth = c.width;
        settings.TileHeight = c.height;
        PrepareTexture(tiler.Texture());
        tiler.MakeTile();
        EXPECT_EQ(tiler.Tile().ImageWidth(), c.width);
        EXPECT_EQ(tiler.Tile().ImageHeight(), c.height);
        EXPECT_EQ(tiler.Rotated().ImageWidth(), 360);
    }
}

TEST_F(TileMakerTest, LargestTileShowsTheTurnedSquareTouchingEverySide) {
    settings.TileWidth = 254;
    settings.TileHeight = 254;
    PrepareTexture(tiler.Texture());
    tiler.MakeTile();
    auto textured = [&](int x, int y) { return TilePixel(x, y) != kMask; };
    EXPECT_TRUE(textured(127, 0) || textured(126, 0));
    EXPECT_TRUE(textured(127, 253) || textured(126, 253));
    EXPECT_TRUE(textured(0, 127) || textured(0, 126));
    EXPECT_TRUE(textured(253, 127) || textured(253, 126));
    EXPECT_FALSE(textured(0, 0));
}

TEST_F(TileMakerTest, TallTileStandsTheDiamondUp) {
    settings.TileWidth = 36;
    settings.TileHeight = 72;
    PrepareTexture(tiler.Texture());
    tiler.MakeTile();
    EXPECT_NE(TilePixel(18, 36), kMask);
    EXPECT_EQ(TilePixel(0, 0), kMask);
    EXPECT_EQ(TilePixel(35, 71), kMask);
}

// ----- The steps per texture that both front ends run -----

class TextureSteps : public ::testing::Test {
protected:
    TTileSettings mSettings;
    TileMaker mMaker{mSettings};
    testing::TempFolder mFolder;
};

TEST_F(TextureSteps, TileTextureReadsTheTextureAsItIsAndGivesTheTileOfTheSettingsAtTheCall) {
    testing::WriteSolidTexture(mFolder / "a.bmp", 10, 6, Rgb(10, 200, 10));
    testing::WriteTexture(
        mFolder / "b.bmp", 7, 7, [](int, int) { return Rgb(1, 2, 3); }, 32);
    TBitmap& tile = mMaker.TileTexture(mFolder / "a.bmp");
    EXPECT_EQ(&tile, &mMaker.Tile());
    EXPECT_EQ(tile.ImageWidth(), 72);
    EXPECT_EQ(tile.ImageHeight(), 36);
    EXPECT_EQ(tile.PixelDepth(), TPixelDepth::DepthDevice);
    EXPECT_EQ(tile.DrawingSurface().ReadPixel(36, 18), Rgb(10, 200, 10));

    mSettings.TileWidth = 20;
    mSettings.TileHeight = 10;
    mMaker.TileTexture(mFolder / "b.bmp");
    EXPECT_EQ(mMaker.Source().PixelDepth(), TPixelDepth::Depth32);  // drawn as read
    EXPECT_EQ(mMaker.Source().ImageWidth(), 7);
    EXPECT_EQ(mMaker.Texture().PixelDepth(), TPixelDepth::Depth24);
    EXPECT_EQ(mMaker.Tile().ImageWidth(), 20);
    EXPECT_EQ(mMaker.Tile().ImageHeight(), 10);
    EXPECT_EQ(mMaker.Tile().DrawingSurface().ReadPixel(10, 5), Rgb(1, 2, 3));
}

TEST_F(TextureSteps, AFailingTextureNamesItself) {
    try {
        mMaker.TileTexture(mFolder / "gone.bmp");
        FAIL() << "a missing texture was not refused";
    } catch (const EFOpenError& failure) {
        EXPECT_EQ(failure.Message(), "Cannot open file " + mFolder / "gone.bmp");
    }
}

TEST_F(TextureSteps, PiecesComeColumnByColumnWithTheCountsTheTextureWasReadWith) {
    testing::WriteSolidTexture(mFolder / "t.bmp", 6, 4, Rgb(10, 200, 10));
    mSettings.PiecesAcross = 3;
    mSettings.PiecesDown = 2;
    mMaker.ReadTextureForPieces(mFolder / "t.bmp");
    mSettings.PiecesAcross = 1;
    mSettings.PiecesDown = 1;
    EXPECT_TRUE(mMaker.Divided());
    EXPECT_EQ(mMaker.Pieces(),
              (std::vector<PiecePosition>{{1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 1}, {3, 2}}));
    mMaker.ReadTextureForPieces(mFolder / "t.bmp");
    EXPECT_FALSE(mMaker.Divided());
    EXPECT_EQ(mMaker.Pieces(), (std::vector<PiecePosition>{{1, 1}}));
}

}  // namespace
}  // namespace mosaren
