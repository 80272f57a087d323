#pragma once

// The application object: it holds the application title and the main window, and it is the
// last stop of every event, where a failure that escaped a handler goes to ReportFailure.

#include <QApplication>
#include <QString>

namespace mosaren {

class TApplication : public QApplication {
    Q_OBJECT

public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// The application title names the program on the task bar and titles the error boxes. It is
// kept as the application name and read back, at most 255 characters, whenever it is needed.
void SetApplicationTitle(const QString& title);
QString ApplicationTitle();

// The main window, once start-up has made it: it owns the error boxes and places the dialogs
// when no window is active. Null before that and after it is gone.
void SetMainWindow(QWidget* window);
QWidget* MainWindow();

}  // namespace mosaren
