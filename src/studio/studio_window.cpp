#include "studio_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>
#include <exception>

#include "cli/console.h"
#include "export_run.h"
#include "pixel_view.h"
#include "settings_panel.h"
#include "texture_list.h"

namespace mosaren::studio {

namespace {

constexpr int kZooms[] = {1, 2, 4, 8};
constexpr int kRecentCount = 8;
const QString kRecentKey = QStringLiteral("recentFiles");
// The preview's zoom, the same for the tile and the map, kept from one start to the next.
const QString kZoomKey = QStringLiteral("previewZoom");
constexpr int kDefaultZoom = 2;

QScrollArea* Scrolled(QWidget* content, QWidget* parent) {
    auto* area = new QScrollArea(parent);
    area->setWidget(content);
    area->setAlignment(Qt::AlignCenter);
    area->setBackgroundRole(QPalette::Dark);
    return area;
}

}  // namespace

StudioWindow::StudioWindow(QString exportProgram, QWidget* parent)
    : QMainWindow(parent), mExport(new ExportRun(std::move(exportProgram), this)) {
    setObjectName(QStringLiteral("studioWindow"));
    askToSave = [this] {
        return QMessageBox::question(this, tr("Mosaren Studio"),
                                     tr("The project has changes that are not saved. Save them?"),
                                     QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                     QMessageBox::Save);
    };
    askForSaveFile = [this] {
        return QFileDialog::getSaveFileName(
            this, tr("Save project"), QStringLiteral("mosaren.toml"), tr("Tile projects (*.toml)"));
    };

    auto* splitter = new QSplitter(this);
    splitter->addWidget(BuildTexturePane());
    splitter->addWidget(BuildPreviewPane());
    mSettings = new SettingsPanel;
    auto* settingsArea = new QScrollArea(splitter);
    settingsArea->setWidget(mSettings);
    settingsArea->setWidgetResizable(true);
    settingsArea->setMinimumWidth(mSettings->sizeHint().width() + 24);
    splitter->addWidget(settingsArea);
    splitter->setStretchFactor(1, 1);
    setCentralWidget(splitter);

    mProgress = new QProgressBar(this);
    mProgress->setObjectName(QStringLiteral("exportProgress"));
    mCancel = new QPushButton(tr("Cancel"), this);
    mCancel->setObjectName(QStringLiteral("cancelExport"));
    statusBar()->addPermanentWidget(mProgress);
    statusBar()->addPermanentWidget(mCancel);
    mProgress->hide();
    mCancel->hide();
    connect(mCancel, &QPushButton::clicked, this, &StudioWindow::CancelExport);

    BuildMenus();
    connect(mSettings, &SettingsPanel::Changed, this, &StudioWindow::ProjectChanged);
    connect(mTextures, &TextureList::TexturesChanged, this, &StudioWindow::ProjectChanged);
    connect(mTextures, &QListWidget::currentRowChanged, this, &StudioWindow::RequestPreview);
    // A folder's or a pattern's first picture is known once the entry is read.
    connect(mTextures, &TextureList::TextureRead, this, [this](const QString& path) {
        const QListWidgetItem* current = mTextures->currentItem();
        if (current != nullptr && current->data(Qt::UserRole).toString() == path) RequestPreview();
    });
    connect(&mPreview, &PreviewWorker::Ready, this, &StudioWindow::ShowPreview);
    connect(mExport, &ExportRun::Progress, this, [this](int done, int total, const QString& line) {
        if (total > 0) {
            mProgress->setRange(0, total);
            mProgress->setValue(done);
        }
        statusBar()->showMessage(line);
    });
    connect(mExport, &ExportRun::Finished, this, &StudioWindow::ExportEnded);

    ShowProject();
    resize(1200, 720);
}

StudioWindow::~StudioWindow() = default;

void StudioWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&New project"), QKeySequence::New, this, [this] {
        if (MayDropChanges()) NewProject();
    });
    file->addAction(tr("&Open project…"), QKeySequence::Open, this, [this] {
        if (!MayDropChanges()) return;
        const QString chosen = QFileDialog::getOpenFileName(this, tr("Open project"), {},
                                                            tr("Tile projects (*.toml)"));
        if (!chosen.isEmpty()) OpenProject(chosen);
    });
    mRecentMenu = file->addMenu(tr("Open &recent"));
    FillRecentMenu();
    file->addAction(tr("&Save"), QKeySequence::Save, this, [this] { SaveProject(); });
    file->addAction(tr("Save &as…"), QKeySequence::SaveAs, this, [this] {
        const QString chosen = askForSaveFile();
        if (!chosen.isEmpty()) SaveProjectAs(chosen);
    });
    file->addSeparator();
    file->addAction(tr("Add &textures…"), this, [this] {
        const QStringList chosen = QFileDialog::getOpenFileNames(this, tr("Add textures"));
        mTextures->AddPaths(chosen);
    });
    file->addAction(tr("Add a &folder…"), this, [this] {
        const QString chosen = QFileDialog::getExistingDirectory(this, tr("Add a folder"));
        if (!chosen.isEmpty()) mTextures->AddPaths({chosen});
    });
    file->addSeparator();
    file->addAction(tr("&Export"), QKeySequence(Qt::CTRL | Qt::Key_E), this, &StudioWindow::Export);
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);
}

QWidget* StudioWindow::BuildTexturePane() {
    auto* pane = new QWidget;
    auto* layout = new QVBoxLayout(pane);
    layout->addWidget(new QLabel(tr("Textures (drop files or folders here)"), pane));
    mTextures = new TextureList(pane);
    mTextures->setObjectName(QStringLiteral("textures"));
    layout->addWidget(mTextures, 1);
    auto* buttons = new QHBoxLayout;
    auto* add = new QPushButton(tr("Add…"), pane);
    auto* remove = new QPushButton(tr("Remove"), pane);
    buttons->addWidget(add);
    buttons->addWidget(remove);
    layout->addLayout(buttons);
    connect(add, &QPushButton::clicked, this, [this] {
        mTextures->AddPaths(QFileDialog::getOpenFileNames(this, tr("Add textures")));
    });
    connect(remove, &QPushButton::clicked, mTextures, &TextureList::RemoveSelected);
    pane->setMinimumWidth(220);
    return pane;
}

QWidget* StudioWindow::BuildPreviewPane() {
    auto* pane = new QWidget;
    auto* layout = new QVBoxLayout(pane);
    auto* controls = new QHBoxLayout;
    mShow = new QComboBox(pane);
    mShow->setObjectName(QStringLiteral("show"));
    mShow->addItems({tr("Selected texture"), tr("Transition tiles")});
    mZoom = new QComboBox(pane);
    mZoom->setObjectName(QStringLiteral("zoom"));
    for (const int zoom : kZooms) mZoom->addItem(tr("%1×").arg(zoom), zoom);
    const int remembered = mZoom->findData(QSettings().value(kZoomKey, kDefaultZoom).toInt());
    mZoom->setCurrentIndex(remembered >= 0 ? remembered : mZoom->findData(kDefaultZoom));
    mGrid = new QCheckBox(tr("Pixel grid"), pane);
    mGrid->setObjectName(QStringLiteral("grid"));
    mMask = new QCheckBox(tr("Mask colour"), pane);
    mMask->setObjectName(QStringLiteral("maskBackground"));
    controls->addWidget(new QLabel(tr("Show"), pane));
    controls->addWidget(mShow);
    controls->addWidget(new QLabel(tr("Zoom"), pane));
    controls->addWidget(mZoom);
    controls->addWidget(mGrid);
    controls->addWidget(mMask);
    controls->addStretch(1);
    layout->addLayout(controls);

    mTileView = new PixelView;
    mTileView->setObjectName(QStringLiteral("tileView"));
    mMapView = new PixelView;
    mMapView->setObjectName(QStringLiteral("mapView"));
    for (PixelView* view : {mTileView, mMapView}) view->SetZoom(mZoom->currentData().toInt());
    layout->addWidget(new QLabel(tr("Tile"), pane));
    layout->addWidget(Scrolled(mTileView, pane), 1);
    layout->addWidget(new QLabel(tr("Map"), pane));
    layout->addWidget(Scrolled(mMapView, pane), 2);
    mPreviewFailure = new QLabel(pane);
    mPreviewFailure->setObjectName(QStringLiteral("previewFailure"));
    mPreviewFailure->setWordWrap(true);
    mPreviewFailure->setStyleSheet(QStringLiteral("color: #b00000"));
    layout->addWidget(mPreviewFailure);

    const auto showOptions = [this] {
        for (PixelView* view : {mTileView, mMapView}) {
            view->SetZoom(mZoom->currentData().toInt());
            view->SetGrid(mGrid->isChecked());
            view->SetMaskColour(mMask->isChecked() ? mSettings->MaskColour() : QColor());
        }
    };
    connect(mZoom, &QComboBox::currentIndexChanged, this, showOptions);
    connect(mZoom, &QComboBox::currentIndexChanged, this,
            [this] { QSettings().setValue(kZoomKey, mZoom->currentData().toInt()); });
    connect(mGrid, &QCheckBox::toggled, this, showOptions);
    connect(mMask, &QCheckBox::toggled, this, showOptions);
    connect(mShow, &QComboBox::currentIndexChanged, this, &StudioWindow::RequestPreview);
    return pane;
}

void StudioWindow::ProjectChanged() {
    mSettings->Apply(mProject);
    mProject.SetTextures(mTextures->Textures());
    mModified = true;
    UpdateTitle();
    if (mMask->isChecked()) mTileView->SetMaskColour(mSettings->MaskColour());
    if (mMask->isChecked()) mMapView->SetMaskColour(mSettings->MaskColour());
    RequestPreview();
}

void StudioWindow::RequestPreview() {
    PreviewRequest request;
    if (mShow->currentIndex() == 0) {
        request.texture = mTextures->CurrentTexture();
        if (!request.texture.empty()) request.kind = PreviewRequest::Kind::Tile;
        request.keys = mProject.ShapingKeys(kTilesSet);
    } else {
        const StudioProject::Transitions transitions = mProject.TransitionTiles();
        request.terrainA = transitions.terrainA;
        request.terrainB = transitions.terrainB;
        if (!request.terrainA.empty()) request.kind = PreviewRequest::Kind::Transitions;
        request.keys = mProject.ShapingKeys(kTransitionsSet);
    }
    mPreview.Request(std::move(request));
}

void StudioWindow::ShowPreview(const PreviewResult& result) {
    mTileView->SetImage(result.tiles);
    mMapView->SetImage(result.map);
    mPreviewFailure->setText(result.failure);
    emit PreviewShown();
}

void StudioWindow::ShowProject() {
    mSettings->Load(mProject);
    mTextures->SetTextures(mProject.Textures());
    mModified = false;
    UpdateTitle();
    RequestPreview();
}

void StudioWindow::UpdateTitle() {
    const QString name = mProject.File().empty()
                             ? tr("Untitled")
                             : QFileInfo(QString::fromStdString(mProject.File())).fileName();
    setWindowTitle(tr("%1[*] — Mosaren Studio").arg(name));
    setWindowModified(mModified);
}

void StudioWindow::NewProject() {
    mProject = StudioProject();
    ShowProject();
}

bool StudioWindow::OpenProject(const QString& file) {
    try {
        mProject = StudioProject::Open(file.toStdString());
    } catch (const std::exception&) {
        QMessageBox::warning(this, tr("Mosaren Studio"),
                             QString::fromStdString(cli::FailureText(std::current_exception())));
        return false;
    }
    AddRecent(QString::fromStdString(mProject.File()));
    ShowProject();
    return true;
}

bool StudioWindow::SaveProjectAs(const QString& file) {
    try {
        mProject.SaveAs(file.toStdString());
    } catch (const std::exception&) {
        QMessageBox::warning(this, tr("Mosaren Studio"),
                             QString::fromStdString(cli::FailureText(std::current_exception())));
        return false;
    }
    mModified = false;
    AddRecent(QString::fromStdString(mProject.File()));
    UpdateTitle();
    return true;
}

bool StudioWindow::SaveProject() {
    if (mProject.File().empty()) {
        const QString chosen = askForSaveFile();
        return !chosen.isEmpty() && SaveProjectAs(chosen);
    }
    return SaveProjectAs(QString::fromStdString(mProject.File()));
}

bool StudioWindow::MayDropChanges() {
    if (!mModified) return true;
    switch (askToSave()) {
        case QMessageBox::Save:
            return SaveProject();
        case QMessageBox::Discard:
            return true;
        default:
            return false;
    }
}

void StudioWindow::closeEvent(QCloseEvent* event) {
    if (Exporting()) {
        statusBar()->showMessage(tr("An export is running: cancel it before closing."));
        event->ignore();
        return;
    }
    if (!MayDropChanges()) {
        event->ignore();
        return;
    }
    event->accept();
}

QStringList StudioWindow::RecentFiles() const {
    return QSettings().value(kRecentKey).toStringList();
}

void StudioWindow::AddRecent(const QString& file) {
    QStringList recent = RecentFiles();
    recent.removeAll(file);
    recent.prepend(file);
    while (recent.size() > kRecentCount) recent.removeLast();
    QSettings().setValue(kRecentKey, recent);
    FillRecentMenu();
}

void StudioWindow::FillRecentMenu() {
    mRecentMenu->clear();
    for (const QString& file : RecentFiles()) {
        mRecentMenu->addAction(file, this, [this, file] {
            if (MayDropChanges()) OpenProject(file);
        });
    }
    mRecentMenu->setEnabled(!mRecentMenu->isEmpty());
}

bool StudioWindow::Exporting() const { return mExport->Running(); }

void StudioWindow::Export() {
    if (Exporting()) return;
    if ((mModified || mProject.File().empty()) && !SaveProject()) return;
    mLastExportReport.clear();
    mProgress->setRange(0, 0);
    mProgress->show();
    mCancel->show();
    statusBar()->showMessage(tr("Exporting…"));
    mExport->Start(QString::fromStdString(mProject.File()));
}

void StudioWindow::CancelExport() { mExport->Cancel(); }

void StudioWindow::ExportEnded(int status, const QStringList& failures, const QString& summary) {
    mProgress->hide();
    mCancel->hide();
    mLastExportStatus = status;
    QStringList lines = failures;
    if (!summary.isEmpty()) lines.prepend(summary);
    mLastExportReport = lines.join(QLatin1Char('\n'));
    const QString said = status == -1  ? tr("Export cancelled: the files written so far are whole.")
                         : status == 0 ? tr("Exported: %1").arg(summary)
                                       : tr("The export failed.");
    statusBar()->showMessage(said);
    if (status > 0) {
        // Not modal to the application: the window stays usable while the report is read.
        auto* box = new QMessageBox(QMessageBox::Warning, tr("Mosaren Studio"), said,
                                    QMessageBox::Ok, this);
        box->setInformativeText(mLastExportReport);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    }
    emit ExportFinished(status);
}

}  // namespace mosaren::studio
