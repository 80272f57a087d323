#include "dialog_placement.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

#include "application.h"

namespace mosaren {

QPoint CentredDialogPosition(const QRect& monitor, const QSize& window) {
    return {monitor.left() + (monitor.width() - window.width()) / 2,
            monitor.top() + (monitor.height() - window.height()) / 3};
}

QScreen* DialogMonitor() {
    if (QWidget* active = QApplication::activeWindow()) return active->screen();
    if (QWidget* main = MainWindow()) return main->screen();
    const QList<QScreen*> screens = QGuiApplication::screens();
    return screens.isEmpty() ? nullptr : screens.first();
}

void CentreDialogWindow(QWidget& dialog) {
    QScreen* monitor = DialogMonitor();
    if (!monitor) return;
    QWidget& window = *dialog.window();
    // The frame is part of what is centred; before the window manager has framed it the frame
    // is the window itself.
    window.move(CentredDialogPosition(monitor->geometry(), window.frameGeometry().size()));
}

}  // namespace mosaren

namespace mosaren {

void CentreOnScreen(QWidget& window) {
    QScreen* screen = window.screen();
    if (!screen) return;
    const QRect monitor = screen->geometry();
    const QSize frame = window.frameGeometry().size();
    window.move(monitor.left() + (monitor.width() - frame.width()) / 2,
                monitor.top() + (monitor.height() - frame.height()) / 2);
}

void FitOuterSize(QWidget& window, const QSize& outer, const QSize& minimumClient) {
    const QSize margins = window.frameGeometry().size() - window.size();
    window.resize((outer - margins).expandedTo(minimumClient));
}

}  // namespace mosaren
