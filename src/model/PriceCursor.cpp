#include "model/PriceCursor.h"

#include <algorithm>

void PriceCursor::Advance(std::uint32_t day) {
  const std::vector<CKBXKurs>& points = m_history->Points();
  if (!m_started) {
    m_started = true;
    m_next = static_cast<std::size_t>(
        std::upper_bound(points.begin(), points.end(), day,
                         [](std::uint32_t d, const CKBXKurs& p) { return d < p.Date().Day(); }) -
        points.begin());
    return;
  }
  while (m_next < points.size() && points[m_next].Date().Day() <= day) ++m_next;
}

std::int32_t PriceCursor::PriceOnOrBefore(std::uint32_t day) {
  if (!m_history) return kNoPrice;
  Advance(day);
  return m_next == 0 ? kNoPrice : m_history->Points()[m_next - 1].Price();
}

std::int32_t PriceCursor::PriceOn(std::uint32_t day) {
  if (!m_history) return kNoPrice;
  Advance(day);
  if (m_next == 0) return kNoPrice;
  const CKBXKurs& point = m_history->Points()[m_next - 1];
  return point.Date().Day() == day ? point.Price() : kNoPrice;
}
