#include "app/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>
#include <memory>

#include "app/form_view.h"
#include "toolkit/text.h"

namespace tessel {

void useQtTranslations(const std::string& language) {
  static std::unique_ptr<QTranslator> installed;
  if (installed) {
    QCoreApplication::removeTranslator(installed.get());
    installed.reset();
  }
  if (language == "en" || language.find('@') != std::string::npos) return;
  auto translator = std::make_unique<QTranslator>();
  if (translator->load(QLocale(QString::fromStdString(language)), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
  }
}

std::string startLanguage() {
  const std::string chosen =
      QSettings().value(QString::fromLatin1(FormView::kLanguageSetting)).toString().toStdString();
  if (!chosen.empty()) {
    for (const Language& language : languages()) {
      if (language.code == chosen) return chosen;
    }
  }
  return matchLanguage(systemLanguages());
}

}  // namespace tessel
