#include "model/KBXKursverlauf.h"

#include <algorithm>

#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"

CKBXKursverlauf::FindResult CKBXKursverlauf::Find(CKBXDatum date) const {
  const std::size_t n = m_points.size();
  if (n == 0) return {false, 0};
  std::size_t lo = 0;
  std::size_t hi = n - 1;
  while (lo + 1 < hi) {
    const std::size_t mid = (lo + hi) / 2;
    if (m_points[mid].Date() <= date) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  for (std::size_t i = lo; i <= hi; ++i) {
    if (m_points[i].Date() == date) return {true, i};
    if (m_points[i].Date() > date) return {false, i};
  }
  return {false, n};
}

std::int32_t CKBXKursverlauf::PriceOn(CKBXDatum date) const {
  const FindResult r = Find(date);
  return r.found ? m_points[r.index].Price() : kNoPrice;
}

std::int32_t CKBXKursverlauf::PriceOnOrBefore(std::uint32_t day) const {
  const auto after = std::upper_bound(m_points.begin(), m_points.end(), day,
                                      [](std::uint32_t d, const CKBXKurs& p) { return d < p.Date().Day(); });
  return after == m_points.begin() ? kNoPrice : std::prev(after)->Price();
}

std::int32_t CKBXKursverlauf::FirstPrice() const {
  return m_points.empty() ? kNoPrice : m_points.front().Price();
}

bool CKBXKursverlauf::SetPrice(CKBXDatum date, std::int32_t price) {
  const FindResult r = Find(date);
  const auto at = m_points.begin() + static_cast<std::ptrdiff_t>(r.index);
  if (r.found) {
    if (price == kNoPrice) {
      m_points.erase(at);
      return true;
    }
    if (at->Price() == price) return false;
    at->SetPrice(price);
    return true;
  }
  if (price == kNoPrice) return false;
  m_points.insert(at, CKBXKurs(date, price));
  return true;
}

void CKBXKursverlauf::AdjustForSplit(CKBXDatum splitDay, double ratio) {
  for (CKBXKurs& point : m_points) {
    if (point.Date() < splitDay) point.SetPrice(SplitAdjustedPrice(point.Price(), ratio));
  }
}

void CKBXKursverlauf::Write(ArchiveWriter& archive) const {
  archive.WriteString(m_name);
  archive.WriteString(m_wkn);
  archive.WriteValueArray(m_points);
}

void CKBXKursverlauf::Read(ArchiveReader& archive) {
  m_name = archive.ReadString();
  m_wkn = archive.ReadString();
  m_points = archive.ReadValueArray<CKBXKurs>();
}
