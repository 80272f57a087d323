#include "silent_paint_panel.h"

#include <QChildEvent>
#include <QPainter>
#include <exception>

namespace mosaren {

namespace {

// One bevel line around rect: topLeft along the top and left edges, bottomRight along the
// bottom and right edges.
void DrawBevel(QPainter& painter, const QRect& rect, const QColor& topLeft,
               const QColor& bottomRight) {
    painter.setPen(topLeft);
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
}

}  // namespace

TSilentPaintPanel::TSilentPaintPanel(QWidget* parent) : QWidget(parent) {
    // A lowered outer and a raised inner bevel, one pixel each.
    setContentsMargins(2, 2, 2, 2);
    // Its own painting passes the same guard as that of its controls.
    installEventFilter(this);
}

void TSilentPaintPanel::SetCaption(const QString& caption) {
    // Only a change repaints: a picture that keeps failing would otherwise repaint forever.
    if (caption == mCaption) return;
    mCaption = caption;
    update();
}

void TSilentPaintPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect outer = rect();
    DrawBevel(painter, outer, palette().color(QPalette::Dark), palette().color(QPalette::Light));
    DrawBevel(painter, outer.adjusted(1, 1, -1, -1), palette().color(QPalette::Light),
              palette().color(QPalette::Dark));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), Qt::AlignCenter, mCaption);
}

void TSilentPaintPanel::childEvent(QChildEvent* event) {
    if (event->child()->isWidgetType()) {
        if (event->added()) event->child()->installEventFilter(this);
        if (event->removed()) event->child()->removeEventFilter(this);
    }
    QWidget::childEvent(event);
}

bool TSilentPaintPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint) return false;
    // Painted here, inside the guard, instead of on the event's usual way.
    try {
        watched->event(event);
    } catch (const std::exception&) {
        SetCaption(QString::fromLatin1(kInvalidImageCaption));
    }
    return true;
}

}  // namespace mosaren
