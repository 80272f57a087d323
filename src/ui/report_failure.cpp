#include "report_failure.h"

#include <QWidget>
#include <new>

#include "error_box.h"
#include "raster/exceptions.h"

namespace mosaren {

std::string FailureMessage(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const Exception& error) {
        return error.Message();
    } catch (const std::bad_alloc&) {
        return messages::kOutOfMemory;
    } catch (const std::exception& error) {
        return error.what();
    }
}

std::string FailureClassName(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const Exception& error) {
        return error.ClassName();
    } catch (const std::bad_alloc&) {
        return "EOutOfMemory";
    } catch (const std::exception&) {
        return "Exception";
    }
}

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
