#include "model/PriceCursor.h"

std::int32_t PriceCursor::PriceOnOrBefore(std::uint32_t day) {
  if (!m_history) return kNoPrice;
  const std::vector<CKBXKurs>& points = m_history->Points();
  while (m_next < points.size() && points[m_next].Date().Day() <= day) ++m_next;
  return m_next == 0 ? kNoPrice : points[m_next - 1].Price();
}
