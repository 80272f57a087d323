// PreviewForm: as large as the picture up to three quarters of the monitor, the picture fitted in
// it, modal, and gone once Escape closes it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QPointer>
#include <QTest>

#include "support/modal_answers.h"
#include "support/test_files.h"
#include "ui/fitted_picture.h"
#include "ui/preview_window.h"

namespace mosaren::testing_ui {
namespace {

std::uint32_t Grey(int, int) { return 0x00808080u; }

struct WindowSeen {
    QSize client;
    QString title;
    bool tool = false;
    bool modal = false;
    QRect pictureRect;
    QSize imageSize;
};

// Runs the preview window of the picture on a monitor of that size, looks at it and closes it
// with Escape; the window must be gone afterwards.
WindowSeen RunAndEscape(const TPreviewPicture& picture, const QSize& monitor) {
    QWidget owner;
    WindowSeen seen;
    QPointer<QWidget> shown;
    ModalAnswerer answer([&](QWidget& modal) {
        auto* form = qobject_cast<TPreviewForm*>(&modal);
        if (!form) return;
        shown = form;
        seen.client = form->size();
        seen.title = form->windowTitle();
        seen.tool = form->windowType() == Qt::Tool;
        seen.modal = QApplication::activeModalWidget() == form;
        seen.pictureRect = form->Image().PictureRect();
        seen.imageSize = form->Image().size();
        QTest::keyClick(form, Qt::Key_Escape);
    });
    RunPreviewWindow(picture, owner, [&](const QWidget&) { return monitor; });
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(shown.isNull()) << "the window is still there after Escape";
    EXPECT_EQ(answer.Answered(), 1);
    return seen;
}

class PreviewWindow : public ::testing::Test {
protected:
    TPreviewPicture Picture(int width, int height) {
        const std::string path = folder.Path("picture.bmp");
        WriteTestBmp(path, width, height, Grey);
        return LoadPreviewPicture(path);
    }

    TestFolder folder;
};

TEST_F(PreviewWindow, ALargePictureGetsThreeQuartersOfTheMonitorAndKeepsItsProportion) {
    const WindowSeen seen = RunAndEscape(Picture(2000, 1000), QSize(1024, 768));
    EXPECT_EQ(seen.client, QSize(768, 576));
    EXPECT_EQ(seen.title, QStringLiteral("Preview"));
    EXPECT_TRUE(seen.tool);
    EXPECT_TRUE(seen.modal);
    // Inside the panel's line and 5-pixel border: 756 × 564, the picture 756 × 378.
    EXPECT_EQ(seen.imageSize, QSize(756, 564));
    EXPECT_EQ(seen.pictureRect, QRect(0, 93, 756, 378));
}

TEST_F(PreviewWindow, ASmallPictureIsShownAtItsOwnSizeInsideThePanel) {
    const WindowSeen seen = RunAndEscape(Picture(100, 50), QSize(1024, 768));
    // The panel's line, one pixel each side, and its border of 5.
    EXPECT_EQ(seen.client, QSize(112, 62));
    EXPECT_EQ(seen.pictureRect, QRect(0, 0, 100, 50));
}

TEST_F(PreviewWindow, EachSideIsCappedOnItsOwn) {
    EXPECT_EQ(RunAndEscape(Picture(100, 900), QSize(1024, 768)).client, QSize(112, 576));
    EXPECT_EQ(RunAndEscape(Picture(900, 100), QSize(1024, 768)).client, QSize(768, 112));
}

TEST_F(PreviewWindow, WithoutAPictureTheWindowKeepsItsDefaultSize) {
    const WindowSeen seen = RunAndEscape(TPreviewPicture(), QSize(1024, 768));
    EXPECT_EQ(seen.client, QSize(320, 240));
}

TEST_F(PreviewWindow, ThePanelHasASingleLineAndTheWindowBackground) {
    QWidget owner;
    TPreviewForm form(Picture(10, 10), owner, [](const QWidget&) { return QSize(1024, 768); });
    auto* panel = form.findChild<QFrame*>(QStringLiteral("Panel"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->frameShape(), QFrame::Box);
    EXPECT_EQ(panel->frameWidth(), 1);
    EXPECT_EQ(panel->backgroundRole(), QPalette::Base);
    EXPECT_EQ(form.Image().objectName(), QStringLiteral("Image"));
    EXPECT_EQ(form.objectName(), QStringLiteral("PreviewForm"));
}

}  // namespace
}  // namespace mosaren::testing_ui
