#pragma once
// Per-user values by section and name: integers and strings.

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace platform {

// A value that is stored but cannot be read exactly as the type asked for (an integer that
// is not a plain number, a text that is no plain text or lost characters) reads as
// nothing; Contains still tells that something is stored under the name.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual bool Contains(const std::string& section, const std::string& name) const = 0;
  virtual std::optional<int> GetInt(const std::string& section, const std::string& name) const = 0;
  virtual std::optional<std::string> GetString(const std::string& section, const std::string& name) const = 0;
  virtual void SetInt(const std::string& section, const std::string& name, int value) = 0;
  virtual void SetString(const std::string& section, const std::string& name, const std::string& value) = 0;
};

// Keeps the values in memory (tests, and a fallback when nothing can be stored).
class MemorySettingsStore : public SettingsStore {
 public:
  bool Contains(const std::string& section, const std::string& name) const override {
    return m_ints.count({section, name}) > 0 || m_strings.count({section, name}) > 0;
  }
  std::optional<int> GetInt(const std::string& section, const std::string& name) const override {
    const auto it = m_ints.find({section, name});
    return it == m_ints.end() ? std::nullopt : std::optional<int>(it->second);
  }
  std::optional<std::string> GetString(const std::string& section, const std::string& name) const override {
    const auto it = m_strings.find({section, name});
    return it == m_strings.end() ? std::nullopt : std::optional<std::string>(it->second);
  }
  void SetInt(const std::string& section, const std::string& name, int value) override {
    m_strings.erase({section, name});
    m_ints[{section, name}] = value;
  }
  void SetString(const std::string& section, const std::string& name, const std::string& value) override {
    m_ints.erase({section, name});
    m_strings[{section, name}] = value;
  }

 private:
  std::map<std::pair<std::string, std::string>, int> m_ints;
  std::map<std::pair<std::string, std::string>, std::string> m_strings;
};

}  // namespace platform
