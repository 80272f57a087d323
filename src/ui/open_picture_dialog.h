#pragma once

// The picture open dialogs, OpenDialog and AllDialog: Qt's file dialog with a preview area at
// the right of its own controls. The preview shows the picture under the current selection,
// fitted into PaintBox, states its size, and opens it in a window of its own (PreviewForm) from
// PreviewButton or a double click. Nothing the preview loads reaches the commands.

#include <QPointer>
#include <QString>
#include <functional>
#include <string>

#include "preview_picture.h"
#include "preview_window.h"
#include "qt_file_dialog.h"

class QLabel;
class QPushButton;

namespace mosaren {

class TFittedPicture;
class TSilentPaintPanel;

class TOpenPictureDialog : public TQtFileDialog {
public:
    // Reads the picture under a selection; raises a failure when it cannot.
    using PictureLoader = std::function<TPreviewPicture(const std::string& path)>;

    // kind: Open or OpenMultiple. Tests hand in their own loader and monitor.
    TOpenPictureDialog(Kind kind, QWidget& owner, PictureLoader load = LoadPreviewPicture,
                       MonitorSizeOf monitorSize = WindowMonitorSize);

protected:
    void PrepareDialog(TFileDialogWindow& dialog) override;
    void FinishDialog(TFileDialogWindow& dialog) override;

private:
    // The preview area of the running dialog; the dialog owns the widgets.
    struct PreviewArea {
        QPointer<TFileDialogWindow> Dialog;
        QPointer<QWidget> PicturePanel;
        QPointer<QLabel> PictureLabel;
        QPointer<TSilentPaintPanel> PaintPanel;
        QPointer<TFittedPicture> PaintBox;
        QPointer<QPushButton> PreviewButton;
    };

    void PlacePreview();
    void UpdatePreview(const QString& path);
    void ShowPreviewWindow();
    void ShowPicture(TPreviewPicture picture);
    void ShowNoPicture();

    PictureLoader mLoad;
    MonitorSizeOf mMonitorSize;
    PreviewArea mArea;
    std::string mLastPreviewedName;
    // What the label and the button showed when the dialog last closed; the next run starts
    // with them, until its first selection change.
    QString mLabelText;
    bool mButtonEnabled = false;
};

}  // namespace mosaren
