#pragma once

// Qt's own texts (the file dialogs' buttons, labels and context menus, the standard buttons of
// the message boxes) in the user's language. The program's own texts are Russian whatever the
// locale and never pass through these translations.

#include <QLocale>
#include <QTranslator>
#include <memory>

namespace mosaren {

// Qt's translations for the locale's languages, from where Qt keeps them (Debian's
// qt6-translations-l10n), installed into the application until the returned translator is
// destroyed. Null when Qt has none for those languages.
std::unique_ptr<QTranslator> InstallQtTranslations(const QLocale& locale);

}  // namespace mosaren
