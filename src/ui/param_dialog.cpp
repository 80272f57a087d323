#include "param_dialog.h"

#include <QShowEvent>

#include "dialog_placement.h"
#include "form_look.h"
#include "report_failure.h"
#include "tiling/typed_integer.h"
#include "ui_param_dialog.h"

namespace mosaren {

TfrmParam::TfrmParam(TTileSettings& settings, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      ui(std::make_unique<Ui::TfrmParam>()),
      mSettings(settings) {
    ui->setupUi(this);
    setFixedSize(size());
    setFont(FormFont());
    ui->Label3->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 13));
    SetBackground(*this, kCream);
    ui->SpeedButton1->setFont(FormFont());
    // The check box's style sheet, which narrows the gap after its box, leaves it a font of its
    // own; it is told the window's font again.
    ui->CheckBox1->setFont(FormFont());
    for (QLabel* label : {ui->Label2, ui->Label4, ui->Label5, ui->Label6, ui->Label7}) {
        label->adjustSize();
    }
    // The piece group starts hidden, with the silver block seen in its place.
    ui->GroupBox1->setVisible(ui->CheckBox1->isChecked());

    ConnectHandler(ui->Edit1, &QLineEdit::textChanged, this, [this] { Edit1Change(); });
    ConnectHandler(ui->Edit2, &QLineEdit::textChanged, this, [this] { Edit2Change(); });
    ConnectHandler(ui->Edit3, &QLineEdit::textChanged, this, [this] { Edit3Change(); });
    ConnectHandler(ui->Edit4, &QLineEdit::textChanged, this, [this] { Edit4Change(); });
    ConnectHandler(ui->Edit5, &QLineEdit::textChanged, this, [this] { Edit5Change(); });
    ConnectHandler(ui->Edit6, &QLineEdit::textChanged, this, [this] { Edit6Change(); });
    ConnectHandler(ui->Edit7, &QLineEdit::textChanged, this, [this] { Edit7Change(); });
    ConnectHandler(ui->CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(); });
    ConnectHandler(ui->SpeedButton1, &QAbstractButton::clicked, this, [this] { SpeedButton1Click(); });
}

TfrmParam::~TfrmParam() = default;

void TfrmParam::EditChange(const QLineEdit& edit, TileSetting field) {
    const QString text = edit.text();
    if (text.isEmpty()) return;
    StoreTypedValue(mSettings, field, StrToInt(text.toStdString()));
}

void TfrmParam::Edit1Change() { EditChange(*ui->Edit1, TileSetting::TileHeight); }
void TfrmParam::Edit2Change() { EditChange(*ui->Edit2, TileSetting::TileWidth); }
void TfrmParam::Edit3Change() { EditChange(*ui->Edit3, TileSetting::MaskR); }
void TfrmParam::Edit4Change() { EditChange(*ui->Edit4, TileSetting::MaskG); }
void TfrmParam::Edit5Change() { EditChange(*ui->Edit5, TileSetting::MaskB); }
void TfrmParam::Edit6Change() { EditChange(*ui->Edit6, TileSetting::PiecesAcross); }
void TfrmParam::Edit7Change() { EditChange(*ui->Edit7, TileSetting::PiecesDown); }

void TfrmParam::CheckBox1Click() {
    // Only the group's visibility: the piece counts stay in force while it is hidden.
    ui->GroupBox1->setVisible(ui->CheckBox1->isChecked());
}

void TfrmParam::SpeedButton1Click() { close(); }

void TfrmParam::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (mPlaced || event->spontaneous()) return;
    mPlaced = true;
    CentreOnScreen(*this);
}

}  // namespace mosaren
