#pragma once

// The error box: a failure's message, titled with the application title, with the stop icon
// and one OK button, modal to the whole application.

#include <QString>
#include <exception>

class QWidget;

namespace mosaren {

// The box text: the message with one full stop added when its last character sorts after the
// full stop.
QString ErrorBoxText(const QString& message);

// Shows the box and waits until the user closes it; the previously active window and the focus
// are given back afterwards.
void ShowErrorBox(const QString& message);

// The text of the box for a failure while start-up builds the windows: "Exception %s in module
// %s at %p.\n%s%s" with the class name, the program file's name, the code address within the
// module, the message, and a full stop unless the message is empty or already ends in one.
QString ApplicationErrorText(const QString& className, const QString& moduleName,
                             quintptr address, const QString& message);

// Shows that box, titled "Application Error", owned by no window.
void ShowApplicationErrorBox(const std::exception_ptr& failure, quintptr address);

}  // namespace mosaren
