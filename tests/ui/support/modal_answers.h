#pragma once

// Answers the modal windows a test provokes: while one of these is alive, each modal window
// that comes up is handed to the test's answer, which closes it.

#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

namespace mosaren::testing_ui {

// What an error box showed.
struct BoxSeen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttonCount = 0;
    bool applicationModal = false;
    bool mainWindowBlocked = false;
};

class ModalAnswerer {
public:
    // answer gets the modal window once; it must close it.
    explicit ModalAnswerer(std::function<void(QWidget&)> answer);
    ~ModalAnswerer();
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;

    int Answered() const { return mAnswered; }

private:
    void Look();

    std::function<void(QWidget&)> mAnswer;
    QTimer mTimer;
    QPointer<QWidget> mLastAnswered;
    int mAnswered = 0;
};

// The modal window as the file dialog it must be; a failure of the test otherwise.
QFileDialog& AsFileDialog(QWidget& modal);

// Closes every error box with OK and keeps what it showed.
class ErrorBoxRecorder {
public:
    ErrorBoxRecorder();

    const std::vector<BoxSeen>& Boxes() const { return mBoxes; }

private:
    std::vector<BoxSeen> mBoxes;
    ModalAnswerer mAnswerer;
};

}  // namespace mosaren::testing_ui
