#pragma once
// The table engine of the holdings, realised-gains and account views: fonts, measuring,
// screen geometry, colours, sorting, title placeholders, and the division into printed
// pages. Each view describes its table as a Table (captions, cell texts, loss rows).

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/Money.h"
#include "document/Settings.h"
#include "platform/Surface.h"
#include "views/GridSink.h"

namespace views {

struct TableGeometry {
  int rowHeight = 50;
  int titleHeight = 80;
  int columnTitleHeight = 40;
  int textSpacing = 30;
  int columnMargin = 10;
  int fieldSpacing = 10;
  std::string face = "Arial";
  Margins margins;
  int gridOnlyWhenPrinting = 1;
};
// The layout lengths of a table view's settings (TableSettings or AccountSettings).
template <typename ViewSettings>
TableGeometry GeometryOf(const ViewSettings& s) {
  return {s.rowHeight,   s.titleHeight,  s.columnTitleHeight,
          s.textSpacing, s.columnMargin, s.fieldSpacing,
          s.fontName,    s.margins,      s.gridLinesOnlyWhenPrinting};
}

struct TableFonts {
  platform::Font title;
  platform::Font caption;
  platform::Font row;
};
TableFonts CreateTableFonts(const TableGeometry& geometry);

struct Table {
  // Gains tables have two caption lines (name and unit) and sums rows last (one, or more
  // as summaryRows says); the account movements have one caption line and no sums row.
  bool sumsRow = true;
  std::size_t summaryRows = 1;
  TableGeometry geometry;
  int tableStyle = 0;  // 0 colour, 1 greyscale, 2 grid lines
  unsigned columnFlags = 0;
  std::string title;
  std::vector<std::string> captions;            // one per column slot; "\n" breaks the line
  std::vector<bool> rightAligned;               // per slot
  std::vector<std::vector<std::string>> cells;  // per row, one text per slot; sums row last
  std::vector<bool> loss;                       // per row
  // The figures behind the cells (per row, one per slot), for `show`; empty for a table
  // that gives texts only.
  std::vector<std::vector<GridValue>> values;

  std::size_t Slots() const { return captions.size(); }
  bool Visible(std::size_t slot) const { return slot < 32 && ((columnFlags >> slot) & 1u) != 0; }
  int CaptionLines() const { return sumsRow ? 2 : 1; }
  bool HasSumsRow() const { return sumsRow; }
  bool IsSumsRow(std::size_t row) const {
    return HasSumsRow() && row < cells.size() && row + summaryRows >= cells.size();
  }
  // The first sums row lies one field spacing below the rows above it.
  bool IsFirstSumsRow(std::size_t row) const { return HasSumsRow() && row + summaryRows == cells.size(); }
};

struct ColumnLayout {
  std::vector<int> width;  // 0 for a hidden column
  std::vector<int> x;      // left edge, -1 for a hidden column
  int totalWidth = 0;
};

ColumnLayout MeasureColumns(platform::Surface& surface, const Table& table);
// The size of the whole table on screen.
platform::Size TableScrollSize(const Table& table, const ColumnLayout& layout);
// The title and the column captions above the first row: what stays in sight while the
// rows scroll.
int TableHeaderHeight(const Table& table);
void DrawTable(platform::Surface& surface, const Table& table, const ColumnLayout& layout);
// Only the rows that meet the visible rectangle (the title and captions always).
void DrawTable(platform::Surface& surface, const Table& table, const ColumnLayout& layout,
               const platform::Rect& visible);

struct PrintLayout {
  platform::Rect printable;
  ColumnLayout columns;                        // measured with the printer
  std::vector<std::pair<int, int>> rowRanges;  // first and last row of each page row
  std::vector<int> pageColumn;                 // per slot, -1 for a hidden column
  std::vector<int> printedX;                   // per slot
  int pageColumns = 1;
  int currentRow = 0;
  int currentColumn = 0;
  int PageCount() const { return static_cast<int>(rowRanges.size()) * pageColumns; }
};

// The printable rectangle of a page with these margins (origin at the printable area's
// top-left corner, y upwards).
platform::Rect PrintableRect(const platform::PageGeometry& page, const Margins& margins);
PrintLayout LayoutPrintPages(platform::Surface& printer, const Table& table);
void SelectPrintPage(PrintLayout& layout, int page);
void DrawTablePage(platform::Surface& surface, const Table& table, const PrintLayout& layout);

// Draws the four sides of the rectangle with a solid pen.
void DrawOutline(platform::Surface& surface, const platform::Rect& rect, platform::Color color, int width);

// Replaces every occurrence of each placeholder, in the given order.
std::string ReplacePlaceholders(std::string text,
                                const std::vector<std::pair<std::string, std::string>>& values);

// Sorts the data rows by exchange (the last row, the sums row, never moves). Equal rows are
// never swapped. compare returns -1, 0 or 1.
template <typename Row>
void SortRows(std::vector<Row>& rows, bool descending,
              const std::function<int(const Row&, const Row&)>& compare) {
  if (rows.size() < 3) return;  // fewer than two data rows
  const std::size_t last = rows.size() - 2;
  for (std::size_t i = 0; i < last; ++i) {
    for (std::size_t k = i + 1; k <= last; ++k) {
      const int result = compare(rows[i], rows[k]);
      if ((!descending && result > 0) || (descending && result < 0)) std::swap(rows[i], rows[k]);
    }
  }
}

// The currency chosen for a money column of a table, its unit line and a cell text.
Currency ColumnCurrency(const TableSettings& settings, std::size_t column);
std::string ColumnUnit(const TableSettings& settings, std::size_t column);
std::string MoneyCell(std::int64_t amount);

// A cell of a table that gives its figures: the text shown and the figure behind it.
struct FigureCell {
  std::string text;
  GridValue value;
};
// An amount in EUR; a rate as a percentage with sign and `decimals` places ("-" for none),
// one above 999.999,9 % as kBeyondLargestRate (the figure behind it keeps the rate).
constexpr double kLargestRatePercent = 999999.9;
inline constexpr const char* kBeyondLargestRate = "> 999.999,9 %";
FigureCell MoneyFigure(std::int64_t amount);
FigureCell RateFigure(const std::optional<double>& rate, int decimals);
// Appends a row of such cells (texts and figures) and whether it shows a loss.
void AddFigureRow(Table& table, const std::vector<FigureCell>& cells, bool loss);

template <typename T>
int Compare3(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}
int CompareTexts(const std::string& a, const std::string& b);

}  // namespace views
