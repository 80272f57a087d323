#include "bitmap_preview.h"

#include <QPainter>

#include "bitmap_image.h"

namespace mosaren {

TBitmapPreview::TBitmapPreview(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    mPicture.SetChangeListener([this] { TakePicture(); });
}

void TBitmapPreview::SetPlacement(Placement placement) {
    mPlacement = placement;
    update();
}

QPoint TBitmapPreview::PictureOrigin() const {
    if (mPlacement == Placement::TopLeft || mShown.isNull()) return {0, 0};
    return CentredOrigin(size(), mShown.size());
}

void TBitmapPreview::TakePicture() {
    // Converted here, inside the command that changed the picture, so that painting cannot fail.
    mShown = ToQImage(mPicture);
    update();
}

void TBitmapPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!mShown.isNull()) painter.drawImage(PictureOrigin(), mShown);
}

QPoint CentredOrigin(const QSize& box, const QSize& picture) {
    return {(box.width() - picture.width()) / 2, (box.height() - picture.height()) / 2};
}

}  // namespace mosaren
