#include "qt/Environment.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdlib>

#include "model/KBXDatum.h"

namespace qt {

using namespace platform;  // the interfaces this layer implements

std::optional<std::time_t> TodayFromEnvironment(std::string& error) {
  error.clear();
  const char* value = std::getenv("KAPIBUCH_TODAY");
  if (!value || !*value) return std::nullopt;
  CKBXDatum day;
  if (!ParseDatum(value, day)) {
    error = std::string("KAPIBUCH_TODAY: ungültiges Datum \"") + value + "\" (erwartet TT.MM.JJJJ)";
    return std::nullopt;
  }
  return day.ToTime();
}

std::unique_ptr<QtSettingsStore> SettingsFromEnvironment() {
  const char* path = std::getenv("KAPIBUCH_SETTINGS");
  if (path && *path) return std::make_unique<QtSettingsStore>(path);
  return std::make_unique<QtSettingsStore>();
}

void InstallGermanTranslations(QCoreApplication& app) {
  const QLocale german(QLocale::German, QLocale::Germany);
  QLocale::setDefault(german);
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  for (const char* name : {"qtbase", "qt"}) {
    auto* translator = new QTranslator(&app);
    if (translator->load(german, QString::fromLatin1(name), QStringLiteral("_"), folder)) {
      QCoreApplication::installTranslator(translator);
    } else {
      delete translator;
    }
  }
}

}  // namespace qt
