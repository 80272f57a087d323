#include "application.h"

#include <QPointer>
#include <QWidget>

#include "report_failure.h"

namespace mosaren {

namespace {
QPointer<QWidget>& MainWindowPointer() {
    static QPointer<QWidget> window;
    return window;
}
}  // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception&) {
        ReportFailure(std::current_exception());
        return false;
    }
}

void SetApplicationTitle(const QString& title) { QCoreApplication::setApplicationName(title); }

QString ApplicationTitle() { return QCoreApplication::applicationName().left(255); }

void SetMainWindow(QWidget* window) { MainWindowPointer() = window; }

QWidget* MainWindow() { return MainWindowPointer(); }

}  // namespace mosaren
