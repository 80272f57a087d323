#include "qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace mosaren {

std::unique_ptr<QTranslator> InstallQtTranslations(const QLocale& locale) {
    auto translator = std::make_unique<QTranslator>();
    // "qtbase" holds the texts of Qt's widgets and dialogs; tried for each of the locale's
    // languages in turn (ru_RU, then ru).
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return nullptr;
    }
    QCoreApplication::installTranslator(translator.get());
    return translator;
}

}  // namespace mosaren
