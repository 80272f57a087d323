#include "modal_answers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <stdexcept>

#include "ui/application.h"

namespace mosaren::testing_ui {

ModalAnswerer::ModalAnswerer(std::function<void(QWidget&)> answer) : mAnswer(std::move(answer)) {
    mTimer.setInterval(5);
    QObject::connect(&mTimer, &QTimer::timeout, [this] { Look(); });
    mTimer.start();
}

ModalAnswerer::~ModalAnswerer() { mTimer.stop(); }

void ModalAnswerer::Look() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || modal == mLastAnswered) return;
    mLastAnswered = modal;
    ++mAnswered;
    mAnswer(*modal);
}

QFileDialog& AsFileDialog(QWidget& modal) {
    auto* dialog = qobject_cast<QFileDialog*>(&modal);
    if (!dialog) throw std::runtime_error("the modal window is no file dialog");
    return *dialog;
}

ErrorBoxRecorder::ErrorBoxRecorder()
    : mAnswerer([this](QWidget& modal) {
          auto* box = qobject_cast<QMessageBox*>(&modal);
          if (!box) return;
          BoxSeen seen;
          seen.title = box->windowTitle();
          seen.text = box->text();
          seen.icon = box->icon();
          seen.buttonCount = static_cast<int>(box->buttons().size());
          seen.applicationModal = box->windowModality() == Qt::ApplicationModal;
          if (QWidget* main = MainWindow()) {
              seen.mainWindowBlocked = QApplication::activeModalWidget() == box && main != box;
          }
          mBoxes.push_back(seen);
          if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
              ok->click();
          } else {
              box->done(QMessageBox::Ok);
          }
      }) {}

}  // namespace mosaren::testing_ui
