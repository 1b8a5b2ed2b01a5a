#include "base/Money.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

__extension__ typedef unsigned __int128 u128;
__extension__ typedef __int128 i128;

std::uint64_t Magnitude(std::int64_t v) {
  return v < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
}

std::int64_t WithSign(std::uint64_t v, bool negative) {
  const auto s = static_cast<std::int64_t>(v);
  return negative ? -s : s;
}

// Intermediate products can pass 64 bits for large holdings; 128 bits give the same
// quotient wherever 64 bits would not have overflowed.
std::uint64_t MulDiv(std::uint64_t a, std::uint64_t b, std::uint64_t divisor) {
  const u128 q = static_cast<u128>(a) * b / divisor;
  return q > std::numeric_limits<std::uint64_t>::max() ? std::numeric_limits<std::uint64_t>::max()
                                                       : static_cast<std::uint64_t>(q);
}

template <typename... Args>
std::string Sformat(const char* format, Args... args) {
  char buffer[64];
  const int n = std::snprintf(buffer, sizeof buffer, format, args...);
  if (n < 0) return {};
  if (static_cast<std::size_t>(n) < sizeof buffer) return std::string(buffer, static_cast<std::size_t>(n));
  std::string text(static_cast<std::size_t>(n) + 1, '\0');
  std::snprintf(text.data(), text.size(), format, args...);
  text.resize(static_cast<std::size_t>(n));
  return text;
}

std::string CommaDecimal(std::string text) {
  for (char& c : text) {
    if (c == '.') c = ',';
  }
  return text;
}

// As printf's "%+.Nf%%" (with sign) or "%.Nf%%" would write it, with a decimal comma.
// Formats the exact decimal value of the double, rounded half to even like printf.
std::string FormatFloat(double value, int decimals, bool withSign) {
  if (decimals < 0) decimals = 0;
  if (decimals > 15) decimals = 15;
  if (!std::isfinite(value)) {
    const std::string pattern = Sformat(withSign ? "%%+01.%df%%%%" : "%%01.%df%%%%", decimals);
    return CommaDecimal(Sformat(pattern.c_str(), value));
  }
  char buffer[400];  // the largest double has 309 integer digits
  char* begin = buffer + 1;
  const auto result =
      std::to_chars(begin, buffer + sizeof buffer - 1, value, std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) return {};
  if (withSign && *begin != '-') *--begin = '+';
  *result.ptr = '%';
  std::string text(begin, result.ptr + 1);
  for (char& c : text) {
    if (c == '.') c = ',';
  }
  return text;
}

}  // namespace

std::int64_t SplitAmount::ValueIn(Currency currency) const {
  return currency == kDm ? dm + EurToDm(eur) : eur + DmToEur(dm);
}

SplitAmount& SplitAmount::Add(std::int64_t amount, Currency currency) {
  (currency == kDm ? dm : eur) += amount;
  return *this;
}

std::uint64_t RoundTenth(std::uint64_t x) {
  return x / 10 + (x % 10 >= 5 ? 1 : 0);
}

std::int64_t DmToEur(std::int64_t amount) {
  return WithSign(RoundTenth(MulDiv(Magnitude(amount), 1'000'000, 195'583)), amount < 0);
}

std::int64_t EurToDm(std::int64_t amount) {
  return WithSign(RoundTenth(MulDiv(Magnitude(amount), 195'583, 10'000)), amount < 0);
}

std::int64_t ConvertAmount(std::int64_t amount, Currency from, Currency to) {
  if (from == to) return amount;
  return to == kDm ? EurToDm(amount) : DmToEur(amount);
}

std::int64_t ShareValue(std::int64_t quantity, std::int64_t price) {
  const i128 product = static_cast<i128>(quantity) * price;
  return static_cast<std::int64_t>(product / kQuantityUnit);
}

std::int64_t PerShareValue(std::int64_t amount, std::int64_t quantity) {
  if (quantity == 0) return 0;
  return WithSign(RoundTenth(MulDiv(Magnitude(amount), 100'000'000, Magnitude(quantity))),
                  (amount < 0) != (quantity < 0));
}

std::int64_t PerShareValue(const SplitAmount& amount, std::int64_t quantity, bool inDm) {
  const std::int64_t value = amount.ValueIn(inDm ? kDm : kEur);
  if (quantity == 1) return value;
  return PerShareValue(value, quantity);
}

ProratedAmount Prorate(std::int64_t amount, std::int64_t part, std::int64_t whole) {
  const std::uint64_t a = Magnitude(amount);
  std::uint64_t h = 0;
  if (whole != 0) {
    const u128 q = static_cast<u128>(a) * Magnitude(part) * 10 / Magnitude(whole);
    h = RoundTenth(q > std::numeric_limits<std::uint64_t>::max() ? std::numeric_limits<std::uint64_t>::max()
                                                                 : static_cast<std::uint64_t>(q));
  }
  const std::int64_t share = WithSign(h, amount < 0);
  return {share, amount - share};
}

double ChangePercent(std::int64_t a, std::int64_t b) {
  if (b == 0) return 0.0;
  return static_cast<double>(a) * 100.0 / static_cast<double>(b) - 100.0;
}

double SharePercent(std::int64_t a, std::int64_t b) {
  if (b == 0) return 0.0;
  return static_cast<double>(a) * 100.0 / static_cast<double>(b);
}

namespace {

// Appends |n| with its digits grouped in threes by ".".
void AppendGrouped(std::string& text, std::uint64_t n) {
  char digits[20];
  const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
  const auto count = static_cast<std::size_t>(end - digits);
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0 && (count - i) % 3 == 0) text += '.';
    text += digits[i];
  }
}

}  // namespace

std::string GroupThousands(std::int64_t n, bool negative) {
  std::string text;
  if (n < 0 || negative) text += '-';
  AppendGrouped(text, Magnitude(n));
  return text;
}

std::string FormatMoney(std::int64_t amount, Currency currency, int target, bool withSuffix) {
  Currency shown = currency;
  if (target == kDm || target == kEur) {
    shown = static_cast<Currency>(target);
    amount = ConvertAmount(amount, currency, shown);
  }
  const std::uint64_t magnitude = Magnitude(amount);
  std::string text;
  text.reserve(32);
  if (amount < 0) text += '-';
  AppendGrouped(text, magnitude / 100);
  const auto cents = static_cast<unsigned>(magnitude % 100);
  text += ',';
  text += static_cast<char>('0' + cents / 10);
  text += static_cast<char>('0' + cents % 10);
  if (withSuffix) text += shown == kDm ? " DM" : " EUR";
  return text;
}

std::string FormatSignedMoney(std::int64_t amount) {
  std::string text = FormatMoney(amount, kEur, kOwnCurrency, false);
  return amount > 0 ? "+" + text : text;
}

std::string FormatPerShare(const SplitAmount& amount, std::int64_t quantity, bool inDm, bool withSuffix) {
  const Currency currency = inDm ? kDm : kEur;
  return FormatMoney(PerShareValue(amount, quantity, inDm), currency, kOwnCurrency, withSuffix);
}

int QuantityDecimals(std::int32_t fraction) {
  if (fraction == 0) return 0;
  int digits = 7;
  for (std::int32_t f = fraction; f % 10 == 0 && digits > 0; f /= 10) --digits;
  return digits;
}

std::string FormatQuantity(std::int32_t integerPart, std::int32_t fraction, int decimals) {
  if (decimals == -1) {
    if (fraction == 0) return Sformat("%d", integerPart);
    decimals = QuantityDecimals(fraction);
  }
  if (decimals <= 0) return Sformat("%d", integerPart);
  if (decimals > 7) decimals = 7;
  std::int32_t divisor = 1;
  for (int i = decimals; i < 7; ++i) divisor *= 10;
  const std::string pattern = Sformat("%%d,%%0%dd", decimals);
  return Sformat(pattern.c_str(), integerPart, fraction / divisor);
}

std::string FormatChangePercent(std::int64_t a, std::int64_t b, int decimals) {
  if (b == 0 && a != 0) return {};
  return FormatFloat(ChangePercent(a, b), decimals, true);
}

std::string FormatSignedPercent(double value, int decimals) {
  return FormatFloat(value, decimals, true);
}

std::string FormatPercent(double value, int decimals) {
  return FormatFloat(value, decimals, false);
}

std::string FormatSharePercent(std::int64_t a, std::int64_t b, int decimals) {
  if (b == 0 && a != 0) return {};
  return FormatFloat(SharePercent(a, b), decimals, false);
}

std::string FormatScaled(std::int64_t value, std::int64_t divisor, bool thousandths) {
  // Values between -1 and 0 have the integer part 0: the sign is carried by the flag.
  const bool negative = value < 0;
  if (thousandths) {
    std::string text = GroupThousands(value / 1000, negative);
    const std::uint64_t rest = Magnitude(value) % 1000;
    switch (divisor) {
      case 100:
        return text + Sformat(",%01u", static_cast<unsigned>(rest / 100));
      case 10:
        return text + Sformat(",%02u", static_cast<unsigned>(rest / 10));
      case 1:
        return text + Sformat(",%03u", static_cast<unsigned>(rest));
      default:
        return text;
    }
  }
  if (divisor == 1) {
    return GroupThousands(value / 100, negative) +
           Sformat(",%02u", static_cast<unsigned>(Magnitude(value) % 100));
  }
  if (divisor == 0) divisor = 1;
  return GroupThousands(value / divisor);
}

bool ParseMoney(std::string_view text, std::int32_t& amount, Currency& currency, bool setDefault) {
  Currency resultCurrency = setDefault ? kEur : currency;
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && text[i] == '-') {
    negative = true;
    ++i;
    if (i == text.size()) return false;
  }
  std::uint64_t integerPart = 0;
  std::uint64_t decimals = 0;
  bool inDecimals = false;
  int decimalDigits = 0;
  bool anyDigit = false;
  bool afterBlank = false;
  bool afterCurrency = false;
  constexpr std::uint64_t limit = std::numeric_limits<std::int32_t>::max();

  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.') continue;
    if (afterCurrency) return false;
    if (c >= '0' && c <= '9') {
      if (afterBlank) return false;
      anyDigit = true;
      const auto digit = static_cast<std::uint64_t>(c - '0');
      if (inDecimals) {
        if (decimalDigits == 0)
          decimals += digit * 10;
        else if (decimalDigits == 1)
          decimals += digit;
        ++decimalDigits;
      } else {
        integerPart = integerPart * 10 + digit;
        if (integerPart > limit) return false;
      }
    } else if (c == ',') {
      if (inDecimals || afterBlank) return false;
      inDecimals = true;
    } else if (c == ' ') {
      afterBlank = true;
    } else if (c == 'D') {
      if (i + 1 >= text.size() || text[i + 1] != 'M') return false;
      resultCurrency = kDm;
      afterCurrency = true;
      ++i;
    } else if (c == 'E') {
      if (text.substr(i, 3) != "EUR") return false;
      resultCurrency = kEur;
      afterCurrency = true;
      i += 2;
    } else {
      return false;
    }
  }
  if (!anyDigit) return false;
  const std::uint64_t value = inDecimals ? integerPart * 100 + decimals : integerPart * 100;
  if (value > limit) return false;
  amount = negative ? -static_cast<std::int32_t>(value) : static_cast<std::int32_t>(value);
  currency = resultCurrency;
  return true;
}

bool ParseQuantity(std::string& text, std::int32_t& integerPart, std::int32_t& fraction) {
  if (text.empty()) return false;
  std::uint64_t whole = 0;
  std::int32_t part = 0;
  std::int32_t weight = 1'000'000;
  bool inFraction = false;
  bool anyDigit = false;
  for (const char c : text) {
    if (c == ',') {
      if (inFraction) return false;
      inFraction = true;
    } else if (c >= '0' && c <= '9') {
      anyDigit = true;
      const int digit = c - '0';
      if (inFraction) {
        part += digit * weight;
        weight /= 10;
      } else {
        whole = whole * 10 + static_cast<std::uint64_t>(digit);
        if (whole > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) return false;
      }
    } else {
      return false;
    }
  }
  if (!anyDigit) return false;
  integerPart = static_cast<std::int32_t>(whole);
  fraction = part;
  text = FormatQuantity(integerPart, fraction, -1);
  return true;
}
