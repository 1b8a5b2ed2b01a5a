#include <algorithm>

#include "model/KBXKursverlauf.h"
#include "model/PriceCursor.h"
#include "views/Charts.h"

namespace views {

namespace {

std::int64_t Ratio(std::int64_t x, std::int64_t y) {
  return y == 0 ? 0 : x * 100000 / y;
}

int DaysOf(CKBXDatum start, CKBXDatum end) {
  return static_cast<int>(end.Day() - start.Day()) + 1;
}

}  // namespace

const std::vector<std::string>& PortfolioSeriesNames() {
  static const std::vector<std::string> names = {"Depot - Wert in EUR/DM",
                                                 "Depot - Gewinn/Verlust in EUR/DM",
                                                 "Depot - Gewinn/Verlust in Prozent",
                                                 "Depot - Investiertes Kapital in EUR/DM",
                                                 "Konto - Kontostand in EUR/DM",
                                                 "Konto - Liquiditätsquote in Prozent",
                                                 "Vermögen - Wert in EUR/DM",
                                                 "Vermögen - Gewinn/Verlust in EUR/DM",
                                                 "Vermögen - Gewinn/Verlust in Prozent",
                                                 "Vermögen - Eingesetzes Kapital in EUR/DM"};
  return names;
}

const std::vector<std::string>& SecuritySeriesNames() {
  static const std::vector<std::string> names = {"Kurs in EUR",          "Wert in EUR",
                                                 "Wert in DM",           "Gewinn/Verlust in EUR",
                                                 "Gewinn/Verlust in DM", "Gewinn/Verlust in Prozent"};
  return names;
}

int IntervalCount(const ChartSettings& s) {
  if (s.titleHeight + 2 * s.fontHeight >= s.height || s.fontHeight <= 0) return 1;
  const int n = (s.height - s.titleHeight - 2 * s.fontHeight) / (2 * s.fontHeight);
  return n <= 0 ? 1 : n;
}

void ScaleChartAxis(const std::vector<std::int64_t>& values, int intervals, ChartAxis& axis) {
  std::int64_t lo = 0, hi = 0;
  if (!values.empty()) {
    const auto [mn, mx] = std::minmax_element(values.begin(), values.end());
    lo = *mn;
    hi = *mx;
  }
  const auto n = static_cast<std::uint64_t>(std::max(intervals, 1));
  std::uint64_t q = static_cast<std::uint64_t>(hi - lo) / n;
  std::int64_t unit = 1;
  while (q > 8) {
    q /= 10;
    unit *= 10;
  }
  axis.step = unit * (q <= 1 ? 1 : (q <= 3 ? 2 : 5));
  axis.minimum = lo >= 0 ? axis.step * (lo / axis.step) : axis.step * (lo / axis.step - 1);
  axis.maximum = hi >= 0 ? axis.step * (hi / axis.step + 1) : axis.step * (hi / axis.step);
  if (axis.maximum <= axis.minimum) axis.maximum = axis.minimum + axis.step;
}

void BuildPortfolioSeries(CKBXDatum start, CKBXDatum end, std::vector<std::int64_t>& values,
                          const CKapibuchDoc& doc, int series, ChartAxis& axis) {
  const ChartSettings& s = doc.settings.portfolioChart;
  const Currency c = s.currency == 1 ? kDm : kEur;
  const InvestedKind kind = s.includeCommissions ? InvestedKind::PurchaseCost : InvestedKind::PurchaseValue;
  const CKBXKonto& account = doc.Account();
  const CKBXDatum reference = s.capitalReference == 1 ? end : start;
  struct Day {
    std::int64_t v, i, b, k, a;
  };
  const auto dayOf = [&](CKBXDatum d) {
    Day x{};
    const std::int64_t euro = doc.ValueOn(d, start, end);
    x.v = c == kDm ? EurToDm(euro) : euro;
    x.i = doc.InvestedOn(kind, c, d, start, end);
    x.b = account.BalanceOn(d, c);
    x.k = account.CapitalOn(d, c);
    if (s.adjustForCapitalMovements) {
      const std::int64_t kr = account.CapitalOn(reference, c);
      x.b += kr - x.k;
      x.k = kr;
    }
    x.a = x.v + x.b;
    return x;
  };
  const auto plain = [&](const Day& x) -> std::int64_t {
    switch (series) {
      case 0:
        return x.v;
      case 1:
        return x.v - x.i;
      case 2:
        return x.i == 0 ? 0 : Ratio(x.v, x.i) - 100000;
      case 3:
        return x.i;
      case 4:
        return x.b;
      case 5:
        return Ratio(x.b, x.a);
      case 6:
        return x.a;
      case 7:
        return x.a - x.k;
      case 8:
        return x.k == 0 ? 0 : Ratio(x.a, x.k) - 100000;
      case 9:
        return x.k;
      default:
        return 0;
    }
  };
  const Day first = dayOf(start);
  values.clear();
  for (int n = 0; n < DaysOf(start, end); ++n) {
    const Day x = dayOf(CKBXDatum(start.Day() + static_cast<std::uint32_t>(n)));
    std::int64_t value = plain(x);
    if (s.changeAgainstStart) {
      switch (series) {
        case 2:
          value = first.v == 0 ? 0 : Ratio(x.v, first.v) - 100000;
          break;
        case 8:
          value = first.a == 0 ? 0 : Ratio(x.a, first.a) - 100000;
          break;
        case 7:
          value = (x.a - first.a) - (x.k - first.k);
          break;
        default:
          value -= plain(first);
          break;
      }
    }
    values.push_back(value);
  }
  axis.percent = series == 2 || series == 5 || series == 8;
  ScaleChartAxis(values, IntervalCount(s), axis);
}

void BuildSecuritySeries(CKBXDatum start, CKBXDatum end, std::vector<std::int64_t>& values,
                         const CKapibuchDoc& doc, int series, ChartAxis& axis,
                         const std::vector<int>& selection) {
  const ChartSettings& s = doc.settings.securityChart;
  const Currency c = series == 2 || series == 4 ? kDm : kEur;
  std::vector<const CKBXAktie*> chosen;
  for (const int number : selection) {
    if (const CKBXAktie* p = doc.FindPosition(number)) chosen.push_back(p);
    if (series == 0 && !chosen.empty()) break;
  }
  struct Sums {
    std::int64_t w = 0, f = 0, value = 0;
  };
  std::vector<PriceCursor> cursors;
  for (const CKBXAktie* p : chosen) cursors.emplace_back(doc.FindHistory(p->name, p->wkn));
  const auto dayOf = [&](CKBXDatum d) {
    Sums sums;
    for (std::size_t i = 0; i < chosen.size(); ++i) {
      const CKBXAktie& p = *chosen[i];
      const CKBXKursverlauf* history = doc.FindHistory(p.name, p.wkn);
      if (series == 0) {
        std::int32_t price = cursors[i].PriceOnOrBefore(d.Day());
        if (price == kNoPrice) price = history ? history->FirstPrice() : kNoPrice;
        sums.value = price == kNoPrice ? 0 : price;
        return sums;
      }
      const Currency buy = p.purchasePriceCurrency == kDm ? kDm : kEur;
      const std::int64_t f = s.includeCommissions
                                 ? p.Cost().ValueIn(c)
                                 : ConvertAmount(ShareValue(p.Quantity(), p.purchasePrice), buy, c);
      std::int64_t w = 0;
      if (p.IsHeldOn(d)) {
        std::int64_t price = cursors[i].PriceOnOrBefore(d.Day());
        if (price == kNoPrice) price = buy == kDm ? DmToEur(p.purchasePrice) : p.purchasePrice;
        if (c == kDm) price = EurToDm(price);
        w = ShareValue(p.Quantity(), price);
      } else if (p.purchaseDate > d) {
        w = f;
      } else {
        const Currency sell = p.salePriceCurrency == kDm ? kDm : kEur;
        w = s.includeCommissions ? p.Proceeds().ValueIn(c)
                                 : ConvertAmount(ShareValue(p.Quantity(), p.salePrice), sell, c);
      }
      sums.w += w;
      sums.f += f;
    }
    switch (series) {
      case 1:
      case 2:
        sums.value = sums.w;
        break;
      case 3:
      case 4:
        sums.value = sums.w - sums.f;
        break;
      case 5:
        sums.value = sums.f == 0 ? 0 : Ratio(sums.w, sums.f) - 100000;
        break;
      default:
        break;
    }
    return sums;
  };
  values.clear();
  Sums first;
  for (int n = 0; n < DaysOf(start, end); ++n) {
    const Sums x = dayOf(CKBXDatum(start.Day() + static_cast<std::uint32_t>(n)));
    if (n == 0) first = x;
    std::int64_t value = x.value;
    if (s.changeAgainstStart) {
      value = series == 5 ? (first.w == 0 ? 0 : Ratio(x.w, first.w) - 100000) : value - first.value;
    }
    values.push_back(value);
  }
  axis.percent = series == 5;
  ScaleChartAxis(values, IntervalCount(s), axis);
}

std::string SelectionNames(const CKapibuchDoc& doc, const std::vector<int>& selection, int series) {
  std::string text;
  for (const int number : selection) {
    const CKBXAktie* p = doc.FindPosition(number);
    if (!p) continue;
    const std::string& name = p->name;
    if (text.find(name) == std::string::npos) text += (text.empty() ? "" : "+") + name;
    if (series == 0) break;
  }
  return text.empty() ? "<keine Wertpapiere ausgewählt>" : text;
}

}  // namespace views
