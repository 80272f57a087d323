#pragma once

// Where a dialog window stands when it opens: centred across the monitor of the active window
// and one third of the free height down.

#include <QPoint>
#include <QRect>
#include <QSize>

class QScreen;
class QWidget;

namespace mosaren {

// x = left + (width − window width) div 2, y = top + (height − window height) div 3, the
// divisions truncating toward zero (a window larger than the monitor stands off its edge).
QPoint CentredDialogPosition(const QRect& monitor, const QSize& window);

// The monitor of the active window; without one, that of the main window; without that, the
// first monitor.
QScreen* DialogMonitor();

// Moves the dialog's window there, keeping its size.
void CentreDialogWindow(QWidget& dialog);

}  // namespace mosaren

namespace mosaren {

// A window placed in the middle of its screen when first shown, its frame included.
void CentreOnScreen(QWidget& window);

// Sizes a window so that, frame included, it is outer large; the client never gets smaller
// than minimumClient, so a thick window-manager frame cannot hide the controls.
void FitOuterSize(QWidget& window, const QSize& outer, const QSize& minimumClient);

}  // namespace mosaren
