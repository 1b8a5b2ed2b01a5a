#include "qt/QtSettingsStore.h"

namespace platform {

namespace {

QString KeyOf(const std::string& section, const std::string& name) {
  return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(name);
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QStringLiteral("KBX Software"), QStringLiteral("Kapibuch"))) {}

QtSettingsStore::QtSettingsStore(const std::string& iniPath)
    : m_settings(std::make_unique<QSettings>(QString::fromStdString(iniPath), QSettings::IniFormat)) {}

std::optional<int> QtSettingsStore::GetInt(const std::string& section, const std::string& name) const {
  const QVariant value = m_settings->value(KeyOf(section, name));
  if (!value.isValid()) return std::nullopt;
  bool ok = false;
  const int number = value.toInt(&ok);
  return ok ? std::optional<int>(number) : std::nullopt;
}

std::optional<std::string> QtSettingsStore::GetString(const std::string& section,
                                                      const std::string& name) const {
  const QVariant value = m_settings->value(KeyOf(section, name));
  if (!value.isValid()) return std::nullopt;
  return value.toString().toStdString();
}

void QtSettingsStore::SetInt(const std::string& section, const std::string& name, int value) {
  m_settings->setValue(KeyOf(section, name), value);
}

void QtSettingsStore::SetString(const std::string& section, const std::string& name,
                                const std::string& value) {
  m_settings->setValue(KeyOf(section, name), QString::fromStdString(value));
}

void QtSettingsStore::Sync() {
  m_settings->sync();
}

}  // namespace platform
