#include "main_window.h"

#include <QCloseEvent>
#include <QShowEvent>

#include "dialog_placement.h"
#include "flat_button.h"
#include "form_look.h"
#include "open_picture_dialog.h"
#include "qt_file_dialog.h"
#include "report_failure.h"
#include "tiling/tiler.h"
#include "ui_main_window.h"

namespace mosaren {

namespace {

// The outer size of the window, frame included, and the least client area that holds the
// button column and both previews.
constexpr QSize kOuterSize{389, 566};
constexpr QSize kLeastClientSize{381, 533};

void LookOfCommandButton(TFlatButton& button) {
    button.setFont(PixelFont(QStringLiteral("Arial"), 15, true));
    QPalette palette = button.palette();
    palette.setColor(QPalette::ButtonText, Qt::white);
    palette.setColor(QPalette::Light, QColor(160, 160, 160));
    palette.setColor(QPalette::Dark, QColor(64, 64, 64));
    button.setPalette(palette);
}

}  // namespace

TFileDialogs MakeQtFileDialogs(QWidget& owner) {
    TFileDialogs dialogs;
    dialogs.OpenDialog = std::make_unique<TOpenPictureDialog>(TQtFileDialog::Kind::Open, owner);
    dialogs.SaveDialog = std::make_unique<TQtFileDialog>(TQtFileDialog::Kind::Save, owner);
    dialogs.AllDialog =
        std::make_unique<TOpenPictureDialog>(TQtFileDialog::Kind::OpenMultiple, owner);
    return dialogs;
}

TForm1::TForm1(TTileSettings& settings, const FileDialogFactory& makeDialogs, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::TForm1>()), mSettings(settings) {
    ui->setupUi(this);
    // Sizing border, system menu and minimise, but no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(FormFont());
    SetBackground(*this, kCream);
    for (TFlatButton* button : {ui->Load, ui->All, ui->SpeedButton4, ui->About, ui->Exit}) {
        LookOfCommandButton(*button);
    }
    ui->imgTile->SetPlacement(TBitmapPreview::Placement::Centred);

    mDialogs = makeDialogs(*this);
    mTiler = std::make_unique<Tiler>(mSettings, ui->imgTexture->Picture(), ui->imgTile->Picture());

    ConnectHandler(ui->Load, &QAbstractButton::clicked, this, [this] { LoadClick(); });
    ConnectHandler(ui->All, &QAbstractButton::clicked, this, [this] { AllClick(); });
    ConnectHandler(ui->SpeedButton4, &QAbstractButton::clicked, this, [this] { SpeedButton4Click(); });
    ConnectHandler(ui->About, &QAbstractButton::clicked, this, [this] { AboutClick(); });
    ConnectHandler(ui->Exit, &QAbstractButton::clicked, this, [this] { ExitClick(); });

    RunGuarded([this] { FormCreate(); });
}

TForm1::~TForm1() = default;

void TForm1::SetSecondaryWindows(QWidget* about, QWidget* param) {
    mAbout = about;
    mParam = param;
}

TBitmapPreview& TForm1::TexturePreview() { return *ui->imgTexture; }

TBitmapPreview& TForm1::TilePreview() { return *ui->imgTile; }

void TForm1::FormCreate() { mSettings.SetDefaults(); }

void TForm1::LoadClick() { mTiler->TileSingleTexture(*mDialogs.OpenDialog, *mDialogs.SaveDialog); }

void TForm1::AllClick() { mTiler->TileBatch(*mDialogs.AllDialog); }

void TForm1::SpeedButton4Click() {
    if (mParam) ShowModeless(*mParam);
}

void TForm1::AboutClick() {
    if (mAbout) ShowModeless(*mAbout);
}

void TForm1::ExitClick() { close(); }

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (mPlaced || event->spontaneous()) return;
    mPlaced = true;
    FitOuterSize(*this, kOuterSize, kLeastClientSize);
    CentreOnScreen(*this);
}

void TForm1::closeEvent(QCloseEvent* event) {
    event->accept();
    emit Closed();
}

void ShowModeless(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace mosaren
