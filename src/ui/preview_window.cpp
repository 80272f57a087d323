#include "preview_window.h"

#include <QFrame>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "dialog_placement.h"
#include "fitted_picture.h"

namespace mosaren {

namespace {

constexpr QSize kDefaultOuterSize{320, 240};
// Panel's inner border: the room between its line and the picture.
constexpr int kPanelBorder = 5;

// The client extent that shows a picture extent at its own size, the panel's line and inner
// border around it, but no more than three quarters of the monitor.
int ClientExtent(int monitor, int picture, int aroundPanel) {
    return std::min(monitor * 3 / 4, picture + aroundPanel + 2 * kPanelBorder);
}

}  // namespace

QSize WindowMonitorSize(const QWidget& window) {
    const QScreen* screen = window.screen();
    return screen ? screen->geometry().size() : QSize();
}

TPreviewForm::TPreviewForm(const TPreviewPicture& picture, QWidget& owner,
                           const MonitorSizeOf& monitorSize)
    : QDialog(&owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("PreviewForm"));
    setWindowTitle(QStringLiteral("Preview"));
    // Closing destroys the window; QDialog already closes it on Escape, and nothing on it takes
    // the keyboard focus, so every key reaches the window itself.
    setAttribute(Qt::WA_DeleteOnClose);

    // Qt draws every widget through a back buffer, so the panel needs nothing of its own for that.
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel"));
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setLineWidth(1);
    panel->setBackgroundRole(QPalette::Base);
    panel->setAutoFillBackground(true);
    mImage = new TFittedPicture(panel);
    mImage->setObjectName(QStringLiteral("Image"));
    mImage->SetPicture(picture);

    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(kPanelBorder, kPanelBorder, kPanelBorder, kPanelBorder);
    panelLayout->addWidget(mImage);
    auto* formLayout = new QVBoxLayout(this);
    formLayout->setContentsMargins(0, 0, 0, 0);
    formLayout->addWidget(panel);

    // Until the window manager frames the window its frame is unknown, so the default outer
    // size falls to the client area.
    FitOuterSize(*this, kDefaultOuterSize, QSize());
    const QSize size = picture.Size();
    if (size.width() > 0) {
        formLayout->activate();
        const QSize aroundPanel = this->size() - panel->contentsRect().size();
        const QSize monitor = monitorSize(*this);
        resize(ClientExtent(monitor.width(), size.width(), aroundPanel.width()), height());
        resize(width(), ClientExtent(monitor.height(), size.height(), aroundPanel.height()));
    }
    CentreOnScreen(*this);
}

void RunPreviewWindow(const TPreviewPicture& picture, QWidget& owner,
                      const MonitorSizeOf& monitorSize) {
    (new TPreviewForm(picture, owner, monitorSize))->exec();
}

}  // namespace mosaren
