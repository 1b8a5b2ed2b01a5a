#include "views/YearlyModel.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "views/ReturnsModel.h"
#include "views/TableViews.h"
#include "views/ViewMode.h"

namespace views {

namespace {

// Adds a movement to its kind's column; other kinds (buys and sales) count nowhere here.
void AddMovement(YearlyRow& row, const CKBXKontoTransaktion& t) {
  using T = CKBXKontoTransaktion;
  const std::int64_t amount = t.amountEur;
  switch (t.kind) {
    case T::kDividende:
    case T::kCoupon:
    case T::kBezugsrechtsverkauf:
    case T::kAusschuettung:
      row.dividends += amount;
      break;
    case T::kHabenZins:
      row.interest += amount;
      break;
    case T::kSonstigeErtraege:
      row.otherIncome += amount;
      break;
    case T::kLimitGebuehren:
    case T::kSollZins:
    case T::kDepotgebuehren:
    case T::kWerbungskosten:
    case T::kSonstigeKosten:
      row.costs -= amount;  // booked as money out: shown as the amount paid
      break;
    case T::kSteuern:
      row.taxes -= amount;
      break;
    case T::kKapitaleinlage:
      row.deposits += amount;
      break;
    case T::kKapitalentnahme:
      row.withdrawals -= amount;
      break;
    default:
      break;
  }
}

}  // namespace

CKBXDatum LastDayCovered(int year, CKBXDatum today) {
  return YearOf(today) == year ? today : LastDayOfYear(year);
}

YearlyOverview BuildYearlyOverview(const CKapibuchDoc& doc, int firstYear, int lastYear) {
  firstYear = YearOf(FirstDayOfYear(firstYear));
  lastYear = std::max(firstYear, YearOf(LastDayOfYear(lastYear)));
  const CKBXDatum today = doc.Today();
  const auto count = static_cast<std::size_t>(lastYear - firstYear + 1);
  const auto indexOf = [&](CKBXDatum day) -> std::optional<std::size_t> {
    const int year = YearOf(day);
    if (year < firstYear || year > lastYear) return std::nullopt;
    return static_cast<std::size_t>(year - firstYear);
  };

  YearlyOverview overview;
  overview.years.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    YearlyRow& row = overview.years[i];
    row.year = firstYear + static_cast<int>(i);
    row.first = FirstDayOfYear(row.year);
    row.last = LastDayCovered(row.year, today);
  }

  // Realised gains: the positions sold in each year summed as the realised-gains view's
  // sums row sums them, so that each year's figure is that view's "G/V" for the year.
  std::vector<RealisedRow> sold(count);
  for (const auto& position : doc.Positions()) {
    if (!position->IsSold()) continue;
    if (const auto i = indexOf(position->saleDate)) AddSoldPosition(sold[*i], *position);
  }
  const bool commissions = doc.settings.realised.includeCommissions != 0;
  for (std::size_t i = 0; i < count; ++i)
    overview.years[i].realised = RealisedGain(sold[i], commissions, kEur);

  for (const auto& t : doc.Account().Transactions()) {
    if (const auto i = indexOf(t->date)) AddMovement(overview.years[*i], *t);
  }

  // Values and rates from one daily series over all the years.
  const CKBXDatum start = overview.years.front().first;
  const CKBXDatum end = overview.years.back().last;
  // Prices dated after today count nowhere: the current year's row ends today, and a later
  // year's row sees the prices known today.
  const PortfolioReturns whole = BuildPortfolioReturns(doc, start, end, today);
  std::vector<std::pair<CKBXDatum, CKBXDatum>> spans;
  for (YearlyRow& row : overview.years) {
    row.portfolioValue = whole.securities.ValueAtEndOf(row.last);
    row.wealth = whole.wealth.ValueAtEndOf(row.last);
    row.rate = whole.wealth.TimeWeighted(row.first, row.last);
    spans.emplace_back(row.first, row.last);
  }

  YearlyRow& sums = overview.sums;
  sums.first = start;
  sums.last = end;
  for (const YearlyRow& row : overview.years) {
    sums.realised += row.realised;
    sums.dividends += row.dividends;
    sums.interest += row.interest;
    sums.otherIncome += row.otherIncome;
    sums.costs += row.costs;
    sums.taxes += row.taxes;
    sums.deposits += row.deposits;
    sums.withdrawals += row.withdrawals;
  }
  sums.portfolioValue = overview.years.back().portfolioValue;
  sums.wealth = overview.years.back().wealth;
  sums.rate = whole.wealth.TimeWeighted(spans);  // the years' rates linked
  return overview;
}

}  // namespace views
