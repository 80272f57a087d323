#include "about_box.h"

#include <QShowEvent>

#include "dialog_placement.h"
#include "form_look.h"
#include "report_failure.h"
#include "ui_about_box.h"

namespace mosaren {

TfrmAbout::TfrmAbout(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      ui(std::make_unique<Ui::TfrmAbout>()) {
    ui->setupUi(this);
    setFixedSize(size());
    setFont(FormFont());
    SetBackground(*this, Qt::white);
    ui->Label1->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 16, true));
    SetTextColour(*ui->Label3, kContactOrange);
    ConnectHandler(ui->SpeedButton1, &QAbstractButton::clicked, this, [this] { SpeedButton1Click(); });
}

TfrmAbout::~TfrmAbout() = default;

void TfrmAbout::SpeedButton1Click() { close(); }

void TfrmAbout::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (mPlaced || event->spontaneous()) return;
    mPlaced = true;
    CentreOnScreen(*this);
}

}  // namespace mosaren
