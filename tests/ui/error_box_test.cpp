// The error box and the one top-level handler that shows it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QTest>
#include <new>

#include "raster/exceptions.h"
#include "support/modal_answers.h"
#include "support/program_under_test.h"
#include "ui/error_box.h"
#include "ui/report_failure.h"

namespace mosaren::testing_ui {
namespace {

struct FullStopCase {
    QString message;
    bool stopAdded;
};

TEST(ErrorBox, AddsOneFullStopWhenTheLastCharacterSortsAfterIt) {
    const FullStopCase cases[] = {
        {QStringLiteral("'1a' is not a valid integer value"), true},
        {QStringLiteral("Cannot open file /tex/gone.bmp"), true},
        {QStringLiteral("Cannot create file /out/grass.bmp"), true},
        {QStringLiteral("Stream read error"), true},
        {QStringLiteral("Stream write error"), true},
        {QStringLiteral("Bitmap image is not valid"), true},
        {QStringLiteral("Canvas does not allow drawing"), true},
        {QStringLiteral("Out of system resources"), true},
        {QStringLiteral("Out of memory"), true},
        {QStringLiteral("System Error.  Code: 13.\r\nPermission denied"), true},
        // An empty platform text leaves the message ending in a line feed.
        {QStringLiteral("System Error.  Code: 13.\r\n"), false},
        {QStringLiteral("platform text\r\n"), false},
        {QStringLiteral("Already stopped."), false},
        {QStringLiteral("(in brackets)"), false},
        {QStringLiteral("quoted\""), false},
        {QStringLiteral("apostrophe'"), false},
        {QStringLiteral("comma,"), false},
        {QStringLiteral("hyphen-"), false},
        {QStringLiteral("Bang!"), false},
        {QStringLiteral("blank "), false},
        {QStringLiteral("digit 7"), true},
        {QStringLiteral("colon:"), true},
        {QStringLiteral("question?"), true},
        {QStringLiteral("[bracket]"), true},
        {QStringLiteral("Кириллица"), true},
        {QString(), false},
    };
    for (const FullStopCase& c : cases) {
        const QString expected = c.stopAdded ? c.message + QLatin1Char('.') : c.message;
        EXPECT_EQ(ErrorBoxText(c.message), expected) << c.message.toStdString();
    }
}

TEST(ErrorBox, IsTitledWithTheApplicationTitleAndModalToTheWholeApplication) {
    ProgramUnderTest program;
    program.Start();
    ErrorBoxRecorder boxes;
    ShowErrorBox(QStringLiteral("Stream read error"));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const BoxSeen& box = boxes.Boxes().front();
    EXPECT_EQ(box.title, QStringLiteral("Mosaren"));
    EXPECT_EQ(box.text, QStringLiteral("Stream read error."));
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.buttonCount, 1);
    EXPECT_TRUE(box.applicationModal);
    EXPECT_TRUE(box.mainWindowBlocked);
}

TEST(ErrorBox, GivesBackTheActiveWindowAndTheFocus) {
    ProgramUnderTest program;
    program.Start();
    TfrmParam& param = *program.windows.frmParam;
    param.show();
    QApplication::setActiveWindow(&param);
    auto* edit = param.findChild<QLineEdit*>(QStringLiteral("Edit2"));
    edit->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), edit);

    {
        ErrorBoxRecorder boxes;
        ShowErrorBox(QStringLiteral("Out of memory"));
        ASSERT_EQ(boxes.Boxes().size(), 1u);
    }
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &param);
    EXPECT_EQ(QApplication::focusWidget(), edit);
}

TEST(ReportFailure, EndsAMouseGrabBeforeTheBoxShows) {
    ProgramUnderTest program;
    program.Start();
    program.Form1().grabMouse();
    ASSERT_EQ(QWidget::mouseGrabber(), &program.Form1());
    ErrorBoxRecorder boxes;
    RunGuarded([] { throw EReadError(messages::kStreamRead); });
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, QStringLiteral("Stream read error."));
}

TEST(ReportFailure, TheRestOfAFailedHandlerDoesNotRunAndTheNextOneDoes) {
    ErrorBoxRecorder boxes;
    bool restRan = false;
    RunGuarded([&] {
        throw std::bad_alloc();
        restRan = true;
    });
    bool nextRan = false;
    RunGuarded([&] { nextRan = true; });
    EXPECT_FALSE(restRan);
    EXPECT_TRUE(nextRan);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, QStringLiteral("Out of memory."));
}

// A handler of an event that fails outside any connected handler.
class FailingObject : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User) throw CannotCreateFile("/out/grass.bmp");
        return QObject::event(event);
    }
};

TEST(ReportFailure, TheApplicationCatchesWhatLeavesAnEventHandler) {
    ErrorBoxRecorder boxes;
    FailingObject failing;
    QCoreApplication::postEvent(&failing, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, QStringLiteral("Cannot create file /out/grass.bmp."));
}

}  // namespace
}  // namespace mosaren::testing_ui
