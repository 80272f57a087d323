// Every text of the three windows is seen whole: measured with the font that the program
// resolves on this machine, each caption lies inside its control, inside the window, and
// under no control in front of it. The controls keep their fixed sizes; the fonts have to fit.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <optional>

#include "support/program_under_test.h"
#include "ui/flat_button.h"

namespace mosaren::testing_ui {
namespace {

// Where a control draws its text, in the control's own coordinates: the room it gives the
// text and the rectangle the text needs there, laid out as the control lays it out.
struct TextPlace {
    QString text;
    QRect room;
    QRect needed;
};

QRect Needed(const QWidget& control, const QRect& room, int flags, const QString& text) {
    return control.fontMetrics().boundingRect(room, flags, text);
}

std::optional<TextPlace> LabelText(const QLabel& label) {
    if (label.text().isEmpty()) return std::nullopt;  // a picture
    const int margin = label.margin();
    const QRect room = label.contentsRect().adjusted(margin, margin, -margin, -margin);
    int flags =
        static_cast<int>(QStyle::visualAlignment(label.layoutDirection(), label.alignment()));
    if (label.wordWrap()) flags |= Qt::TextWordWrap;
    return TextPlace{label.text(), room, Needed(label, room, flags, label.text())};
}

std::optional<TextPlace> CheckBoxText(const QCheckBox& box) {
    QStyleOptionButton option;
    option.initFrom(&box);
    option.text = box.text();
    option.icon = box.icon();
    option.iconSize = box.iconSize();
    const QRect room = box.style()->subElementRect(QStyle::SE_CheckBoxContents, &option, &box);
    const int flags = static_cast<int>(QStyle::visualAlignment(box.layoutDirection(),
                                                               Qt::AlignLeft | Qt::AlignVCenter)) |
                      Qt::TextShowMnemonic;
    return TextPlace{box.text(), room, Needed(box, room, flags, box.text())};
}

std::optional<TextPlace> GroupBoxText(const QGroupBox& group) {
    if (group.title().isEmpty()) return std::nullopt;
    QStyleOptionGroupBox option;
    option.initFrom(&group);
    option.text = group.title();
    option.textAlignment = group.alignment();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect room = group.style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                     QStyle::SC_GroupBoxLabel, &group);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic;
    return TextPlace{group.title(), room, Needed(group, room, flags, group.title())};
}

std::optional<TextPlace> FlatButtonText(const TFlatButton& button) {
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    return TextPlace{button.text(), button.rect(),
                     Needed(button, button.rect(), flags, button.text())};
}

std::optional<TextPlace> TextOf(const QWidget& control) {
    if (auto* label = qobject_cast<const QLabel*>(&control)) return LabelText(*label);
    if (auto* box = qobject_cast<const QCheckBox*>(&control)) return CheckBoxText(*box);
    if (auto* group = qobject_cast<const QGroupBox*>(&control)) return GroupBoxText(*group);
    if (auto* button = qobject_cast<const TFlatButton*>(&control)) return FlatButtonText(*button);
    return std::nullopt;
}

std::string Describe(const QWidget& control, const TextPlace& place) {
    const QFontInfo font(control.font());
    const auto rect = [](const QRect& r) {
        return QStringLiteral("%1x%2 at (%3, %4)")
            .arg(r.width())
            .arg(r.height())
            .arg(r.left())
            .arg(r.top());
    };
    return QStringLiteral("%1 \"%2\" in %3 %4 px%5: needs %6, has %7")
        .arg(control.objectName(), place.text, font.family())
        .arg(font.pixelSize())
        .arg(font.bold() ? QStringLiteral(" bold") : QString(), rect(place.needed),
             rect(place.room))
        .toStdString();
}

// Fails naming each control of the window whose text is not seen whole, and counts the texts.
int ExpectEveryTextWhole(QWidget& window) {
    int texts = 0;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (control->window() != &window || !control->isVisible()) continue;
        const std::optional<TextPlace> place = TextOf(*control);
        if (!place) continue;
        ++texts;
        const std::string where =
            window.objectName().toStdString() + ": " + Describe(*control, *place);
        EXPECT_TRUE(place->room.contains(place->needed)) << where << ", so it is cut";

        // What the control draws of its text must then lie in its parent and be seen there.
        QWidget& parent = *control->parentWidget();
        const QRect inParent = place->needed.intersected(place->room).translated(control->pos());
        EXPECT_TRUE(parent.rect().contains(inParent))
            << where << ", beyond the edge of " << parent.objectName().toStdString();
        // Siblings come in stacking order: the ones after the control lie in front of it.
        const QObjectList& siblings = parent.children();
        for (qsizetype i = siblings.indexOf(control) + 1; i < siblings.size(); ++i) {
            auto* sibling = qobject_cast<QWidget*>(siblings[i]);
            if (!sibling || !sibling->isVisible()) continue;
            EXPECT_FALSE(sibling->geometry().intersects(inParent))
                << where << ", partly under " << sibling->objectName().toStdString();
        }
    }
    return texts;
}

TEST(TextsFit, EveryTextOfTheMainWindowTheParametersDialogAndTheAboutBoxIsWhole) {
    ProgramUnderTest program;
    program.Start();
    TfrmParam& parameters = *program.windows.frmParam;
    TfrmAbout& about = *program.windows.frmAbout;
    parameters.show();
    about.show();
    // The piece group's texts are seen once division is ticked.
    parameters.findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->setChecked(true);
    QApplication::processEvents();

    // The five command buttons; seven labels, the check box, the group's caption and the
    // button of the parameters dialog; four labels and the button of the About box.
    EXPECT_EQ(ExpectEveryTextWhole(program.Form1()), 5);
    EXPECT_EQ(ExpectEveryTextWhole(parameters), 10);
    EXPECT_EQ(ExpectEveryTextWhole(about), 5);
}

}  // namespace
}  // namespace mosaren::testing_ui
