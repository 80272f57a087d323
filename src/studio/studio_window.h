#pragma once

// Mosaren Studio's window: the project's textures on the left, the live preview of the selected
// texture's tile (or the transition tiles) and of their map in the middle, the project's
// settings on the right. It edits a tile project (studio_project.h) and exports it by the
// command line's build (export_run.h).

#include <QMainWindow>
#include <QMessageBox>
#include <functional>

#include "preview_worker.h"
#include "studio_project.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;

namespace mosaren::studio {

class ExportRun;
class PixelView;
class SettingsPanel;
class TextureList;

class StudioWindow : public QMainWindow {
    Q_OBJECT
public:
    // exportProgram: the executable that runs the export's process (export_child.h).
    explicit StudioWindow(QString exportProgram, QWidget* parent = nullptr);
    ~StudioWindow() override;

    // The file commands with the file chosen. Each reports a failure in a message box and
    // returns whether it did what it says.
    bool OpenProject(const QString& file);
    bool SaveProjectAs(const QString& file);
    bool SaveProject();
    void NewProject();
    // Saves the project when it has changes (asking for a file when it has none), then builds it.
    void Export();
    void CancelExport();

    const StudioProject& Project() const { return mProject; }
    TextureList* Textures() const { return mTextures; }
    SettingsPanel* Settings() const { return mSettings; }
    PixelView* TileView() const { return mTileView; }
    PixelView* MapView() const { return mMapView; }
    bool PreviewBusy() const { return mPreview.Busy(); }
    bool Exporting() const;
    // What the last export said: its status (-1 cancelled) and its lines.
    int LastExportStatus() const { return mLastExportStatus; }
    QString LastExportReport() const { return mLastExportReport; }
    QStringList RecentFiles() const;

    // How the window asks whether to save changes, replaceable for the tests.
    std::function<QMessageBox::StandardButton()> askToSave;
    // How it asks for a file to save to; an empty name: the user cancelled.
    std::function<QString()> askForSaveFile;

signals:
    void PreviewShown();
    void ExportFinished(int status);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    QWidget* BuildTexturePane();
    QWidget* BuildPreviewPane();
    void ProjectChanged();
    void RequestPreview();
    void ShowPreview(const PreviewResult& result);
    void ShowProject();
    void UpdateTitle();
    // Whether the changes may be dropped: saved, or the user said so.
    bool MayDropChanges();
    void AddRecent(const QString& file);
    void FillRecentMenu();
    void ExportEnded(int status, const QStringList& failures, const QString& summary);

    StudioProject mProject;
    bool mModified = false;
    TextureList* mTextures = nullptr;
    SettingsPanel* mSettings = nullptr;
    PixelView* mTileView = nullptr;
    PixelView* mMapView = nullptr;
    QComboBox* mShow = nullptr;
    QComboBox* mZoom = nullptr;
    QCheckBox* mGrid = nullptr;
    QCheckBox* mMask = nullptr;
    QLabel* mPreviewFailure = nullptr;
    QMenu* mRecentMenu = nullptr;
    QProgressBar* mProgress = nullptr;
    QPushButton* mCancel = nullptr;
    PreviewWorker mPreview;
    ExportRun* mExport = nullptr;
    int mLastExportStatus = 0;
    QString mLastExportReport;
};

}  // namespace mosaren::studio
