// The preview picture as the dialogs and the preview window draw it: fitted, centred, nearest
// pixel, and nothing drawn around it.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "support/test_files.h"
#include "ui/fitted_picture.h"

namespace mosaren::testing_ui {
namespace {

// A 4 × 2 picture: left half red, right half blue (0x00BBGGRR).
std::uint32_t RedThenBlue(int x, int) { return x < 2 ? 0x000000FFu : 0x00FF0000u; }

TEST(FittedPicture, DrawsThePictureStretchedIntoItsFittedRectangleOnly) {
    TestFolder folder;
    const std::string path = folder.Path("halves.bmp");
    WriteTestBmp(path, 4, 2, RedThenBlue);

    TFittedPicture view;
    view.setAutoFillBackground(true);
    QPalette palette = view.palette();
    palette.setColor(QPalette::Window, Qt::green);
    view.setPalette(palette);
    view.resize(16, 16);
    view.SetPicture(LoadPreviewPicture(path));

    EXPECT_EQ(view.PictureRect(), QRect(0, 4, 16, 8));
    const QImage drawn = view.grab().toImage();
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const QColor expected = y < 4 || y >= 12 ? QColor(Qt::green)
                                    : x < 8          ? QColor(255, 0, 0)
                                                     : QColor(0, 0, 255);
            ASSERT_EQ(drawn.pixelColor(x, y), expected) << x << "," << y;
        }
    }
}

TEST(FittedPicture, ADoubleClickIsReportedEvenWithoutAPicture) {
    TFittedPicture view;
    view.resize(50, 50);
    QSignalSpy doubleClicks(&view, &TFittedPicture::DoubleClicked);
    QTest::mouseDClick(&view, Qt::LeftButton);
    EXPECT_EQ(doubleClicks.count(), 1);
}

}  // namespace
}  // namespace mosaren::testing_ui
