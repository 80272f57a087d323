#include "error_box.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>

#include "activation_keeper.h"
#include "application.h"
#include "raster/exceptions.h"
#include "report_failure.h"

namespace mosaren {

namespace {

// The box stands on the monitor where the user is working, which need not be the one of the
// main window.
void PlaceOnActiveMonitor(QMessageBox& box, QWidget* owner) {
    QWidget* active = QApplication::activeWindow();
    if (!active || !owner || active->screen() == owner->screen()) return;
    box.adjustSize();
    const QRect monitor = active->screen()->geometry();
    box.move(monitor.center() - QPoint(box.width() / 2, box.height() / 2));
}

}  // namespace

QString ErrorBoxText(const QString& message) {
    return QString::fromStdString(WithFullStop(message.toStdString()));
}

void ShowErrorBox(const QString& message) {
    TActivationKeeper keeper;
    QWidget* owner = MainWindow();
    QMessageBox box(QMessageBox::Critical, ApplicationTitle(), ErrorBoxText(message),
                    QMessageBox::Ok, owner);
    // Every window of the application stays disabled until the box is closed.
    box.setWindowModality(Qt::ApplicationModal);
    if (QGuiApplication::isRightToLeft()) box.setLayoutDirection(Qt::RightToLeft);
    PlaceOnActiveMonitor(box, owner);
    box.exec();
}

QString ApplicationErrorText(const QString& className, const QString& moduleName,
                             quintptr address, const QString& message) {
    const bool needsStop = !message.isEmpty() && !message.endsWith(QLatin1Char('.'));
    return QStringLiteral("Exception %1 in module %2 at %3.\n%4%5")
        .arg(className, moduleName,
             QStringLiteral("%1").arg(address, 8, 16, QLatin1Char('0')).toUpper(), message,
             needsStop ? QStringLiteral(".") : QString());
}

void ShowApplicationErrorBox(const std::exception_ptr& failure, quintptr address) {
    const QString module = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Application Error"),
                    ApplicationErrorText(QString::fromStdString(FailureClassName(failure)),
                                         module, address,
                                         QString::fromStdString(FailureMessage(failure))),
                    QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

}  // namespace mosaren
