#include "views/AnalysisView.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "model/KBXKursverlauf.h"
#include "views/AnalysisSupport.h"
#include "views/HoldingsRow.h"
#include "views/Table.h"
#include "views/TableViews.h"

namespace views {

using platform::Color;
using platform::Rect;
using platform::Rgb;

namespace analysis {

namespace {

struct KeyColour {
  int row;
  Color colour;
};
constexpr KeyColour kKeys[] = {{10, Rgb(255, 0, 0)}, {11, Rgb(255, 255, 0)}, {12, Rgb(0, 255, 0)},
                               {23, Rgb(0, 0, 192)}, {24, Rgb(192, 0, 192)}, {25, Rgb(0, 192, 192)}};

}  // namespace

void DrawAnalysisTable(platform::Surface& surface, const CKapibuchDoc& doc, CKBXDatum day, CKBXDatum start,
                       const std::vector<HoldingsRow>& rows, const AnalysisScales& scales,
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
    // Texts longer than their cells are cut by the surface, ending in "…".
    surface.DrawText({label.left + g, top, label.left + g + labelWidth, top - h},
                     labels[static_cast<std::size_t>(r - 1)], platform::kAlignLeft | platform::kSingleLine);
    for (std::size_t k = 0; k < columns; ++k) {
      if (p.columnX[k] < 0) continue;
      const Rect c = cell(p.columnX[k], top, w);
      DrawOutline(surface, c, outline, 0);
      surface.DrawText({c.left + g, top, c.right - g, top - h}, cells[k][static_cast<std::size_t>(r - 1)],
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
      const HoldingsRow& row = rows[k];
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

  // The share band; its box and label cell also when there is no position.
  const int bandTop = p.rowTop[38];
  if (bandTop != INT_MIN) {
    DrawOutline(surface, {p.labelLeft, bandTop, tableRight, bandTop - 3 * h}, outline, 0);
    DrawOutline(surface, {p.labelLeft, bandTop, p.labelLeft + f, bandTop - 3 * h}, outline, 0);
  }
  if (bandTop != INT_MIN && columns > 0 && first < columns) {
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

}  // namespace analysis

using namespace analysis;

platform::Size AnalysisScrollSize(const CKapibuchDoc& doc, const std::vector<HoldingsRow>& rows) {
  const AnalysisSettings& s = doc.settings.analysis;
  const int n = rows.empty() ? 0 : static_cast<int>(rows.size()) - 1;
  return {2 * s.border + s.firstColumnWidth + n * s.columnWidth, 2 * s.border + kRows * s.rowHeight};
}

void DrawAnalysisView(platform::Surface& surface, const CKapibuchDoc& doc, CKBXDatum day, CKBXDatum start,
                      const std::vector<HoldingsRow>& rows, const AnalysisScales& scales) {
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

}  // namespace views
