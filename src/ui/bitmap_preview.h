#pragma once

// A preview of the main window: a white box showing its own copy of a bitmap, unscaled. The
// tile commands give the copy with TBitmap::AssignImage; the bitmap's change notice makes the
// box take the new picture and repaint.

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QWidget>

#include "raster/bitmap.h"

namespace mosaren {

class TBitmapPreview : public QWidget {
    Q_OBJECT

public:
    enum class Placement {
        TopLeft,  // the picture's top-left corner at the box's
        Centred,  // the picture in the middle of the box
    };

    explicit TBitmapPreview(QWidget* parent = nullptr);

    // The bitmap this preview shows; it lives as long as the preview.
    TBitmap& Picture() { return mPicture; }
    // What is drawn: the picture as of its last change notice.
    const QImage& Shown() const { return mShown; }

    void SetPlacement(Placement placement);
    // Where the picture's top-left corner falls in the box.
    QPoint PictureOrigin() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void TakePicture();

    TBitmap mPicture;
    QImage mShown;
    Placement mPlacement = Placement::TopLeft;
};

// The top-left corner that centres a picture in a box: (box − picture) div 2 each way, the
// division truncating toward zero.
QPoint CentredOrigin(const QSize& box, const QSize& picture);

}  // namespace mosaren
