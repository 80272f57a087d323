#pragma once

// Remembers which window is active and which widget has the focus, and gives both back when
// it goes out of scope, also when a failure passes through: a modal box or dialog must leave
// the user where they were.

#include <QPointer>
#include <QWidget>

namespace mosaren {

class TActivationKeeper {
public:
    TActivationKeeper();
    ~TActivationKeeper();
    TActivationKeeper(const TActivationKeeper&) = delete;
    TActivationKeeper& operator=(const TActivationKeeper&) = delete;

private:
    QPointer<QWidget> mActiveWindow;
    QPointer<QWidget> mFocus;
};

}  // namespace mosaren
