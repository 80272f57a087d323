#include "flat_button.h"

#include <QPainter>

namespace mosaren {

TFlatButton::TFlatButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

QSize TFlatButton::sizeHint() const {
    const QSize text = fontMetrics().size(Qt::TextShowMnemonic, this->text());
    return text + QSize(12, 8);
}

void TFlatButton::enterEvent(QEnterEvent* event) {
    mHovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void TFlatButton::leaveEvent(QEvent* event) {
    mHovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void TFlatButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect box = rect().adjusted(0, 0, -1, -1);
    const bool sunk = isDown();
    if (isEnabled() && (mHovered || sunk)) {
        const QColor light = palette().color(QPalette::Light);
        const QColor dark = palette().color(QPalette::Dark);
        painter.setPen(sunk ? dark : light);
        painter.drawLine(box.topLeft(), box.topRight());
        painter.drawLine(box.topLeft(), box.bottomLeft());
        painter.setPen(sunk ? light : dark);
        painter.drawLine(box.bottomLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomRight());
    }
    // A pressed caption moves one pixel down and right, as if pushed in.
    const QRect textBox = sunk ? rect().translated(1, 1) : rect();
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    painter.setPen(palette().color(group, QPalette::ButtonText));
    painter.setFont(font());
    painter.drawText(textBox, Qt::AlignCenter | Qt::TextShowMnemonic, text());
}

}  // namespace mosaren
