#include "app/window_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/core/window_languages.h"

namespace menuforge {
namespace {

bool Install(const QString& name, const QStringList& folders) {
  auto* translator = new QTranslator(QCoreApplication::instance());
  for (const QString& folder : folders) {
    if (translator->load(name, folder)) return QCoreApplication::installTranslator(translator);
  }
  delete translator;
  return false;
}

}  // namespace

void LoadWindowTranslation(const std::string& chosenLanguage) {
  std::vector<std::string> systemLanguages;
  for (const QString& language : QLocale::system().uiLanguages())
    systemLanguages.push_back(language.toStdString());
  const QString code = QString::fromStdString(TranslationToLoad(chosenLanguage, systemLanguages));
  if (code.isEmpty()) return;
  const QString programFolder = QCoreApplication::applicationDirPath();
  Install(QStringLiteral("menuforge_") + code,
          {programFolder + QStringLiteral("/../share/menuforge/translations"),
           programFolder + QStringLiteral("/../translations")});
  Install(QStringLiteral("qtbase_") + code, {QLibraryInfo::path(QLibraryInfo::TranslationsPath)});
}

}  // namespace menuforge
