#include "forms/StoredFormats.h"

#include <atomic>
#include <cstdio>

#include "priceio/FormatMatcher.h"

namespace forms {
namespace {

std::string Key(int i, const char* suffix) {
  char text[32];
  std::snprintf(text, sizeof text, "ImpFor%03d%s", i, suffix);
  return text;
}

FormatList Predefined() {
  FormatList list;
  for (const auto& p : priceio::PredefinedDescriptions()) list.emplace_back(p.title, p.description);
  return list;
}

std::atomic<bool> g_noticeGiven{false};

}  // namespace

StoredFormats LoadStoredFormats(const platform::SettingsStore& settings) {
  const char* section = StoredFormats::kSection;
  StoredFormats stored;
  if (!settings.Contains(section, "ImpForAnz")) {
    stored.formats = Predefined();  // never stored
    return stored;
  }
  const std::optional<int> count = settings.GetInt(section, "ImpForAnz");
  const bool countValid = count && *count >= 0 && *count <= StoredFormats::kMaxCount;
  stored.damaged = !countValid;
  // Without a valid count, the pairs are read as long as there are any.
  const int last = countValid ? *count : StoredFormats::kMaxCount;
  for (int i = 1; i <= last; ++i) {
    const std::string title = Key(i, "Tit");
    const std::string text = Key(i, "Bes");
    const bool hasTitle = settings.Contains(section, title);
    const bool hasText = settings.Contains(section, text);
    if (!hasTitle && !hasText) {
      if (!countValid) break;
      stored.damaged = true;  // the count names a pair that is not there
      continue;
    }
    // A single missing value reads as empty text.
    const std::optional<std::string> titleValue = settings.GetString(section, title);
    const std::optional<std::string> textValue = settings.GetString(section, text);
    if ((hasTitle && !titleValue) || (hasText && !textValue)) {
      stored.damaged = true;
      continue;
    }
    stored.formats.emplace_back(titleValue.value_or(""), textValue.value_or(""));
  }
  if (!countValid && stored.formats.empty()) stored.formats = Predefined();
  return stored;
}

void StoreFormats(platform::SettingsStore& settings, const FormatList& formats) {
  const char* section = StoredFormats::kSection;
  settings.SetInt(section, "ImpForAnz", static_cast<int>(formats.size()));
  for (std::size_t i = 0; i < formats.size(); ++i) {
    settings.SetString(section, Key(static_cast<int>(i + 1), "Tit"), formats[i].first);
    settings.SetString(section, Key(static_cast<int>(i + 1), "Bes"), formats[i].second);
  }
}

std::string TakeDamagedFormatsNotice() {
  if (g_noticeGiven.exchange(true)) return {};
  return "Die gespeicherten Formatbeschreibungen konnten nicht vollständig gelesen werden. Damit nichts "
         "verloren geht, werden Änderungen an der Liste nicht gespeichert.";
}

}  // namespace forms
