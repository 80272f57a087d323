#pragma once

// The one way out for a failure: whatever leaves an event handler ends here, is shown in the
// error box, and the application goes on with its next event. No other code catches the
// program's exceptions.

#include <QObject>
#include <exception>
#include <functional>
#include <utility>

namespace mosaren {

// The top-level handler: ends any mouse or keyboard grab, so that no pressed button outlives
// the failure, then shows the failure in the error box.
void ReportFailure(const std::exception_ptr& failure);

// Runs an event handler of the program; a failure leaving it goes to ReportFailure, and the
// rest of the handler does not run. Every handler that a window connects goes through here.
void RunGuarded(const std::function<void()>& handler);

// Connects a signal to a handler run under RunGuarded. The handler takes no arguments: it
// reads what it needs from the widgets, as the forms' handlers do.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection ConnectHandler(const Sender* sender, Signal signal, const QObject* context,
                                       Handler handler) {
    return QObject::connect(sender, signal, context,
                            [handler = std::move(handler)] { RunGuarded(handler); });
}

}  // namespace mosaren
