#pragma once

// The picture of a preview (PaintBox in the open dialogs, Image in the preview window):
// stretched proportionally and centred by FitPictureRect, nearest pixel, nothing drawn around
// it, so whatever lies behind shows through.

#include <QImage>
#include <QWidget>

#include "preview_picture.h"

namespace mosaren {

class TFittedPicture : public QWidget {
    Q_OBJECT

public:
    explicit TFittedPicture(QWidget* parent = nullptr);

    const TPreviewPicture& Picture() const { return mPicture; }
    void SetPicture(TPreviewPicture picture);
    // Where the picture falls in the widget now.
    QRect PictureRect() const;

signals:
    void DoubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    TPreviewPicture mPicture;
    // The last stretch, kept while the picture and its rectangle stay the same.
    QImage mStretched;
};

}  // namespace mosaren
