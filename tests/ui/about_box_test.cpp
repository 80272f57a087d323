// The About box as the user sees it.

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QTextLayout>

#include "support/program_under_test.h"
#include "ui/flat_button.h"

namespace mosaren::testing_ui {
namespace {

TEST(AboutBox, ShowsTheLogoTheNameTheDescriptionAndTheContactLine) {
    ProgramUnderTest program;
    TfrmAbout& about = *program.windows.frmAbout;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("О программе..."));
    EXPECT_EQ(about.size(), QSize(186, 240));
    EXPECT_EQ(about.palette().color(QPalette::Window), QColor(Qt::white));

    auto label = [&](const char* name) {
        auto* found = about.findChild<QLabel*>(QString::fromLatin1(name));
        if (!found) throw std::runtime_error(name);
        return found;
    };
    EXPECT_EQ(label("Image1")->geometry(), QRect(16, 8, 161, 49));
    EXPECT_EQ(label("Image1")->pixmap().size(), QSize(160, 50));
    EXPECT_EQ(label("Label1")->text(), QStringLiteral("Mosaren 1.5"));
    EXPECT_EQ(label("Label1")->font().pixelSize(), 16);
    EXPECT_TRUE(label("Label1")->font().bold());
    // The runs of spaces place the line breaks in the 155-pixel width.
    EXPECT_EQ(label("Label2")->text(),
              QStringLiteral("Программа для создания") + QString(8, QLatin1Char(' ')) +
                  QStringLiteral("тайлов.") + QString(36, QLatin1Char(' ')) +
                  QStringLiteral("Компонент проекта Sorvane"));
    EXPECT_TRUE(label("Label2")->wordWrap());
    EXPECT_EQ(label("Label2")->geometry(), QRect(16, 88, 155, 39));
    EXPECT_TRUE(label("StaticText1")->text().contains(QStringLiteral("2003")));
    EXPECT_EQ(label("Label3")->palette().color(QPalette::WindowText), QColor(244, 122, 0));
}

TEST(AboutBox, TheRunsOfSpacesBreakTheDescriptionIntoItsThreeLines) {
    ProgramUnderTest program;
    auto* description = program.windows.frmAbout->findChild<QLabel*>(QStringLiteral("Label2"));
    ASSERT_NE(description, nullptr);
    // Laid out as the label draws it: word-wrapped in its width, in the font it resolves.
    QTextLayout layout(description->text(), description->font());
    QTextOption option(description->alignment());
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(description->contentsRect().width());
        lines << description->text().mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    EXPECT_EQ(lines.join(QLatin1Char('|')).toStdString(),
              "Программа для создания|тайлов.|Компонент проекта Sorvane");
}

TEST(AboutBox, DoneHidesItAndTheButtonShowsItAgain) {
    ProgramUnderTest program;
    program.Start();
    TfrmAbout& about = *program.windows.frmAbout;
    QTest::mouseClick(program.Form1().findChild<QWidget*>(QStringLiteral("About")), Qt::LeftButton);
    ASSERT_TRUE(about.isVisible());
    QTest::mouseClick(about.findChild<TFlatButton*>(QStringLiteral("SpeedButton1")), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    QTest::mouseClick(program.Form1().findChild<QWidget*>(QStringLiteral("About")), Qt::LeftButton);
    EXPECT_TRUE(about.isVisible());
}

}  // namespace
}  // namespace mosaren::testing_ui
