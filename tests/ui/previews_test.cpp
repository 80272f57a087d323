// The two previews: the texture from the top-left corner, the tile in the middle of the box.

#include <gtest/gtest.h>

#include "raster/bitmap.h"
#include "raster/canvas.h"
#include "ui/bitmap_image.h"
#include "ui/bitmap_preview.h"

namespace mosaren::testing_ui {
namespace {

constexpr TColor kTileColour = Rgb(10, 120, 200);

// A bitmap of one colour with a red top-left pixel, so that its corner can be found.
void Paint(TBitmap& bitmap, int width, int height, TColor colour) {
    bitmap.SetImageWidth(width);
    bitmap.SetImageHeight(height);
    TCanvas& canvas = bitmap.DrawingSurface();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) canvas.WritePixel(x, y, colour);
    }
    canvas.WritePixel(0, 0, Rgb(255, 0, 0));
}

TEST(BitmapImage, KeepsEveryColourAndTheRowOrder) {
    TBitmap bitmap;
    Paint(bitmap, 3, 2, Rgb(1, 2, 3));
    bitmap.DrawingSurface().WritePixel(2, 1, Rgb(200, 100, 50));
    const QImage image = ToQImage(bitmap);
    ASSERT_EQ(image.size(), QSize(3, 2));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(1, 2, 3));
    EXPECT_EQ(image.pixel(2, 1), qRgb(200, 100, 50));
}

TEST(BitmapImage, IsNullWhileTheBitmapHasNoPixels) {
    TBitmap bitmap;
    EXPECT_TRUE(ToQImage(bitmap).isNull());
}

TEST(BitmapPreview, CentresAPictureByHalfTheSpareRoomRoundedDown) {
    const struct {
        QSize picture;
        QPoint origin;
    } cases[] = {
        {{72, 36}, {91, 109}}, {{255, 255}, {0, 0}}, {{1, 1}, {127, 127}},
        {{254, 100}, {0, 77}}, {{73, 37}, {91, 109}}, {{100, 254}, {77, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CentredOrigin(QSize(255, 255), c.picture), c.origin)
            << c.picture.width() << "x" << c.picture.height();
    }
}

TEST(BitmapPreview, TheTilePreviewShowsTheDefaultTileWithItsCornerAt91And109) {
    TBitmapPreview preview;
    preview.resize(255, 255);
    preview.SetPlacement(TBitmapPreview::Placement::Centred);
    TBitmap tile;
    Paint(tile, 72, 36, kTileColour);
    preview.Picture().AssignImage(tile);

    EXPECT_EQ(preview.PictureOrigin(), QPoint(91, 109));
    const QImage painted = preview.grab().toImage();
    EXPECT_EQ(painted.pixelColor(91, 109), QColor(255, 0, 0));
    EXPECT_EQ(painted.pixelColor(92, 110), QColor(10, 120, 200));
    EXPECT_EQ(painted.pixelColor(162, 144), QColor(10, 120, 200));
    EXPECT_EQ(painted.pixelColor(90, 109), QColor(Qt::white));
    EXPECT_EQ(painted.pixelColor(91, 108), QColor(Qt::white));
    EXPECT_EQ(painted.pixelColor(163, 144), QColor(Qt::white));
    EXPECT_EQ(painted.pixelColor(162, 145), QColor(Qt::white));
}

TEST(BitmapPreview, TheTexturePreviewShowsItsPictureFromTheTopLeftCorner) {
    TBitmapPreview preview;
    preview.resize(255, 255);
    TBitmap texture;
    Paint(texture, 50, 40, kTileColour);
    preview.Picture().AssignImage(texture);
    const QImage painted = preview.grab().toImage();
    EXPECT_EQ(painted.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(painted.pixelColor(49, 39), QColor(10, 120, 200));
    EXPECT_EQ(painted.pixelColor(50, 39), QColor(Qt::white));
}

TEST(BitmapPreview, HoldsItsOwnCopyAndRepaintsOnlyOnTheChangeNotice) {
    TBitmapPreview preview;
    preview.resize(255, 255);
    TBitmap tile;
    Paint(tile, 72, 36, kTileColour);
    preview.Picture().AssignImage(tile);
    // The command goes on with its own bitmap; the preview keeps what it was given.
    tile.DrawingSurface().WritePixel(5, 5, Rgb(0, 255, 0));
    tile.SetImageWidth(10);
    EXPECT_EQ(preview.Shown().size(), QSize(72, 36));
    EXPECT_EQ(preview.Shown().pixelColor(5, 5), QColor(10, 120, 200));
}

}  // namespace
}  // namespace mosaren::testing_ui
