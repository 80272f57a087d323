#include "activation_keeper.h"

#include <QApplication>

namespace mosaren {

TActivationKeeper::TActivationKeeper()
    : mActiveWindow(QApplication::activeWindow()), mFocus(QApplication::focusWidget()) {}

TActivationKeeper::~TActivationKeeper() {
    if (mActiveWindow && mActiveWindow->isVisible()) mActiveWindow->activateWindow();
    if (mFocus && mFocus->isVisible()) mFocus->setFocus(Qt::OtherFocusReason);
}

}  // namespace mosaren
