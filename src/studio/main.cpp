// Mosaren Studio: the tile project of the command line edited with a live preview, and
// exported by the command line's own build.

#include <QApplication>
#include <QLocale>

#include "export_child.h"
#include "studio_translations.h"
#include "studio_window.h"

int main(int argc, char** argv) {
    using namespace mosaren::studio;
    // The export's own process (export_child.h): before Qt starts any thread.
    if (IsExportChild(argc, argv)) return RunExportChild(argc, argv);

    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Mosaren"));
    QApplication::setApplicationName(QStringLiteral("Mosaren Studio"));
    QApplication::setApplicationVersion(QStringLiteral(MOSAREN_VERSION));
    const auto translations = InstallStudioTranslations(QLocale::system());

    StudioWindow window(QApplication::applicationFilePath());
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) window.OpenProject(arguments.at(1));
    window.show();
    return application.exec();
}
