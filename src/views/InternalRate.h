#pragma once
// The internal rate of return of dated payments (IZF), as a spreadsheet's XIRR computes it:
// the rate r > -1 per year of 365 days with
//   sum of CF_i x (1 + r)^(-t_i / 365) = 0,
// where t_i counts the days from the first day of the period to the payment's day.
//
// With z = ln(1 + r) x (period in years) the sum becomes a sum of exponentials in z whose
// real roots are the rates sought. Newton's method finds a root inside a bracket where the
// sum changes its sign, falling back to bisection whenever a step would leave the bracket.
// When the payments change their sign once (all payments in before all payments out), the
// root is unique; otherwise the brackets are found by stepping through the growth factors
// over the period from e^-40 to e^40, and of the roots found the one nearest a given rate
// (the time-weighted rate per year) is taken.
//
// There is no rate (none) for a period of one day, when there are no payments or all
// lie on one day, when only money came out, when no root exists, or when the rate is too
// large for a double. When money went in and none came out, everything paid in is lost:
// -1 (-100 %).

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
