#include "qt/QtSettingsStore.h"

#include <QRegularExpression>

namespace qt {

using namespace platform;  // the interfaces this layer implements

namespace {

QString KeyOf(const std::string& section, const std::string& name) {
  return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(name);
}

// Only a plain text reads as text: an INI value with an unquoted comma is a list, and a
// replacement character stands for bytes that were no UTF-8 (a file written in another
// encoding). Either would not come back as it is stored.
std::optional<QString> PlainText(const QVariant& value) {
  if (value.metaType().id() != QMetaType::QString) return std::nullopt;
  QString text = value.toString();
  if (text.contains(QChar::ReplacementCharacter)) return std::nullopt;
  return text;
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QStringLiteral("KBX Software"), QStringLiteral("Kapibuch"))) {}

QtSettingsStore::QtSettingsStore(const std::string& iniPath)
    : m_settings(std::make_unique<QSettings>(QString::fromStdString(iniPath), QSettings::IniFormat)) {}

bool QtSettingsStore::Contains(const std::string& section, const std::string& name) const {
  return m_settings->contains(KeyOf(section, name));
}

std::optional<int> QtSettingsStore::GetInt(const std::string& section, const std::string& name) const {
  const QVariant value = m_settings->value(KeyOf(section, name));
  if (value.metaType().id() == QMetaType::Int) return value.toInt();  // set in this run
  const std::optional<QString> text = PlainText(value);
  if (!text) return std::nullopt;
  // A plain number: digits with an optional minus, nothing around them.
  static const QRegularExpression plain(QStringLiteral("^-?[0-9]{1,10}$"));
  if (!plain.match(*text).hasMatch()) return std::nullopt;
  bool ok = false;
  const int number = text->toInt(&ok);
  return ok ? std::optional<int>(number) : std::nullopt;
}

std::optional<std::string> QtSettingsStore::GetString(const std::string& section,
                                                      const std::string& name) const {
  const std::optional<QString> text = PlainText(m_settings->value(KeyOf(section, name)));
  if (!text) return std::nullopt;
  return text->toStdString();
}

void QtSettingsStore::SetInt(const std::string& section, const std::string& name, int value) {
  m_settings->setValue(KeyOf(section, name), value);
}

void QtSettingsStore::SetString(const std::string& section, const std::string& name,
                                const std::string& value) {
  m_settings->setValue(KeyOf(section, name), QString::fromStdString(value));
}

bool QtSettingsStore::Sync() {
  m_settings->sync();
  return m_settings->status() == QSettings::NoError;
}

}  // namespace qt
