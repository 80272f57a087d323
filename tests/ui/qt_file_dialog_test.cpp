// The Qt file dialogs: their options, what they keep between runs, where they stand, and the
// floating-point environment around them. The test answers each dialog as a user would.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QScreen>
#include <cfenv>

#include "support/modal_answers.h"
#include "support/program_under_test.h"
#include "support/test_files.h"
#include "ui/dialog_placement.h"
#include "ui/qt_file_dialog.h"

namespace mosaren::testing_ui {
namespace {

void Type(QFileDialog& dialog, const QString& text) {
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!edit) throw std::runtime_error("no name field");
    edit->setText(text);
}

// As the Open or Save button does: the dialog's own checks run on what was typed.
void Accept(QFileDialog& dialog) { static_cast<QDialog&>(dialog).accept(); }

std::uint32_t Grey(int, int) { return 0x00808080u; }

class QtFileDialogs : public ::testing::Test {
protected:
    QtFileDialogs() { program.Start(); }

    ProgramUnderTest program;
    TestFolder folder;
};

TEST_F(QtFileDialogs, TheOpenDialogIsQtsOwnWithTheBitmapFilterAndAcceptsAMissingName) {
    TQtFileDialog open(TQtFileDialog::Kind::Open, program.Form1());
    const QString missing = QString::fromStdString(folder.Path("never-made.bmp"));
    bool checked = false;
    ModalAnswerer answer([&](QWidget& modal) {
        QFileDialog& dialog = AsFileDialog(modal);
        EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_TRUE(dialog.testOption(QFileDialog::HideNameFilterDetails));
        EXPECT_EQ(dialog.nameFilters(), QStringList{QStringLiteral("Bitmap (*.bmp)")});
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile);
        EXPECT_TRUE(dialog.defaultSuffix().isEmpty());
        EXPECT_EQ(dialog.windowModality(), Qt::ApplicationModal);
        EXPECT_EQ(dialog.parentWidget(), &program.Form1());
        checked = true;
        Type(dialog, missing);
        Accept(dialog);
    });
    ASSERT_TRUE(open.RunFileDialog());
    EXPECT_TRUE(checked);
    EXPECT_EQ(open.FileName(), missing.toStdString());
    EXPECT_EQ(open.ChosenFiles(), std::vector<std::string>{missing.toStdString()});
    EXPECT_EQ(open.FilterIndex(), 1);
}

TEST_F(QtFileDialogs, ACancelKeepsTheLastAcceptedNameAndTheNextRunOpensWithIt) {
    const std::string texture = folder.Path("grass.bmp");
    WriteTestBmp(texture, 4, 4, Grey);
    TQtFileDialog open(TQtFileDialog::Kind::Open, program.Form1());
    {
        ModalAnswerer answer([&](QWidget& modal) {
            QFileDialog& dialog = AsFileDialog(modal);
            // The first run has nothing to pre-fill.
            EXPECT_TRUE(dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text().isEmpty());
            dialog.reject();
        });
        EXPECT_FALSE(open.RunFileDialog());
        EXPECT_EQ(open.FileName(), "");
    }
    {
        ModalAnswerer answer([&](QWidget& modal) {
            QFileDialog& dialog = AsFileDialog(modal);
            Type(dialog, QString::fromStdString(texture));
            Accept(dialog);
        });
        EXPECT_TRUE(open.RunFileDialog());
    }
    QStringList prefilled;
    {
        ModalAnswerer answer([&](QWidget& modal) {
            QFileDialog& dialog = AsFileDialog(modal);
            prefilled = dialog.selectedFiles();
            dialog.reject();
        });
        EXPECT_FALSE(open.RunFileDialog());
    }
    EXPECT_EQ(prefilled, QStringList{QString::fromStdString(texture)});
    EXPECT_EQ(open.FileName(), texture);
    EXPECT_TRUE(open.ChosenFiles().empty());
}

TEST_F(QtFileDialogs, TheSaveDialogAddsNoSuffixAndAsksNothingBeforeReplacing) {
    const std::string existing = folder.Path("grass");
    WriteTestBmp(existing, 2, 2, Grey);
    TQtFileDialog save(TQtFileDialog::Kind::Save, program.Form1());
    int modalsSeen = 0;
    ModalAnswerer answer([&](QWidget& modal) {
        ++modalsSeen;
        QFileDialog& dialog = AsFileDialog(modal);
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_TRUE(dialog.defaultSuffix().isEmpty());
        dialog.setDirectory(QString::fromStdString(folder.Path("")));
        Type(dialog, QStringLiteral("grass"));
        Accept(dialog);
    });
    ASSERT_TRUE(save.RunFileDialog());
    EXPECT_EQ(modalsSeen, 1);
    EXPECT_EQ(save.FileName(), existing);
}

TEST_F(QtFileDialogs, TheMultipleDialogGivesEveryChosenFileAndACancelEmptiesTheList) {
    const std::string a = folder.Path("a.bmp");
    const std::string b = folder.Path("b.bmp");
    WriteTestBmp(a, 2, 2, Grey);
    WriteTestBmp(b, 2, 2, Grey);
    TQtFileDialog all(TQtFileDialog::Kind::OpenMultiple, program.Form1());
    {
        ModalAnswerer answer([&](QWidget& modal) {
            QFileDialog& dialog = AsFileDialog(modal);
            EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFiles);
            dialog.setDirectory(QString::fromStdString(folder.Path("")));
            Type(dialog, QStringLiteral("\"a.bmp\" \"b.bmp\""));
            Accept(dialog);
        });
        ASSERT_TRUE(all.RunFileDialog());
    }
    EXPECT_EQ(all.ChosenFiles(), (std::vector<std::string>{a, b}));
    EXPECT_EQ(all.FileName(), a);
    {
        ModalAnswerer answer([](QWidget& modal) { AsFileDialog(modal).reject(); });
        EXPECT_FALSE(all.RunFileDialog());
    }
    EXPECT_TRUE(all.ChosenFiles().empty());
    EXPECT_EQ(all.FileName(), a);
}

TEST_F(QtFileDialogs, TheMultipleDialogAcceptsATypedNameThatDoesNotExist) {
    const std::string missing = folder.Path("missing.bmp");
    TQtFileDialog all(TQtFileDialog::Kind::OpenMultiple, program.Form1());
    int modalsSeen = 0;
    ModalAnswerer answer([&](QWidget& modal) {
        ++modalsSeen;
        QFileDialog& dialog = AsFileDialog(modal);
        Type(dialog, QString::fromStdString(missing));
        Accept(dialog);
    });
    ASSERT_TRUE(all.RunFileDialog());
    EXPECT_EQ(modalsSeen, 1);  // no "file not found" box of Qt's own
    EXPECT_EQ(all.ChosenFiles(), std::vector<std::string>{missing});
}

TEST_F(QtFileDialogs, TheFloatingPointEnvironmentIsTheSameAfterARun) {
    TQtFileDialog open(TQtFileDialog::Kind::Open, program.Form1());
    ASSERT_EQ(std::fegetround(), FE_TONEAREST);
    ModalAnswerer answer([](QWidget& modal) {
        // Something inside the dialog changes the rounding.
        std::fesetround(FE_UPWARD);
        AsFileDialog(modal).reject();
    });
    open.RunFileDialog();
    EXPECT_EQ(std::fegetround(), FE_TONEAREST);
}

TEST_F(QtFileDialogs, TheDialogStandsCentredAcrossAndOneThirdDown) {
    TQtFileDialog open(TQtFileDialog::Kind::Open, program.Form1());
    QRect placed;
    QRect monitor;
    ModalAnswerer answer([&](QWidget& modal) {
        placed = modal.frameGeometry();
        monitor = modal.screen()->geometry();
        AsFileDialog(modal).reject();
    });
    open.RunFileDialog();
    EXPECT_EQ(placed.topLeft(), CentredDialogPosition(monitor, placed.size()));
}

TEST_F(QtFileDialogs, ActivationAndFocusComeBackAfterTheRun) {
    program.Form1().activateWindow();
    QApplication::setActiveWindow(&program.Form1());
    QApplication::processEvents();
    TQtFileDialog open(TQtFileDialog::Kind::Open, program.Form1());
    bool othersBlocked = false;
    ModalAnswerer answer([&](QWidget& modal) {
        othersBlocked = QApplication::activeModalWidget() == &modal;
        AsFileDialog(modal).reject();
    });
    open.RunFileDialog();
    QApplication::processEvents();
    EXPECT_TRUE(othersBlocked);
    EXPECT_EQ(QApplication::activeWindow(), &program.Form1());
}

TEST(DialogPlacement, CentresAcrossAndPutsOneThirdOfTheFreeHeightAbove) {
    const struct {
        QRect monitor;
        QSize window;
        QPoint expected;
    } cases[] = {
        {{0, 0, 1024, 768}, {400, 300}, {312, 156}},
        {{0, 0, 1024, 768}, {401, 301}, {311, 155}},
        {{1024, 0, 1280, 1024}, {600, 424}, {1024 + 340, 200}},
        {{0, -768, 1024, 768}, {424, 468}, {300, -668}},
        // Larger than the monitor: off its edge, truncated toward zero.
        {{0, 0, 800, 600}, {1001, 901}, {-100, -100}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CentredDialogPosition(c.monitor, c.window), c.expected);
    }
}

}  // namespace
}  // namespace mosaren::testing_ui
