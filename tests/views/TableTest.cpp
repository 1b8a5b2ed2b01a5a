#include <gtest/gtest.h>

#include <algorithm>

#include "platform/RecordingSurface.h"
#include "views/Table.h"

using platform::RecordingSurface;
using platform::Rect;
using platform::Rgb;
using views::Table;

namespace {

// A table with single-line captions "A", "B", "C" and n rows (the last one the sums row).
Table MakeTable(std::size_t rows, unsigned flags = 7) {
  Table t;
  t.columnFlags = flags;
  t.title = "Titel";
  t.captions = {"A", "B\nzwei", "C"};
  t.rightAligned = {false, true, true};
  for (std::size_t i = 0; i < rows; ++i) {
    t.cells.push_back({"name" + std::to_string(i), "1,00", "x"});
    t.loss.push_back(i % 3 == 1);
  }
  return t;
}

std::vector<const RecordingSurface::Call*> RowFills(const RecordingSurface& s) {
  auto fills = s.Fills();
  return {fills.begin() + 2, fills.end()};  // after the title and caption bands
}

}  // namespace

TEST(Table, MeasuringPlacesTheVisibleColumns) {
  RecordingSurface s;
  Table t = MakeTable(3, 0b101);
  t.cells[1][0] = "ein langer Name";
  const views::ColumnLayout layout = views::MeasureColumns(s, t);
  // Widths: characters x height / 2 (caption font 40, row font 50).
  EXPECT_EQ(layout.width, (std::vector<int>{15 * 25, 0, 25}));
  EXPECT_EQ(layout.x, (std::vector<int>{20, -1, 20 + 375 + 30}));
  EXPECT_EQ(layout.totalWidth, 20 + 375 + 30 + 25);
  // A two-line caption is as wide as its wider line.
  t.columnFlags = 0b010;
  t.cells = {{"", "", ""}};
  EXPECT_EQ(views::MeasureColumns(s, t).width[1], 4 * 20);

  const platform::Size size = views::TableScrollSize(MakeTable(3), views::MeasureColumns(s, MakeTable(3)));
  EXPECT_EQ(size.cy, 3 * 50 + 5 * 10 + 2 * 40 + 80);
  // A long table is as long as its rows: every row can be scrolled to (no cap at 32768).
  Table huge = MakeTable(1000);
  EXPECT_EQ(views::TableScrollSize(huge, views::MeasureColumns(s, huge)).cy,
            1000 * 50 + 5 * 10 + 2 * 40 + 80);
  EXPECT_EQ(views::TableHeaderHeight(huge), 80 + 3 * 10 + 2 * 40);
}

TEST(Table, ScreenGeometryAndColours) {
  RecordingSurface s;
  const Table t = MakeTable(4);
  const views::ColumnLayout layout = views::MeasureColumns(s, t);
  s.Clear();
  views::DrawTable(s, t, layout);
  const auto fills = s.Fills();
  ASSERT_EQ(fills.size(), 2u + 4u);
  const int right = layout.totalWidth + 10;
  EXPECT_EQ(fills[0]->rect, (Rect{10, -10, right, -90}));  // title band
  EXPECT_EQ(fills[0]->fill, Rgb(205, 205, 205));
  EXPECT_EQ(fills[1]->rect, (Rect{10, -100, right, -180}));  // two caption lines
  EXPECT_EQ(fills[1]->fill, Rgb(225, 225, 225));
  EXPECT_EQ(fills[2]->rect.top, -(80 + 30 + 80));
  EXPECT_EQ(fills[3]->rect.top, -(80 + 30 + 80 + 50));
  EXPECT_EQ(fills[5]->rect.top, -(80 + 30 + 80 + 150) - 10);  // the sums row one spacing lower
  EXPECT_EQ(fills[2]->fill, Rgb(175, 255, 175));              // even, gain
  EXPECT_EQ(fills[3]->fill, Rgb(255, 200, 200));              // odd, loss
  EXPECT_EQ(fills[4]->fill, Rgb(175, 255, 175));
  EXPECT_EQ(fills[5]->fill, Rgb(200 - 50, 255, 150));  // the sums row's own colour
  // The title is inset by the column margin; captions multi-line, cells single-line.
  const auto texts = s.Texts();
  EXPECT_EQ(texts[0]->text, "Titel");
  EXPECT_EQ(texts[0]->rect, (Rect{20, -10, right - 10, -90}));
  EXPECT_EQ(texts[0]->font.height, 80);
  EXPECT_TRUE(texts[2]->flags & platform::kMultiLine);
  EXPECT_TRUE(texts[2]->flags & platform::kAlignRight);
  EXPECT_EQ(texts[4]->text, "name0");
  EXPECT_EQ(texts[4]->font.height, 50);

  Table grey = MakeTable(4);
  grey.tableStyle = 1;
  s.Clear();
  views::DrawTable(s, grey, layout);
  EXPECT_EQ(RowFills(s)[1]->fill, Rgb(248, 248, 248));
  EXPECT_EQ(RowFills(s)[3]->fill, Rgb(225, 225, 225));

  Table grid = MakeTable(4);
  grid.tableStyle = 2;
  s.Clear();
  views::DrawTable(s, grid, layout);
  EXPECT_TRUE(s.Fills().empty());
  EXPECT_EQ(s.Calls()[1].kind, RecordingSurface::Call::kLine);
  EXPECT_EQ(s.Calls()[1].border, Rgb(192, 192, 192));
}

TEST(Table, PageRowsLeaveRoomForTheSumsRow) {
  // Printable height 2680: the first page row has room for 2500 / 50 = 50 rows.
  platform::PageGeometry page;
  Table t = MakeTable(50);
  t.geometry.margins.bottom = 140;
  RecordingSurface printer(true, page);
  views::PrintLayout layout = views::LayoutPrintPages(printer, t);
  ASSERT_EQ(layout.rowRanges.size(), 2u);  // the sums row's extra spacing does not fit
  EXPECT_EQ(layout.rowRanges[0], (std::pair<int, int>{0, 48}));
  EXPECT_EQ(layout.rowRanges[1], (std::pair<int, int>{49, 49}));
  t.cells.pop_back();
  EXPECT_EQ(views::LayoutPrintPages(printer, t).rowRanges.size(), 1u);

  // The second page row starts with the caption band at the top; its first row is odd.
  Table many = MakeTable(120);
  layout = views::LayoutPrintPages(printer, many);
  ASSERT_GE(layout.PageCount(), 3);
  views::SelectPrintPage(layout, 2);
  printer.Clear();
  views::DrawTablePage(printer, many, layout);
  // Printed with outlines (grid only when printing): the caption band's top edge first.
  const auto& calls = printer.Calls();
  const auto firstLine = std::find_if(calls.begin(), calls.end(),
                                      [](const auto& c) { return c.kind == RecordingSurface::Call::kLine; });
  ASSERT_NE(firstLine, calls.end());
  EXPECT_EQ(firstLine->rect.top, layout.printable.top);
  EXPECT_EQ(firstLine->border, Rgb(0, 0, 0));
  const auto texts = printer.Texts();
  EXPECT_EQ(texts[0]->text, "A");  // no title on later page rows
  EXPECT_EQ(texts[3]->text, "name" + std::to_string(layout.rowRanges[1].first));
  EXPECT_EQ(layout.rowRanges[1].first % 2, 1);

  // Filled printing: the shade follows the index in the whole list.
  many.geometry.gridOnlyWhenPrinting = 0;
  printer.Clear();
  views::DrawTablePage(printer, many, layout);
  EXPECT_EQ(printer.Fills()[1]->fill, Rgb(255, 200, 200));        // index 49: odd (the lighter shade), a loss
  EXPECT_EQ(printer.Fills()[0]->rect.top, layout.printable.top);  // caption band at the top

  // A table without rows still has one page.
  EXPECT_EQ(views::LayoutPrintPages(printer, MakeTable(0)).PageCount(), 1);
  // A row taller than the page still advances one row per page.
  Table tall = MakeTable(3);
  tall.geometry.rowHeight = 5000;
  EXPECT_EQ(views::LayoutPrintPages(printer, tall).rowRanges.size(), 3u);
}

TEST(Table, AWideColumnStartsANewPageColumnAndShiftsTheRest) {
  Table t = MakeTable(2);
  t.captions = {"A", "B", "C"};
  t.cells = {{std::string(10, 'x'), std::string(62, 'y'), std::string(4, 'z')}, {"", "", ""}};
  RecordingSurface printer(true, {});
  views::PrintLayout layout = views::LayoutPrintPages(printer, t);
  EXPECT_EQ(layout.pageColumn, (std::vector<int>{0, 1, 1}));
  EXPECT_EQ(layout.printedX, (std::vector<int>{160, 160, 1740}));
  EXPECT_EQ(layout.pageColumns, 2);
  EXPECT_EQ(layout.PageCount(), 2);
  views::SelectPrintPage(layout, 2);
  EXPECT_EQ(layout.currentColumn, 1);
  printer.Clear();
  views::DrawTablePage(printer, t, layout);
  // The title band is drawn on every page column of page row 0, its text only on the first.
  for (const auto* text : printer.Texts()) EXPECT_NE(text->text, "Titel");

  // A single column wider than the paper stays on the first page column.
  Table wide = MakeTable(2, 1);
  wide.cells[0][0] = std::string(200, 'w');
  EXPECT_EQ(views::LayoutPrintPages(printer, wide).pageColumns, 1);
}

TEST(Table, SortingAndPlaceholders) {
  std::vector<int> rows = {5, 3, 9, 1, 3, 100};  // 100 is the sums row
  views::SortRows<int>(rows, false, [](const int& a, const int& b) { return views::Compare3(a, b); });
  EXPECT_EQ(rows, (std::vector<int>{1, 3, 3, 5, 9, 100}));
  views::SortRows<int>(rows, true, [](const int& a, const int& b) { return views::Compare3(a, b); });
  EXPECT_EQ(rows, (std::vector<int>{9, 5, 3, 3, 1, 100}));
  // Equal rows are never swapped with each other, but the exchange sort is not stable: a
  // swap with a third row can still reverse two equal rows (1a and 1b here). The sums row
  // stays last.
  std::vector<std::pair<int, char>> ties = {{1, 'a'}, {0, 'x'}, {1, 'b'}, {0, 'y'}, {9, 's'}};
  views::SortRows<std::pair<int, char>>(
      ties, false, [](const auto& a, const auto& b) { return views::Compare3(a.first, b.first); });
  EXPECT_EQ(ties, (std::vector<std::pair<int, char>>{{0, 'x'}, {0, 'y'}, {1, 'b'}, {1, 'a'}, {9, 's'}}));

  EXPECT_EQ(views::ReplacePlaceholders("<A> und <A>, <B>", {{"<A>", "x<B>"}, {"<B>", "y"}}), "xy und xy, y");
  EXPECT_EQ(views::ReplacePlaceholders("<DATUM> <UNBEKANNT>", {{"<DATUM>", "01.01.2000"}}),
            "01.01.2000 <UNBEKANNT>");
}

TEST(Table, TwoSumsRowsShareTheSpacingAboveThem) {
  RecordingSurface s;
  Table t = MakeTable(4);
  t.summaryRows = 2;
  t.loss[3] = true;
  const views::ColumnLayout layout = views::MeasureColumns(s, t);
  s.Clear();
  views::DrawTable(s, t, layout);
  const auto rows = RowFills(s);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[2]->rect.top, rows[1]->rect.bottom - 10);  // one spacing above the first
  EXPECT_EQ(rows[3]->rect.top, rows[2]->rect.bottom);       // none between the two
  EXPECT_EQ(rows[2]->fill, Rgb(150, 255, 150));             // both in the sums colours,
  EXPECT_EQ(rows[3]->fill, Rgb(255, 150, 150));             // each after its own gain
  EXPECT_EQ(views::TableScrollSize(t, layout).cy, 4 * 50 + 5 * 10 + 2 * 40 + 80);
  t.cells.resize(2);
  EXPECT_EQ(views::TableScrollSize(t, layout).cy, 2 * 50 + 4 * 10 + 2 * 40 + 80);

  // A page that takes the first sums row keeps room for the spacing above it: 50 rows fit,
  // but not 50 rows and the spacing.
  Table printed = MakeTable(51);
  printed.summaryRows = 2;
  printed.geometry.margins.bottom = 140;
  RecordingSurface printer(true, {});
  const views::PrintLayout pages = views::LayoutPrintPages(printer, printed);
  ASSERT_EQ(pages.rowRanges.size(), 2u);
  EXPECT_EQ(pages.rowRanges[0], (std::pair<int, int>{0, 48}));
  EXPECT_EQ(pages.rowRanges[1], (std::pair<int, int>{49, 50}));
}

TEST(Table, TheScreenDrawsOnlyTheRowsInSight) {
  RecordingSurface s;
  const Table t = MakeTable(200);
  const views::ColumnLayout layout = views::MeasureColumns(s, t);
  s.Clear();
  views::DrawTable(s, t, layout);
  const auto all = RowFills(s);
  const auto allTexts = s.Texts();
  ASSERT_EQ(all.size(), 200u);

  // Checks that the rows drawn for `visible` are whole rows of the full drawing, one after
  // the other, covering the band; returns the index of the first.
  const auto drawnFor = [&](const Rect& visible) {
    RecordingSurface part;
    views::DrawTable(part, t, layout, visible);
    const auto rows = RowFills(part);
    const auto texts = part.Texts();
    EXPECT_EQ(texts.size(), 1 + 3 + 3 * rows.size());  // title, captions, cells
    std::size_t first = 0;
    while (first < all.size() && !(all[first]->rect == rows.front()->rect)) ++first;
    EXPECT_LT(first + rows.size(), all.size() + 1);
    for (std::size_t i = 0; i < rows.size() && first + i < all.size(); ++i) {
      EXPECT_EQ(rows[i]->rect, all[first + i]->rect);
      EXPECT_EQ(rows[i]->fill, all[first + i]->fill);
      EXPECT_EQ(texts[4 + 3 * i]->text, allTexts[4 + 3 * (first + i)]->text);
    }
    EXPECT_GE(rows.front()->rect.top, std::min(visible.top, all.front()->rect.top));
    EXPECT_LE(rows.back()->rect.bottom, std::max(visible.bottom, all.back()->rect.bottom));
    EXPECT_LE(rows.size(), static_cast<std::size_t>((visible.top - visible.bottom) / 50 + 4));
    return first;
  };
  EXPECT_EQ(drawnFor({0, 0, 4000, -1000}), 0u);
  EXPECT_GT(drawnFor({0, -5000, 4000, -5600}), 90u);
  // At the end: the sums row, one spacing below the rows above it, as in the full drawing.
  drawnFor({0, -(190 + 199 * 50), 4000, -(190 + 200 * 50 + 10)});
  // Scrolled past everything: the captions only.
  RecordingSurface below;
  views::DrawTable(below, t, layout, {0, -20000, 4000, -21000});
  EXPECT_TRUE(RowFills(below).empty());
}
