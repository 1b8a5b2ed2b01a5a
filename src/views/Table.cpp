#include "views/Table.h"

#include <algorithm>
#include <limits>

#include "base/TextCompare.h"
#include "views/TitleText.h"

namespace views {

using platform::Color;
using platform::Rect;
using platform::Rgb;

namespace {

// A view is never larger than this (tenths of a millimetre; 100 km), so pixels fit an int.
constexpr std::int64_t kLargestExtent = 1'000'000'000;

struct Scheme {
  Color title, caption, evenGain, evenLoss, oddGain, oddLoss, sumsGain, sumsLoss;
};

const Scheme& SchemeOf(int style) {
  static const Scheme colour{Rgb(205, 205, 205), Rgb(225, 225, 225), Rgb(175, 255, 175), Rgb(255, 175, 175),
                             Rgb(200, 255, 200), Rgb(255, 200, 200), Rgb(150, 255, 150), Rgb(255, 150, 150)};
  static const Scheme grey{Rgb(205, 205, 205), Rgb(225, 225, 225), Rgb(240, 240, 240), Rgb(240, 240, 240),
                           Rgb(248, 248, 248), Rgb(248, 248, 248), Rgb(225, 225, 225), Rgb(225, 225, 225)};
  return style == 1 ? grey : colour;
}

bool DrawsFilled(const platform::Surface& surface, const Table& table) {
  if (table.tableStyle == 2) return false;
  return !(surface.IsPrinting() && table.geometry.gridOnlyWhenPrinting == 1);
}

// A band or row: filled with its colour, or outlined.
void Band(platform::Surface& surface, const Table& table, const Rect& rect, Color colour) {
  if (DrawsFilled(surface, table)) {
    surface.FillRect(rect, colour, colour);
  } else {
    DrawOutline(surface, rect, surface.IsPrinting() ? Rgb(0, 0, 0) : Rgb(192, 192, 192), 0);
  }
}

Color RowColour(const Table& table, std::size_t row) {
  const Scheme& s = SchemeOf(table.tableStyle);
  const bool loss = row < table.loss.size() && table.loss[row];
  if (table.IsSumsRow(row)) return loss ? s.sumsLoss : s.sumsGain;
  if (row % 2 == 0) return loss ? s.evenLoss : s.evenGain;
  return loss ? s.oddLoss : s.oddGain;
}

unsigned Alignment(const Table& table, std::size_t slot) {
  return slot < table.rightAligned.size() && table.rightAligned[slot] ? platform::kAlignRight
                                                                      : platform::kAlignLeft;
}

// Everything a drawing pass needs to place the bands and rows.
struct Placement {
  int left, right;
  int titleTop;  // only when the title band is drawn
  bool titleBand;
  bool titleText;
  int titleLimit = std::numeric_limits<int>::max();  // the title band may not reach past this
  int captionTop;
  std::vector<std::size_t> slots;  // the columns drawn
  std::vector<int> x;              // their left edges
  const std::vector<int>* width;
  std::size_t firstRow, lastRow;  // inclusive; lastRow < firstRow for none
  int firstRowTop;
  // Rows wholly outside this band are left out (a row more on either side is drawn, so
  // that no pen that strays over a row's edge is missed).
  int visibleTop = std::numeric_limits<int>::max();
  int visibleBottom = std::numeric_limits<int>::min();
};

void DrawPlaced(platform::Surface& surface, const Table& table, const Placement& p) {
  const TableGeometry& g = table.geometry;
  const TableFonts fonts = CreateTableFonts(g);
  const Scheme& scheme = SchemeOf(table.tableStyle);
  const auto cellRect = [&](std::size_t i, int top, int height) {
    const int w = (*p.width)[p.slots[i]];
    return Rect{p.x[i], top, p.x[i] + w, top - height};
  };

  surface.SetFont(fonts.title);
  if (p.titleBand) {
    // A title wider than the table widens its band rather than being cut.
    int right = p.right;
    if (p.titleText) {
      const int needed = p.left + surface.TextExtent(table.title).cx + 2 * g.columnMargin;
      right = std::max(right, std::min(needed, p.titleLimit));
    }
    const Rect title{p.left, p.titleTop, right, p.titleTop - g.titleHeight};
    Band(surface, table, title, scheme.title);
    if (p.titleText) {
      // Where the band cannot grow enough (the paper ends), the title shrinks or wraps.
      DrawTitle(surface, fonts.title,
                {p.left + g.columnMargin, title.top, title.right - g.columnMargin, title.bottom}, table.title,
                platform::kAlignLeft | platform::kSingleLine);
    }
  }

  surface.SetFont(fonts.caption);
  const int captionHeight = table.CaptionLines() * g.columnTitleHeight;
  Band(surface, table, {p.left, p.captionTop, p.right, p.captionTop - captionHeight}, scheme.caption);
  for (std::size_t i = 0; i < p.slots.size(); ++i) {
    surface.DrawText(cellRect(i, p.captionTop, captionHeight), table.captions[p.slots[i]],
                     Alignment(table, p.slots[i]) | platform::kMultiLine);
  }

  surface.SetFont(fonts.row);
  // Rows only run downwards with positive heights and spacing; other settings draw them all.
  const bool cull = g.rowHeight > 0 && g.fieldSpacing >= 0;
  const std::int64_t above = static_cast<std::int64_t>(p.visibleTop) + 2 * std::int64_t{g.rowHeight};
  const std::int64_t below = static_cast<std::int64_t>(p.visibleBottom) - g.rowHeight;
  int top = p.firstRowTop;
  for (std::size_t row = p.firstRow; row <= p.lastRow && row < table.cells.size(); ++row) {
    if (table.IsFirstSumsRow(row) && row != p.firstRow) top -= g.fieldSpacing;
    if (cull && top < below) break;  // this row and all after it lie below the band
    if (cull && top > above) {
      top -= g.rowHeight;
      continue;
    }
    Band(surface, table, {p.left, top, p.right, top - g.rowHeight}, RowColour(table, row));
    for (std::size_t i = 0; i < p.slots.size(); ++i) {
      surface.DrawText(cellRect(i, top, g.rowHeight), table.cells[row][p.slots[i]],
                       Alignment(table, p.slots[i]) | platform::kSingleLine);
    }
    top -= g.rowHeight;
  }
}

}  // namespace

TableFonts CreateTableFonts(const TableGeometry& g) {
  return {
      {g.face, g.titleHeight, 400, 0}, {g.face, g.columnTitleHeight, 400, 0}, {g.face, g.rowHeight, 400, 0}};
}

ColumnLayout MeasureColumns(platform::Surface& surface, const Table& table) {
  const TableGeometry& g = table.geometry;
  const TableFonts fonts = CreateTableFonts(g);
  const std::size_t n = table.Slots();
  ColumnLayout layout;
  layout.width.assign(n, 0);
  layout.x.assign(n, -1);

  surface.SetFont(fonts.caption);
  for (std::size_t slot = 0; slot < n; ++slot) {
    if (!table.Visible(slot)) continue;
    const std::string& caption = table.captions[slot];
    const std::size_t lineBreak = caption.find('\n');
    int width = surface.TextExtent(caption.substr(0, lineBreak)).cx;
    if (lineBreak != std::string::npos)
      width = std::max(width, surface.TextExtent(caption.substr(lineBreak + 1)).cx);
    layout.width[slot] = width;
  }
  surface.SetFont(fonts.row);
  for (const auto& row : table.cells) {
    for (std::size_t slot = 0; slot < n; ++slot) {
      if (table.Visible(slot))
        layout.width[slot] = std::max(layout.width[slot], surface.TextExtent(row[slot]).cx);
    }
  }
  int x = g.fieldSpacing + g.columnMargin;
  for (std::size_t slot = 0; slot < n; ++slot) {
    if (!table.Visible(slot)) continue;
    layout.x[slot] = x;
    x += layout.width[slot] + g.textSpacing;
  }
  layout.totalWidth = x - g.textSpacing;
  return layout;
}

platform::Size TableScrollSize(const Table& table, const ColumnLayout& layout) {
  const TableGeometry& g = table.geometry;
  const std::int64_t n = static_cast<std::int64_t>(table.cells.size());
  const std::int64_t width = g.fieldSpacing + g.columnMargin + layout.totalWidth;
  std::int64_t height = 0;
  if (!table.HasSumsRow()) {
    height = n * g.rowHeight + (n >= 2 ? 4 : 3) * g.fieldSpacing + g.columnTitleHeight + g.titleHeight;
  } else {
    const bool gap = table.cells.size() > table.summaryRows;  // rows above the sums rows
    height = n * g.rowHeight + (gap ? 5 : 4) * g.fieldSpacing + 2 * g.columnTitleHeight + g.titleHeight;
  }
  return {static_cast<int>(std::min(width, kLargestExtent)),
          static_cast<int>(std::min(height, kLargestExtent))};
}

int TableHeaderHeight(const Table& table) {
  const TableGeometry& g = table.geometry;
  return g.titleHeight + 3 * g.fieldSpacing + table.CaptionLines() * g.columnTitleHeight;
}

void DrawTable(platform::Surface& surface, const Table& table, const ColumnLayout& layout) {
  const int most = std::numeric_limits<int>::max(), least = std::numeric_limits<int>::min();
  DrawTable(surface, table, layout, {least, most, most, least});
}

void DrawTable(platform::Surface& surface, const Table& table, const ColumnLayout& layout,
               const Rect& visible) {
  const TableGeometry& g = table.geometry;
  Placement p{};
  p.visibleTop = visible.top;
  p.visibleBottom = visible.bottom;
  p.left = g.fieldSpacing;
  p.right = layout.totalWidth + g.columnMargin;
  p.titleBand = true;
  p.titleText = true;
  p.titleTop = -g.fieldSpacing;
  p.captionTop = p.titleTop - g.titleHeight - g.fieldSpacing;
  for (std::size_t slot = 0; slot < table.Slots(); ++slot) {
    if (!table.Visible(slot)) continue;
    p.slots.push_back(slot);
    p.x.push_back(layout.x[slot]);
  }
  p.width = &layout.width;
  p.firstRow = 0;
  p.lastRow = table.cells.empty() ? 0 : table.cells.size() - 1;
  p.firstRowTop = -TableHeaderHeight(table);
  if (!table.cells.empty())
    DrawPlaced(surface, table, p);
  else {
    p.firstRow = 1;  // no rows: bands and captions only
    DrawPlaced(surface, table, p);
  }
}

Rect PrintableRect(const platform::PageGeometry& page, const Margins& m) {
  return {m.left - page.offsetX, page.offsetY - m.top, page.pageWidth - m.right - page.offsetX,
          m.bottom + page.offsetY - page.pageHeight};
}

PrintLayout LayoutPrintPages(platform::Surface& printer, const Table& table) {
  const TableGeometry& g = table.geometry;
  PrintLayout layout;
  layout.printable = PrintableRect(printer.Page(), g.margins);
  layout.columns = MeasureColumns(printer, table);

  // Page rows.
  const int h = layout.printable.top - layout.printable.bottom;
  int remaining = static_cast<int>(table.cells.size());
  int next = 0;
  for (int p = 0; p == 0 || remaining > 0; ++p) {
    const int reserve = p == 0 ? g.titleHeight + g.fieldSpacing : 0;
    int fit = 0;
    const int rowHeight = std::max(1, g.rowHeight);
    if (!table.HasSumsRow()) {
      fit = (h - g.fieldSpacing - g.columnTitleHeight - reserve) / rowHeight;
    } else {
      const int available = h - 2 * g.columnTitleHeight - g.fieldSpacing - reserve;
      fit = available / rowHeight;
      // A page that takes the first sums row leaves room for the spacing above it.
      const int sums = static_cast<int>(table.summaryRows);
      if (fit >= remaining - (sums - 1)) fit = (available - g.fieldSpacing) / rowHeight;
    }
    fit = std::max(fit, 1);  // every page row takes at least one row, so pagination ends
    layout.rowRanges.emplace_back(next, next + std::min(fit, remaining) - 1);
    next += fit;
    remaining -= fit;
  }

  // Page columns.
  const std::size_t n = table.Slots();
  layout.pageColumn.assign(n, -1);
  layout.printedX.assign(n, 0);
  int shift = 0;
  int column = 0;
  bool columnUsed = false;
  for (std::size_t slot = 0; slot < n; ++slot) {
    if (!table.Visible(slot)) continue;
    const int width = layout.columns.width[slot];
    int x = layout.columns.x[slot] + layout.printable.left - shift - g.fieldSpacing;
    // A column that does not fit starts the next page column; a page column that holds
    // nothing yet keeps it (clipped at the paper's edge) rather than staying empty.
    if (x + width + g.columnMargin > layout.printable.right && columnUsed) {
      shift += x - layout.printable.left - g.columnMargin;
      ++column;
      x = layout.printable.left + g.columnMargin;
    }
    layout.pageColumn[slot] = column;
    layout.printedX[slot] = x;
    columnUsed = true;
  }
  layout.pageColumns = column + 1;
  return layout;
}

void SelectPrintPage(PrintLayout& layout, int page) {
  const int index = std::max(page, 1) - 1;
  layout.currentRow = index / layout.pageColumns;
  layout.currentColumn = index % layout.pageColumns;
}

void DrawTablePage(platform::Surface& surface, const Table& table, const PrintLayout& layout) {
  const TableGeometry& g = table.geometry;
  Placement p{};
  for (std::size_t slot = 0; slot < table.Slots(); ++slot) {
    if (layout.pageColumn[slot] != layout.currentColumn) continue;
    p.slots.push_back(slot);
    p.x.push_back(layout.printedX[slot]);
  }
  p.width = &layout.columns.width;
  if (p.slots.empty()) {
    p.left = layout.printable.left;
    p.right = layout.printable.left + 2 * g.columnMargin;
  } else {
    p.left = p.x.front() - g.columnMargin;
    p.right = p.x.back() + layout.columns.width[p.slots.back()] + g.columnMargin;
  }
  const bool firstPageRow = layout.currentRow == 0;
  p.titleLimit = layout.printable.right;
  p.titleBand = firstPageRow;
  p.titleText = firstPageRow && layout.currentColumn == 0;
  p.titleTop = layout.printable.top;
  p.captionTop = firstPageRow ? p.titleTop - g.titleHeight - g.fieldSpacing : layout.printable.top;
  const auto& range = layout.rowRanges[static_cast<std::size_t>(layout.currentRow)];
  p.firstRow = static_cast<std::size_t>(range.first);
  p.lastRow = range.second < range.first ? 0 : static_cast<std::size_t>(range.second);
  if (range.second < range.first) p.firstRow = 1;
  p.firstRowTop = p.captionTop - table.CaptionLines() * g.columnTitleHeight - g.fieldSpacing;
  DrawPlaced(surface, table, p);
}

void DrawOutline(platform::Surface& surface, const Rect& r, Color color, int width) {
  surface.Outline(r, color, width);
}

std::string ReplacePlaceholders(std::string text,
                                const std::vector<std::pair<std::string, std::string>>& values) {
  for (const auto& [placeholder, value] : values) {
    if (placeholder.empty()) continue;
    for (std::size_t at = text.find(placeholder); at != std::string::npos;
         at = text.find(placeholder, at + value.size())) {
      text.replace(at, placeholder.size(), value);
    }
  }
  return text;
}

Currency ColumnCurrency(const TableSettings& s, std::size_t column) {
  return column < s.columnCurrencies.size() && s.columnCurrencies[column] == 1 ? kDm : kEur;
}

std::string ColumnUnit(const TableSettings& s, std::size_t column) {
  return ColumnCurrency(s, column) == kDm ? "in DM" : "in EUR";
}

std::string MoneyCell(std::int64_t amount) {
  return FormatMoney(amount, kEur, kOwnCurrency, false);
}

FigureCell MoneyFigure(std::int64_t amount) {
  return {MoneyCell(amount), amount};
}

FigureCell RateFigure(const std::optional<double>& rate, int decimals) {
  if (!rate) return {"-", std::monostate{}};
  if (*rate * 100 > kLargestRatePercent) return {kBeyondLargestRate, *rate};
  return {FormatSignedPercent(*rate * 100, decimals), *rate};
}

void AddFigureRow(Table& table, const std::vector<FigureCell>& cells, bool loss) {
  std::vector<std::string> texts;
  std::vector<GridValue> values;
  for (const FigureCell& c : cells) {
    texts.push_back(c.text);
    values.push_back(c.value);
  }
  table.cells.push_back(std::move(texts));
  table.values.push_back(std::move(values));
  table.loss.push_back(loss);
}

int CompareTexts(const std::string& a, const std::string& b) {
  const int c = CompareNoCase(a, b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace views
