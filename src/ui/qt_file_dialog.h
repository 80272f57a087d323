#pragma once

// The file dialogs of the desktop program: Qt's own file dialog (not the desktop's native
// one), run modally, with the one filter "Bitmap" for *.bmp, no overwrite question and no
// added suffix, pre-filled with the last accepted name, placed centred across and one third
// down the active window's monitor. The floating-point environment is the same after a run
// as before it.

#include <QFileDialog>
#include <QString>

#include "tiling/file_dialog.h"

namespace mosaren {

// The filter of every dialog; Qt shows only its name, "Bitmap".
inline constexpr const char* kBitmapFilter = "Bitmap (*.bmp)";

class TFileDialogWindow;

class TQtFileDialog : public FileDialog {
public:
    enum class Kind {
        Open,          // one texture; a typed name that does not exist is accepted
        OpenMultiple,  // any number of textures
        Save,          // the tile's name, taken as typed
    };

    // owner: the window the dialog belongs to and stands over while it runs.
    TQtFileDialog(Kind kind, QWidget& owner);

    Kind DialogKind() const { return mKind; }

protected:
    Outcome Run(const std::string& prefilledName, int filterIndex) override;

    // A subclass adds to the dialog before it is shown and takes its additions back after it
    // closed (the dialog is made afresh for every run).
    virtual void PrepareDialog(TFileDialogWindow& dialog);
    virtual void FinishDialog(TFileDialogWindow& dialog);

private:
    Kind mKind;
    QWidget& mOwner;
};

// The dialog window itself. It places itself when it is shown and, in a multiple selection,
// accepts typed names of files that do not exist, as the single selection does: the failure
// comes when the command reads them.
class TFileDialogWindow : public QFileDialog {
    Q_OBJECT

public:
    TFileDialogWindow(TQtFileDialog::Kind kind, QWidget* owner);

    void accept() override;

signals:
    // The dialog has been laid out and placed on the screen, and is about to be seen.
    void Initialised();

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace mosaren
