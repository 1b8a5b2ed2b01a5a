#pragma once
// The internal rate of return of dated payments (IZF), as a spreadsheet's XIRR computes it:
// the rate r > -1 per year of 365 days with
//   sum of CF_i x (1 + r)^(-t_i / 365) = 0,
// where t_i counts the days from the first day of the period to the payment's day.
//
// With z = ln(1 + r) x (period in years) the sum becomes a sum of exponentials in z whose
// real roots are the rates sought. Newton's method finds a root inside a bracket where the
// sum changes its sign, falling back to bisection whenever a step would leave the bracket.
// Every rate a double holds is looked at, 1 + r from e^-700 to e^700 per year, so that a
// root does not depend on how long the period is around the same payments: when the
// payments change their sign once (all payments in before all payments out), the root is
// unique and is searched for first among the growth factors over the period from e^-40 to
// e^40, then beyond; otherwise the brackets are found by stepping through those growth
// factors closely and beyond them ever more widely (up to where the first or the last
// payment outweighs all others, so that no root lies further out), and of the roots found
// the one nearest a given rate (the time-weighted rate per year) is taken. A root whose
// 1 + r lies below e^-700 is -1.
//
// There is no rate (none) for a period of one day, when there are no payments or all
// lie on one day, when only money came out, when no root exists, or when the rate is too
// large for a double. When money went in and none ever came out (also when it all went in
// on one day), everything paid in is lost: -1 (-100 %); so it is when, each day's payments
// netted, no day brought money back.

#include <cstdint>
#include <optional>
#include <vector>

namespace views {

struct CashFlow {
  std::uint32_t offset = 0;  // days after the period's first day
  double amount = 0;         // received positive, paid negative
};

// flows ascending by offset, each offset in 0..periodDays.
std::optional<double> InternalRate(const std::vector<CashFlow>& flows, std::uint32_t periodDays, double near);

}  // namespace views
