// Qt's own texts in the user's language: under a Russian locale the open dialog's buttons read
// in Russian, while the preview beside them keeps the program's own texts.

#include "ui/qt_translations.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QPushButton>

#include "support/modal_answers.h"
#include "support/program_under_test.h"
#include "ui/open_picture_dialog.h"
#include "ui/silent_paint_panel.h"

namespace mosaren::testing_ui {
namespace {

TEST(QtTranslations, UnderARussianLocaleTheOpenDialogsButtonsReadInRussian) {
    ProgramUnderTest program;
    program.Start();
    const std::unique_ptr<QTranslator> translations =
        InstallQtTranslations(QLocale(QLocale::Russian, QLocale::Russia));
    ASSERT_NE(translations, nullptr) << "no Qt translations for Russian (qt6-translations-l10n)";

    TOpenPictureDialog open(TQtFileDialog::Kind::Open, program.Form1());
    QString accept, cancel, caption, hint;
    ModalAnswerer answer([&](QWidget& modal) {
        QFileDialog& dialog = AsFileDialog(modal);
        auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        if (buttons && buttons->button(QDialogButtonBox::Open)) {
            accept = buttons->button(QDialogButtonBox::Open)->text();
            cancel = buttons->button(QDialogButtonBox::Cancel)->text();
        }
        caption = dialog.findChild<TSilentPaintPanel*>(QStringLiteral("PaintPanel"))->Caption();
        hint = dialog.findChild<QPushButton*>(QStringLiteral("PreviewButton"))->toolTip();
        dialog.reject();
    });
    open.RunFileDialog();
    EXPECT_EQ(accept.toStdString(), "Открыть");
    EXPECT_EQ(cancel.toStdString(), "Отмена");
    EXPECT_EQ(caption.toStdString(), "(None)");
    EXPECT_EQ(hint.toStdString(), "Preview");
}

}  // namespace
}  // namespace mosaren::testing_ui
