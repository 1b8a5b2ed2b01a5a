// Every view mode, one portfolio: what the screen draws is recorded and compared with a
// checked-in recording; the printed page is the same whether the view was measured for a
// screen first or not (as kapibuch-cli render makes it); and `show` gives the rows the view
// draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/RecordingSurface.h"
#include "tests/document/SamplePortfolio.h"
#include "tests/support/TextDiff.h"
#include "views/Charts.h"
#include "views/ModeFactory.h"

using platform::RecordingSurface;
using testutil::Day;
using views::ViewMode;

namespace {

std::string Describe(const RecordingSurface::Call& c) {
  std::ostringstream out;
  static const char* const kinds[] = {"font", "text", "fill", "line", "clip"};
  out << kinds[c.kind] << ' ' << c.rect.left << ',' << c.rect.top << ',' << c.rect.right << ','
      << c.rect.bottom;
  switch (c.kind) {
    case RecordingSurface::Call::kFont:
      out << ' ' << c.font.face << '/' << c.font.height << '/' << c.font.weight << '/' << c.font.escapement;
      break;
    case RecordingSurface::Call::kText:
      out << " f" << c.flags << " [" << c.text << ']';
      break;
    case RecordingSurface::Call::kFill:
      out << " #" << std::hex << c.fill << " #" << c.border << std::dec;
      break;
    case RecordingSurface::Call::kLine:
      out << " #" << std::hex << c.fill << std::dec << " w" << c.width;
      break;
    case RecordingSurface::Call::kClip:
      break;
  }
  return out.str();
}

std::string Recording(const RecordingSurface& surface) {
  std::string text;
  for (const auto& call : surface.Calls()) text += Describe(call) + '\n';
  return text;
}

// Compares with tests/data/golden/screen/<name>.txt. scripts/update-goldens.sh records them
// anew (it sets KAPIBUCH_UPDATE_GOLDEN=1: the recording is written and nothing compared).
void ExpectGolden(const std::string& name, const std::string& recording) {
  const std::string path = std::string(KAPIBUCH_TEST_DATA) + "/golden/screen/" + name + ".txt";
  if (const char* update = std::getenv("KAPIBUCH_UPDATE_GOLDEN"); update && std::string(update) == "1") {
    std::ofstream(path, std::ios::binary) << recording;
    GTEST_SKIP() << "recorded " << path;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << path << " is missing";
  std::stringstream expected;
  expected << in.rdbuf();
  EXPECT_TRUE(testutil::SameText(expected.str(), recording))
      << name << ": the screen draws otherwise than recorded in " << path;
}

// Captures what `show` would print.
struct Grid : views::GridSink {
  std::string title;
  std::vector<views::GridColumn> columns;
  std::vector<std::vector<std::string>> rows;
  void Begin(const std::string& t, const std::vector<views::GridColumn>& c) override {
    title = t;
    columns = c;
  }
  void Row(const std::vector<std::string>& cells) override { rows.push_back(cells); }
};

std::multiset<std::string> DrawnTexts(const RecordingSurface& surface) {
  std::multiset<std::string> texts;
  for (const auto* t : surface.Texts()) texts.insert(t->text);
  return texts;
}

// A drawn text shows the cell: exactly, or cut to fit its column ("Bayer A…").
bool Shows(const std::multiset<std::string>& drawn, const std::string& cell) {
  if (drawn.count(cell)) return true;
  const std::string mark = "…";
  return std::any_of(drawn.begin(), drawn.end(), [&](const std::string& d) {
    return d.size() > mark.size() && d.ends_with(mark) &&
           cell.starts_with(d.substr(0, d.size() - mark.size()));
  });
}

std::vector<std::string> PrintedPage(const views::ModeView& view) {
  RecordingSurface printer(true, {2100, 2970, 0, 0, 2100, 2970});
  const auto job = view.MakePrintJob();
  job->Begin(printer);
  printer.Clear();
  job->DrawPage(printer, 1);
  std::vector<std::string> calls;
  for (const auto& call : printer.Calls()) calls.push_back(Describe(call));
  return calls;
}

}  // namespace

TEST(ViewModes, ScreenPaperAndShowAgreeInEveryMode) {
  auto doc = testutil::SamplePortfolio();
  std::map<ViewMode, int> checked;
  for (const views::ModeTraits& traits : views::AllModes()) {
    SCOPED_TRACE(traits.title);
    views::FrameState frame;
    frame.SetDefaultDays(*doc);
    frame.mode = traits.mode;
    // Three years, so that the development view and the charts stay small.
    if (traits.period == views::PeriodKind::Range || traits.period == views::PeriodKind::Years)
      frame.Days() = {Day(1, 1, 1999), Day(31, 12, 2001)};
    frame.selection = {0, 1};

    // The screen.
    auto screen = views::CreateModeView(traits.mode, *doc);
    ASSERT_EQ(screen->Mode(), traits.mode);
    screen->Build(frame);
    RecordingSurface measuring;
    screen->Measure(measuring);
    const platform::Size extent = screen->Extent();
    EXPECT_GT(extent.cx, 0);
    EXPECT_GT(extent.cy, 0);
    RecordingSurface surface;
    const platform::Rect visible{0, 0, 4000, -2000};  // what a large window shows at the top
    screen->Draw(surface, visible);
    ASSERT_FALSE(surface.Texts().empty());
    ExpectGolden(std::to_string(views::ModeNumber(traits.mode)), Recording(surface));

    // Paper: render builds the view without measuring for a screen; the page is the same.
    auto paper = views::CreateModeView(traits.mode, *doc);
    paper->Build(frame);
    EXPECT_EQ(PrintedPage(*screen), PrintedPage(*paper));

    // show: the title and every cell of the rows in sight are drawn.
    Grid grid;
    screen->WriteGrid(grid);
    ASSERT_FALSE(grid.rows.empty());
    const auto drawn = DrawnTexts(surface);
    for (const auto& row : grid.rows) EXPECT_EQ(row.size(), grid.columns.size());
    if (traits.series != views::SeriesChoice::None) {
      // A chart: one row per day of the period, drawn as one line from day to day.
      EXPECT_EQ(grid.rows.size(), 365u + 366u + 365u);
      EXPECT_TRUE(drawn.count(grid.title)) << grid.title;
      const ChartSettings& chart = views::ChartSettingsOf(*doc, traits.series == views::SeriesChoice::Security
                                                                    ? views::ChartKind::Security
                                                                    : views::ChartKind::Portfolio);
      const auto segments = std::count_if(surface.Calls().begin(), surface.Calls().end(), [&](const auto& c) {
        return c.kind == RecordingSurface::Call::kLine && c.width == chart.lineWidth &&
               c.rect.left < c.rect.right;
      });
      EXPECT_GE(segments, static_cast<long>(grid.rows.size()) - 1);
    } else {
      // A table: the rows whose first cell is drawn are drawn whole (rows out of sight are not).
      std::size_t rowsInSight = 0;
      for (const auto& row : grid.rows) {
        if (!row.front().empty() && !Shows(drawn, row.front())) continue;
        ++rowsInSight;
        for (const std::string& cell : row) {
          if (!cell.empty()) {
            EXPECT_TRUE(Shows(drawn, cell)) << "cell \"" << cell << "\" is not drawn";
          }
        }
      }
      EXPECT_GT(rowsInSight, 0u);
    }
    ++checked[traits.mode];
  }
  EXPECT_EQ(checked.size(), static_cast<std::size_t>(views::kModeCount));
}
