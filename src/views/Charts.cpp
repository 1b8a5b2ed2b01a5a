#include "views/Charts.h"

#include <algorithm>
#include <cstdio>

#include "views/Table.h"
#include "views/TitleText.h"

namespace views {

using platform::Color;
using platform::Rect;
using platform::Rgb;

namespace {

const char* const kMonths[] = {"Jan", "Feb", "Mrz", "Apr", "Mai", "Jun",
                               "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
const char* const kInitials[] = {"J", "F", "M", "A", "M", "J", "J", "A", "S", "O", "N", "D"};
const char* const kQuarters[] = {"I", "II", "III", "IV"};

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

const ChartSettings& ChartSettingsOf(const CKapibuchDoc& doc, ChartKind kind) {
  return kind == ChartKind::Security ? doc.settings.securityChart : doc.settings.portfolioChart;
}

std::string TickLabel(std::int64_t value, const ChartAxis& axis) {
  if (axis.percent) return FormatScaled(value, axis.divisor, true);
  return FormatScaled(value, axis.divisor == 100 ? 100 : 1, false);
}

std::string UnitText(const CKapibuchDoc& doc, ChartKind kind, int series, const ChartAxis& axis) {
  if (axis.percent) return "%";
  if (kind == ChartKind::Security) return series == 2 || series == 4 ? "DM" : "EUR";
  return doc.settings.portfolioChart.currency == 1 ? "DM" : "EUR";
}

void MeasureChartLabels(platform::Surface& surface, const CKapibuchDoc& doc, ChartData& chart) {
  const ChartSettings& s = ChartSettingsOf(doc, chart.kind);
  ChartAxis& axis = chart.axis;
  surface.SetFont({s.fontName, s.fontHeight, 400, 0});
  axis.unitLabelWidth =
      surface.TextExtent(UnitText(doc, chart.kind, chart.series, axis)).cx + 2 * s.textSpacing;
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
  const std::int64_t quarters = (b.year - a.year) * 4 + (b.month - 1) / 3 - (a.month - 1) / 3 + 1;
  chart.yearStep = 1;
  if (available >= static_cast<std::int64_t>(DaysOf(chart.start, chart.end)) * dayWidth) {
    chart.dateLabelMode = 0;
  } else if (available >= months * widestOf(kMonths, 12)) {
    chart.dateLabelMode = 1;
  } else if (available >= months * widestOf(kInitials, 12)) {
    chart.dateLabelMode = 2;
  } else if (available >= quarters * widestOf(kQuarters, 4)) {
    chart.dateLabelMode = 3;
  } else {
    // Years, or every 2nd, 5th, 10th, 20th or 50th year: whatever fits, so labels never run
    // into each other however long the period.
    const char* const years[] = {"8888"};
    const int yearWidth = widestOf(years, 1);
    chart.dateLabelMode = 4;
    for (const int step : {1, 2, 5, 10, 20, 50}) {
      chart.yearStep = step;
      const std::int64_t blocks = b.year / step - a.year / step + 1;
      if (available >= blocks * yearWidth) break;
    }
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
  const int series = std::clamp(chart.series, 0, chart.kind == ChartKind::Security ? 5 : 9);
  const std::string standard = chart.kind == ChartKind::Security ? security[series] : portfolio[series];
  std::vector<std::pair<std::string, std::string>> values = {{"<STANDARDTITEL>", standard}};
  if (chart.kind == ChartKind::Security) values.emplace_back("<BEZEICHNUNGEN>", chart.names);
  values.insert(values.end(), {{"<STARTDATUM>", chart.start.Format()},
                               {"<ENDDATUM>", chart.end.Format()},
                               {"<INHABER>", doc.Account().holder},
                               {"<KONTONUMMER>", doc.Account().accountNumber},
                               {"<DEPOTNUMMER>", doc.depotNumber}});
  return ReplacePlaceholders(ChartSettingsOf(doc, chart.kind).titleTemplate, values);
}

void DrawChart(platform::Surface& surface, const CKapibuchDoc& doc, const ChartData& chart, int x0, int y0,
               bool preview) {
  const ChartSettings& s = ChartSettingsOf(doc, chart.kind);
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
  const platform::Font titleFont{s.fontName, s.titleHeight, 400, 0};
  surface.SetFont(titleFont);
  DrawTitle(surface, titleFont, {titleBand.left + g, titleBand.top, titleBand.right - g, titleBand.bottom},
            ChartTitle(doc, chart), platform::kAlignLeft | platform::kMultiLine);

  // The two date rows.
  surface.SetFont({s.fontName, f, 400, 0});
  const auto cell = [&](int left, int right, int rowTop, const std::string& text, bool plotBand) {
    if (plotBand) DrawOutline(surface, {left, plot.top, right, plot.bottom}, grid, 0);
    const Rect r{left, rowTop, right, rowTop - f};
    surface.FillRect(r, background, background);
    DrawOutline(surface, r, frame, 0);
    const bool fits = surface.TextExtent(text).cx <= right - left - 2 * g;
    // A year too wide for a short block at either end of the period is left out, not cut.
    if (!fits && chart.dateLabelMode == 4) return;
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
      case 3:
        label = (LastOfMonth(day) && parts.month % 3 == 0) || isEnd;
        text = kQuarters[(parts.month - 1) / 3];
        break;
      default:
        // A block of yearStep years ends on 31.12. of its last year; labelled with its first
        // year, or the period's first where the period starts within the block.
        label = (parts.month == 12 && parts.day == 31 && (parts.year + 1) % chart.yearStep == 0) || isEnd;
        text =
            std::to_string(std::max(parts.year / chart.yearStep * chart.yearStep, PartsOf(chart.start).year));
        break;
    }
    if (label) {
      cell(previous, xOf(d), plot.bottom, text, true);
      previous = xOf(d);
    }
    const bool second = chart.dateLabelMode == 0   ? (LastOfMonth(day) || isEnd)
                        : chart.dateLabelMode == 4 ? isEnd
                                                   : ((parts.month == 12 && parts.day == 31) || isEnd);
    if (second) {
      char year[32];
      if (chart.dateLabelMode == 0) {
        std::snprintf(year, sizeof year, "%s %d", kMonths[parts.month - 1], parts.year);
      } else if (chart.dateLabelMode == 4) {
        std::snprintf(year, sizeof year, "%d - %d", PartsOf(chart.start).year, parts.year);
      } else {
        std::snprintf(year, sizeof year, "%d", parts.year);
      }
      cell(previous2, xOf(d), plot.bottom - f, year, false);
      previous2 = xOf(d);
    }
  }

  // Value axis.
  surface.DrawText({x0 + plotWidth + g, top, x0 + plotWidth + axis.unitLabelWidth - g, top - f},
                   UnitText(doc, chart.kind, chart.series, axis),
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

ChartData BuildChart(platform::Surface& surface, const CKapibuchDoc& doc, ChartKind kind, CKBXDatum start,
                     CKBXDatum end, int series, const std::vector<int>& selection) {
  ChartData chart;
  chart.kind = kind;
  chart.series = series;
  chart.start = start;
  chart.end = std::max(start, end);
  if (kind == ChartKind::Security) {
    BuildSecuritySeries(chart.start, chart.end, chart.values, doc, series, chart.axis, selection);
    chart.names = SelectionNames(doc, selection, series);
  } else {
    BuildPortfolioSeries(chart.start, chart.end, chart.values, doc, series, chart.axis);
  }
  MeasureChartLabels(surface, doc, chart);
  return chart;
}

}  // namespace views
