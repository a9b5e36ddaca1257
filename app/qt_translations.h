#pragma once

// Qt's own texts (its file dialogs, standard buttons, a text field's menu)
// in the language the program speaks, from Debian's Qt translations
// (qt6-translations-l10n).

#include <string>

namespace tessel {

// Puts Qt's translations for `language` in place of any it had; English
// needs none, and a language Qt has no translations for keeps English.
// Needs the running QApplication.
void useQtTranslations(const std::string& language);

// The language the window speaks at start: the one chosen in its menu and
// remembered, else the system's.
std::string startLanguage();

}  // namespace tessel
