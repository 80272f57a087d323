// Start-up's own rules: the display depth it sets and the box for a failure while the windows
// are built.

#include <gtest/gtest.h>

#include "raster/exceptions.h"
#include "support/modal_answers.h"
#include "ui/error_box.h"
#include "ui/start_up.h"

namespace mosaren::testing_ui {
namespace {

TEST(StartUp, TheDisplayDepthFollowsTheScreen) {
    const struct {
        int screen;
        int stored;
    } cases[] = {{16, 16}, {24, 32}, {32, 32}, {8, 32}, {15, 32}, {30, 32}, {0, 32}};
    for (const auto& c : cases) EXPECT_EQ(DisplayDepthFor(c.screen), c.stored) << c.screen;
}

TEST(StartUp, AFailureWhileTheWindowsAreBuiltShowsTheApplicationErrorBoxAndEndsWithOne) {
    ErrorBoxRecorder boxes;
    const int code = RunWindows([]() -> TWindows { throw EInvalidGraphic(messages::kInvalidBitmap); });
    EXPECT_EQ(code, 1);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const BoxSeen& box = boxes.Boxes().front();
    EXPECT_EQ(box.title, QStringLiteral("Application Error"));
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.buttonCount, 1);
    EXPECT_TRUE(box.text.startsWith(QStringLiteral("Exception EInvalidGraphic in module ui_tests at ")))
        << box.text.toStdString();
    EXPECT_TRUE(box.text.endsWith(QStringLiteral(".\nBitmap image is not valid.")))
        << box.text.toStdString();
}

TEST(StartUp, LackOfMemoryWhileBuildingIsNamedAsSuch) {
    ErrorBoxRecorder boxes;
    EXPECT_EQ(RunWindows([]() -> TWindows { throw std::bad_alloc(); }), 1);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_TRUE(boxes.Boxes().front().text.startsWith(QStringLiteral("Exception EOutOfMemory ")));
    EXPECT_TRUE(boxes.Boxes().front().text.endsWith(QStringLiteral("\nOut of memory.")));
}

TEST(StartUp, TheApplicationErrorTextFollowsItsTemplate) {
    const struct {
        QString message;
        QString expected;
    } cases[] = {
        {QStringLiteral("Bitmap image is not valid"),
         QStringLiteral("Exception EInvalidGraphic in module mosaren at 0000BEEF.\nBitmap image is not valid.")},
        {QStringLiteral("Ends in a stop."),
         QStringLiteral("Exception EInvalidGraphic in module mosaren at 0000BEEF.\nEnds in a stop.")},
        {QString(), QStringLiteral("Exception EInvalidGraphic in module mosaren at 0000BEEF.\n")},
        // Unlike the error box, anything but a full stop gets one here.
        {QStringLiteral("line\r\n"),
         QStringLiteral("Exception EInvalidGraphic in module mosaren at 0000BEEF.\nline\r\n.")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ApplicationErrorText(QStringLiteral("EInvalidGraphic"), QStringLiteral("mosaren"),
                                       0xBEEF, c.message),
                  c.expected);
    }
}

}  // namespace
}  // namespace mosaren::testing_ui
