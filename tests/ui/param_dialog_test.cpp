// The parameters dialog: each edit stores its setting as it changes, within its range, and a
// text that is not a number goes to the error box.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "support/modal_answers.h"
#include "support/program_under_test.h"
#include "ui/flat_button.h"

namespace mosaren::testing_ui {
namespace {

class ParamDialog : public ::testing::Test {
protected:
    ParamDialog() {
        program.Start();
        dialog().show();
        QApplication::processEvents();
    }

    TfrmParam& dialog() { return *program.windows.frmParam; }
    QLineEdit& Edit(const char* name) {
        auto* edit = dialog().findChild<QLineEdit*>(QString::fromLatin1(name));
        if (!edit) throw std::runtime_error(name);
        return *edit;
    }
    // Clears the edit, then types the keys one at a time, as a user does.
    void TypeInto(QLineEdit& edit, const char* keys) {
        edit.clear();
        QApplication::processEvents();
        for (const char* key = keys; *key; ++key) QTest::keyClick(&edit, *key);
    }

    ProgramUnderTest program;
};

TEST_F(ParamDialog, TypingTwoFiveFiveStoresTwoThenTwentyFiveAndKeepsTwentyFive) {
    QLineEdit& red = Edit("Edit3");
    red.clear();
    QTest::keyClick(&red, '2');
    EXPECT_EQ(program.settings.MaskR, 2);
    QTest::keyClick(&red, '5');
    EXPECT_EQ(program.settings.MaskR, 25);
    QTest::keyClick(&red, '5');
    EXPECT_EQ(program.settings.MaskR, 25);
    EXPECT_EQ(red.text(), QStringLiteral("255"));
}

TEST_F(ParamDialog, ANonNumberShowsTheErrorBoxAndKeepsTheSettingAndTheText) {
    ErrorBoxRecorder boxes;
    QLineEdit& height = Edit("Edit1");
    height.clear();
    QTest::keyClick(&height, '1');
    EXPECT_EQ(program.settings.TileHeight, 1);
    EXPECT_TRUE(boxes.Boxes().empty());
    QTest::keyClick(&height, 'a');
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].title, QStringLiteral("Mosaren"));
    EXPECT_EQ(boxes.Boxes()[0].text, QStringLiteral("'1a' is not a valid integer value."));
    EXPECT_EQ(boxes.Boxes()[0].icon, QMessageBox::Critical);
    EXPECT_EQ(boxes.Boxes()[0].buttonCount, 1);
    EXPECT_TRUE(boxes.Boxes()[0].applicationModal);
    EXPECT_EQ(program.settings.TileHeight, 1);
    EXPECT_EQ(height.text(), QStringLiteral("1a"));
    // Each further change that leaves a non-number shows another box.
    QTest::keyClick(&height, 'b');
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[1].text, QStringLiteral("'1ab' is not a valid integer value."));
}

TEST_F(ParamDialog, PastingAHexadecimalTextStoresItsValue) {
    QLineEdit& width = Edit("Edit2");
    width.clear();
    width.insert(QStringLiteral("$10"));
    EXPECT_EQ(program.settings.TileWidth, 16);
}

TEST_F(ParamDialog, ZeroIsNeverStored) {
    ErrorBoxRecorder boxes;
    for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Edit7"}) {
        const TTileSettings before = program.settings;
        Edit(name).setText(QStringLiteral("0"));
        EXPECT_EQ(program.settings.MaskR, before.MaskR) << name;
        EXPECT_EQ(program.settings.MaskG, before.MaskG) << name;
        EXPECT_EQ(program.settings.MaskB, before.MaskB) << name;
        EXPECT_EQ(program.settings.TileHeight, before.TileHeight) << name;
        EXPECT_EQ(program.settings.TileWidth, before.TileWidth) << name;
        EXPECT_EQ(program.settings.PiecesAcross, before.PiecesAcross) << name;
        EXPECT_EQ(program.settings.PiecesDown, before.PiecesDown) << name;
    }
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(ParamDialog, TwentyPiecesAreRefusedAndNineteenStored) {
    Edit("Edit6").setText(QStringLiteral("20"));
    EXPECT_EQ(program.settings.PiecesAcross, 1);
    Edit("Edit6").setText(QStringLiteral("19"));
    EXPECT_EQ(program.settings.PiecesAcross, 19);
    Edit("Edit7").setText(QStringLiteral("20"));
    EXPECT_EQ(program.settings.PiecesDown, 1);
}

TEST_F(ParamDialog, TypingTwentyFiveIntoAPieceCountStoresTwoAndKeepsIt) {
    TypeInto(Edit("Edit6"), "25");
    EXPECT_EQ(program.settings.PiecesAcross, 2);
}

TEST_F(ParamDialog, AnEmptiedFieldStoresNothing) {
    ErrorBoxRecorder boxes;
    Edit("Edit1").setText(QStringLiteral("40"));
    Edit("Edit1").clear();
    EXPECT_EQ(program.settings.TileHeight, 40);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(ParamDialog, AColourOf255IsRefusedOnceTyped) {
    Edit("Edit5").setText(QStringLiteral("100"));
    Edit("Edit5").setText(QStringLiteral("255"));
    EXPECT_EQ(program.settings.MaskB, 100);
}

TEST_F(ParamDialog, EachEditFeedsItsOwnSetting) {
    const struct {
        const char* edit;
        std::int32_t TTileSettings::*piece;
        std::uint8_t TTileSettings::*byte;
    } cases[] = {
        {"Edit1", nullptr, &TTileSettings::TileHeight}, {"Edit2", nullptr, &TTileSettings::TileWidth},
        {"Edit3", nullptr, &TTileSettings::MaskR},      {"Edit4", nullptr, &TTileSettings::MaskG},
        {"Edit5", nullptr, &TTileSettings::MaskB},      {"Edit6", &TTileSettings::PiecesAcross, nullptr},
        {"Edit7", &TTileSettings::PiecesDown, nullptr},
    };
    for (const auto& c : cases) {
        program.settings = TTileSettings{};
        Edit(c.edit).setText(QStringLiteral("7"));
        TTileSettings expected;
        if (c.byte) expected.*c.byte = 7;
        if (c.piece) expected.*c.piece = 7;
        EXPECT_EQ(program.settings.TileHeight, expected.TileHeight) << c.edit;
        EXPECT_EQ(program.settings.TileWidth, expected.TileWidth) << c.edit;
        EXPECT_EQ(program.settings.MaskR, expected.MaskR) << c.edit;
        EXPECT_EQ(program.settings.MaskG, expected.MaskG) << c.edit;
        EXPECT_EQ(program.settings.MaskB, expected.MaskB) << c.edit;
        EXPECT_EQ(program.settings.PiecesAcross, expected.PiecesAcross) << c.edit;
        EXPECT_EQ(program.settings.PiecesDown, expected.PiecesDown) << c.edit;
    }
}

TEST_F(ParamDialog, TheCheckBoxShowsAndHidesThePieceGroupAndUntickingKeepsTheCounts) {
    auto* check = dialog().findChild<QCheckBox*>(QStringLiteral("CheckBox1"));
    auto* group = dialog().findChild<QGroupBox*>(QStringLiteral("GroupBox1"));
    auto* silver = dialog().findChild<QWidget*>(QStringLiteral("Shape2"));
    ASSERT_TRUE(check && group && silver);
    EXPECT_FALSE(check->isChecked());
    EXPECT_FALSE(group->isVisible());
    EXPECT_TRUE(silver->isVisible());

    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, check->height() / 2));
    EXPECT_TRUE(check->isChecked());
    EXPECT_TRUE(group->isVisible());
    EXPECT_TRUE(Edit("Edit6").isVisible());
    EXPECT_TRUE(Edit("Edit7").isVisible());
    Edit("Edit6").setText(QStringLiteral("3"));
    Edit("Edit7").setText(QStringLiteral("2"));

    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, check->height() / 2));
    EXPECT_FALSE(group->isVisible());
    EXPECT_TRUE(silver->isVisible());
    EXPECT_EQ(program.settings.PiecesAcross, 3);
    EXPECT_EQ(program.settings.PiecesDown, 2);
}

TEST_F(ParamDialog, DoneHidesTheDialogAndReopeningShowsTheTextsLastTyped) {
    ErrorBoxRecorder boxes;
    Edit("Edit3").setText(QStringLiteral("255"));  // refused: the edit still shows it
    Edit("Edit1").setText(QStringLiteral("1a"));
    auto* done = dialog().findChild<TFlatButton*>(QStringLiteral("SpeedButton1"));
    ASSERT_NE(done, nullptr);
    QTest::mouseClick(done, Qt::LeftButton);
    EXPECT_FALSE(dialog().isVisible());
    QTest::mouseClick(program.Form1().findChild<QWidget*>(QStringLiteral("SpeedButton4")),
                      Qt::LeftButton);
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_EQ(Edit("Edit3").text(), QStringLiteral("255"));
    EXPECT_EQ(Edit("Edit1").text(), QStringLiteral("1a"));
}

TEST_F(ParamDialog, TheLettersRGAndBStandOverTheirColourEdits) {
    auto* letters = dialog().findChild<QLabel*>(QStringLiteral("Label4"));
    ASSERT_NE(letters, nullptr);
    const QString text = letters->text();
    const QFontMetrics metrics = letters->fontMetrics();
    const struct {
        QChar letter;
        const char* edit;
    } columns[] = {
        {QLatin1Char('R'), "Edit3"}, {QLatin1Char('G'), "Edit4"}, {QLatin1Char('B'), "Edit5"}};
    for (const auto& column : columns) {
        // The runs of spaces before each letter carry it over its edit.
        const int left = letters->x() + letters->contentsRect().left() +
                         metrics.horizontalAdvance(text.left(text.indexOf(column.letter)));
        const int right = left + metrics.horizontalAdvance(column.letter);
        const QRect edit = Edit(column.edit).geometry();
        EXPECT_GE(left, edit.left()) << column.edit;
        EXPECT_LE(right, edit.left() + edit.width()) << column.edit;
    }
}

struct InitialControl {
    const char* name;
    QRect geometry;
    QString text;  // empty: not checked
};

TEST_F(ParamDialog, EveryControlStartsAtItsPlaceWithItsText) {
    EXPECT_EQ(dialog().windowTitle(), QStringLiteral("Параметры"));
    EXPECT_EQ(dialog().size(), QSize(240, 232));
    EXPECT_EQ(dialog().palette().color(QPalette::Window), QColor(255, 251, 240));
    const InitialControl controls[] = {
        {"Label2", {8, 8, -1, -1}, QStringLiteral("Цвет маски тайла:")},
        {"Label4", {128, 8, -1, -1}, QStringLiteral(" R           G            B")},
        {"Shape3", {8, 24, 105, 17}, {}},
        {"Edit3", {128, 24, 25, 21}, QStringLiteral("255")},
        {"Edit4", {168, 24, 25, 21}, QStringLiteral("0")},
        {"Edit5", {208, 24, 25, 21}, QStringLiteral("255")},
        {"Label1", {8, 56, 137, 26}, QStringLiteral("Размер тайла (верт x гор), макс - 255 x 255 ")},
        {"Edit1", {160, 56, 25, 21}, QStringLiteral("36")},
        {"Label3", {192, 56, -1, -1}, QStringLiteral("x")},
        {"Edit2", {208, 56, 25, 21}, QStringLiteral("72")},
        {"CheckBox1", {8, 96, 113, 25}, QStringLiteral("Деление текстуры")},
        {"Shape2", {8, 128, 225, 65}, {}},
        {"GroupBox1", {8, 120, 225, 73}, QStringLiteral("Количество кусков")},
        {"Label5", {8, 23, -1, -1}, QStringLiteral("По горизонтали:")},
        {"Edit6", {96, 20, 25, 21}, QStringLiteral("1")},
        {"Label6", {8, 47, -1, -1}, QStringLiteral("По вертикали:")},
        {"Edit7", {96, 44, 25, 21}, QStringLiteral("1")},
        {"Label7", {136, 31, -1, -1}, QStringLiteral("(Макс. 20x20)")},
        {"Shape1", {88, 200, 73, 25}, {}},
        {"SpeedButton1", {88, 201, 73, 25}, QStringLiteral("Готово")},
    };
    for (const InitialControl& control : controls) {
        QWidget* widget = dialog().findChild<QWidget*>(QString::fromLatin1(control.name));
        ASSERT_NE(widget, nullptr) << control.name;
        EXPECT_EQ(widget->pos(), control.geometry.topLeft()) << control.name;
        if (control.geometry.width() > 0) {
            EXPECT_EQ(widget->size(), control.geometry.size()) << control.name;
        }
        if (control.text.isEmpty()) continue;
        QString text;
        if (auto* label = qobject_cast<QLabel*>(widget)) text = label->text();
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) text = edit->text();
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) text = button->text();
        if (auto* group = qobject_cast<QGroupBox*>(widget)) text = group->title();
        EXPECT_EQ(text, control.text) << control.name;
    }
}

}  // namespace
}  // namespace mosaren::testing_ui
