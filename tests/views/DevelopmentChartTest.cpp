#include <gtest/gtest.h>

#include <algorithm>

#include "platform/RecordingSurface.h"
#include "tests/forms/FormsTestUtil.h"
#include "views/Charts.h"
#include "views/DevelopmentPrintJob.h"
#include "views/DevelopmentView.h"

using namespace testutil;
using platform::RecordingSurface;

namespace {

std::unique_ptr<CKapibuchDoc> EuroPortfolio(CKBXDatum start = Day(1, 1, 2000),
                                            std::int32_t opening = 100000) {
  auto doc = std::make_unique<CKapibuchDoc>(TestClock());
  NewFileData data;
  data.startDay = start;
  data.openingBalance = opening;
  data.currency = kEur;
  doc->SetupNew(data);
  return doc;
}

void Sell(CKapibuchDoc& doc, std::size_t index, CKBXDatum date) {
  CKBXAktie& p = *doc.MutablePositions()[index];
  p.state = CKBXAktie::kSold;
  p.saleDate = date;
  p.salePrice = p.purchasePrice;
  p.salePriceCurrency = kEur;
}

}  // namespace

TEST(DevelopmentView, PositionColumns) {
  auto doc = EuroPortfolio();
  Buy(*doc, Day(1, 2, 2000), "A", "1", "1", "10");
  Buy(*doc, Day(12, 2, 2000), "B", "2", "1", "10");  // two days after A's sale
  Buy(*doc, Day(11, 2, 2000), "C", "3", "1", "10");  // one day after A's sale
  Buy(*doc, Day(1, 1, 2000), "D", "4", "1", "10");   // sold on the start day below
  Sell(*doc, 1, Day(10, 2, 2000));                   // A (positions are ordered by day)
  Sell(*doc, 0, Day(1, 2, 2000));                    // D
  views::DevelopmentModel model(*doc, Day(1, 2, 2000), Day(29, 2, 2000));
  const auto& spans = model.Spans();
  // Stored order: D, A, C, B.
  EXPECT_EQ(spans[0].column, -1);  // sold on the start day
  EXPECT_EQ(spans[1].column, 0);
  EXPECT_EQ(spans[1].lastRow, 8);  // the day before the sale
  EXPECT_EQ(spans[1].saleRow, 9);
  EXPECT_EQ(spans[2].column, 1);  // bought one day after A's sale: a column of its own
  EXPECT_EQ(spans[3].column, 0);  // two days after: shares A's column
  EXPECT_EQ(model.PositionColumns(), 2);

  doc->settings.development.columnPerPosition = 1;
  views::DevelopmentModel own(*doc, Day(1, 2, 2000), Day(29, 2, 2000));
  EXPECT_EQ(own.Spans()[3].column, 2);
  EXPECT_EQ(own.PositionColumns(), 3);

  doc->settings.development.displayFlags = 0x1B8;  // no price, gain or text: no position columns
  EXPECT_EQ(views::DevelopmentModel(*doc, Day(1, 2, 2000), Day(29, 2, 2000)).PositionColumns(), 0);
}

TEST(DevelopmentView, DayValues) {
  auto doc = EuroPortfolio();
  Buy(*doc, Day(1, 2, 2000), "A", "1", "10", "10", "0");  // 100,00 EUR of the 1.000,00
  doc->SetPrice("A", "1", Day(2, 2, 2000), 1100);
  doc->Account().BookMovement(Day(3, 2, 2000), 31, 50000, kEur, "Einlage");
  views::DevelopmentModel model(*doc, Day(2, 2, 2000), Day(3, 2, 2000));
  views::DevelopmentDay d = model.Day(Day(2, 2, 2000));
  EXPECT_EQ(d.texts[views::kDepotValue], "110,00");
  EXPECT_EQ(d.texts[views::kDepotGain], "+10,0%");
  EXPECT_EQ(d.texts[views::kBalance], "900,00");
  EXPECT_EQ(d.texts[views::kLiquidity], "89,1%");
  EXPECT_EQ(d.texts[views::kWealth], "1.010,00");
  EXPECT_EQ(d.texts[views::kWealthGain], "+1,0%");  // against the capital of 1.000,00
  EXPECT_EQ(model.PositionCells(0, Day(2, 2, 2000)).first, "11,00");
  EXPECT_EQ(model.PositionCells(0, Day(3, 2, 2000)).first, "");  // no price point that day

  // With the adjustment, the deposit during the period does not raise the balance.
  doc->settings.development.adjustForCapitalMovements = 1;
  EXPECT_EQ(model.Day(Day(3, 2, 2000)).texts[views::kBalance], "900,00");
  doc->settings.development.adjustForCapitalMovements = 0;
  EXPECT_EQ(model.Day(Day(3, 2, 2000)).texts[views::kBalance], "1.400,00");

  // Against the previous day; money forms.
  doc->settings.development.assetsGainBasis = 2;
  doc->settings.development.assetsGainForm = 0;
  doc->settings.development.portfolioGainForm = 0;
  views::DevelopmentModel oneDay(*doc, Day(2, 2, 2000), Day(2, 2, 2000));
  EXPECT_EQ(oneDay.Days(), 1);
  EXPECT_EQ(oneDay.Day(Day(2, 2, 2000)).texts[views::kWealthGain],
            "+10,00");  // 1.010 against 1.000 the day before
  EXPECT_EQ(oneDay.Day(Day(2, 2, 2000)).texts[views::kDepotGain], "+10,00");
  views::DevelopmentModel atStart(*doc, Day(1, 1, 2000), Day(1, 1, 2000));
  EXPECT_EQ(atStart.Day(Day(1, 1, 2000)).texts[views::kWealthGain],
            "0,00");  // the account's start day itself
}

TEST(DevelopmentView, MeasuresLayoutAndPrinting) {
  auto doc = EuroPortfolio();
  Buy(*doc, Day(1, 2, 2000), "A", "1", "10", "10", "0");
  doc->SetPrice("A", "1", Day(2, 2, 2000), 1100);
  DevelopmentSettings& s = doc->settings.development;
  s.displayFlags &= ~(1 << 3);  // hide "Depotwert", keep the Depot gain
  views::DevelopmentModel model(*doc, Day(1, 2, 2000), Day(10, 2, 2000));
  RecordingSurface surface;
  const views::DevelopmentMeasures m = views::MeasureDevelopmentColumns(surface, model);
  EXPECT_EQ(m.dateWidth, 10 * 20);
  EXPECT_EQ(m.sub[views::kDepotValue], 0);
  EXPECT_EQ(m.depotWidth, m.sub[views::kDepotGain] + 2 * s.columnMargin);
  EXPECT_EQ(m.priceWidth, 5 * 20);  // "11,00" and "10,00"
  const platform::Size size = views::DevelopmentScrollSize(model, m);
  EXPECT_EQ(size.cy, 3 * 10 + 12 * 40);

  // On screen only the rows in the visible rectangle are drawn.
  surface.Clear();
  views::DrawDevelopmentView(surface, model, m, {0, -100, 3000, -200});
  std::vector<std::string> dates;
  for (const auto* t : surface.Texts()) {
    if (t->text.size() == 10 && t->text[2] == '.') dates.push_back(t->text);
  }
  EXPECT_EQ(dates, (std::vector<std::string>{"01.02.2000", "02.02.2000", "03.02.2000"}));
  // The strip text runs downwards, rotated.
  const auto strip = std::find_if(surface.Calls().begin(), surface.Calls().end(), [](const auto& c) {
    return c.kind == RecordingSurface::Call::kText && c.font.escapement;
  });
  ASSERT_NE(strip, surface.Calls().end());
  EXPECT_EQ(strip->text, "10 x A (1)");

  // Printing: rows per page from the printable height; the groups fit next to the date.
  RecordingSurface printer(true, {});
  views::DevelopmentPrintJob job(*doc, Day(1, 1, 2000), Day(31, 12, 2001));
  const int pages = job.Begin(printer);
  const auto& layout = job.PageLayout();
  EXPECT_EQ(layout.rowsPerPage, (2670 - 80 - 10) / 40);
  EXPECT_EQ(layout.pageRows, (731 + layout.rowsPerPage - 1) / layout.rowsPerPage);
  EXPECT_EQ(pages, layout.pageRows * layout.pageColumns);
  printer.Clear();
  job.DrawPage(printer, 2);
  EXPECT_EQ(printer.Texts()[0]->text, "Datum");
}

TEST(Charts, AxisAndLabels) {
  views::ChartAxis axis;
  views::ScaleChartAxis({1234, 5000, 9876}, 7, axis);
  EXPECT_EQ(axis.step, 1000);
  EXPECT_EQ(axis.minimum, 1000);
  EXPECT_EQ(axis.maximum, 10000);
  views::ScaleChartAxis({-1500, 300}, 4, axis);
  EXPECT_EQ(axis.step, 500);
  EXPECT_EQ(axis.minimum, -2000);
  EXPECT_EQ(axis.maximum, 500);
  views::ScaleChartAxis({700, 700}, 5, axis);  // all equal: still a positive range
  EXPECT_GT(axis.maximum, axis.minimum);

  axis.percent = true;
  axis.divisor = 100;  // step 500 thousandths
  EXPECT_EQ(views::TickLabel(12500, axis), "12,5");
  axis.divisor = 1000;
  EXPECT_EQ(views::TickLabel(12000, axis), "12");
  axis.percent = false;
  axis.divisor = 1;  // step 25 hundredths
  EXPECT_EQ(views::TickLabel(1225, axis), "12,25");
  axis.divisor = 100;
  EXPECT_EQ(views::TickLabel(1230000, axis), "12.300");

  ChartSettings s = ChartSettings::Portfolio();
  EXPECT_EQ(views::IntervalCount(s), (1000 - 70 - 80) / 80);
  s.height = 100;
  EXPECT_EQ(views::IntervalCount(s), 1);
}

TEST(Charts, Series) {
  auto doc = EuroPortfolio(Day(1, 1, 2000), 100000);
  Buy(*doc, Day(10, 1, 2000), "A", "1", "10", "10", "0");
  doc->SetPrice("A", "1", Day(15, 1, 2000), 1200);
  doc->Account().BookMovement(Day(20, 1, 2000), 31, 100000, kEur, "Einlage");

  std::vector<std::int64_t> values;
  views::ChartAxis axis;
  // Mode 6 without a selection: flat 0.
  views::BuildSecuritySeries(Day(1, 1, 2000), Day(31, 1, 2000), values, *doc, 1, axis, {});
  EXPECT_TRUE(std::all_of(values.begin(), values.end(), [](auto v) { return v == 0; }));
  // Bought mid-period: the purchase amount before, so the gain is 0 there.
  views::BuildSecuritySeries(Day(1, 1, 2000), Day(31, 1, 2000), values, *doc, 3, axis, {1});
  EXPECT_EQ(values[0], 0);
  EXPECT_EQ(values[13], 0);
  EXPECT_EQ(values[14], 2000);
  views::BuildSecuritySeries(Day(1, 1, 2000), Day(31, 1, 2000), values, *doc, 5, axis, {1});
  EXPECT_EQ(values[14], 20000);  // +20 % in thousandths of a percent
  EXPECT_TRUE(axis.percent);
  views::BuildSecuritySeries(Day(1, 1, 2000), Day(31, 1, 2000), values, *doc, 0, axis, {1});
  EXPECT_EQ(values[0], 1200);  // before any price: the first price of the history

  // Mode 5 series 5 against the start day: a difference of ratios.
  doc->settings.portfolioChart.changeAgainstStart = 1;
  views::BuildPortfolioSeries(Day(11, 1, 2000), Day(31, 1, 2000), values, *doc, 5, axis);
  const std::int64_t startRatio = 90000LL * 100000 / 100000;  // 900 of 1.000 in cash on the 11th
  const std::int64_t endRatio = 190000LL * 100000 / (190000 + 12000);
  EXPECT_EQ(values.back(), endRatio - startRatio);
  // With the adjustment, the deposit changes neither balance nor capital.
  doc->settings.portfolioChart.changeAgainstStart = 0;
  doc->settings.portfolioChart.adjustForCapitalMovements = 1;
  views::BuildPortfolioSeries(Day(11, 1, 2000), Day(31, 1, 2000), values, *doc, 4, axis);
  EXPECT_EQ(values.front(), values.back());
  views::BuildPortfolioSeries(Day(11, 1, 2000), Day(31, 1, 2000), values, *doc, 9, axis);
  EXPECT_EQ(values.front(), values.back());
}

TEST(Charts, DateLabelsAndDrawing) {
  auto doc = EuroPortfolio();
  RecordingSurface surface;
  doc->settings.portfolioChart.width = 2500;  // a wide chart: 31 day labels of 60 fit
  views::ChartData month =
      views::BuildChart(surface, *doc, views::ChartKind::Portfolio, Day(1, 1, 2001), Day(31, 1, 2001), 0, {});
  EXPECT_EQ(month.dateLabelMode, 0);  // day by day on a wide chart
  doc->settings.portfolioChart.width = 900;
  views::ChartData years = views::BuildChart(surface, *doc, views::ChartKind::Portfolio, Day(1, 1, 2001),
                                             Day(31, 12, 2002), 0, {});
  EXPECT_EQ(years.dateLabelMode, 3);  // quarters where eight of them fit

  surface.Clear();
  views::DrawChart(surface, *doc, years, 10, 10);
  std::vector<std::string> texts;
  for (const auto* t : surface.Texts()) texts.push_back(t->text);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "IV"), 2);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "2001"), 1);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "2002"), 1);
  EXPECT_EQ(texts.front(), "Depotwert - ");
  // Ticks: the maximum has no label, the minimum no grid line.
  const views::ChartAxis& a = years.axis;
  EXPECT_EQ(std::count(texts.begin(), texts.end(), views::TickLabel(a.maximum, a)), 0);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), views::TickLabel(a.minimum, a)), 1);

  // One day: drawn as a level line across the plot, nothing divides by zero.
  views::ChartData one =
      views::BuildChart(surface, *doc, views::ChartKind::Portfolio, Day(1, 1, 2001), Day(1, 1, 2001), 0, {});
  surface.Clear();
  views::DrawChart(surface, *doc, one, 10, 10);
  const auto& calls = surface.Calls();
  const auto line = std::find_if(calls.begin(), calls.end(), [](const auto& c) {
    return c.kind == RecordingSurface::Call::kLine && c.width == 5;
  });
  ASSERT_NE(line, calls.end());
  EXPECT_LT(line->rect.left, line->rect.right);

  views::ChartData security =
      views::BuildChart(surface, *doc, views::ChartKind::Security, Day(1, 1, 2001), Day(31, 1, 2001), 0, {});
  EXPECT_EQ(views::ChartTitle(*doc, security), "Chart - <keine Wertpapiere ausgewählt>");
}

// However long the period and narrow the chart, the date labels fit their cells: quarters
// give way to years, years to every 2nd, 5th or 10th year.
TEST(Charts, DateLabelsOfLongPeriodsNeverOverlap) {
  auto doc = EuroPortfolio();
  RecordingSurface surface;
  doc->settings.portfolioChart.width = 600;
  const views::ChartData two = views::BuildChart(surface, *doc, views::ChartKind::Portfolio, Day(1, 1, 2001),
                                                 Day(31, 12, 2002), 0, {});
  EXPECT_EQ(two.dateLabelMode, 4);
  EXPECT_EQ(two.yearStep, 1);
  for (const int width : {600, 1200, 3000}) {
    doc->settings.portfolioChart.width = width;
    const views::ChartData chart = views::BuildChart(surface, *doc, views::ChartKind::Portfolio,
                                                     Day(2, 1, 1970), Day(31, 12, 2037), 0, {});
    SCOPED_TRACE(width);
    EXPECT_EQ(chart.dateLabelMode, 4);
    surface.Clear();
    views::DrawChart(surface, *doc, chart, 10, 10);
    const int font = doc->settings.portfolioChart.fontHeight;
    std::vector<const RecordingSurface::Call*> labels;
    for (const auto* t : surface.Texts()) {
      if (!t->text.empty() && std::all_of(t->text.begin(), t->text.end(), ::isdigit)) labels.push_back(t);
    }
    ASSERT_GE(labels.size(), 3u);
    for (const auto* t : labels) {
      // Every year label fits the cell it is drawn in.
      EXPECT_LE(static_cast<int>(t->text.size()) * font / 2, t->rect.right - t->rect.left) << t->text;
      EXPECT_TRUE(std::stoi(t->text) % chart.yearStep == 0 || t->text == "1970") << t->text;
    }
  }
}
