#pragma once

// A picture shown pixel for pixel at a whole zoom (1×, 2×, 4×, 8×): each picture pixel a square
// of zoom × zoom screen pixels, never smoothed, on a checkerboard where it is transparent, or on
// the mask colour, as a BMP tile shows it. The pixel grid is drawn from 4× up, where a pixel is
// large enough to see between the lines.

#include <QColor>
#include <QImage>
#include <QWidget>

namespace mosaren::studio {

class PixelView : public QWidget {
    Q_OBJECT
public:
    explicit PixelView(QWidget* parent = nullptr);

    void SetImage(const QImage& image);
    const QImage& Image() const { return mImage; }
    void SetZoom(int zoom);
    int Zoom() const { return mZoom; }
    void SetGrid(bool on);
    // An invalid colour: the checkerboard.
    void SetMaskColour(const QColor& colour);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage mImage;
    int mZoom = 2;
    bool mGrid = false;
    QColor mMask;
};

}  // namespace mosaren::studio
