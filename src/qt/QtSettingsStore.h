#pragma once
// The per-user settings in an INI file through QSettings: by default
// "KBX Software/Kapibuch.ini" under the user's configuration folder.

#include <QSettings>
#include <memory>

#include "platform/SettingsStore.h"

namespace qt {

class QtSettingsStore : public platform::SettingsStore {
 public:
  // The user's settings file.
  QtSettingsStore();
  // Another INI file.
  explicit QtSettingsStore(const std::string& iniPath);

  bool Contains(const std::string& section, const std::string& name) const override;
  std::optional<int> GetInt(const std::string& section, const std::string& name) const override;
  std::optional<std::string> GetString(const std::string& section, const std::string& name) const override;
  void SetInt(const std::string& section, const std::string& name, int value) override;
  void SetString(const std::string& section, const std::string& name, const std::string& value) override;
  // Writes what was set to the file; false when it cannot be written.
  bool Sync();

 private:
  std::unique_ptr<QSettings> m_settings;
};

}  // namespace qt
