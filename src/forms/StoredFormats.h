#pragma once
// The named import descriptions kept in the per-user settings: "ImpForAnz" pairs
// "ImpFor%03dTit" / "ImpFor%03dBes" in the section "Settings". A stored list that cannot be
// read back exactly (a count that is not a plain number in range, a pair within the count
// of which nothing is stored, a value that is not plain text or lost characters when read)
// is damaged: it is used as far as it could be read, and never written back, so nothing
// the user stored is overwritten.

#include <string>
#include <utility>
#include <vector>

#include "platform/SettingsStore.h"

namespace forms {

using FormatList = std::vector<std::pair<std::string, std::string>>;

struct StoredFormats {
  static constexpr const char* kSection = "Settings";
  static constexpr int kMaxCount = 9999;

  FormatList formats;
  bool damaged = false;
};

// The stored list; the predefined descriptions when none was ever stored (or nothing of a
// damaged list could be read).
StoredFormats LoadStoredFormats(const platform::SettingsStore& settings);
// Writes the list; values of higher numbers left from a longer list stay, unread.
void StoreFormats(platform::SettingsStore& settings, const FormatList& formats);
// The message that the stored list is damaged: the first time it is asked for in a run of
// the program, empty afterwards (it is said once).
std::string TakeDamagedFormatsNotice();

}  // namespace forms
