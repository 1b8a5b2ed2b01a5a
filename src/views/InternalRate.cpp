#include "views/InternalRate.h"

#include <algorithm>
#include <cmath>

namespace views {

namespace {

// Growth factors over the whole period searched first, closely: e^-40 .. e^40.
constexpr double kLogGrowthLimit = 40;
// The step between two tries when looking for brackets there.
constexpr double kGridStep = 0.02;
// Beyond them the tries lie this factor apart.
constexpr double kOuterGridFactor = 1.02;
// r = e^(z / years) - 1 stays finite for z / years up to about 709; below -700 it is -1.
constexpr double kLargestExponent = 700;

int Sign(double x) {
  return x > 0 ? 1 : (x < 0 ? -1 : 0);
}

// The sum of payments as a function of z (log growth over the period): sum c_i e^(-a_i z),
// with a_i = offset_i / period days in [0, 1].
//
// Far from 0 the terms leave the range of a double, so there the sum is taken scaled by a
// positive factor that leaves its sign and its roots as they are: by e^(a_0 z) for z >= 0
// (the first payment's term is then c_0 and every other smaller), by e^(a_n z) below 0
// (the last payment's term c_n).
class PaymentSum {
 public:
  PaymentSum(const std::vector<CashFlow>& flows, std::uint32_t periodDays) {
    for (const CashFlow& f : flows) {
      m_share.push_back(static_cast<double>(f.offset) / periodDays);
      // Differences of whole days, exact before the one division.
      m_afterFirst.push_back(static_cast<double>(f.offset - flows.front().offset) / periodDays);
      m_afterLast.push_back(-static_cast<double>(flows.back().offset - f.offset) / periodDays);
      m_amount.push_back(f.amount);
    }
  }
  double At(double z, bool scaled) const {
    const std::vector<double>& share = Shares(z, scaled);
    double sum = 0;
    for (std::size_t i = 0; i < m_amount.size(); ++i) sum += m_amount[i] * std::exp(-share[i] * z);
    return sum;
  }
  // The slope of the sum as At takes it (scaled, its own slope).
  double Slope(double z, bool scaled) const {
    const std::vector<double>& share = Shares(z, scaled);
    double sum = 0;
    for (std::size_t i = 0; i < m_amount.size(); ++i) sum -= m_amount[i] * share[i] * std::exp(-share[i] * z);
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
  // Beyond these the first (above) or the last payment (below) outweighs all others
  // together, so no root lies there: |c_0| > sum of |c_i| e^(-(a_i - a_0) z) for every
  // z above, as e^(-(a_i - a_0) z) <= e^(-(a_1 - a_0) z).
  double RootFreeAbove() const { return Outweighed(m_amount.front(), m_afterFirst[1], 1, m_amount.size()); }
  double RootFreeBelow() const {
    const std::size_t n = m_amount.size();
    return -Outweighed(m_amount.back(), -m_afterLast[n - 2], 0, n - 1);
  }

 private:
  // a_i, or a_i - a_0 (scaled, z >= 0), or a_i - a_n (scaled, z < 0).
  const std::vector<double>& Shares(double z, bool scaled) const {
    if (!scaled) return m_share;
    return z >= 0 ? m_afterFirst : m_afterLast;
  }
  double Outweighed(double own, double gap, std::size_t from, std::size_t to) const {
    double others = 0;
    for (std::size_t i = from; i < to; ++i) others += std::fabs(m_amount[i]);
    const double ratio = others / std::fabs(own);
    return ratio <= 1 ? 0 : std::log(ratio) / gap;
  }

  std::vector<double> m_share;
  std::vector<double> m_afterFirst;
  std::vector<double> m_afterLast;
  std::vector<double> m_amount;
};

// A root of the sum between a and b, where the sum has opposite signs (or is 0 at one end):
// Newton's method from `start`, bisection whenever a step leaves the bracket.
std::optional<double> RootBetween(const PaymentSum& sum, bool scaled, double a, double b, double start) {
  const double fa = sum.At(a, scaled);
  const double fb = sum.At(b, scaled);
  if (fa == 0) return a;
  if (fb == 0) return b;
  if (Sign(fa) == Sign(fb)) return std::nullopt;
  double negative = fa < 0 ? a : b;  // the sum is below 0 here
  double positive = fa < 0 ? b : a;  // and above 0 here
  double z = start > std::min(a, b) && start < std::max(a, b) ? start : (a + b) / 2;
  for (int iteration = 0; iteration < 200; ++iteration) {
    const double f = sum.At(z, scaled);
    if (f == 0) return z;
    (f < 0 ? negative : positive) = z;
    const double lo = std::min(negative, positive);
    const double hi = std::max(negative, positive);
    const double slope = sum.Slope(z, scaled);
    double next = slope != 0 ? z - f / slope : lo - 1;
    if (!(next > lo && next < hi)) next = lo + (hi - lo) / 2;
    if (next <= lo || next >= hi) return z;  // the bracket holds no double between its ends
    if (std::fabs(next - z) <= 1e-15 * std::max(1.0, std::fabs(z))) return next;
    z = next;
  }
  return z;
}

// The roots between `from` and `to` (either way round, |to| > |from|), tried at points
// whose distance grows with their distance from 0.
void OuterRoots(const PaymentSum& sum, double from, double to, double start, std::vector<double>& roots) {
  const double direction = to > from ? 1 : -1;
  double a = from;
  double fa = sum.At(a, true);
  while (direction * (to - a) > 0) {
    const double step = std::max(kGridStep, std::fabs(a) * (kOuterGridFactor - 1));
    const double b = direction > 0 ? std::min(to, a + step) : std::max(to, a - step);
    const double fb = sum.At(b, true);
    // A root on a point belongs to the bracket that ends there, the first point excepted.
    if (Sign(fa) * Sign(fb) <= 0 && fa != 0) {
      if (const auto z = RootBetween(sum, true, std::min(a, b), std::max(a, b), start)) roots.push_back(*z);
    }
    a = b;
    fa = fb;
  }
}

}  // namespace

std::optional<double> InternalRate(const std::vector<CashFlow>& flows, std::uint32_t periodDays,
                                   double near) {
  if (periodDays == 0) return std::nullopt;
  // Money went in and nothing ever came out: lost, also when it all went in on one day.
  const auto paidIn = [](const CashFlow& f) { return f.amount < 0; };
  const auto paidOut = [](const CashFlow& f) { return f.amount > 0; };
  if (std::any_of(flows.begin(), flows.end(), paidIn) && std::none_of(flows.begin(), flows.end(), paidOut))
    return -1.0;
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
  const bool paid = std::any_of(net.begin(), net.end(), paidIn);
  const bool received = std::any_of(net.begin(), net.end(), paidOut);
  if (!received) return -1.0;
  if (!paid) return std::nullopt;

  const double years = periodDays / 365.0;
  const PaymentSum sum(net, periodDays);
  // First the growth factors of the period up to e^±40, then every rate a double holds.
  const double lo = -kLogGrowthLimit;
  const double hi = std::min(kLogGrowthLimit, kLargestExponent * years);
  const double lowest = -kLargestExponent * years;
  const double highest = kLargestExponent * years;
  const double start = near > -1 ? std::log1p(near) * years : 0;

  int signChanges = 0;
  for (std::size_t i = 1; i < net.size(); ++i) signChanges += Sign(net[i].amount) != Sign(net[i - 1].amount);

  std::vector<double> roots;
  if (signChanges == 1) {
    // The one root lies where the sum turns from the last payment's sign (far below) to
    // the first payment's (far above).
    std::optional<double> root = RootBetween(sum, false, lo, hi, start);
    if (!root && Sign(sum.At(hi, false)) == Sign(net.back().amount)) {
      root = RootBetween(sum, true, hi, highest, start);  // none: too large for a double
    } else if (!root) {
      root = RootBetween(sum, true, std::min(lowest, lo), lo, start);
      if (!root) root = std::min(lowest, lo);  // 1 + r below e^-700: -100 %
    }
    if (root) roots.push_back(*root);
  } else {
    const auto n = static_cast<std::size_t>(std::ceil((hi - lo) / kGridStep)) + 1;
    const double step = (hi - lo) / static_cast<double>(n - 1);
    const std::vector<double> grid = sum.Grid(lo, step, n);
    for (std::size_t k = 0; k + 1 < n; ++k) {
      if (Sign(grid[k]) * Sign(grid[k + 1]) > 0 || grid[k + 1] == 0) continue;
      const double a = lo + static_cast<double>(k) * step;
      if (const auto z = RootBetween(sum, false, a, k + 2 == n ? hi : a + step, start)) roots.push_back(*z);
    }
    const double above = std::min(highest, sum.RootFreeAbove());
    if (above > hi) OuterRoots(sum, hi, above, start, roots);
    const double below = std::max(lowest, sum.RootFreeBelow());
    if (below < lo) OuterRoots(sum, lo, below, start, roots);
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
