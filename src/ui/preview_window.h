#pragma once

// The preview window of the open dialogs, PreviewForm: the previewed picture in a window of its
// own, as large as the picture up to three quarters of the monitor, modal over the dialog.

#include <QDialog>
#include <QSize>
#include <functional>

#include "preview_picture.h"

namespace mosaren {

class TFittedPicture;

// The size of the monitor a window stands on; tests state one of their own.
using MonitorSizeOf = std::function<QSize(const QWidget& window)>;
QSize WindowMonitorSize(const QWidget& window);

class TPreviewForm : public QDialog {
    Q_OBJECT

public:
    TPreviewForm(const TPreviewPicture& picture, QWidget& owner, const MonitorSizeOf& monitorSize);

    TFittedPicture& Image() { return *mImage; }

private:
    TFittedPicture* mImage;
};

// Shows the picture in a new PreviewForm and returns when the window is closed (Escape or its
// close button); the window is gone by then.
void RunPreviewWindow(const TPreviewPicture& picture, QWidget& owner,
                      const MonitorSizeOf& monitorSize = WindowMonitorSize);

}  // namespace mosaren
