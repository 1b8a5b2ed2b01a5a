#include "views/DevelopmentView.h"

#include <algorithm>

#include "views/DevelopmentSupport.h"
#include "views/Table.h"

namespace views {

using namespace development;
using platform::Rect;

namespace {

constexpr std::int64_t kLargestExtent = 1'000'000'000;

// Keeps the widest of many texts; texts two or more characters shorter than the longest
// seen cannot be wider (digits are of equal width, separators narrower), so only the
// longer ones are measured.
class Widest {
 public:
  explicit Widest(platform::Surface& surface) : m_surface(surface) {}
  void Add(const std::string& text) {
    if (text.empty() || text.size() + 1 < m_longest) return;
    m_longest = std::max(m_longest, text.size());
    m_width = std::max(m_width, m_surface.TextExtent(text).cx);
  }
  int Width() const { return m_width; }

 private:
  platform::Surface& m_surface;
  std::size_t m_longest = 0;
  int m_width = 0;
};

// The width of the widest text shaped like this one: its digits replaced by each digit in
// turn. Texts of one length and sign differ only in their digits: where digits are of one
// width this is the width of every such text, and a font that kerns pairs of digits only
// makes some of them narrower.
int WidestOfShape(platform::Surface& surface, const std::string& text) {
  int width = 0;
  std::string variant = text;
  for (char digit = '0'; digit <= '9'; ++digit) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] >= '0' && text[i] <= '9') variant[i] = digit;
    }
    width = std::max(width, surface.TextExtent(variant).cx);
  }
  return width;
}

}  // namespace

DevelopmentMeasures MeasureDevelopmentColumns(platform::Surface& surface, const DevelopmentModel& model) {
  const DevelopmentSettings& s = model.Settings();
  DevelopmentMeasures m;
  surface.SetFont({s.fontName, s.rowHeight, 400, 0});
  // Every date has the same shape.
  m.dateWidth = WidestOfShape(surface, model.Start().Format());

  // A group text is longest at the largest or the smallest figure of its column: only those
  // two days' texts are made and measured, not a text for every day of the period.
  struct Extremes {
    bool any = false;
    DevelopmentKey low, high;
    DevelopmentFigures atLow, atHigh;
  };
  std::array<Extremes, 6> extremes;
  static constexpr int kGroupBits[] = {3, 4, 5, 6, 7, 8};
  const bool anyGroup =
      std::any_of(std::begin(kGroupBits), std::end(kGroupBits), [&](int bit) { return model.Shows(bit); });
  for (int row = 0; anyGroup && row < model.Days(); ++row) {
    const DevelopmentFigures figures =
        model.Figures(CKBXDatum(model.Start().Day() + static_cast<std::uint32_t>(row)));
    for (std::size_t c = 0; c < 6; ++c) {
      const auto column = static_cast<DevelopmentColumn>(c);
      if (!model.ShowsSub(column)) continue;
      const std::optional<DevelopmentKey> key = model.Key(column, figures);
      if (!key) continue;
      Extremes& e = extremes[c];
      if (!e.any || *key < e.low) {
        e.low = *key;
        e.atLow = figures;
      }
      if (!e.any || e.high < *key) {
        e.high = *key;
        e.atHigh = figures;
      }
      e.any = true;
    }
  }
  for (std::size_t c = 0; c < 6; ++c) {
    const auto column = static_cast<DevelopmentColumn>(c);
    if (!model.ShowsSub(column)) continue;
    const auto [line1, line2] = model.Caption(column);
    m.sub[c] = std::max(surface.TextExtent(line1).cx, surface.TextExtent(line2).cx);
    if (extremes[c].any) {
      for (const DevelopmentFigures& f : {extremes[c].atLow, extremes[c].atHigh})
        m.sub[c] = std::max(m.sub[c], WidestOfShape(surface, model.Text(column, f)));
    }
  }

  // Per position, the widest price and gain texts belong to its highest and lowest price in
  // the rows it shows (digits are of equal width; the gain grows with the price).
  Widest price(surface), gain(surface);
  const auto& positions = model.Doc().Positions();
  const int pd = model.Doc().settings.general.percentDecimals;
  for (std::size_t i = 0; i < positions.size(); ++i) {
    const PositionSpan& span = model.Spans()[i];
    if (span.column < 0) continue;
    const CKBXKursverlauf* history = model.m_histories[i];
    if (history && span.firstRow <= span.lastRow) {
      const auto& points = history->Points();
      const CKBXDatum from(model.Start().Day() + static_cast<std::uint32_t>(span.firstRow));
      const CKBXDatum to(model.Start().Day() + static_cast<std::uint32_t>(span.lastRow));
      std::int32_t low = 0, high = 0;
      bool any = false;
      for (std::size_t k = history->Find(from).index; k < points.size() && points[k].Date() <= to; ++k) {
        const std::int32_t value = points[k].Price();
        low = any ? std::min(low, value) : value;
        high = any ? std::max(high, value) : value;
        any = true;
      }
      if (any) {
        const std::int64_t basis = model.PurchaseBasis(*positions[i]);
        for (const std::int32_t value : {low, high}) {
          price.Add(Money(value));
          gain.Add(FormatChangePercent(value, basis, pd));
        }
      }
    }
    if (span.saleRow >= 0) {
      const auto [p, g] = model.SaleCells(i);
      price.Add(p);
      gain.Add(g);
    }
  }
  m.priceWidth = price.Width();
  m.gainWidth = gain.Width();
  m.positionsWidth = GroupWidth(m.priceWidth, model.Shows(0), m.gainWidth, model.Shows(1), s);
  m.depotWidth = GroupWidth(m.sub[kDepotValue], model.Shows(3), m.sub[kDepotGain], model.Shows(4), s);
  m.kontoWidth = GroupWidth(m.sub[kBalance], model.Shows(5), m.sub[kLiquidity], model.Shows(6), s);
  m.wealthWidth = GroupWidth(m.sub[kWealth], model.Shows(7), m.sub[kWealthGain], model.Shows(8), s);
  m.positionColumns = model.PositionColumns();
  // A group of few position columns is widened to its caption, so "Wertpapierpositionen"
  // is never cut.
  if (m.positionColumns > 0 && m.positionsWidth > 0) {
    const int caption = surface.TextExtent("Wertpapierpositionen").cx + 2 * s.columnMargin;
    const int strip = model.Shows(2) ? s.rowHeight : 0;
    const int n = m.positionColumns;
    const int needed = (caption - (n - 1) * s.fieldSpacing + n - 1) / n - strip;
    m.positionsWidth = std::max(m.positionsWidth, needed);
  }
  for (const PositionSpan& span : model.Spans()) m.columnOf.push_back(span.column);
  return m;
}

platform::Size DevelopmentScrollSize(const DevelopmentModel& model, const DevelopmentMeasures& m) {
  const DevelopmentSettings& s = model.Settings();
  const Columns columns = ColumnWidths(model, m);
  std::int64_t width = m.dateWidth + 2 * s.columnMargin + 2 * s.fieldSpacing;
  for (std::size_t i = 1; i < columns.width.size(); ++i) {
    if (columns.width[i] > 0) width += columns.width[i] + s.fieldSpacing;
  }
  const std::int64_t height =
      3 * s.fieldSpacing + (static_cast<std::int64_t>(model.Days()) + 2) * s.rowHeight;
  return {static_cast<int>(std::min<std::int64_t>(width, kLargestExtent)),
          static_cast<int>(std::min<std::int64_t>(height, kLargestExtent))};
}

void DrawDevelopmentView(platform::Surface& surface, const DevelopmentModel& model,
                         const DevelopmentMeasures& m, const Rect& visible) {
  const DevelopmentSettings& s = model.Settings();
  Columns columns = ColumnWidths(model, m);
  int x = s.fieldSpacing;
  for (std::size_t i = 0; i < columns.x.size(); ++i) {
    if (columns.width[i] == 0 && i > 0) continue;
    columns.x[i] = x;
    x += columns.width[i] + s.fieldSpacing;
  }
  const int rh = std::max(1, s.rowHeight);
  const int firstRowTop = -2 * s.fieldSpacing - 2 * rh;
  // Only the rows that meet the visible rectangle.
  const int first = std::max(0, (firstRowTop - visible.top) / rh);
  const int last = std::min(model.Days() - 1, (firstRowTop - visible.bottom) / rh);
  Pass pass{model, m, columns, -s.fieldSpacing, firstRowTop - first * rh, first, last};
  DrawPass(surface, pass);
}

}  // namespace views
