#include <algorithm>
#include <climits>
#include <cmath>

#include "model/KBXKursverlauf.h"
#include "views/AnalysisSupport.h"
#include "views/AnalysisView.h"
#include "views/HoldingsRow.h"
#include "views/Table.h"
#include "views/TableViews.h"

namespace views {

using namespace analysis;

namespace {

double Change(double a, double b) {
  return b == 0 ? 0.0 : a * 100.0 / b - 100.0;
}
double Share(double a, double b) {
  return b == 0 ? 0.0 : a * 100.0 / b;
}

// Days since 1 January 1970 of any Gregorian date (also past the portfolio's last day).
std::int64_t CivilDays(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

int DaysInMonth(std::int64_t year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace

AnalysisScale AnalysisAxis(double minimum, double maximum) {
  std::int64_t hi = std::max<std::int64_t>(static_cast<std::int64_t>(maximum) + 1, 1);
  const auto truncatedMin = static_cast<std::int64_t>(minimum);
  std::int64_t lo = truncatedMin >= 2 ? 0 : truncatedMin - 1;
  std::int64_t q = (hi - lo) / 4;
  std::int64_t unit = 1;
  while (q > 8) {
    q /= 10;
    unit *= 10;
  }
  AnalysisScale scale;
  scale.step = unit * (q <= 1 ? 1 : (q <= 3 ? 2 : 5));
  scale.minimum = lo >= 0 ? scale.step * (lo / scale.step) : scale.step * (lo / scale.step - 1);
  scale.maximum = scale.step * (hi / scale.step + 1);
  return scale;
}

std::int64_t HoldingPeriodEnd(CKBXDatum purchase, int count, int unit) {
  if (unit == 0) return static_cast<std::int64_t>(purchase.Day()) + count;
  int day = 0, month = 0, year = 0;
  purchase.Split(day, month, year);
  std::int64_t y = year;
  std::int64_t m = month;
  if (unit == 1) {
    m += count;
    if (m > 12) {
      y += (m - 1) / 12;
      m = (m - 1) % 12 + 1;
    }
  } else {
    y += count;
  }
  const int d = std::min(day, DaysInMonth(y, static_cast<int>(m)));
  return CivilDays(y, static_cast<int>(m), d);
}

void BuildAnalysisRows(CKBXDatum day, CKBXDatum start, std::vector<HoldingsRow>& rows,
                       const CKapibuchDoc& doc, AnalysisScales& scales) {
  const AnalysisSettings& s = doc.settings.analysis;
  const GeneralSettings& general = doc.settings.general;
  CollectHoldingsRows(day, rows, doc, s.mergePositions != 0);
  const std::int64_t total = rows.back().value;
  double gainMax = 0, gainMin = 0, distMax = 0, distMin = 0;
  bool any = false;
  for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
    HoldingsRow& r = rows[i];
    const CKBXKursverlauf* history = doc.FindHistory(r.name, r.wkn);
    r.costBasis = s.includeCommissions ? r.cost.ValueIn(kEur) : r.purchaseValue.ValueIn(kEur);
    r.costPerShare = PerShareValue(r.costBasis, r.quantity);
    if (r.purchaseDate <= start) {
      r.startPrice = history ? history->PriceOnOrBefore(start.Day()) : kNoPrice;
    } else {
      r.startPrice = PerShareValue(r.purchaseValue.ValueIn(kEur), r.quantity);
    }
    r.high = r.low = -1;
    if (history) {
      const CKBXDatum from = std::max(r.purchaseDate, start);
      const auto& points = history->Points();
      for (std::size_t k = history->Find(from).index; k < points.size() && points[k].Date() <= day; ++k) {
        const std::int64_t price = points[k].Price();
        r.high = r.high < 0 ? price : std::max(r.high, price);
        r.low = r.low < 0 ? price : std::min(r.low, price);
      }
    }
    const double income = s.includeDividends ? static_cast<double>(r.income.ValueIn(kEur)) : 0.0;
    const double basis = static_cast<double>(r.costBasis);
    r.currentGainPercent = Change(income + static_cast<double>(r.value), basis);
    // Without a price in the range, the gains at the high and the low are the current gain.
    r.maxGainPercent = r.high < 0
                           ? r.currentGainPercent
                           : Change(income + static_cast<double>(ShareValue(r.quantity, r.high)), basis);
    r.minGainPercent = r.low < 0 ? r.currentGainPercent
                                 : Change(income + static_cast<double>(ShareValue(r.quantity, r.low)), basis);
    const double price = static_cast<double>(r.price);
    r.overStartPercent = r.startPrice < 0 ? 0.0 : Change(price, static_cast<double>(r.startPrice));
    r.overLowPercent = r.low < 0 ? 0.0 : Change(price, static_cast<double>(r.low));
    r.toHighPercent = r.high < 0 ? 0.0 : Change(static_cast<double>(r.high), price);
    r.ofHighPercent = r.high < 0 ? 0.0 : Share(price, static_cast<double>(r.high));
    r.sharePercent = Share(static_cast<double>(r.value), static_cast<double>(total));
    r.holdingDays = static_cast<std::int64_t>(day.Day()) -
                    HoldingPeriodEnd(r.purchaseDate, general.holdingPeriodLength, general.holdingPeriodUnit);

    const double gmax = std::max(r.currentGainPercent, r.maxGainPercent);
    const double gmin = std::min(r.currentGainPercent, r.minGainPercent);
    const double dmax = std::max({r.overStartPercent, r.overLowPercent, r.toHighPercent});
    const double dmin = std::min({r.overStartPercent, r.overLowPercent, r.toHighPercent});
    gainMax = any ? std::max(gainMax, gmax) : gmax;
    gainMin = any ? std::min(gainMin, gmin) : gmin;
    distMax = any ? std::max(distMax, dmax) : dmax;
    distMin = any ? std::min(distMin, dmin) : dmin;
    any = true;
  }
  scales.gain = AnalysisAxis(gainMin, gainMax);
  scales.distance = AnalysisAxis(distMin, distMax);

  using Row = HoldingsRow;
  std::function<int(const Row&, const Row&)> compare;
  switch (static_cast<AnalysisSort>(s.sortKey)) {
    case AnalysisSort::Name:
      compare = [](const Row& a, const Row& b) { return CompareTexts(a.name, b.name); };
      break;
    case AnalysisSort::Wkn:
      compare = [](const Row& a, const Row& b) { return CompareTexts(a.wkn, b.wkn); };
      break;
    case AnalysisSort::Quantity:
      compare = [](const Row& a, const Row& b) { return Compare3(a.quantity, b.quantity); };
      break;
    case AnalysisSort::PurchaseDate:
      compare = [](const Row& a, const Row& b) { return Compare3(a.purchaseDate, b.purchaseDate); };
      break;
    case AnalysisSort::MinGain:
      compare = [](const Row& a, const Row& b) { return Compare3(a.minGainPercent, b.minGainPercent); };
      break;
    case AnalysisSort::CurrentGain:
      compare = [](const Row& a, const Row& b) {
        return Compare3(a.currentGainPercent, b.currentGainPercent);
      };
      break;
    case AnalysisSort::MaxGain:
      compare = [](const Row& a, const Row& b) { return Compare3(a.maxGainPercent, b.maxGainPercent); };
      break;
    case AnalysisSort::OverStart:
      compare = [](const Row& a, const Row& b) { return Compare3(a.overStartPercent, b.overStartPercent); };
      break;
    case AnalysisSort::OverLow:
      compare = [](const Row& a, const Row& b) { return Compare3(a.overLowPercent, b.overLowPercent); };
      break;
    case AnalysisSort::ToHigh:
      compare = [](const Row& a, const Row& b) { return Compare3(a.toHighPercent, b.toHighPercent); };
      break;
    case AnalysisSort::FromHigh:
      compare = [](const Row& a, const Row& b) { return Compare3(a.ofHighPercent, b.ofHighPercent); };
      break;
    case AnalysisSort::Share:
      compare = [](const Row& a, const Row& b) { return Compare3(a.sharePercent, b.sharePercent); };
      break;
    default:
      return;
  }
  SortRows(rows, s.sortDescending != 0, compare);
}

std::vector<std::string> AnalysisLabels(const CKapibuchDoc& doc, CKBXDatum day, CKBXDatum start) {
  const AnalysisSettings& s = doc.settings.analysis;
  const std::string div = s.includeDividends ? " inkl. Div." : "";
  std::vector<std::string> labels(kRows);
  labels[0] = "Bezeichnung";
  labels[1] = "WKN/Kürzel";
  labels[2] = "Stück";
  labels[3] = "Kaufdatum";
  labels[4] = s.includeCommissions ? "Kaufpreis" : "Kaufkurs";
  labels[5] = "Kurs am " + start.Format();
  labels[6] = "Tief ab " + start.Format();
  labels[7] = "Hoch ab " + start.Format();
  labels[8] = "Kurs am " + day.Format();
  labels[9] = "Min. G/V" + div;
  labels[10] = "Akt. G/V" + div;
  labels[11] = "Max. G/V" + div;
  labels[22] = "% über Start";
  labels[23] = "% über Tief";
  labels[24] = "% bis Hoch";
  labels[25] = "% von Hoch";
  labels[36] = "Depotanteil";
  labels[40] = "Spekulationsfrist";
  return labels;
}

std::array<std::string, 41> AnalysisCells(const CKapibuchDoc& doc, const HoldingsRow& r, int shareDecimals) {
  const int pd = doc.settings.general.percentDecimals;
  const auto price = [](std::int64_t v) {
    return v < 0 ? std::string("-") : FormatMoney(v, kEur, kOwnCurrency, false);
  };
  std::array<std::string, 41> c;
  c[0] = r.name;
  c[1] = r.wkn;
  c[2] = FormatQuantity(static_cast<std::int32_t>(r.quantity / kQuantityUnit),
                        static_cast<std::int32_t>(r.quantity % kQuantityUnit), shareDecimals);
  c[3] = r.purchaseDate.Format();
  c[4] = price(r.costPerShare);
  c[5] = price(r.startPrice);
  c[6] = price(r.low);
  c[7] = price(r.high);
  c[8] = price(r.price);
  c[9] = FormatSignedPercent(r.minGainPercent, pd);
  c[10] = FormatSignedPercent(r.currentGainPercent, pd);
  c[11] = FormatSignedPercent(r.maxGainPercent, pd);
  c[22] = FormatSignedPercent(r.overStartPercent, pd);
  c[23] = FormatSignedPercent(r.overLowPercent, pd);
  c[24] = FormatSignedPercent(r.toHighPercent, pd);
  c[25] = FormatPercent(r.ofHighPercent, pd);
  c[36] = FormatPercent(r.sharePercent, pd);
  c[40] = std::to_string(r.holdingDays);
  return c;
}

}  // namespace views
