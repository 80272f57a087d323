#pragma once

// The Studio's texts in the user's language: its own (English in the code, Russian shipped in
// translations/) and Qt's (the file and colour dialogs, the message boxes' buttons), both chosen
// by the locale.

#include <QLocale>
#include <QTranslator>
#include <memory>
#include <vector>

namespace mosaren::studio {

// Installs the translations there are for the locale's languages into the application, until
// the returned translators are destroyed. None for English.
std::vector<std::unique_ptr<QTranslator>> InstallStudioTranslations(const QLocale& locale);

}  // namespace mosaren::studio
