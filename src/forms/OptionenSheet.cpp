#include "forms/OptionenSheet.h"

#include <algorithm>
#include <cstdio>

#include "document/Changes.h"

namespace forms {

std::string FormatLength(int tenths) {
  char text[32];
  std::snprintf(text, sizeof text, "%d,%02d cm", tenths / 100, tenths % 100);
  return text;
}

int ParseLength(const std::string& text, int minimum, int maximum) {
  long value = 0;
  bool comma = false;
  int decimals = 0;
  bool blank = false;
  int unit = 0;  // 0 none, 1 mm, 2 cm
  bool bad = false;
  for (std::size_t i = 0; i < text.size() && !bad; ++i) {
    const char c = text[i];
    if (unit != 0) {
      bad = true;  // anything after the unit
    } else if (c >= '0' && c <= '9') {
      if (blank) {
        bad = true;
      } else if (!comma) {
        value = std::min(value * 10 + (c - '0'), 1'000'000L);
      } else {
        if (decimals == 0) value += 10 * (c - '0');
        if (decimals == 1) value += c - '0';
        ++decimals;
      }
    } else if (c == ',') {
      if (comma || blank) {
        bad = true;
      } else {
        comma = true;
        value *= 100;
      }
    } else if (c == ' ') {
      blank = true;
    } else if ((c == 'm' || c == 'M' || c == 'c' || c == 'C') && i + 1 < text.size() &&
               (text[i + 1] == 'm' || text[i + 1] == 'M')) {
      unit = (c == 'm' || c == 'M') ? 1 : 2;
      ++i;
    } else {
      bad = true;
    }
  }
  if (bad) value = 0;
  if (!bad && !comma) value *= unit == 1 ? 10 : 100;
  if (!bad && comma && unit == 1) value /= 10;
  return static_cast<int>(std::clamp<long>(value, minimum, maximum));
}

}  // namespace forms

void COptionenSheet::OnOK(CKapibuchDoc& doc) const {
  doc.Apply(SettingsChange(settings));
}
