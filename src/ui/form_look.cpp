#include "form_look.h"

#include <QPalette>
#include <QStringList>
#include <QWidget>

namespace mosaren {

namespace {
// Liberation Sans comes with fonts-liberation2; Arimo, the face it was made from, has the same
// metrics.
const QStringList kFacesOfLikeMetrics{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")};
}  // namespace

QFont PixelFont(const QString& family, int pixels, bool bold) {
    QFont font;
    font.setFamilies(QStringList{family} + kFacesOfLikeMetrics);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QFont FormFont() { return PixelFont(QStringLiteral("MS Sans Serif"), 11); }

void SetBackground(QWidget& widget, const QColor& colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void SetTextColour(QWidget& widget, const QColor& colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    palette.setColor(QPalette::Text, colour);
    widget.setPalette(palette);
}

}  // namespace mosaren
