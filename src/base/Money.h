#pragma once
// Money arithmetic and the German text forms of amounts, quantities and percentages.
//
// Amounts are integer hundredths (Pfennig or Cent) with a currency flag beside them;
// share quantities are fixed-point numbers with seven decimals. DM and EUR are converted
// at the fixed rate 1 EUR = 1,95583 DM. Every rounding goes through RoundTenth.

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

// Currency flag as stored in portfolio files: one byte, 1 = DM, 0 = EUR.
enum Currency : std::uint8_t { kEur = 0, kDm = 1 };

// A target currency of the formatting functions: -1 keeps the amount's own currency.
constexpr int kOwnCurrency = -1;

// Units of a share quantity: 1/10,000,000 share.
constexpr std::int64_t kQuantityUnit = 10'000'000;

// A sum that mixes currencies, kept apart and converted only when shown.
struct SplitAmount {
  std::int64_t eur = 0;
  std::int64_t dm = 0;

  // The value in one currency: its own part plus the other part converted.
  std::int64_t ValueIn(Currency currency) const;
  SplitAmount& Add(std::int64_t amount, Currency currency);
  SplitAmount& operator+=(const SplitAmount& other) {
    eur += other.eur;
    dm += other.dm;
    return *this;
  }
  friend SplitAmount operator-(const SplitAmount& a, const SplitAmount& b) {
    return {a.eur - b.eur, a.dm - b.dm};
  }
  friend bool operator==(const SplitAmount&, const SplitAmount&) = default;
};

// Whether an amount fits the signed 32-bit fields in which a portfolio file keeps money.
constexpr bool FitsStored(std::int64_t amount) {
  return amount >= std::numeric_limits<std::int32_t>::min() &&
         amount <= std::numeric_limits<std::int32_t>::max();
}
constexpr bool FitsStored(const SplitAmount& amount) {
  return FitsStored(amount.eur) && FitsStored(amount.dm);
}

// Rounds half up on the first dropped digit: x / 10, plus one when x mod 10 >= 5.
std::uint64_t RoundTenth(std::uint64_t x);

std::int64_t DmToEur(std::int64_t amount);
std::int64_t EurToDm(std::int64_t amount);
// Converts an amount from one currency into another (no change when they are equal).
std::int64_t ConvertAmount(std::int64_t amount, Currency from, Currency to);

// Combines a 32-bit integer part and a fraction into the 64-bit quantity.
constexpr std::int64_t QuantityOf(std::int32_t integerPart, std::int32_t fraction) {
  return std::int64_t{integerPart} * kQuantityUnit + fraction;
}

// The value of a quantity of shares at a price: quantity x price / 10,000,000,
// truncated towards zero.
std::int64_t ShareValue(std::int64_t quantity, std::int64_t price);

// The per-share value of an amount (with the rounding of RoundTenth); 0 for quantity 0.
std::int64_t PerShareValue(std::int64_t amount, std::int64_t quantity);
// The per-share value of a split amount in DM or EUR. A divisor of exactly 1 means
// no division: the converted sum itself.
std::int64_t PerShareValue(const SplitAmount& amount, std::int64_t quantity, bool inDm);

// Divides an amount in the ratio part : whole. The part gets first, the rest second;
// the two always add up to the amount.
struct ProratedAmount {
  std::int64_t part;
  std::int64_t rest;
};
ProratedAmount Prorate(std::int64_t amount, std::int64_t part, std::int64_t whole);

// a x 100 / b - 100; 0 if b is 0.
double ChangePercent(std::int64_t a, std::int64_t b);
// a x 100 / b; 0 if b is 0.
double SharePercent(std::int64_t a, std::int64_t b);

// Groups the digits of |n| in threes with "."; "-" in front if n < 0 or negative is set.
std::string GroupThousands(std::int64_t n, bool negative = false);

// Formats an amount with two decimals, converted to target (kOwnCurrency, kDm, kEur).
std::string FormatMoney(std::int64_t amount, Currency currency, int target = kOwnCurrency,
                        bool withSuffix = true);
// The EUR amount without suffix, with "+" in front of positive amounts.
std::string FormatSignedMoney(std::int64_t amount);
// The per-share value of a split amount, formatted like an amount.
std::string FormatPerShare(const SplitAmount& amount, std::int64_t quantity, bool inDm, bool withSuffix);

// decimals -1: as many as needed; 0 or less: integer part only; 1..7: fixed, truncated.
std::string FormatQuantity(std::int32_t integerPart, std::int32_t fraction, int decimals = -1);
// The number of significant fraction digits of one quantity (0..7).
int QuantityDecimals(std::int32_t fraction);

std::string FormatChangePercent(std::int64_t a, std::int64_t b, int decimals);
std::string FormatSignedPercent(double value, int decimals);
std::string FormatPercent(double value, int decimals);
std::string FormatSharePercent(std::int64_t a, std::int64_t b, int decimals);
// Numbers of chart axes: v in thousandths (thousandths set) or hundredths, see the .cpp.
std::string FormatScaled(std::int64_t value, std::int64_t divisor, bool thousandths);

// Reads a typed amount ("1.234,50", "12,50 DM", "-0,07EUR", "3"). With setDefault the
// currency starts as EUR, otherwise it keeps what the caller put there. Refuses any text
// that is not an amount or whose value does not fit 32 bits; on failure nothing changes.
bool ParseMoney(std::string_view text, std::int32_t& amount, Currency& currency, bool setDefault = true);

// Reads a typed share quantity ("2,5"). On success text is rewritten in its normalised
// form. Refuses a value whose integer part does not fit 32 bits; on failure nothing
// changes.
bool ParseQuantity(std::string& text, std::int32_t& integerPart, std::int32_t& fraction);
