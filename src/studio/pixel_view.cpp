#include "pixel_view.h"

#include <QPainter>

namespace mosaren::studio {

namespace {
constexpr int kCheckSide = 8;
constexpr int kGridFrom = 4;
}  // namespace

PixelView::PixelView(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void PixelView::SetImage(const QImage& image) {
    mImage = image.convertToFormat(QImage::Format_ARGB32);
    resize(sizeHint());
    updateGeometry();
    update();
}

void PixelView::SetZoom(int zoom) {
    mZoom = zoom;
    resize(sizeHint());
    updateGeometry();
    update();
}

void PixelView::SetGrid(bool on) {
    mGrid = on;
    update();
}

void PixelView::SetMaskColour(const QColor& colour) {
    mMask = colour;
    update();
}

QSize PixelView::sizeHint() const {
    if (mImage.isNull()) return {0, 0};
    return mImage.size() * mZoom;
}

void PixelView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (mImage.isNull()) return;
    const QRect area(QPoint(0, 0), mImage.size() * mZoom);
    if (mMask.isValid()) {
        painter.fillRect(area, mMask);
    } else {
        for (int y = 0; y < area.height(); y += kCheckSide) {
            for (int x = 0; x < area.width(); x += kCheckSide) {
                const bool dark = (x / kCheckSide + y / kCheckSide) % 2 != 0;
                painter.fillRect(QRect(x, y, kCheckSide, kCheckSide),
                                 dark ? QColor(0xCC, 0xCC, 0xCC) : QColor(0xFF, 0xFF, 0xFF));
            }
        }
    }
    // A whole-number scale of the picture, each pixel repeated: never smoothed.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(area,
                      mImage.scaled(area.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation));
    if (mGrid && mZoom >= kGridFrom) {
        painter.setPen(QColor(0, 0, 0, 60));
        for (int x = 0; x <= area.width(); x += mZoom) painter.drawLine(x, 0, x, area.height());
        for (int y = 0; y <= area.height(); y += mZoom) painter.drawLine(0, y, area.width(), y);
    }
}

}  // namespace mosaren::studio
