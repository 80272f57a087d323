#pragma once

// The main window: the black column of five buttons and the two previews the tile commands
// fill. It owns the three file dialogs the commands run and the tile-making module.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "tiling/file_dialog.h"
#include "tiling/tile_settings.h"

namespace Ui {
class TForm1;
}

namespace mosaren {

class TBitmapPreview;
class Tiler;

// The dialogs of the two commands: OpenDialog and SaveDialog for the single texture,
// AllDialog, with multiple selection, for the batch.
struct TFileDialogs {
    std::unique_ptr<FileDialog> OpenDialog;
    std::unique_ptr<FileDialog> SaveDialog;
    std::unique_ptr<FileDialog> AllDialog;
};
// Makes the dialogs for the window that owns them; tests pass dialogs that answer by themselves.
using FileDialogFactory = std::function<TFileDialogs(QWidget& owner)>;
TFileDialogs MakeQtFileDialogs(QWidget& owner);

class TForm1 : public QWidget {
    Q_OBJECT

public:
    explicit TForm1(TTileSettings& settings, const FileDialogFactory& makeDialogs = MakeQtFileDialogs,
                    QWidget* parent = nullptr);
    ~TForm1() override;

    // The windows "О тайлере" and "Параметры" show; start-up makes them after this one.
    void SetSecondaryWindows(QWidget* about, QWidget* param);

    TBitmapPreview& TexturePreview();
    TBitmapPreview& TilePreview();
    FileDialog& OpenDialog() { return *mDialogs.OpenDialog; }
    FileDialog& SaveDialog() { return *mDialogs.SaveDialog; }
    FileDialog& AllDialog() { return *mDialogs.AllDialog; }

signals:
    // The window was closed, by "Выход" or its title bar: the application ends.
    void Closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void LoadClick();
    void AllClick();
    void SpeedButton4Click();
    void AboutClick();
    void ExitClick();

    std::unique_ptr<Ui::TForm1> ui;
    TTileSettings& mSettings;
    TFileDialogs mDialogs;
    std::unique_ptr<Tiler> mTiler;
    QPointer<QWidget> mAbout;
    QPointer<QWidget> mParam;
    bool mPlaced = false;
};

// Makes a modeless window visible and brings it to the front.
void ShowModeless(QWidget& window);

}  // namespace mosaren
