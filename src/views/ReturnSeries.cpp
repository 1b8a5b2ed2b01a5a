#include "views/ReturnSeries.h"

#include <algorithm>
#include <cmath>

#include "views/InternalRate.h"

namespace views {

ReturnSeries::ReturnSeries(CKBXDatum first, CKBXDatum last)
    : m_first(std::max<std::uint32_t>(first.Day(), 1)), m_days(std::max(last.Day(), m_first) - m_first + 2) {}

const ReturnSeries::Day* ReturnSeries::Find(std::uint32_t day) const {
  if (m_days.empty() || day + 1 < m_first) return nullptr;
  const std::size_t index = day + 1 - m_first;
  return index < m_days.size() ? &m_days[index] : nullptr;
}

std::int64_t ReturnSeries::ValueAtEndOf(CKBXDatum day) const {
  const Day* d = Find(day.Day());
  return d ? d->value : 0;
}

std::int64_t ReturnSeries::MoneyIn(CKBXDatum from, CKBXDatum to) const {
  std::int64_t sum = 0;
  for (std::uint32_t day = std::max(from.Day(), m_first); day <= to.Day(); ++day) {
    const Day* d = Find(day);
    if (!d) break;
    sum += d->in;
  }
  return sum;
}

std::int64_t ReturnSeries::MoneyOut(CKBXDatum from, CKBXDatum to) const {
  std::int64_t sum = 0;
  for (std::uint32_t day = std::max(from.Day(), m_first); day <= to.Day(); ++day) {
    const Day* d = Find(day);
    if (!d) break;
    sum += d->out;
  }
  return sum;
}

std::optional<double> ReturnSeries::TimeWeighted(CKBXDatum from, CKBXDatum to) const {
  return TimeWeighted({{from, to}});
}

std::optional<double> ReturnSeries::TimeWeighted(
    const std::vector<std::pair<CKBXDatum, CKBXDatum>>& spans) const {
  // Days outside the series have nothing in them: factor 1.
  double product = 1;
  bool counted = false;
  for (const auto& [from, to] : spans) {
    for (std::uint32_t day = std::max(from.Day(), m_first); day <= to.Day(); ++day) {
      const Day* d = Find(day);
      if (!d) break;
      const Day& before = *(d - 1);  // the day before is in the series from First() on
      const std::int64_t denominator = before.value + d->in;
      if (denominator == 0) continue;
      product *= static_cast<double>(d->value + d->out) / static_cast<double>(denominator);
      counted = true;
    }
  }
  if (!counted) return std::nullopt;
  return product - 1;
}

std::optional<double> ReturnSeries::InternalRate(CKBXDatum from, CKBXDatum to, double near) const {
  if (to <= from) return std::nullopt;
  // The value at the end of the day before `from` is paid in on `from`, the value at the
  // end of `to` received on `to`.
  std::vector<CashFlow> flows;
  flows.push_back({0, -static_cast<double>(ValueAtEndOf(CKBXDatum(from.Day() - 1)))});
  for (std::uint32_t day = std::max(from.Day(), m_first); day <= to.Day(); ++day) {
    const Day* d = Find(day);
    if (!d) break;
    if (d->in != 0 || d->out != 0)
      flows.push_back({day - from.Day(), static_cast<double>(d->out) - static_cast<double>(d->in)});
  }
  flows.push_back({to.Day() - from.Day(), static_cast<double>(ValueAtEndOf(to))});
  return views::InternalRate(flows, to.Day() - from.Day(), near);
}

std::optional<double> PerYear(double rate, CKBXDatum from, CKBXDatum to) {
  if (to <= from || !(rate >= -1)) return std::nullopt;
  const double perYear = std::pow(1 + rate, 365.0 / (to.Day() - from.Day())) - 1;
  if (!std::isfinite(perYear)) return std::nullopt;
  return perYear;
}

}  // namespace views
