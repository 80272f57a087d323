#pragma once

// A flat button: only its caption until the mouse rests on it, then a thin raised edge, sunk
// while pressed. It never takes the keyboard focus, so clicking it leaves the focus where the
// user was typing. The caption is drawn in the button's font and ButtonText colour over
// whatever lies behind it.

#include <QAbstractButton>

namespace mosaren {

class TFlatButton : public QAbstractButton {
    Q_OBJECT

public:
    explicit TFlatButton(QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool mHovered = false;
};

}  // namespace mosaren
