#pragma once

// A panel whose painting never reports a failure: when it or a control on it fails while
// painting, the failure is caught and the panel's caption becomes "Invalid image". The open
// dialogs' preview uses it so that a picture that cannot be drawn does not bring up an error
// box at every repaint.

#include <QString>
#include <QWidget>

namespace mosaren {

class TSilentPaintPanel : public QWidget {
    Q_OBJECT

public:
    explicit TSilentPaintPanel(QWidget* parent = nullptr);

    // Drawn in the middle of the area inside the bevels, under the controls on the panel.
    const QString& Caption() const { return mCaption; }
    void SetCaption(const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;
    void childEvent(QChildEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString mCaption;
};

// The caption a panel takes when painting failed.
inline constexpr const char* kInvalidImageCaption = "Invalid image";

}  // namespace mosaren
