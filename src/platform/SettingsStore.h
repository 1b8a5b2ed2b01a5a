#pragma once
// Per-user values by section and name: integers and strings.

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace platform {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::optional<int> GetInt(const std::string& section, const std::string& name) const = 0;
  virtual std::optional<std::string> GetString(const std::string& section, const std::string& name) const = 0;
  virtual void SetInt(const std::string& section, const std::string& name, int value) = 0;
  virtual void SetString(const std::string& section, const std::string& name, const std::string& value) = 0;
};

// Keeps the values in memory (tests, and a fallback when nothing can be stored).
class MemorySettingsStore : public SettingsStore {
 public:
  std::optional<int> GetInt(const std::string& section, const std::string& name) const override {
    const auto it = m_ints.find({section, name});
    return it == m_ints.end() ? std::nullopt : std::optional<int>(it->second);
  }
  std::optional<std::string> GetString(const std::string& section, const std::string& name) const override {
    const auto it = m_strings.find({section, name});
    return it == m_strings.end() ? std::nullopt : std::optional<std::string>(it->second);
  }
  void SetInt(const std::string& section, const std::string& name, int value) override {
    m_ints[{section, name}] = value;
  }
  void SetString(const std::string& section, const std::string& name, const std::string& value) override {
    m_strings[{section, name}] = value;
  }

 private:
  std::map<std::pair<std::string, std::string>, int> m_ints;
  std::map<std::pair<std::string, std::string>, std::string> m_strings;
};

}  // namespace platform
