#include "report_failure.h"

#include <QWidget>

#include "error_box.h"
#include "raster/exceptions.h"

namespace mosaren {

void ReportFailure(const std::exception_ptr& failure) {
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
    if (QWidget* grabber = QWidget::keyboardGrabber()) grabber->releaseKeyboard();
    ShowErrorBox(QString::fromStdString(FailureMessage(failure)));
}

void RunGuarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception&) {
        ReportFailure(std::current_exception());
    }
}

}  // namespace mosaren
