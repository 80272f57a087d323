#include <gtest/gtest.h>

#include "raster/bitmap.h"
#include "raster/bitmap_access.h"
#include "raster/canvas.h"
#include "raster/exceptions.h"
#include "raster/support/scoped_fault.h"
#include "support/pixel_grid.h"

namespace mosaren {
namespace {


void Size(TBitmap& bitmap, int width, int height) {
    bitmap.SetImageWidth(width);
    bitmap.SetImageHeight(height);
}

// A w × h device bitmap whose pixel (x, y) is Rgb(10·x, 10·y, 1).
void MakeGrid(TBitmap& bitmap, int width, int height) {
    Size(bitmap, width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) bitmap.DrawingSurface().WritePixel(x, y, Rgb(10 * x, 10 * y, 1));
    }
}

TEST(StretchTest, TwoByTwoIntoFourByFourGivesBlocks) {
    TBitmap source;
    MakeGrid(source, 2, 2);
    TBitmap destination;
    Size(destination, 4, 4);
    destination.DrawingSurface().DrawStretched({0, 0, 4, 4}, &source);
    const TColor a = Rgb(0, 0, 1), b = Rgb(10, 0, 1), c = Rgb(0, 10, 1), d = Rgb(10, 10, 1);
    EXPECT_PIXELS(destination, {a, a, b, b,
                                a, a, b, b,
                                c, c, d, d,
                                c, c, d, d});
    EXPECT_EQ(destination.DrawingSurface().StretchMode(), gdi::kColorOnColor);
}

TEST(StretchTest, OnePixelFillsTheRectangle) {
    TBitmap source;
    Size(source, 1, 1);
    source.DrawingSurface().WritePixel(0, 0, Rgb(1, 2, 3));
    TBitmap destination;
    Size(destination, 255, 255);
    destination.DrawingSurface().DrawStretched({0, 0, 255, 255}, &source);
    for (int y = 0; y < 255; y += 7) {
        for (int x = 0; x < 255; x += 3) ASSERT_EQ(destination.DrawingSurface().ReadPixel(x, y), Rgb(1, 2, 3));
    }
}

TEST(StretchTest, PixelsOutsideTheRectangleKeepTheirColours) {
    TBitmap source;
    MakeGrid(source, 3, 3);
    TBitmap destination;
    Size(destination, 10, 10);
    destination.DrawingSurface().DrawStretched({2, 3, 8, 6}, &source);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 2 && x < 8 && y >= 3 && y < 6;
            if (!inside) {
                EXPECT_EQ(destination.DrawingSurface().ReadPixel(x, y), 0x00FFFFFFu);
            }
        }
    }
    EXPECT_EQ(destination.DrawingSurface().ReadPixel(2, 3), Rgb(0, 0, 1));
    EXPECT_EQ(destination.DrawingSurface().ReadPixel(7, 5), Rgb(20, 20, 1));
}

TEST(StretchTest, EachDestinationPixelTakesTheSourcePixelUnderItsCentre) {
    // 360 columns into 72: column d takes source column (2d + 1)·360 div 144, the middle one of
    // each five; 10 rows into 4 take rows 1, 3, 6, 8.
    TBitmap source;
    MakeGrid(source, 25, 10);
    TBitmap destination;
    Size(destination, 5, 4);
    destination.DrawingSurface().DrawStretched({0, 0, 5, 4}, &source);
    const int rows[4] = {1, 3, 6, 8};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(destination.DrawingSurface().ReadPixel(x, y), Rgb(10 * (5 * x + 2), 10 * rows[y], 1));
        }
    }
}

TEST(StretchTest, DrawingTwiceEqualsOnce) {
    TBitmap source;
    MakeGrid(source, 7, 5);
    TBitmap once;
    TBitmap twice;
    Size(once, 13, 11);
    Size(twice, 13, 11);
    once.DrawingSurface().DrawStretched({0, 0, 13, 11}, &source);
    twice.DrawingSurface().DrawStretched({0, 0, 13, 11}, &source);
    twice.DrawingSurface().DrawStretched({0, 0, 13, 11}, &source);
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 13; ++x) {
            EXPECT_EQ(once.DrawingSurface().ReadPixel(x, y), twice.DrawingSurface().ReadPixel(x, y));
        }
    }
}

TEST(StretchTest, NoSourceLeavesEverythingAsItWas) {
    TBitmap destination;
    Size(destination, 2, 2);
    TBitmap preview;
    preview.AssignImage(destination);
    int notices = 0;
    destination.SetChangeListener([&] { ++notices; });
    destination.DrawingSurface().DrawStretched({0, 0, 2, 2}, nullptr);
    EXPECT_EQ(notices, 0);
    EXPECT_TRUE(preview.SharesImageWith(destination));
}

TEST(StretchTest, APreviewOfTheDestinationKeepsTheOldPicture) {
    TBitmap source;
    MakeGrid(source, 2, 2);
    TBitmap destination;
    Size(destination, 2, 2);
    TBitmap preview;
    preview.AssignImage(destination);
    destination.DrawingSurface().DrawStretched({0, 0, 2, 2}, &source);
    EXPECT_EQ(preview.DrawingSurface().ReadPixel(1, 1), 0x00FFFFFFu);
    EXPECT_EQ(destination.DrawingSurface().ReadPixel(1, 1), Rgb(10, 10, 1));
}

TEST(StretchTest, AMaskColouredFrameGivesAMaskColouredTile) {
    TBitmap frame;
    frame.ConvertDepth(TPixelDepth::Depth24);
    Size(frame, 360, 360);
    for (int y = 0; y < 360; ++y) {
        std::uint8_t* row = frame.RowAddress(y);
        for (int x = 0; x < 360; ++x) {
            row[3 * x] = 255;
            row[3 * x + 1] = 0;
            row[3 * x + 2] = 255;
        }
    }
    TBitmap tile;
    tile.SetImageHeight(36);
    tile.SetImageWidth(72);
    tile.DrawingSurface().DrawStretched({0, 0, 72, 36}, &frame);
    for (int y = 0; y < 36; ++y) {
        for (int x = 0; x < 72; ++x) ASSERT_EQ(tile.DrawingSurface().ReadPixel(x, y), Rgb(255, 0, 255));
    }
    EXPECT_EQ(tile.PixelDepth(), TPixelDepth::DepthDevice);
}

// A monochrome source in a new context stretches in black-on-white mode: shrinking ANDs the
// pixels that fall together, so black wins.
TEST(StretchTest, MonochromeSourceInANewContextLetsBlackWinWhenShrunk) {
    gdi::BitmapInfoHeader header{40, 4, 1, 1, 1, gdi::kBiRgb};
    const gdi::RgbQuad table[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    auto section = gdi::CreateDIBSection(header, {}, table);
    ASSERT_TRUE(section);
    section->Bits()[0] = 0b0111'0000;  // black, white, white, white
    TBitmap source;
    BitmapAccess::InstallImage(source, section, nullptr, section->Describe());
    ASSERT_TRUE(source.IsMonochrome());

    TBitmap destination;
    Size(destination, 2, 1);
    destination.DrawingSurface().DrawStretched({0, 0, 2, 1}, &source);
    EXPECT_EQ(destination.DrawingSurface().StretchMode(), gdi::kBlackOnWhite);
    EXPECT_EQ(destination.DrawingSurface().ReadPixel(0, 0), 0u);           // black AND white
    EXPECT_EQ(destination.DrawingSurface().ReadPixel(1, 0), 0x00FFFFFFu);  // white AND white
    // The source's palette was selected for the drawing and put back afterwards.
    EXPECT_NE(BitmapAccess::PaletteHandle(source), nullptr);
    EXPECT_EQ(destination.DrawingSurface().Context().palette, nullptr);
}

TEST(StretchTest, MonochromeSourceKeepsAModeTheContextAlreadyHas) {
    TBitmap colour;
    MakeGrid(colour, 2, 2);
    gdi::BitmapInfoHeader header{40, 4, 1, 1, 1, gdi::kBiRgb};
    const gdi::RgbQuad table[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    auto section = gdi::CreateDIBSection(header, {}, table);
    section->Bits()[0] = 0b0111'0000;
    TBitmap mono;
    BitmapAccess::InstallImage(mono, section, nullptr, section->Describe());

    TBitmap destination;
    Size(destination, 2, 1);
    destination.DrawingSurface().DrawStretched({0, 0, 2, 1}, &colour);
    destination.DrawingSurface().DrawStretched({0, 0, 2, 1}, &mono);
    EXPECT_EQ(destination.DrawingSurface().StretchMode(), gdi::kColorOnColor);
    // Colour-on-colour samples: column 0 takes source column 1 (white).
    EXPECT_EQ(destination.DrawingSurface().ReadPixel(0, 0), 0x00FFFFFFu);
}

TEST(StretchTest, NoContextForTheSourceMeansNoDrawing) {
    TBitmap source;
    MakeGrid(source, 2, 2);
    source.ReleaseContext();
    TBitmap destination;
    Size(destination, 2, 2);
    destination.DrawingSurface().ReadPixel(0, 0);  // the destination has its context already
    testing::ScopedFault fault(gdi::Fault::NoContext);
    try {
        destination.DrawingSurface().DrawStretched({0, 0, 2, 2}, &source);
        FAIL();
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "Canvas does not allow drawing");
    }
    EXPECT_EQ(destination.DrawingSurface().ReadPixel(0, 0), 0x00FFFFFFu);
}

}  // namespace
}  // namespace mosaren
