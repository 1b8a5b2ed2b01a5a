// The cached day series of the document: the securities' value and their invested capital
// per day, built once for a range of days and answered from there.
#include <algorithm>

#include "document/KapibuchDoc.h"
#include "model/ModelClasses.h"
#include "model/PriceCursor.h"

namespace {

// Series longer than this (about 2,800 years) only come from damaged files.
constexpr std::uint32_t kMaxSeriesDays = 1u << 20;

}  // namespace

bool CKapibuchDoc::SeriesRange(CKBXDatum day, std::optional<CKBXDatum> rangeStart,
                               std::optional<CKBXDatum> rangeEnd, std::uint32_t& start,
                               std::uint32_t& end) const {
  const std::uint32_t accountStart = m_account.StartDay().Day();
  start = std::max(rangeStart.value_or(m_account.StartDay()).Day(), accountStart);
  end = rangeEnd.value_or(Today()).Day();
  if (day.Day() > end) end = day.Day();
  if (day.Day() < start) start = std::max(day.Day(), accountStart);
  return start <= end && end - start < kMaxSeriesDays;
}

std::uint32_t CKapibuchDoc::LastCountedDay(const CKBXAktie& position, std::uint32_t end) {
  if (position.IsOpen()) return end;
  // Counted up to the day before the sale; a sale on day 0 leaves nothing.
  if (position.saleDate.Day() == 0) return 0;
  return std::min(position.saleDate.Day() - 1, end);
}

void CKapibuchDoc::BuildValueSeries(std::uint32_t start, std::uint32_t end) const {
  Series& s = m_valueSeries;
  s = Series{};
  s.built = true;
  s.start = start;
  s.end = end;
  s.values.assign(end - start + 1, 0);
  for (const auto& position : m_positions) {
    const CKBXAktie& p = *position;
    if (p.purchaseDate.Day() > end) continue;
    if (!(p.IsOpen() || (p.IsSold() && p.saleDate.Day() > start))) continue;
    const std::uint32_t from = std::max(start, p.purchaseDate.Day());
    const std::uint32_t last = LastCountedDay(p, end);
    if (from > last) continue;
    const CKBXKursverlauf* history = FindHistory(p.name, p.wkn);
    std::int64_t price = p.purchasePriceCurrency == kDm ? DmToEur(p.purchasePrice) : p.purchasePrice;
    const std::int64_t quantity = p.Quantity();
    PriceCursor cursor(history);
    for (std::uint64_t d = from; d <= last; ++d) {
      const std::int32_t quoted = cursor.PriceOnOrBefore(static_cast<std::uint32_t>(d));
      if (quoted != kNoPrice) price = quoted;
      s.values[d - start] += ShareValue(quantity, price);
    }
  }
}

void CKapibuchDoc::BuildCostSeries(InvestedKind kind, Currency currency, std::uint32_t start,
                                   std::uint32_t end) const {
  Series& s = m_costSeries;
  s = Series{};
  s.built = true;
  s.start = start;
  s.end = end;
  s.kind = kind;
  s.currency = currency;
  s.values.assign(end - start + 1, 0);
  for (const auto& position : m_positions) {
    const CKBXAktie& p = *position;
    if (p.purchaseDate.Day() > end) continue;
    const std::uint32_t from = std::max(start, p.purchaseDate.Day());
    const std::uint32_t last = LastCountedDay(p, end);
    if (from > last) continue;
    std::int64_t amount = 0;
    if (kind == InvestedKind::PurchaseCost) {
      amount = p.Cost().ValueIn(currency);
    } else {
      amount = ConvertAmount(ShareValue(p.Quantity(), p.purchasePrice),
                             p.purchasePriceCurrency == kDm ? kDm : kEur, currency);
    }
    for (std::uint64_t d = from; d <= last; ++d) s.values[d - start] += amount;
  }
}

std::int64_t CKapibuchDoc::ValueOn(CKBXDatum day, std::optional<CKBXDatum> rangeStart,
                                   std::optional<CKBXDatum> rangeEnd) const {
  if (day < m_account.StartDay()) day = m_account.StartDay();
  if (!m_valueSeries.Covers(day.Day())) {
    std::uint32_t start = 0, end = 0;
    m_valueSeries = Series{};
    if (!SeriesRange(day, rangeStart, rangeEnd, start, end)) return 0;
    BuildValueSeries(start, end);
    if (!m_valueSeries.Covers(day.Day())) return 0;
  }
  return m_valueSeries.values[day.Day() - m_valueSeries.start];
}

std::int64_t CKapibuchDoc::InvestedOn(InvestedKind kind, Currency currency, CKBXDatum day,
                                      std::optional<CKBXDatum> rangeStart,
                                      std::optional<CKBXDatum> rangeEnd) const {
  if (day < m_account.StartDay()) day = m_account.StartDay();
  const bool fits = m_costSeries.kind == kind && m_costSeries.currency == currency;
  if (!fits || !m_costSeries.Covers(day.Day())) {
    std::uint32_t start = 0, end = 0;
    m_costSeries = Series{};
    if (!SeriesRange(day, rangeStart, rangeEnd, start, end)) return 0;
    BuildCostSeries(kind, currency, start, end);
    if (!m_costSeries.Covers(day.Day())) return 0;
  }
  return m_costSeries.values[day.Day() - m_costSeries.start];
}

void CKapibuchDoc::ClearSeriesCaches() {
  m_valueSeries = Series{};
  m_costSeries = Series{};
}
