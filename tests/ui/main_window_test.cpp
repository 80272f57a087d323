// The main window as start-up leaves it, and what its buttons do.

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include "support/program_under_test.h"
#include "ui/bitmap_preview.h"
#include "ui/flat_button.h"

namespace mosaren::testing_ui {
namespace {

QWidget* Control(QWidget& form, const char* name) {
    return form.findChild<QWidget*>(QString::fromLatin1(name));
}

TEST(MainWindow, StartsAloneWithItsCaptionSizeAndPlace) {
    ProgramUnderTest program;
    program.Start();
    TForm1& form = program.Form1();

    EXPECT_EQ(form.windowTitle(), QStringLiteral("Mosaren 1.5"));
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(program.windows.frmAbout->isVisible());
    EXPECT_FALSE(program.windows.frmParam->isVisible());
    EXPECT_EQ(form.frameGeometry().size(), QSize(389, 566));
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowMinimizeButtonHint);

    const QRect screen = form.screen()->geometry();
    EXPECT_EQ(form.frameGeometry().left(), screen.left() + (screen.width() - 389) / 2);
    EXPECT_EQ(form.frameGeometry().top(), screen.top() + (screen.height() - 566) / 2);
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(255, 251, 240));
    EXPECT_FALSE(form.windowIcon().isNull());
}

TEST(MainWindow, CreationSetsTheTileSettingsToTheirDefaults) {
    TTileSettings settings;
    settings.MaskR = 1;
    settings.MaskG = 2;
    settings.MaskB = 3;
    settings.TileHeight = 4;
    settings.TileWidth = 9;
    settings.PiecesAcross = 4;
    settings.PiecesDown = 5;
    TForm1 form(settings);
    EXPECT_EQ(settings.MaskR, 255);
    EXPECT_EQ(settings.MaskG, 0);
    EXPECT_EQ(settings.MaskB, 255);
    EXPECT_EQ(settings.TileHeight, 36);
    EXPECT_EQ(settings.TileWidth, 72);
    EXPECT_EQ(settings.PiecesAcross, 1);
    EXPECT_EQ(settings.PiecesDown, 1);
}

struct Placed {
    const char* name;
    QRect geometry;  // in the parent's coordinates
};

TEST(MainWindow, EveryControlStandsAtItsPlace) {
    ProgramUnderTest program;
    const Placed controls[] = {
        {"GroupBox1", {0, -8, 113, 545}},  {"Load", {8, 16, 97, 41}},
        {"All", {8, 72, 97, 41}},          {"SpeedButton4", {8, 128, 97, 41}},
        {"About", {8, 176, 97, 41}},       {"Exit", {8, 232, 97, 41}},
        {"Bevel1", {8, 64, 97, 2}},        {"Bevel2", {8, 120, 97, 2}},
        {"Bevel3", {8, 224, 97, 2}},       {"Panel1", {120, 8, 257, 257}},
        {"imgTexture", {1, 1, 255, 255}},  {"Panel3", {120, 272, 257, 257}},
        {"imgTile", {1, 1, 255, 255}},
    };
    for (const Placed& control : controls) {
        QWidget* widget = Control(program.Form1(), control.name);
        ASSERT_NE(widget, nullptr) << control.name;
        EXPECT_EQ(widget->geometry(), control.geometry) << control.name;
    }
}

struct Captioned {
    const char* name;
    QString caption;
};

TEST(MainWindow, TheButtonsBearTheirCaptionsInWhiteBoldArial) {
    ProgramUnderTest program;
    const Captioned buttons[] = {
        {"Load", QStringLiteral("Тайл")},
        {"All", QStringLiteral("Все сразу")},
        {"SpeedButton4", QStringLiteral("Параметры")},
        {"About", QStringLiteral("О тайлере")},
        {"Exit", QStringLiteral("Выход")},
    };
    for (const Captioned& entry : buttons) {
        auto* button = program.Form1().findChild<TFlatButton*>(QString::fromLatin1(entry.name));
        ASSERT_NE(button, nullptr) << entry.name;
        EXPECT_EQ(button->text(), entry.caption) << entry.name;
        EXPECT_EQ(button->font().family(), QStringLiteral("Arial")) << entry.name;
        EXPECT_EQ(button->font().pixelSize(), 15) << entry.name;
        EXPECT_TRUE(button->font().bold()) << entry.name;
        EXPECT_EQ(button->palette().color(QPalette::ButtonText), QColor(Qt::white)) << entry.name;
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus) << entry.name;
    }
}

TEST(MainWindow, ThePreviewsStartEmptyAndWhite) {
    ProgramUnderTest program;
    program.Start();
    for (TBitmapPreview* preview :
         {&program.Form1().TexturePreview(), &program.Form1().TilePreview()}) {
        EXPECT_TRUE(preview->Shown().isNull());
        const QImage painted = preview->grab().toImage();
        EXPECT_EQ(painted.pixelColor(0, 0), QColor(Qt::white));
        EXPECT_EQ(painted.pixelColor(127, 127), QColor(Qt::white));
        EXPECT_EQ(painted.pixelColor(254, 254), QColor(Qt::white));
    }
}

TEST(MainWindow, ParametersAndAboutShowTheirWindowsWithoutModality) {
    ProgramUnderTest program;
    program.Start();
    QTest::mouseClick(Control(program.Form1(), "SpeedButton4"), Qt::LeftButton);
    EXPECT_TRUE(program.windows.frmParam->isVisible());
    EXPECT_FALSE(program.windows.frmAbout->isVisible());
    QTest::mouseClick(Control(program.Form1(), "About"), Qt::LeftButton);
    EXPECT_TRUE(program.windows.frmAbout->isVisible());
    // Both stay modeless: the main window can still be used.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(program.Form1().isEnabled());
}

TEST(MainWindow, ExitClosesTheWindowAndEndsTheApplication) {
    ProgramUnderTest program;
    program.Start();
    QSignalSpy closed(&program.Form1(), &TForm1::Closed);
    QTest::mouseClick(Control(program.Form1(), "Exit"), Qt::LeftButton);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(program.Form1().isVisible());
}

TEST(MainWindow, ClosingByTheTitleBarEndsTheApplicationToo) {
    ProgramUnderTest program;
    program.Start();
    QSignalSpy closed(&program.Form1(), &TForm1::Closed);
    program.Form1().close();
    EXPECT_EQ(closed.count(), 1);
}

}  // namespace
}  // namespace mosaren::testing_ui
