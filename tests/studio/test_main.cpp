// The Studio's tests run inside an application object as the program's own, on Qt's offscreen
// platform. The export's process is this binary started again, as the Studio starts itself.

#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "studio/export_child.h"

namespace {
void QuietAboutTheOffscreenPlatform(QtMsgType type, const QMessageLogContext&,
                                    const QString& message) {
    if (message.startsWith(QStringLiteral("This plugin does not support"))) return;
    std::fprintf(stderr, "%s\n", qPrintable(message));
    if (type == QtFatalMsg) std::abort();
}
}  // namespace

int main(int argc, char** argv) {
    if (mosaren::studio::IsExportChild(argc, argv)) {
        return mosaren::studio::RunExportChild(argc, argv);
    }
    qInstallMessageHandler(QuietAboutTheOffscreenPlatform);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    // The recent files go to a settings file of this run's own: never the user's, nor that of
    // a run beside it.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QApplication::setOrganizationName(QStringLiteral("Mosaren"));
    QApplication::setApplicationName(QStringLiteral("Mosaren Studio Tests"));
    return RUN_ALL_TESTS();
}
