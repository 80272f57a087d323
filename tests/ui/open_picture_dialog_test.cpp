// The picture open dialogs: the preview beside Qt's own controls, what a selection change shows,
// what the dialog keeps between runs, and the preview window opened from it. The test plays the
// file dialog's part by reporting selection changes itself.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <fstream>
#include <stdexcept>

#include "raster/exceptions.h"
#include "support/modal_answers.h"
#include "support/program_under_test.h"
#include "support/test_files.h"
#include "ui/fitted_picture.h"
#include "ui/main_window.h"
#include "ui/open_picture_dialog.h"
#include "ui/preview_window.h"
#include "ui/silent_paint_panel.h"

namespace mosaren::testing_ui {
namespace {

std::uint32_t Grey(int, int) { return 0x00808080u; }

template <typename Widget>
Widget& Child(QWidget& dialog, const char* name) {
    auto* child = dialog.findChild<Widget*>(QString::fromLatin1(name));
    if (!child) throw std::runtime_error(std::string("no ") + name);
    return *child;
}

// What the preview area shows.
struct PreviewSeen {
    QString label;
    bool buttonEnabled = false;
    QString caption;
    QSize picture;  // invalid while no picture is shown
};

PreviewSeen Look(QWidget& dialog) {
    PreviewSeen seen;
    seen.label = Child<QLabel>(dialog, "PictureLabel").text();
    seen.buttonEnabled = Child<QPushButton>(dialog, "PreviewButton").isEnabled();
    seen.caption = Child<TSilentPaintPanel>(dialog, "PaintPanel").Caption();
    const TPreviewPicture& picture = Child<TFittedPicture>(dialog, "PaintBox").Picture();
    if (!picture.IsNone()) seen.picture = picture.Size();
    return seen;
}

void ExpectNoPicture(const PreviewSeen& seen) {
    EXPECT_EQ(seen.label, QStringLiteral("Picture:"));
    EXPECT_FALSE(seen.buttonEnabled);
    EXPECT_EQ(seen.caption, QStringLiteral("(None)"));
    EXPECT_FALSE(seen.picture.isValid());
}

void ExpectPicture(const PreviewSeen& seen, const QString& label, const QSize& size) {
    EXPECT_EQ(seen.label, label);
    EXPECT_TRUE(seen.buttonEnabled);
    EXPECT_TRUE(seen.caption.isEmpty());
    EXPECT_EQ(seen.picture, size);
}

// As Qt's dialog reports a new current item.
void Select(QWidget& dialog, const std::string& path) {
    emit AsFileDialog(dialog).currentChanged(QString::fromStdString(path));
}

class OpenPictureDialog : public ::testing::Test {
protected:
    OpenPictureDialog() {
        program.Start();
        WriteTestBmp(texture, 256, 128, Grey);
        std::ofstream(broken, std::ios::binary) << "BM and nothing a bitmap needs";
    }

    // A dialog whose loader counts its loads.
    std::unique_ptr<TOpenPictureDialog> MakeDialog(
        TQtFileDialog::Kind kind = TQtFileDialog::Kind::Open,
        MonitorSizeOf monitor = WindowMonitorSize) {
        return std::make_unique<TOpenPictureDialog>(
            kind, program.Form1(),
            [this](const std::string& path) {
                ++loads;
                return LoadPreviewPicture(path);
            },
            std::move(monitor));
    }

    // Runs the dialog once; answer sees it open and the run is then cancelled.
    void RunOnce(FileDialog& dialog, const std::function<void(QFileDialog&)>& answer) {
        int runs = 0;
        ModalAnswerer answerer([&](QWidget& modal) {
            auto* fileDialog = qobject_cast<QFileDialog*>(&modal);
            if (!fileDialog) return;
            ++runs;
            answer(*fileDialog);
            fileDialog->reject();
        });
        dialog.RunFileDialog();
        ASSERT_EQ(runs, 1);
    }

    ProgramUnderTest program;
    TestFolder folder;
    const std::string texture = folder.Path("texture.bmp");
    const std::string broken = folder.Path("broken.bmp");
    int loads = 0;
};

TEST_F(OpenPictureDialog, ASelectionShowsThePicturesSizeAndAFolderOrABadBitmapShowNone) {
    auto dialog = MakeDialog();
    ErrorBoxRecorder boxes;
    RunOnce(*dialog, [&](QFileDialog& window) {
        const PreviewSeen opened = Look(window);
        EXPECT_TRUE(opened.label.isEmpty());
        EXPECT_FALSE(opened.buttonEnabled);
        EXPECT_EQ(opened.caption, QStringLiteral("(None)"));

        Select(window, texture);
        ExpectPicture(Look(window), QStringLiteral(" (256x128)"), QSize(256, 128));
        Select(window, folder.Path(""));
        ExpectNoPicture(Look(window));
        Select(window, texture);
        ExpectPicture(Look(window), QStringLiteral(" (256x128)"), QSize(256, 128));
        Select(window, broken);
        ExpectNoPicture(Look(window));
        Select(window, folder.Path("missing.bmp"));
        ExpectNoPicture(Look(window));
    });
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(OpenPictureDialog, TheSameSelectionTwiceLoadsOnceUntilTheNextRun) {
    auto dialog = MakeDialog();
    RunOnce(*dialog, [&](QFileDialog& window) {
        Select(window, texture);
        Select(window, texture);
        EXPECT_EQ(loads, 1);
        Select(window, broken);
        Select(window, texture);
        EXPECT_EQ(loads, 3);
    });
    RunOnce(*dialog, [&](QFileDialog& window) {
        Select(window, texture);
        EXPECT_EQ(loads, 4);
    });
}

TEST_F(OpenPictureDialog, TheNextRunKeepsTheLabelAndTheButtonButShowsNoPicture) {
    auto dialog = MakeDialog();
    auto other = MakeDialog(TQtFileDialog::Kind::OpenMultiple);
    RunOnce(*dialog, [&](QFileDialog& window) { Select(window, texture); });
    RunOnce(*dialog, [&](QFileDialog& window) {
        const PreviewSeen opened = Look(window);
        EXPECT_EQ(opened.label, QStringLiteral(" (256x128)"));
        EXPECT_TRUE(opened.buttonEnabled);
        EXPECT_EQ(opened.caption, QStringLiteral("(None)"));
        EXPECT_FALSE(opened.picture.isValid());
        Select(window, broken);
    });
    RunOnce(*dialog, [&](QFileDialog& window) {
        EXPECT_EQ(Look(window).label, QStringLiteral("Picture:"));
        EXPECT_FALSE(Look(window).buttonEnabled);
    });
    // The other dialog keeps its own.
    RunOnce(*other, [&](QFileDialog& window) {
        EXPECT_TRUE(Look(window).label.isEmpty());
        EXPECT_FALSE(Look(window).buttonEnabled);
    });
}

TEST_F(OpenPictureDialog, ThePreviewStandsAtTheRightOfTheDialogsControlsAsHighAsThem) {
    TQtFileDialog plain(TQtFileDialog::Kind::Open, program.Form1());
    int plainListWidth = 0;
    RunOnce(plain, [&](QFileDialog& window) {
        plainListWidth = Child<QWidget>(window, "splitter").width();
    });
    auto dialog = MakeDialog();
    RunOnce(*dialog, [&](QFileDialog& window) {
        // The dialog grows by the preview; its own controls keep their room.
        EXPECT_EQ(Child<QWidget>(window, "splitter").width(), plainListWidth);
        const QWidget& panel = Child<QWidget>(window, "PicturePanel");
        const QRect area = panel.geometry();
        EXPECT_EQ(area.width(), 169);
        // Right of every control of Qt's own: the list and the Open/Cancel buttons among them.
        for (const char* name : {"splitter", "buttonBox", "fileNameEdit", "fileTypeCombo"}) {
            const QWidget& control = Child<QWidget>(window, name);
            EXPECT_LT(control.geometry().right(), area.left()) << name;
            EXPECT_GE(area.top(), 0);
            EXPECT_LE(area.top(), control.geometry().top()) << name;
            EXPECT_GE(area.bottom(), control.geometry().bottom()) << name;
        }
        EXPECT_LT(area.right(), window.width());

        const QRect label = Child<QLabel>(window, "PictureLabel").geometry();
        const QRect paintPanel = Child<TSilentPaintPanel>(window, "PaintPanel").geometry();
        const QRect paintBox = Child<TFittedPicture>(window, "PaintBox").geometry();
        const QPushButton& button = Child<QPushButton>(window, "PreviewButton");
        EXPECT_EQ(label, QRect(6, 6, 157, 23));
        EXPECT_EQ(paintPanel.topLeft(), QPoint(6, 29));
        EXPECT_EQ(paintPanel.width(), 157);
        EXPECT_EQ(paintPanel.bottom(), area.height() - 7);
        EXPECT_EQ(paintBox, QRect(2, 2, 153, paintPanel.height() - 4));
        EXPECT_EQ(button.geometry(), QRect(6 + 157 - 23 - 2, 1, 23, 22));
        EXPECT_EQ(button.toolTip(), QStringLiteral("Preview"));
        EXPECT_EQ(button.focusPolicy(), Qt::NoFocus);
        EXPECT_FALSE(button.icon().isNull());
        EXPECT_TRUE(button.text().isEmpty());
    });
}

TEST_F(OpenPictureDialog, ThePreviewButtonOpensTheWindowAndEscapeReturnsToTheUnchangedDialog) {
    const std::string large = folder.Path("large.bmp");
    WriteTestBmp(large, 2000, 1000, Grey);
    auto dialog =
        MakeDialog(TQtFileDialog::Kind::Open, [](const QWidget&) { return QSize(1024, 768); });
    QSize client;
    QPointer<QWidget> previewWindow;
    int windowsSeen = 0;
    // A second answerer for the preview window: an answerer waits for no window that opens
    // while it is still answering another.
    ModalAnswerer previewAnswerer([&](QWidget& modal) {
        auto* form = qobject_cast<TPreviewForm*>(&modal);
        if (!form) return;
        ++windowsSeen;
        previewWindow = form;
        client = form->size();
        QTest::keyClick(form, Qt::Key_Escape);
    });
    ModalAnswerer dialogAnswerer([&](QWidget& modal) {
        QFileDialog& window = AsFileDialog(modal);
        Select(window, large);
        Child<QPushButton>(window, "PreviewButton").click();
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), &window);
        ExpectPicture(Look(window), QStringLiteral(" (2000x1000)"), QSize(2000, 1000));
        // A double click on the picture opens it too.
        QTest::mouseDClick(&Child<TFittedPicture>(window, "PaintBox"), Qt::LeftButton);
        window.reject();
    });
    dialog->RunFileDialog();
    EXPECT_EQ(windowsSeen, 2);
    EXPECT_EQ(client, QSize(768, 576));
    EXPECT_TRUE(previewWindow.isNull());
    EXPECT_EQ(loads, 1);
}

TEST_F(OpenPictureDialog, AFailureWhileTheDialogHandlesAClickGoesToTheErrorBoxAndTheDialogStays) {
    auto dialog = MakeDialog(TQtFileDialog::Kind::Open, [](const QWidget&) -> QSize {
        throw EOutOfResources(messages::kOutOfResources);
    });
    ErrorBoxRecorder boxes;
    RunOnce(*dialog, [&](QFileDialog& window) {
        Select(window, texture);
        Child<QPushButton>(window, "PreviewButton").click();
        EXPECT_TRUE(window.isVisible());
        ExpectPicture(Look(window), QStringLiteral(" (256x128)"), QSize(256, 128));
    });
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, QStringLiteral("Out of system resources."));
}

TEST(PictureOpenDialogs, OpenAndAllDialogsPreviewPicturesAndTheSaveDialogDoesNot) {
    QWidget owner;
    const TFileDialogs dialogs = MakeQtFileDialogs(owner);
    const auto* open = dynamic_cast<const TOpenPictureDialog*>(dialogs.OpenDialog.get());
    const auto* all = dynamic_cast<const TOpenPictureDialog*>(dialogs.AllDialog.get());
    ASSERT_NE(open, nullptr);
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(open->DialogKind(), TQtFileDialog::Kind::Open);
    EXPECT_EQ(all->DialogKind(), TQtFileDialog::Kind::OpenMultiple);
    EXPECT_EQ(dynamic_cast<const TOpenPictureDialog*>(dialogs.SaveDialog.get()), nullptr);
    EXPECT_NE(dynamic_cast<const TQtFileDialog*>(dialogs.SaveDialog.get()), nullptr);
}

}  // namespace
}  // namespace mosaren::testing_ui
