#include "views/Charts.h"

#include <algorithm>
#include <cstdio>

#include "model/KBXKursverlauf.h"
#include "model/PriceCursor.h"
#include "views/Table.h"

namespace views {

using platform::Color;
using platform::Rect;
using platform::Rgb;

namespace {

const char* const kMonths[] = {"Jan", "Feb", "Mrz", "Apr", "Mai", "Jun",
                               "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
const char* const kInitials[] = {"J", "F", "M", "A", "M", "J", "J", "A", "S", "O", "N", "D"};
const char* const kQuarters[] = {"I", "II", "III", "IV"};

const ChartSettings& SettingsOf(const CKapibuchDoc& doc, int mode) {
  return mode == 6 ? doc.settings.securityChart : doc.settings.portfolioChart;
}

std::int64_t Ratio(std::int64_t x, std::int64_t y) {
  return y == 0 ? 0 : x * 100000 / y;
}

int DaysOf(CKBXDatum start, CKBXDatum end) {
  return static_cast<int>(end.Day() - start.Day()) + 1;
}

struct DayParts {
  int day, month, year;
};
DayParts PartsOf(CKBXDatum d) {
  DayParts p{};
  d.Split(p.day, p.month, p.year);
  return p;
}

bool LastOfMonth(CKBXDatum d) {
  return PartsOf(d).day == CKBXDatum::DaysInMonth(PartsOf(d).month, PartsOf(d).year);
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
  const int kind = s.includeCommissions ? CKapibuchDoc::kPurchaseCost : CKapibuchDoc::kPurchaseValue;
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
  for (const int index : selection) {
    if (index >= 0 && static_cast<std::size_t>(index) < doc.Positions().size()) {
      chosen.push_back(doc.Positions()[static_cast<std::size_t>(index)].get());
    }
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
  for (const int index : selection) {
    if (index < 0 || static_cast<std::size_t>(index) >= doc.Positions().size()) continue;
    const std::string& name = doc.Positions()[static_cast<std::size_t>(index)]->name;
    if (text.find(name) == std::string::npos) text += (text.empty() ? "" : "+") + name;
    if (series == 0) break;
  }
  return text.empty() ? "<keine Wertpapiere ausgewählt>" : text;
}

std::string TickLabel(std::int64_t value, const ChartAxis& axis) {
  if (axis.percent) return FormatScaled(value, axis.divisor, true);
  return FormatScaled(value, axis.divisor == 100 ? 100 : 1, false);
}

std::string UnitText(const CKapibuchDoc& doc, int mode, int series, const ChartAxis& axis) {
  if (axis.percent) return "%";
  if (mode == 6) return series == 2 || series == 4 ? "DM" : "EUR";
  return doc.settings.portfolioChart.currency == 1 ? "DM" : "EUR";
}

void MeasureChartLabels(platform::Surface& surface, const CKapibuchDoc& doc, ChartData& chart) {
  const ChartSettings& s = SettingsOf(doc, chart.mode);
  ChartAxis& axis = chart.axis;
  surface.SetFont({s.fontName, s.fontHeight, 400, 0});
  axis.unitLabelWidth =
      surface.TextExtent(UnitText(doc, chart.mode, chart.series, axis)).cx + 2 * s.textSpacing;
  if (axis.percent) {
    axis.divisor = axis.step % 1000 == 0 ? 1000 : axis.step % 100 == 0 ? 100 : axis.step % 10 == 0 ? 10 : 1;
  } else {
    axis.divisor = axis.step % 100 == 0 ? 100 : 1;
  }
  int widest = 0;
  for (std::int64_t v = axis.minimum; v <= axis.maximum; v += axis.step) {
    widest = std::max(widest, surface.TextExtent(TickLabel(v, axis)).cx);
  }
  axis.tickLabelWidth = widest + 2 * s.textSpacing;

  const auto widestOf = [&](const char* const* texts, int count) {
    int w = 0;
    for (int i = 0; i < count; ++i) w = std::max(w, surface.TextExtent(texts[i]).cx);
    return w + 2 * s.textSpacing;
  };
  int dayWidth = 0;
  for (int d = 1; d <= 31; ++d) dayWidth = std::max(dayWidth, surface.TextExtent(std::to_string(d)).cx);
  dayWidth += 2 * s.textSpacing;
  const std::int64_t available = s.width - axis.tickLabelWidth;
  const DayParts a = PartsOf(chart.start), b = PartsOf(chart.end);
  const std::int64_t months = (b.year - a.year) * 12 + (b.month - a.month) + 1;
  if (available >= static_cast<std::int64_t>(DaysOf(chart.start, chart.end)) * dayWidth) {
    chart.dateLabelMode = 0;
  } else if (available >= months * widestOf(kMonths, 12)) {
    chart.dateLabelMode = 1;
  } else if (available >= months * widestOf(kInitials, 12)) {
    chart.dateLabelMode = 2;
  } else {
    chart.dateLabelMode = 3;
  }
}

std::string ChartTitle(const CKapibuchDoc& doc, const ChartData& chart) {
  static const char* const portfolio[] = {"Depotwert",
                                          "Depot - Gewinn/Verlust",
                                          "Depot - Gewinn/Verlust",
                                          "Investiertes Kapital",
                                          "Kontostand",
                                          "Liquiditätsquote",
                                          "Vermögen",
                                          "Vermögen - Gewinn/Verlust",
                                          "Vermögen - Gewinn/Verlust",
                                          "Kapitaleinsatz"};
  static const char* const security[] = {"Chart",          "Wert",           "Wert",
                                         "Gewinn/Verlust", "Gewinn/Verlust", "Gewinn/Verlust"};
  const int series = std::clamp(chart.series, 0, chart.mode == 6 ? 5 : 9);
  const std::string standard = chart.mode == 6 ? security[series] : portfolio[series];
  std::vector<std::pair<std::string, std::string>> values = {{"<STANDARDTITEL>", standard}};
  if (chart.mode == 6) values.emplace_back("<BEZEICHNUNGEN>", chart.names);
  values.insert(values.end(), {{"<STARTDATUM>", chart.start.Format()},
                               {"<ENDDATUM>", chart.end.Format()},
                               {"<INHABER>", doc.Account().holder},
                               {"<KONTONUMMER>", doc.Account().accountNumber},
                               {"<DEPOTNUMMER>", doc.depotNumber}});
  return ReplacePlaceholders(SettingsOf(doc, chart.mode).titleTemplate, values);
}

void DrawChart(platform::Surface& surface, const CKapibuchDoc& doc, const ChartData& chart, int x0, int y0,
               bool preview) {
  const ChartSettings& s = SettingsOf(doc, chart.mode);
  const ChartAxis& axis = chart.axis;
  const bool printing = surface.IsPrinting();
  const Color background = printing && s.blackAndWhite ? Rgb(255, 255, 255) : Rgb(240, 240, 240);
  const Color grid = printing ? Rgb(0, 0, 0) : Rgb(192, 192, 192);
  const Color frame = printing ? Rgb(0, 0, 0) : Rgb(128, 128, 128);
  const int f = s.fontHeight, g = s.textSpacing, w = s.width, h = s.height;
  const int labels = std::max(axis.tickLabelWidth, axis.unitLabelWidth);
  const int plotWidth = w - labels;
  const int top = -y0;
  const Rect labelColumn{x0 + plotWidth, top, x0 + w, top - h};
  const Rect titleBand{x0, top, x0 + plotWidth, top - s.titleHeight};
  const Rect plot{x0, top - s.titleHeight, x0 + plotWidth, 2 * f - y0 - h};
  const int plotHeight = plot.top - plot.bottom;
  const int days = static_cast<int>(chart.end.Day() - chart.start.Day());
  const auto xOf = [&](std::uint32_t day) {
    if (days <= 0) return x0;  // a one-day chart has no range of days
    return x0 + static_cast<int>(static_cast<std::int64_t>(day - chart.start.Day()) * plotWidth / days);
  };
  const auto yOf = [&](std::int64_t v) {
    const std::int64_t range = std::max<std::int64_t>(1, axis.maximum - axis.minimum);
    return plot.bottom + static_cast<int>((v - axis.minimum) * plotHeight / range);
  };

  surface.FillRect(labelColumn, background, background);
  surface.FillRect(titleBand, background, background);
  surface.SetFont({s.fontName, s.titleHeight, 400, 0});
  surface.DrawText({titleBand.left + g, titleBand.top, titleBand.right - g, titleBand.bottom},
                   ChartTitle(doc, chart), platform::kAlignLeft | platform::kMultiLine);

  // The two date rows.
  surface.SetFont({s.fontName, f, 400, 0});
  const auto cell = [&](int left, int right, int rowTop, const std::string& text, bool plotBand) {
    if (plotBand) DrawOutline(surface, {left, plot.top, right, plot.bottom}, grid, 0);
    const Rect r{left, rowTop, right, rowTop - f};
    surface.FillRect(r, background, background);
    DrawOutline(surface, r, frame, 0);
    const bool fits = surface.TextExtent(text).cx <= right - left - 2 * g;
    surface.DrawText({left + g, rowTop, right - g, rowTop - f}, text,
                     (fits ? platform::kAlignCenter : platform::kAlignLeft) | platform::kSingleLine);
  };
  int previous = x0, previous2 = x0;
  for (std::uint32_t d = chart.start.Day() + 1; d <= chart.end.Day(); ++d) {
    const CKBXDatum day(d);
    const DayParts parts = PartsOf(day);
    const bool isEnd = day == chart.end;
    bool label = false;
    std::string text;
    switch (chart.dateLabelMode) {
      case 0:
        label = true;
        text = std::to_string(parts.day);
        break;
      case 1:
      case 2:
        label = LastOfMonth(day) || isEnd;
        text = chart.dateLabelMode == 1 ? kMonths[parts.month - 1] : kInitials[parts.month - 1];
        break;
      default:
        label = (LastOfMonth(day) && parts.month % 3 == 0) || isEnd;
        text = kQuarters[(parts.month - 1) / 3];
        break;
    }
    if (label) {
      cell(previous, xOf(d), plot.bottom, text, true);
      previous = xOf(d);
    }
    const bool second = chart.dateLabelMode == 0 ? (LastOfMonth(day) || isEnd)
                                                 : ((parts.month == 12 && parts.day == 31) || isEnd);
    if (second) {
      char year[32];
      if (chart.dateLabelMode == 0) {
        std::snprintf(year, sizeof year, "%s %d", kMonths[parts.month - 1], parts.year);
      } else {
        std::snprintf(year, sizeof year, "%d", parts.year);
      }
      cell(previous2, xOf(d), plot.bottom - f, year, false);
      previous2 = xOf(d);
    }
  }

  // Value axis.
  surface.DrawText({x0 + plotWidth + g, top, x0 + plotWidth + axis.unitLabelWidth - g, top - f},
                   UnitText(doc, chart.mode, chart.series, axis),
                   platform::kAlignRight | platform::kSingleLine);
  for (std::int64_t v = axis.minimum; v <= axis.maximum; v += axis.step) {
    const int y = yOf(v);
    if (v > axis.minimum && v < axis.maximum) surface.Line(plot.left, y, plot.right, y, grid, 0);
    if (v < axis.maximum) {
      surface.DrawText(
          {x0 + plotWidth + g, y + f / 2, x0 + plotWidth + axis.tickLabelWidth - g, y + f / 2 - f},
          TickLabel(v, axis), platform::kAlignRight | platform::kSingleLine);
    }
  }
  DrawOutline(surface, plot, frame, 0);
  DrawOutline(surface, labelColumn, frame, 0);
  DrawOutline(surface, titleBand, frame, 0);

  // The series.
  if (!preview) surface.SetClip(&plot);
  if (chart.values.size() == 1) {
    const int y = yOf(chart.values.front());
    surface.Line(plot.left, y, plot.right, y, static_cast<Color>(s.lineColour), s.lineWidth);
  }
  for (std::size_t i = 1; i < chart.values.size(); ++i) {
    const auto d = chart.start.Day() + static_cast<std::uint32_t>(i);
    surface.Line(xOf(d - 1), yOf(chart.values[i - 1]), xOf(d), yOf(chart.values[i]),
                 static_cast<Color>(s.lineColour), s.lineWidth);
  }
  if (!preview) surface.SetClip(nullptr);
}

ChartData BuildChart(platform::Surface& surface, const CKapibuchDoc& doc, int mode, CKBXDatum start,
                     CKBXDatum end, int series, const std::vector<int>& selection) {
  ChartData chart;
  chart.mode = mode;
  chart.series = series;
  chart.start = start;
  chart.end = std::max(start, end);
  if (mode == 6) {
    BuildSecuritySeries(chart.start, chart.end, chart.values, doc, series, chart.axis, selection);
    chart.names = SelectionNames(doc, selection, series);
  } else {
    BuildPortfolioSeries(chart.start, chart.end, chart.values, doc, series, chart.axis);
  }
  MeasureChartLabels(surface, doc, chart);
  return chart;
}

int ChartPrintJob::Begin(platform::Surface& printer) {
  m_chart = BuildChart(printer, m_doc, m_mode, m_start, m_end, m_series, m_selection);
  return 1;
}

void ChartPrintJob::DrawPage(platform::Surface& printer, int) {
  const ChartSettings& s = SettingsOf(m_doc, m_mode);
  const platform::PageGeometry page = printer.Page();
  DrawChart(printer, m_doc, m_chart, s.marginLeft - page.offsetX, s.marginTop - page.offsetY);
}

}  // namespace views
