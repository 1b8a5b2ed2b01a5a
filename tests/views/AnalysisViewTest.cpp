#include <gtest/gtest.h>

#include <climits>

#include "platform/RecordingSurface.h"
#include "tests/forms/FormsTestUtil.h"
#include "tests/views/EuroPortfolio.h"
#include "views/AnalysisPrintJob.h"
#include "views/AnalysisView.h"
#include "views/HoldingsRow.h"

using namespace testutil;
using viewstest::EuroPortfolio;

TEST(AnalysisView, AxisAndHoldingPeriod) {
  views::AnalysisScale s = views::AnalysisAxis(-12.3, 45.6);
  EXPECT_EQ(s.minimum, -20);
  EXPECT_EQ(s.maximum, 50);
  EXPECT_EQ(s.step, 10);
  s = views::AnalysisAxis(2.5, 9.0);  // all gains between 2 % and 9 %: from 0
  EXPECT_EQ(s.minimum, 0);

  const auto dayNumber = [](int d, int m, int y) { return static_cast<std::int64_t>(Day(d, m, y).Day()); };
  EXPECT_EQ(views::HoldingPeriodEnd(Day(15, 12, 2000), 1, 1), dayNumber(15, 1, 2001));
  EXPECT_EQ(views::HoldingPeriodEnd(Day(10, 3, 2000), 14, 1), dayNumber(10, 5, 2001));
  EXPECT_EQ(views::HoldingPeriodEnd(Day(31, 1, 2001), 1, 1), dayNumber(28, 2, 2001));  // the month's last day
  EXPECT_EQ(views::HoldingPeriodEnd(Day(29, 2, 2000), 1, 2), dayNumber(28, 2, 2001));
  EXPECT_EQ(views::HoldingPeriodEnd(Day(1, 1, 2000), 10, 0), dayNumber(11, 1, 2000));
  // Beyond the last day of the portfolio's calendar: still counted.
  EXPECT_EQ(views::HoldingPeriodEnd(Day(1, 1, 2037), 5, 2) - dayNumber(1, 1, 2037), 365 * 5 + 1);
}

TEST(AnalysisView, RowsAndValues) {
  auto doc = EuroPortfolio();
  Buy(*doc, Day(1, 2, 2000), "Früh", "F", "10", "10", "10");  // cost 110,00: 11,00 a share
  Buy(*doc, Day(1, 6, 2000), "Spät", "S", "10", "20", "0");
  doc->SetPrice("Früh", "F", Day(1, 3, 2000), 1200);
  doc->SetPrice("Früh", "F", Day(1, 4, 2000), 800);
  doc->SetPrice("Früh", "F", Day(1, 7, 2000), 1500);
  doc->SetPrice("Spät", "S", Day(1, 5, 2000), 5000);  // before the purchase: not in the scan
  doc->SetPrice("Spät", "S", Day(2, 6, 2000), 2200);
  std::vector<HoldingsRow> rows;
  views::AnalysisScales scales;
  views::BuildAnalysisRows(Day(31, 12, 2000), Day(1, 3, 2000), rows, *doc, scales);
  ASSERT_EQ(rows.size(), 3u);
  const HoldingsRow& early = rows[0];
  EXPECT_EQ(early.costPerShare, 1100);
  EXPECT_EQ(early.startPrice, 1200);
  EXPECT_EQ(early.low, 800);
  EXPECT_EQ(early.high, 1500);
  EXPECT_NEAR(early.currentGainPercent, 1500.0 * 100 / 1100 - 100, 1e-9);
  EXPECT_NEAR(early.minGainPercent, 800.0 * 100 / 1100 - 100, 1e-9);
  const HoldingsRow& late = rows[1];
  EXPECT_EQ(late.startPrice, 2000);  // bought after the start day: its purchase value per share
  EXPECT_EQ(late.high, 2200);        // the scan starts on the purchase day
  EXPECT_EQ(late.holdingDays, static_cast<std::int64_t>(Day(31, 12, 2000).Day()) - Day(1, 6, 2001).Day());
  EXPECT_NEAR(early.sharePercent + late.sharePercent, 100.0, 1e-9);

  // Equal days: high and low are that day's price.
  views::BuildAnalysisRows(Day(1, 7, 2000), Day(1, 7, 2000), rows, *doc, scales);
  EXPECT_EQ(rows[0].high, 1500);
  EXPECT_EQ(rows[0].low, 1500);
  EXPECT_EQ(rows[1].high, -1);  // no price that day: "-"
  const auto cells = views::AnalysisCells(*doc, rows[1], 0);
  EXPECT_EQ(cells[6], "-");
  EXPECT_EQ(cells[7], "-");
  EXPECT_EQ(rows[1].maxGainPercent, rows[1].currentGainPercent);

  // "Depotanteil" descending: the largest first; the sums row stays last.
  doc->settings.analysis.sortKey = 11;
  doc->settings.analysis.sortDescending = 1;
  views::BuildAnalysisRows(Day(31, 12, 2000), Day(1, 3, 2000), rows, *doc, scales);
  EXPECT_EQ(rows[0].name, "Spät");
  EXPECT_EQ(rows[2].name, "Summe");

  const auto labels = views::AnalysisLabels(*doc, Day(31, 12, 2000), Day(1, 3, 2000));
  EXPECT_EQ(labels[4], "Kaufpreis");
  EXPECT_EQ(labels[5], "Kurs am 01.03.2000");
  doc->settings.analysis.includeDividends = 1;
  EXPECT_EQ(views::AnalysisLabels(*doc, Day(31, 12, 2000), Day(1, 3, 2000))[9], "Min. G/V inkl. Div.");
}

TEST(AnalysisView, DrawingAndPrintLayout) {
  auto doc = EuroPortfolio();
  for (int i = 0; i < 20; ++i)
    Buy(*doc, Day(1, 2, 2000), "Aktie mit langem Namen " + std::to_string(i), std::to_string(i), "1", "10");
  std::vector<HoldingsRow> rows;
  views::AnalysisScales scales;
  views::BuildAnalysisRows(Day(1, 3, 2000), Day(1, 2, 2000), rows, *doc, scales);
  platform::RecordingSurface surface;
  views::DrawAnalysisView(surface, *doc, Day(1, 3, 2000), Day(1, 2, 2000), rows, scales);
  bool cut = false;
  for (const auto* t : surface.Texts()) cut |= t->text.ends_with("…");
  EXPECT_TRUE(cut);
  EXPECT_EQ(views::AnalysisScrollSize(*doc, rows).cx, 2 * 10 + 300 + 20 * 140);

  EXPECT_EQ(surface.Elided("kurz", 1000), "kurz");
  surface.SetFont({"Arial", 40, 400, 0});
  EXPECT_EQ(surface.Elided("abcdefghij", 190), "abcdefgh…");  // 9 characters of 20 fit in 190
  EXPECT_EQ(surface.Elided("abcdefghij", 200), "abcdefghij");
  EXPECT_EQ(surface.Elided("abc defghij", 100), "abc…");  // "abc d…" would be 6 of 20: 120

  platform::RecordingSurface printer(true, {});
  views::AnalysisPrintJob job(*doc, Day(1, 3, 2000), Day(1, 2, 2000));
  const int pages = job.Begin(printer);
  const auto& l = job.PageLayout();
  EXPECT_EQ(l.pageColumns, 2);  // (1800 - 300) / 140 = 10 columns a page
  EXPECT_EQ(l.pageColumn[10], 1);
  EXPECT_EQ(l.x[10], l.printable.left + 300);
  EXPECT_EQ(l.pageRows, 1);
  EXPECT_EQ(pages, 2);
  printer.Clear();
  job.DrawPage(printer, 2);
  // The label column is drawn on every page.
  EXPECT_EQ(printer.Texts()[0]->text, "Bezeichnung");

  // Rows taller than a page split the blocks over page rows, never a block itself.
  doc->settings.analysis.rowHeight = 120;
  views::AnalysisPrintJob tall(*doc, Day(1, 3, 2000), Day(1, 2, 2000));
  tall.Begin(printer);
  const auto& t = tall.PageLayout();
  EXPECT_GT(t.pageRows, 1);
  for (std::size_t b = 1; b < t.blockTop.size(); ++b) {
    if (t.blockPageRow[b] == t.blockPageRow[b - 1]) {
      EXPECT_LT(t.blockTop[b], t.blockTop[b - 1]);
    }
  }
}
