#include "views/AnalysisView.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "model/KBXKursverlauf.h"
#include "views/KBXAktieImDepot.h"
#include "views/Table.h"
#include "views/TableViews.h"

namespace views {

using platform::Color;
using platform::Rect;
using platform::Rgb;

namespace {

constexpr int kRows = 41;

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

// The 21 blocks that printing never splits: first table row and number of rows.
struct Block {
  int first, count;
};
constexpr std::array<Block, 21> kBlocks = {{{1, 1},  {2, 1},  {3, 1},  {4, 1},   {5, 1},  {6, 1},   {7, 1},
                                            {8, 1},  {9, 1},  {10, 1}, {11, 1},  {12, 1}, {13, 10}, {23, 1},
                                            {24, 1}, {25, 1}, {26, 1}, {27, 10}, {37, 1}, {38, 3},  {41, 1}}};

struct KeyColour {
  int row;
  Color colour;
};
constexpr KeyColour kKeys[] = {{10, Rgb(255, 0, 0)}, {11, Rgb(255, 255, 0)}, {12, Rgb(0, 255, 0)},
                               {23, Rgb(0, 0, 192)}, {24, Rgb(192, 0, 192)}, {25, Rgb(0, 192, 192)}};

// Where the pieces of the table lie on this surface.
struct Placement {
  int labelLeft = 0;
  std::vector<int> columnX;             // per position column; -1 when not drawn
  std::array<int, kRows + 1> rowTop{};  // per table row 1..41; INT_MIN when not drawn
  bool printing = false;
  std::size_t FirstColumn() const {
    for (std::size_t k = 0; k < columnX.size(); ++k) {
      if (columnX[k] >= 0) return k;
    }
    return columnX.size();
  }
  std::size_t LastColumn() const {
    for (std::size_t k = columnX.size(); k > 0; --k) {
      if (columnX[k - 1] >= 0) return k - 1;
    }
    return columnX.size();
  }
};

void DrawAnalysisTable(platform::Surface& surface, const CKapibuchDoc& doc, CKBXDatum day, CKBXDatum start,
                       const std::vector<CKBXAktieImDepot>& rows, const AnalysisScales& scales,
                       const Placement& p) {
  const AnalysisSettings& s = doc.settings.analysis;
  const int h = s.rowHeight, g = s.textSpacing, f = s.firstColumnWidth, w = s.columnWidth;
  const Color outline = p.printing ? Rgb(0, 0, 0) : Rgb(192, 192, 192);
  const Color chartOutline = p.printing ? Rgb(0, 0, 0) : Rgb(128, 128, 128);
  const Color black = Rgb(0, 0, 0);
  surface.SetFont({s.fontName, h, 400, 0});
  const std::size_t columns = rows.empty() ? 0 : rows.size() - 1;
  const std::vector<std::string> labels = AnalysisLabels(doc, day, start);
  const int decimals = ShareDecimals(rows);
  std::vector<std::array<std::string, kRows>> cells;
  for (std::size_t k = 0; k < columns; ++k) cells.push_back(AnalysisCells(doc, rows[k], decimals));
  const std::size_t first = p.FirstColumn();
  const std::size_t last = p.LastColumn();
  const int tableRight = last < columns ? p.columnX[last] + w : p.labelLeft + f;
  const auto cell = [&](int left, int top, int width) { return Rect{left, top, left + width, top - h}; };

  for (int r = 1; r <= kRows; ++r) {
    const int top = p.rowTop[static_cast<std::size_t>(r)];
    if (top == INT_MIN) continue;
    const bool chartRow = (r >= 13 && r <= 22) || (r >= 27 && r <= 36) || (r >= 38 && r <= 40);
    if (chartRow) continue;  // the bands are drawn as a whole below
    const Rect label = cell(p.labelLeft, top, f);
    DrawOutline(surface, label, outline, 0);
    int labelWidth = f - 2 * g;
    for (const KeyColour& key : kKeys) {
      if (key.row != r) continue;
      const Rect square{label.right - h, top, label.right, top - h};
      surface.FillRect(square, key.colour, key.colour);
      labelWidth -= h;
    }
    surface.DrawText({label.left + g, top, label.left + g + labelWidth, top - h},
                     CutToFit(surface, labels[static_cast<std::size_t>(r - 1)], labelWidth),
                     platform::kAlignLeft | platform::kSingleLine);
    for (std::size_t k = 0; k < columns; ++k) {
      if (p.columnX[k] < 0) continue;
      const Rect c = cell(p.columnX[k], top, w);
      DrawOutline(surface, c, outline, 0);
      surface.DrawText({c.left + g, top, c.right - g, top - h},
                       CutToFit(surface, cells[k][static_cast<std::size_t>(r - 1)], w - 2 * g),
                       platform::kAlignRight | platform::kSingleLine);
    }
  }

  // The two bar charts.
  struct Chart {
    int firstRow;
    const AnalysisScale& scale;
    Color colours[3];
  };
  const Chart charts[] = {{13, scales.gain, {Rgb(255, 0, 0), Rgb(255, 255, 0), Rgb(0, 255, 0)}},
                          {27, scales.distance, {Rgb(0, 0, 192), Rgb(192, 0, 192), Rgb(0, 192, 192)}}};
  for (std::size_t c = 0; c < 2; ++c) {
    const Chart& chart = charts[c];
    const int bandTop = p.rowTop[static_cast<std::size_t>(chart.firstRow)];
    if (bandTop == INT_MIN) continue;
    const int bandBottom = bandTop - 10 * h;
    DrawOutline(surface, {p.labelLeft, bandTop, tableRight, bandBottom}, outline, 0);
    const int y0 = bandBottom + h / 2, y1 = bandTop - h / 2;
    const double range =
        static_cast<double>(std::max<std::int64_t>(1, chart.scale.maximum - chart.scale.minimum));
    const auto yOf = [&](double v) {
      return y0 + static_cast<int>((v - static_cast<double>(chart.scale.minimum)) * (y1 - y0) / range);
    };
    const int zero = yOf(0);
    for (std::size_t k = 0; k < columns; ++k) {
      const int x = p.columnX[k];
      if (x < 0) continue;
      const Rect plot{x, y1, x + w, y0};
      surface.FillRect(plot, Rgb(192, 192, 192), Rgb(192, 192, 192));
      DrawOutline(surface, plot, chartOutline, 0);
      for (std::int64_t v = chart.scale.minimum; v <= chart.scale.maximum; v += chart.scale.step) {
        const int y = yOf(static_cast<double>(v));
        surface.Line(x, y, x + w, y, v == 0 ? black : chartOutline, 0);
      }
      surface.Line(x, zero - h / 4, x, zero + h / 4, black, 0);
      surface.Line(x + w, zero - h / 4, x + w, zero + h / 4, black, 0);
      if (k == first) {
        if (k == 0) surface.Line(x, y0, x, y1, black, 0);
        for (std::int64_t v = chart.scale.minimum; v <= chart.scale.maximum; v += chart.scale.step) {
          const int y = yOf(static_cast<double>(v));
          surface.Line(x - h / 4, y, x, y, black, 0);
          surface.DrawText({p.labelLeft + g, y + h / 2, p.labelLeft + f - 2 * g - h / 4, y - h / 2},
                           GroupThousands(v) + "%", platform::kAlignRight | platform::kSingleLine);
        }
      }
      const CKBXAktieImDepot& row = rows[k];
      const double values[3] = {c == 0 ? row.minGainPercent : row.overStartPercent,
                                c == 0 ? row.currentGainPercent : row.overLowPercent,
                                c == 0 ? row.maxGainPercent : row.toHighPercent};
      for (int b = 0; b < 3; ++b) {
        const int left = x + w / 8 + b * (w / 4);
        const int y = yOf(values[b]);
        const Rect bar{left, std::max(y, zero), left + w / 4, std::min(y, zero)};
        surface.FillRect(bar, chart.colours[b], chart.colours[b]);
        DrawOutline(surface, bar, black, 0);
      }
    }
  }

  // The share band.
  const int bandTop = p.rowTop[38];
  if (bandTop != INT_MIN && columns > 0 && first < columns) {
    const Rect band{p.labelLeft, bandTop, tableRight, bandTop - 3 * h};
    DrawOutline(surface, band, outline, 0);
    DrawOutline(surface, {p.labelLeft, bandTop, p.labelLeft + f, bandTop - 3 * h}, outline, 0);
    const std::int64_t total = rows.back().value;
    const std::int64_t tw = static_cast<std::int64_t>(columns) * w;
    // The band runs as if every column were drawn; what lies beside this page's columns is cut off.
    const std::int64_t base = p.columnX[first] - static_cast<std::int64_t>(first) * w;
    const Rect clip{p.columnX[first], bandTop, p.columnX[last] + w, bandTop - 3 * h};
    surface.SetClip(&clip);
    std::int64_t cum = 0;
    for (std::size_t k = 0; k < columns; ++k) {
      const std::int64_t before = cum;
      cum += rows[k].value;
      // A total of 0 (nothing worth anything) gives every column an equal share.
      const auto at = [&](std::int64_t amount, std::size_t index) {
        return total > 0 ? base + amount * tw / total : base + static_cast<std::int64_t>(index) * w;
      };
      const int left = static_cast<int>(at(before, k));
      const int right = static_cast<int>(total > 0 ? at(cum, k + 1) : at(0, k + 1));
      const Rect segment{left, bandTop - h, right, bandTop - 2 * h};
      const Color colour = k % 2 == 0 ? Rgb(255, 128, 0) : Rgb(255, 192, 0);
      surface.FillRect(segment, colour, colour);
      DrawOutline(surface, segment, black, 0);
      const int colLeft = static_cast<int>(base + static_cast<std::int64_t>(k) * w);
      surface.Line(colLeft, bandTop, left, segment.top, outline, 0);
      surface.Line(colLeft + w, bandTop, right, segment.top, outline, 0);
      surface.Line(colLeft, bandTop - 3 * h, left, segment.bottom, outline, 0);
      surface.Line(colLeft + w, bandTop - 3 * h, right, segment.bottom, outline, 0);
    }
    surface.SetClip(nullptr);
    if (!p.printing)
      DrawOutline(surface,
                  {static_cast<int>(base), bandTop - h, static_cast<int>(base + tw), bandTop - 2 * h}, black,
                  0);
  }
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

void BuildAnalysisRows(CKBXDatum day, CKBXDatum start, std::vector<CKBXAktieImDepot>& rows,
                       const CKapibuchDoc& doc, AnalysisScales& scales) {
  const AnalysisSettings& s = doc.settings.analysis;
  const GeneralSettings& general = doc.settings.general;
  CollectHoldingsRows(day, rows, doc, s.mergePositions != 0);
  const std::int64_t total = rows.back().value;
  double gainMax = 0, gainMin = 0, distMax = 0, distMin = 0;
  bool any = false;
  for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
    CKBXAktieImDepot& r = rows[i];
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

  using Row = CKBXAktieImDepot;
  std::function<int(const Row&, const Row&)> compare;
  switch (s.sortKey) {
    case 0:
      compare = [](const Row& a, const Row& b) { return CompareTexts(a.name, b.name); };
      break;
    case 1:
      compare = [](const Row& a, const Row& b) { return CompareTexts(a.wkn, b.wkn); };
      break;
    case 2:
      compare = [](const Row& a, const Row& b) { return Compare3(a.quantity, b.quantity); };
      break;
    case 3:
      compare = [](const Row& a, const Row& b) { return Compare3(a.purchaseDate, b.purchaseDate); };
      break;
    case 4:
      compare = [](const Row& a, const Row& b) { return Compare3(a.minGainPercent, b.minGainPercent); };
      break;
    case 5:
      compare = [](const Row& a, const Row& b) {
        return Compare3(a.currentGainPercent, b.currentGainPercent);
      };
      break;
    case 6:
      compare = [](const Row& a, const Row& b) { return Compare3(a.maxGainPercent, b.maxGainPercent); };
      break;
    case 7:
      compare = [](const Row& a, const Row& b) { return Compare3(a.overStartPercent, b.overStartPercent); };
      break;
    case 8:
      compare = [](const Row& a, const Row& b) { return Compare3(a.overLowPercent, b.overLowPercent); };
      break;
    case 9:
      compare = [](const Row& a, const Row& b) { return Compare3(a.toHighPercent, b.toHighPercent); };
      break;
    case 10:
      compare = [](const Row& a, const Row& b) { return Compare3(a.ofHighPercent, b.ofHighPercent); };
      break;
    case 11:
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

std::array<std::string, 41> AnalysisCells(const CKapibuchDoc& doc, const CKBXAktieImDepot& r,
                                          int shareDecimals) {
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

std::string CutToFit(platform::Surface& surface, const std::string& text, int width) {
  if (surface.TextExtent(text).cx <= width) return text;
  std::string cut = text;
  while (cut.size() > 1) {
    // Drop one whole UTF-8 character.
    std::size_t n = cut.size() - 1;
    while (n > 0 && (static_cast<unsigned char>(cut[n]) & 0xC0) == 0x80) --n;
    cut.resize(n);
    if (surface.TextExtent(cut + "...").cx <= width) break;
  }
  return cut + "...";
}

platform::Size AnalysisScrollSize(const CKapibuchDoc& doc, const std::vector<CKBXAktieImDepot>& rows) {
  const AnalysisSettings& s = doc.settings.analysis;
  const int n = rows.empty() ? 0 : static_cast<int>(rows.size()) - 1;
  return {std::min(2 * s.border + s.firstColumnWidth + n * s.columnWidth, 32768),
          std::min(2 * s.border + kRows * s.rowHeight, 32768)};
}

void DrawAnalysisView(platform::Surface& surface, const CKapibuchDoc& doc, CKBXDatum day, CKBXDatum start,
                      const std::vector<CKBXAktieImDepot>& rows, const AnalysisScales& scales) {
  const AnalysisSettings& s = doc.settings.analysis;
  Placement p;
  p.labelLeft = s.border;
  p.printing = surface.IsPrinting();
  for (std::size_t k = 0; k + 1 < rows.size(); ++k) {
    p.columnX.push_back(s.border + s.firstColumnWidth + static_cast<int>(k) * s.columnWidth);
  }
  for (int r = 1; r <= kRows; ++r)
    p.rowTop[static_cast<std::size_t>(r)] = -(s.border + (r - 1) * s.rowHeight);
  DrawAnalysisTable(surface, doc, day, start, rows, scales, p);
}

AnalysisPrintJob::AnalysisPrintJob(const CKapibuchDoc& doc, CKBXDatum day, CKBXDatum start)
    : m_doc(doc), m_day(day), m_start(start) {
  BuildAnalysisRows(day, start, m_rows, doc, m_scales);
}

int AnalysisPrintJob::Begin(platform::Surface& printer) {
  const AnalysisSettings& s = m_doc.settings.analysis;
  Layout& l = m_layout;
  l = Layout{};
  l.printable = PrintableRect(printer.Page(), s.margins);
  int x = l.printable.left + s.firstColumnWidth;
  int column = 0;
  for (std::size_t k = 0; k + 1 < m_rows.size(); ++k) {
    if (x + s.columnWidth > l.printable.right && x != l.printable.left + s.firstColumnWidth) {
      x = l.printable.left + s.firstColumnWidth;
      ++column;
    }
    l.pageColumn.push_back(column);
    l.x.push_back(x);
    x += s.columnWidth;
  }
  l.pageColumns = column + 1;
  int y = l.printable.top;
  int row = 0;
  for (std::size_t b = 0; b < kBlocks.size(); ++b) {
    const int height = kBlocks[b].count * s.rowHeight;
    if (y - height < l.printable.bottom && y != l.printable.top) {
      y = l.printable.top;
      ++row;
    }
    l.blockPageRow[b] = row;
    l.blockTop[b] = y;
    y -= height;
  }
  l.pageRows = row + 1;
  return l.pageRows * l.pageColumns;
}

void AnalysisPrintJob::DrawPage(platform::Surface& printer, int page) {
  const AnalysisSettings& s = m_doc.settings.analysis;
  const int index = std::max(page, 1) - 1;
  const int pageRow = index / m_layout.pageColumns;
  const int pageColumn = index % m_layout.pageColumns;
  Placement p;
  p.labelLeft = m_layout.printable.left;
  p.printing = true;
  for (std::size_t k = 0; k < m_layout.x.size(); ++k) {
    p.columnX.push_back(m_layout.pageColumn[k] == pageColumn ? m_layout.x[k] : -1);
  }
  p.rowTop.fill(INT_MIN);
  for (std::size_t b = 0; b < kBlocks.size(); ++b) {
    if (m_layout.blockPageRow[b] != pageRow) continue;
    for (int i = 0; i < kBlocks[b].count; ++i) {
      p.rowTop[static_cast<std::size_t>(kBlocks[b].first + i)] = m_layout.blockTop[b] - i * s.rowHeight;
    }
  }
  DrawAnalysisTable(printer, m_doc, m_day, m_start, m_rows, m_scales, p);
}

}  // namespace views
