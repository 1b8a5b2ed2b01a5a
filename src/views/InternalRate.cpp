#include "views/InternalRate.h"

#include <algorithm>
#include <cmath>

namespace views {

namespace {

// Growth factors over the whole period that a root may have: e^-40 .. e^40.
constexpr double kLogGrowthLimit = 40;
// The step between two tries when looking for brackets.
constexpr double kGridStep = 0.02;
// r = e^(z / years) - 1 stays finite for z / years up to about 709.
constexpr double kLargestExponent = 700;

// The sum of payments as a function of z (log growth over the period): sum c_i e^(-a_i z),
// with a_i = offset_i / period days in [0, 1].
class PaymentSum {
 public:
  PaymentSum(const std::vector<CashFlow>& flows, std::uint32_t periodDays) {
    for (const CashFlow& f : flows) {
      m_share.push_back(static_cast<double>(f.offset) / periodDays);
      m_amount.push_back(f.amount);
    }
  }
  double At(double z) const {
    double sum = 0;
    for (std::size_t i = 0; i < m_amount.size(); ++i) sum += m_amount[i] * std::exp(-m_share[i] * z);
    return sum;
  }
  double Slope(double z) const {
    double sum = 0;
    for (std::size_t i = 0; i < m_amount.size(); ++i)
      sum -= m_amount[i] * m_share[i] * std::exp(-m_share[i] * z);
    return sum;
  }
  // The sum at lo, lo + step, ... (n points), each term advanced by a factor per step;
  // recomputed exactly now and then so that rounding does not pile up.
  std::vector<double> Grid(double lo, double step, std::size_t n) const {
    std::vector<double> term(m_amount.size()), factor(m_amount.size()), sums(n);
    for (std::size_t k = 0; k < n; ++k) {
      const double z = lo + static_cast<double>(k) * step;
      const bool exact = k % 256 == 0;
      double sum = 0;
      for (std::size_t i = 0; i < m_amount.size(); ++i) {
        if (exact) {
          term[i] = std::exp(-m_share[i] * z);
          factor[i] = std::exp(-m_share[i] * step);
        } else {
          term[i] *= factor[i];
        }
        sum += m_amount[i] * term[i];
      }
      sums[k] = sum;
    }
    return sums;
  }

 private:
  std::vector<double> m_share;
  std::vector<double> m_amount;
};

int Sign(double x) {
  return x > 0 ? 1 : (x < 0 ? -1 : 0);
}

// A root of the sum between a and b, where the sum has opposite signs (or is 0 at one end):
// Newton's method from `start`, bisection whenever a step leaves the bracket.
std::optional<double> RootBetween(const PaymentSum& sum, double a, double b, double start) {
  const double fa = sum.At(a);
  const double fb = sum.At(b);
  if (fa == 0) return a;
  if (fb == 0) return b;
  if (Sign(fa) == Sign(fb)) return std::nullopt;
  double negative = fa < 0 ? a : b;  // the sum is below 0 here
  double positive = fa < 0 ? b : a;  // and above 0 here
  double z = start > std::min(a, b) && start < std::max(a, b) ? start : (a + b) / 2;
  for (int iteration = 0; iteration < 200; ++iteration) {
    const double f = sum.At(z);
    if (f == 0) return z;
    (f < 0 ? negative : positive) = z;
    const double lo = std::min(negative, positive);
    const double hi = std::max(negative, positive);
    const double slope = sum.Slope(z);
    double next = slope != 0 ? z - f / slope : lo - 1;
    if (!(next > lo && next < hi)) next = lo + (hi - lo) / 2;
    if (next <= lo || next >= hi) return z;  // the bracket holds no double between its ends
    if (std::fabs(next - z) <= 1e-15 * std::max(1.0, std::fabs(z))) return next;
    z = next;
  }
  return z;
}

}  // namespace

std::optional<double> InternalRate(const std::vector<CashFlow>& flows, std::uint32_t periodDays,
                                   double near) {
  if (periodDays == 0) return std::nullopt;
  // One net payment per day; days without money are left out.
  std::vector<CashFlow> net;
  for (const CashFlow& f : flows) {
    if (!net.empty() && net.back().offset == f.offset) {
      net.back().amount += f.amount;
    } else {
      net.push_back(f);
    }
  }
  std::erase_if(net, [](const CashFlow& f) { return f.amount == 0; });
  if (net.size() < 2) return std::nullopt;  // nothing, or all on one day
  const bool paid = std::any_of(net.begin(), net.end(), [](const CashFlow& f) { return f.amount < 0; });
  const bool received = std::any_of(net.begin(), net.end(), [](const CashFlow& f) { return f.amount > 0; });
  if (!received) return -1.0;
  if (!paid) return std::nullopt;

  const double years = periodDays / 365.0;
  const PaymentSum sum(net, periodDays);
  const double lo = -kLogGrowthLimit;
  const double hi = std::min(kLogGrowthLimit, kLargestExponent * years);
  const double start = near > -1 ? std::log1p(near) * years : 0;

  int signChanges = 0;
  for (std::size_t i = 1; i < net.size(); ++i) signChanges += Sign(net[i].amount) != Sign(net[i - 1].amount);

  std::vector<double> roots;
  if (signChanges == 1) {
    if (const auto z = RootBetween(sum, lo, hi, start)) roots.push_back(*z);
  } else {
    const auto n = static_cast<std::size_t>(std::ceil((hi - lo) / kGridStep)) + 1;
    const double step = (hi - lo) / static_cast<double>(n - 1);
    const std::vector<double> grid = sum.Grid(lo, step, n);
    for (std::size_t k = 0; k + 1 < n; ++k) {
      if (Sign(grid[k]) * Sign(grid[k + 1]) > 0 || grid[k + 1] == 0) continue;
      const double a = lo + static_cast<double>(k) * step;
      if (const auto z = RootBetween(sum, a, k + 2 == n ? hi : a + step, start)) roots.push_back(*z);
    }
  }
  std::optional<double> best;
  for (const double z : roots) {
    const double rate = std::expm1(z / years);
    if (!std::isfinite(rate)) continue;
    if (!best || std::fabs(rate - near) < std::fabs(*best - near)) best = rate;
  }
  return best;
}

}  // namespace views
