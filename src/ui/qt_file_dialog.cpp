#include "qt_file_dialog.h"

#include <QFileInfo>
#include <QShowEvent>
#include <algorithm>

#include "activation_keeper.h"
#include "dialog_placement.h"
#include "floating_point_guard.h"

namespace mosaren {

TFileDialogWindow::TFileDialogWindow(TQtFileDialog::Kind kind, QWidget* owner)
    : QFileDialog(owner) {
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::HideNameFilterDetails);
    setNameFilter(QString::fromLatin1(kBitmapFilter));
    switch (kind) {
        case TQtFileDialog::Kind::Open:
            // Any name may be typed; an open dialog does not insist that the file exists.
            setAcceptMode(QFileDialog::AcceptOpen);
            setFileMode(QFileDialog::AnyFile);
            break;
        case TQtFileDialog::Kind::OpenMultiple:
            setAcceptMode(QFileDialog::AcceptOpen);
            setFileMode(QFileDialog::ExistingFiles);
            break;
        case TQtFileDialog::Kind::Save:
            setAcceptMode(QFileDialog::AcceptSave);
            setFileMode(QFileDialog::AnyFile);
            setOption(QFileDialog::DontConfirmOverwrite);
            break;
    }
    // Every other window of the application is disabled while the dialog runs.
    setWindowModality(Qt::ApplicationModal);
}

void TFileDialogWindow::accept() {
    if (fileMode() == QFileDialog::ExistingFiles) {
        const QStringList files = selectedFiles();
        const bool anyMissing = std::any_of(files.begin(), files.end(), [](const QString& file) {
            return !QFileInfo::exists(file);
        });
        // Qt would refuse a missing file with a box of its own; the command reports it instead.
        if (!files.isEmpty() && anyMissing) {
            QDialog::accept();
            return;
        }
    }
    QFileDialog::accept();
}

void TFileDialogWindow::showEvent(QShowEvent* event) {
    QFileDialog::showEvent(event);
    if (event->spontaneous()) return;
    CentreDialogWindow(*this);
    emit Initialised();
}

TQtFileDialog::TQtFileDialog(Kind kind, QWidget& owner) : mKind(kind), mOwner(owner) {}

void TQtFileDialog::PrepareDialog(TFileDialogWindow&) {}

void TQtFileDialog::FinishDialog(TFileDialogWindow&) {}

FileDialog::Outcome TQtFileDialog::Run(const std::string& prefilledName, int filterIndex) {
    TFileDialogWindow dialog(mKind, &mOwner);
    if (!prefilledName.empty()) dialog.selectFile(QString::fromStdString(prefilledName));
    const QStringList filters = dialog.nameFilters();
    if (filterIndex >= 1 && filterIndex <= filters.size()) {
        dialog.selectNameFilter(filters[filterIndex - 1]);
    }
    PrepareDialog(dialog);

    bool accepted = false;
    {
        TActivationKeeper activation;
        TFloatingPointGuard floatingPoint;
        accepted = dialog.exec() == QDialog::Accepted;
    }
    FinishDialog(dialog);

    Outcome outcome;
    if (!accepted) return outcome;
    for (const QString& file : dialog.selectedFiles()) outcome.files.push_back(file.toStdString());
    if (outcome.files.empty()) return outcome;
    outcome.accepted = true;
    outcome.filterIndex = std::max(1, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1);
    return outcome;
}

}  // namespace mosaren
