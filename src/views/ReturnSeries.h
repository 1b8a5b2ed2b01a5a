#pragma once
// The daily values of an investment and the money that went into it and came out of it,
// and the two rates of return computed from them.
//
// The series covers the days from First() to Last(); it holds the value at the end of each
// of these days and at the end of the day before First(). Money in (a purchase, a deposit)
// counts at the start of its day, money out (a sale, a withdrawal) at its end. Outside the
// series the value is 0 and no money moves.
//
// Time-weighted rate (TTWROR) of the days [S, E]: the product over the days d of
//   (value at the end of d + money out on d) / (value at the end of d-1 + money in on d),
// minus 1. A day whose denominator is 0 counts as factor 1; without any day whose
// denominator is not 0 there is no rate. It measures what the investment did with the money
// that was in it, whatever the amount on each day.
//
// Internal rate (IZF) of the days [S, E], as a spreadsheet's XIRR: the rate r > -1 with
//   sum of CF_i x (1 + r)^(-(d_i - S) / 365) = 0,
// where the value at the end of S-1 is paid in on S, each day's money in is paid in and its
// money out received on that day, and the value at the end of E is received on E. See
// InternalRate.h for how the root is found and when there is none.

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "model/KBXDatum.h"

namespace views {

class ReturnSeries {
 public:
  ReturnSeries() = default;
  // Empty values and flows for the days first..last (last >= first, first >= 1).
  ReturnSeries(CKBXDatum first, CKBXDatum last);

  CKBXDatum First() const { return CKBXDatum(m_first); }
  CKBXDatum Last() const { return CKBXDatum(m_first + static_cast<std::uint32_t>(m_days.size()) - 2); }
  bool Empty() const { return m_days.empty(); }

  // Adds to the value at the end of a day (First() - 1 .. Last()); other days are outside
  // the series and are left out.
  void AddValue(std::uint32_t day, std::int64_t amount) {
    if (Day* d = At(day)) d->value += amount;
  }
  // Adds money in or out on a day of the series (First() .. Last()); as above.
  void AddIn(std::uint32_t day, std::int64_t amount) {
    if (Day* d = At(day)) d->in += amount;
  }
  void AddOut(std::uint32_t day, std::int64_t amount) {
    if (Day* d = At(day)) d->out += amount;
  }

  // The value at the end of a day, 0 outside the series.
  std::int64_t ValueAtEndOf(CKBXDatum day) const;
  // The money in or out on the days from..to, in hundredths.
  std::int64_t MoneyIn(CKBXDatum from, CKBXDatum to) const;
  std::int64_t MoneyOut(CKBXDatum from, CKBXDatum to) const;

  // The time-weighted rate of the days from..to (not annualised); none as said above.
  std::optional<double> TimeWeighted(CKBXDatum from, CKBXDatum to) const;
  // The same, linked over several spans of days, ascending: the product of their days'
  // factors (for spans that follow each other without a gap, the rate of all their days).
  std::optional<double> TimeWeighted(const std::vector<std::pair<CKBXDatum, CKBXDatum>>& spans) const;
  // The internal rate per year of the days from..to; where several rates solve the
  // equation, the one nearest `near`.
  std::optional<double> InternalRate(CKBXDatum from, CKBXDatum to, double near) const;

 private:
  struct Day {
    std::int64_t value = 0;
    std::int64_t in = 0;
    std::int64_t out = 0;
  };
  // Index 0 is the day before First(); nullptr outside the series.
  Day* At(std::uint32_t day) { return const_cast<Day*>(Find(day)); }
  const Day* Find(std::uint32_t day) const;

  std::uint32_t m_first = 1;
  std::vector<Day> m_days;
};

// A rate of the days from..to per year: (1 + rate)^(365 / (to - from)) - 1. None for a
// period of one day or when 1 + rate is negative.
std::optional<double> PerYear(double rate, CKBXDatum from, CKBXDatum to);

}  // namespace views
