// The widget tests run inside the program's own application object, on Qt's offscreen platform
// unless a display is asked for, so that failures take the same way out as in the program.

#include <gtest/gtest.h>

#include <QString>
#include <cstdio>
#include <cstdlib>

#include "ui/application.h"
#include "ui/resources.h"

namespace {
// The offscreen platform says at every turn which window operations it leaves out; the tests
// do not need them, and the notes would bury the results.
void QuietAboutTheOffscreenPlatform(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (message.startsWith(QStringLiteral("This plugin does not support"))) return;
    std::fprintf(stderr, "%s\n", qPrintable(message));
    if (type == QtFatalMsg) std::abort();
}
}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(QuietAboutTheOffscreenPlatform);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    mosaren::TApplication application(argc, argv);
    mosaren::SetApplicationTitle(QStringLiteral("Mosaren"));
    mosaren::LoadResources();
    return RUN_ALL_TESTS();
}
