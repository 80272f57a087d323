#include "fitted_picture.h"

#include <QPainter>

#include "fit_picture_rect.h"

namespace mosaren {

TFittedPicture::TFittedPicture(QWidget* parent) : QWidget(parent) {}

void TFittedPicture::SetPicture(TPreviewPicture picture) {
    mPicture = std::move(picture);
    mStretched = QImage();
    update();
}

QRect TFittedPicture::PictureRect() const {
    const QSize picture = mPicture.Size();
    const TRect fitted = FitPictureRect(picture.width(), picture.height(), width(), height());
    return QRect(QPoint(fitted.left, fitted.top), QPoint(fitted.right - 1, fitted.bottom - 1));
}

void TFittedPicture::paintEvent(QPaintEvent*) {
    if (mPicture.IsNone()) return;
    const QRect target = PictureRect();
    if (mStretched.size() != target.size()) mStretched = mPicture.Stretched(target.size());
    if (mStretched.isNull()) return;
    QPainter painter(this);
    painter.drawImage(target.topLeft(), mStretched);
}

void TFittedPicture::mouseDoubleClickEvent(QMouseEvent*) { emit DoubleClicked(); }

}  // namespace mosaren
