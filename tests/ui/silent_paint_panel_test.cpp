// The panel under the dialogs' preview picture: a failure while it or a control on it paints
// turns its caption into "Invalid image" and reaches no error box.

#include <gtest/gtest.h>

#include <QApplication>
#include <stdexcept>

#include "raster/exceptions.h"
#include "support/modal_answers.h"
#include "ui/silent_paint_panel.h"

namespace mosaren::testing_ui {
namespace {

class FailingPainter : public QWidget {
public:
    using QWidget::QWidget;
    int Attempts() const { return mAttempts; }

protected:
    void paintEvent(QPaintEvent*) override {
        ++mAttempts;
        throw EOutOfResources(messages::kOutOfResources);
    }

private:
    int mAttempts = 0;
};

TEST(SilentPaintPanel, AControlThatFailsToPaintTurnsTheCaptionIntoInvalidImage) {
    ErrorBoxRecorder boxes;
    TSilentPaintPanel panel;
    panel.resize(157, 145);
    panel.SetCaption(QStringLiteral("(None)"));
    auto* control = new FailingPainter(&panel);
    control->setGeometry(2, 2, 153, 141);

    panel.grab();
    QApplication::processEvents();

    EXPECT_GT(control->Attempts(), 0);
    EXPECT_EQ(panel.Caption(), QStringLiteral("Invalid image"));
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(SilentPaintPanel, ControlsThatPaintWellLeaveTheCaptionAlone) {
    TSilentPaintPanel panel;
    panel.resize(157, 145);
    panel.SetCaption(QStringLiteral("(None)"));
    auto* control = new QWidget(&panel);
    control->setGeometry(2, 2, 153, 141);
    panel.grab();
    EXPECT_EQ(panel.Caption(), QStringLiteral("(None)"));
}

TEST(SilentPaintPanel, TheCaptionStandsInTheMiddleInsideTwoBevels) {
    TSilentPaintPanel panel;
    panel.resize(157, 145);
    EXPECT_EQ(panel.contentsRect(), QRect(2, 2, 153, 141));
    const QImage empty = panel.grab().toImage();
    panel.SetCaption(QStringLiteral("(None)"));
    const QImage captioned = panel.grab().toImage();
    // The caption's pixels lie around the middle and nowhere near the edges.
    QRect changed;
    for (int y = 0; y < empty.height(); ++y) {
        for (int x = 0; x < empty.width(); ++x) {
            if (empty.pixel(x, y) != captioned.pixel(x, y)) changed |= QRect(x, y, 1, 1);
        }
    }
    ASSERT_FALSE(changed.isEmpty());
    EXPECT_NEAR(changed.center().x(), 157 / 2, 3);
    EXPECT_NEAR(changed.center().y(), 145 / 2, 3);
    // Outer bevel lowered (shadow above, light below), inner raised (light above, shadow below).
    const QRgb dark = panel.palette().color(QPalette::Dark).rgb();
    const QRgb light = panel.palette().color(QPalette::Light).rgb();
    ASSERT_NE(dark, light);
    EXPECT_EQ(empty.pixel(50, 0), dark);
    EXPECT_EQ(empty.pixel(50, 1), light);
    EXPECT_EQ(empty.pixel(50, 143), dark);
    EXPECT_EQ(empty.pixel(50, 144), light);
    EXPECT_EQ(empty.pixel(0, 50), dark);
    EXPECT_EQ(empty.pixel(1, 50), light);
    EXPECT_EQ(empty.pixel(155, 50), dark);
    EXPECT_EQ(empty.pixel(156, 50), light);
}

}  // namespace
}  // namespace mosaren::testing_ui
