#include "studio_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace mosaren::studio {

std::vector<std::unique_ptr<QTranslator>> InstallStudioTranslations(const QLocale& locale) {
    std::vector<std::unique_ptr<QTranslator>> installed;
    const auto install = [&](const QString& name, const QString& folder) {
        auto translator = std::make_unique<QTranslator>();
        // Tried for each of the locale's languages in turn (ru_RU, then ru).
        if (!translator->load(locale, name, QStringLiteral("_"), folder)) return;
        QCoreApplication::installTranslator(translator.get());
        installed.push_back(std::move(translator));
    };
    // Built into the program (qt_add_translations).
    install(QStringLiteral("mosaren_studio"), QStringLiteral(":/i18n"));
    // Where Qt keeps its own (Debian's qt6-translations-l10n).
    install(QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return installed;
}

}  // namespace mosaren::studio
