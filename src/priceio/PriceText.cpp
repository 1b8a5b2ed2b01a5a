#include "priceio/PriceText.h"

#include <cctype>
#include <limits>

#include "base/Money.h"

namespace priceio {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// With `anyYear` the parts need only look like a day (a month 1 to 12, a day 1 to 31): a
// day before 02.01.1970 or after 18.01.2038 still is one, and `date` stays as it was.
bool SetDay(long day, long month, long year, CKBXDatum& date, bool anyYear) {
  if (year < 100) year += year < 50 ? 2000 : 1900;
  if (day > 31 || month > 12 || year > 9999) return false;
  if (anyYear) return day >= 1 && month >= 1;
  return date.Set(static_cast<int>(day), static_cast<int>(month), static_cast<int>(year));
}

// Reads "YYYY-MM-DD".
bool ReadIsoDate(std::string_view bytes, CKBXDatum& date, bool anyYear) {
  long parts[3] = {0, 0, 0};
  int digits[3] = {0, 0, 0};
  int part = 0;
  for (const char c : bytes) {
    if (c == '-') {
      if (++part > 2) return false;
    } else if (IsDigit(c)) {
      if (++digits[part] > 4) return false;
      parts[part] = parts[part] * 10 + (c - '0');
    } else {
      return false;
    }
  }
  if (part != 2 || digits[0] != 4 || digits[1] == 0 || digits[2] == 0) return false;
  return SetDay(parts[2], parts[1], parts[0], date, anyYear);
}

char Upper(char c) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool IsComponent(char c) {
  c = Upper(c);
  return c == 'T' || c == 'M' || c == 'J';
}

bool ReadPlainDate(std::string_view bytes, CKBXDatum& date, bool anyYear) {
  if (bytes.find('-') != std::string_view::npos) return ReadIsoDate(bytes, date, anyYear);
  long parts[3] = {0, 0, 0};
  bool digits[3] = {false, false, false};
  int part = 0;
  for (const char c : bytes) {
    if (c == '.') {
      if (++part > 2) return false;
    } else if (IsDigit(c)) {
      if (parts[part] < 100000) parts[part] = parts[part] * 10 + (c - '0');
      digits[part] = true;
    } else {
      return false;
    }
  }
  if (part != 2 || !digits[0] || !digits[1] || !digits[2]) return false;
  return SetDay(parts[0], parts[1], parts[2], date, anyYear);
}

}  // namespace

bool ReadDate(std::string_view bytes, CKBXDatum& date) {
  return ReadPlainDate(bytes, date, false);
}

std::string SwappedDayAndMonth(std::string_view form) {
  std::string swapped(form);
  for (char& c : swapped) {
    if (Upper(c) == 'T')
      c = 'M';
    else if (Upper(c) == 'M')
      c = 'T';
  }
  return swapped;
}

bool ValidDateForm(std::string_view form) {
  int seen[3] = {0, 0, 0};  // T, M, J
  for (std::size_t i = 0; i < form.size();) {
    const char c = Upper(form[i]);
    if (!IsComponent(c)) {
      if (static_cast<unsigned char>(form[i]) <= 32 || static_cast<unsigned char>(form[i]) >= 127)
        return false;
      ++i;
      continue;
    }
    std::size_t n = 0;
    while (i < form.size() && Upper(form[i]) == c) ++i, ++n;
    const int slot = c == 'T' ? 0 : c == 'M' ? 1 : 2;
    if (seen[slot]++) return false;
    if (slot < 2 && n > 2) return false;
    if (slot == 2 && n != 2 && n != 4) return false;
  }
  return seen[0] == 1 && seen[1] == 1 && seen[2] == 1;
}

namespace {

bool ReadFormDate(std::string_view bytes, std::string_view form, CKBXDatum& date, bool anyYear) {
  long values[3] = {0, 0, 0};
  std::size_t at = 0;
  for (std::size_t i = 0; i < form.size();) {
    const char c = Upper(form[i]);
    if (!IsComponent(c)) {
      if (at >= bytes.size() || bytes[at] != form[i]) return false;
      ++at, ++i;
      continue;
    }
    std::size_t width = 0;
    while (i < form.size() && Upper(form[i]) == c) ++i, ++width;
    // A component followed by a separator may be shorter (T.M.JJ); next to another
    // component or at the end of a compact form it has its full width.
    const bool delimited = i < form.size() && !IsComponent(form[i]);
    const std::size_t most = c == 'J' ? width : 2;
    const std::size_t least = delimited && c != 'J' ? 1 : most;
    std::size_t n = 0;
    long value = 0;
    while (n < most && at < bytes.size() && IsDigit(bytes[at])) value = value * 10 + (bytes[at++] - '0'), ++n;
    if (n < least) return false;
    values[c == 'T' ? 0 : c == 'M' ? 1 : 2] = value;
  }
  if (at != bytes.size()) return false;
  return SetDay(values[0], values[1], values[2], date, anyYear);
}

}  // namespace

bool ReadDateForm(std::string_view bytes, std::string_view form, CKBXDatum& date) {
  return ReadFormDate(bytes, form, date, false);
}

bool LooksLikeDate(std::string_view bytes, std::string_view form) {
  CKBXDatum unused;
  return form.empty() ? ReadPlainDate(bytes, unused, true) : ReadFormDate(bytes, form, unused, true);
}

PriceReading ReadPrice(std::string_view bytes, Token kind, bool decimalPoint) {
  const char group = decimalPoint ? ',' : '.';
  const char decimal = decimalPoint ? '.' : ',';
  constexpr std::uint64_t limit = std::numeric_limits<std::int32_t>::max();
  PriceReading r;
  std::uint64_t value = 0;
  bool afterDecimal = false, anyDigit = false, anyText = false, grouped = false, roundUp = false;
  int decimals = 0;
  bool dm = kind == Token::PriceDm;
  bool currencyKnown = kind != Token::Price;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == group) {
      std::size_t n = 0;
      while (i + 1 + n < bytes.size() && IsDigit(bytes[i + 1 + n])) ++n;
      // A grouping mark after the decimals, or not followed by three digits, is no
      // grouping mark: the number means something else than it would read as.
      if (afterDecimal || n != 3) {
        r.groupAsDecimal = !afterDecimal && n > 0;
        return r;
      }
      grouped = true;
    } else if (IsDigit(c)) {
      anyDigit = true;
      const auto digit = static_cast<std::uint64_t>(c - '0');
      if (!afterDecimal) {
        value = value * 10 + digit;
        if (value > limit) return r;
      } else if (decimals < 2) {
        value += digit * (decimals == 0 ? 10 : 1);
        ++decimals;
      } else if (decimals == 2) {
        roundUp = digit >= 5;
        ++decimals;
      }
    } else if (c == decimal && !afterDecimal) {
      afterDecimal = true;
      value *= 100;
    } else if (kind == Token::Price) {
      const std::string_view rest = bytes.substr(i);
      if (rest.substr(0, 2) == "DM") {
        dm = true;
        currencyKnown = true;
      } else if (rest.substr(0, 3) == "EUR") {
        currencyKnown = true;
      }
      break;
    } else if (c != ' ' && c != '\t' && c != '\r' && c != '"') {
      anyText = true;
    }
  }
  if (!anyDigit) {
    // Nothing but blanks is an empty field; "null", "N/A", "." or "-" stand for a
    // missing value, never for a removal.
    if (anyText || grouped || afterDecimal || !currencyKnown) return r;
    r.status = PriceReading::Empty;
    r.cents = -1;
    return r;
  }
  if (!currencyKnown) return r;
  if (!afterDecimal) value *= 100;
  if (roundUp) ++value;
  if (value > limit) return r;
  const std::int64_t euro = dm ? DmToEur(static_cast<std::int64_t>(value)) : static_cast<std::int64_t>(value);
  r.status = PriceReading::Ok;
  r.cents = static_cast<std::int32_t>(euro);
  r.groupOnly = grouped && !afterDecimal;
  return r;
}

}  // namespace priceio
