// The yearly overview: its years and defaults, the realised gains under either commission
// choice, the bar chart's bars, colours and labels, and where the printed chart goes.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/RecordingSurface.h"
#include "tests/forms/FormsTestUtil.h"
#include "views/RealisedMode.h"
#include "views/TableViews.h"
#include "views/YearlyMode.h"
#include "views/YearlyPrintJob.h"

using namespace testutil;
using platform::RecordingSurface;
using views::ViewMode;

namespace {

std::unique_ptr<CKapibuchDoc> Portfolio(CKBXDatum start) {
  auto doc = std::make_unique<CKapibuchDoc>(TestClock());
  NewFileData data;
  data.holder = "Erika Mustermann";
  data.depotNumber = "4711";
  data.startDay = start;
  data.openingBalance = 1000000;
  data.currency = kEur;
  doc->SetupNew(data);
  return doc;
}

void SellAll(CKapibuchDoc& doc, CKBXDatum date, std::int32_t price, std::int32_t commission) {
  std::vector<SaleAllocation> allocation;
  for (const auto& p : doc.Positions()) {
    if (p->IsOpen()) allocation.push_back({p->number, p->Quantity()});
  }
  SaleTerms terms;
  terms.price = price;
  terms.priceCurrency = kEur;
  terms.commission = commission;
  terms.commissionCurrency = kEur;
  terms.date = date;
  doc.SellPositions(allocation, terms);
}

views::FrameState YearlyFrame(const CKapibuchDoc& doc, int first, int last) {
  views::FrameState frame;
  frame.SetDefaultDays(doc);
  frame.mode = ViewMode::Yearly;
  frame.Days() = {Day(1, 7, first), Day(1, 7, last)};
  return frame;
}

bool Drew(const RecordingSurface& surface, const std::string& text) {
  const auto texts = surface.Texts();
  return std::any_of(texts.begin(), texts.end(), [&](const auto* t) { return t->text == text; });
}

bool Overlap(const platform::Rect& a, const platform::Rect& b) {
  return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

}  // namespace

TEST(YearlyOverview, YearsDefaultsAndLimits) {
  EXPECT_EQ(views::Traits(ViewMode::Yearly).key, '9');
  EXPECT_EQ(views::ModeFromNumber(9), ViewMode::Yearly);
  EXPECT_EQ(views::FirstDayOfYear(2004), Day(1, 1, 2004));
  EXPECT_EQ(views::LastDayOfYear(2004), Day(31, 12, 2004));
  // The valid days run from 02.01.1970 to 18.01.2038: years are held within them.
  EXPECT_EQ(views::FirstDayOfYear(1970), CKBXDatum(1u));
  EXPECT_EQ(views::FirstDayOfYear(1900), CKBXDatum(1u));
  EXPECT_EQ(views::LastDayOfYear(2040), Day(31, 12, 2037));
  // The current year ends today, the others on 31.12.
  EXPECT_EQ(views::LastDayCovered(2026, Day(8, 12, 2026)), Day(8, 12, 2026));
  EXPECT_EQ(views::LastDayCovered(2025, Day(8, 12, 2026)), Day(31, 12, 2025));

  // A new window: the account's first year to today's, whatever the period choice.
  auto doc = Portfolio(Day(15, 3, 2001));
  doc->settings.general.periodStartChoice = 2;  // first of the month: not for whole years
  views::FrameState frame;
  frame.SetDefaultDays(*doc);
  const views::Period& days = frame.Days(ViewMode::Yearly);
  EXPECT_EQ(views::YearOf(days.first), 2001);
  EXPECT_EQ(views::YearOf(days.second), views::YearOf(doc->Today()));

  // The year fields: the first from the account's first year up to the last, the last from
  // the first on.
  const views::PeriodLimits limits =
      views::LimitsOf(views::Traits(ViewMode::Yearly), {Day(1, 1, 2003), Day(1, 1, 2010)}, Day(15, 3, 2001));
  EXPECT_EQ(views::YearOf(limits.firstMinimum), 2001);
  EXPECT_EQ(views::YearOf(limits.firstMaximum), 2010);
  EXPECT_EQ(views::YearOf(limits.secondMinimum), 2003);
  EXPECT_EQ(views::YearOf(limits.secondMaximum), 2037);
}

TEST(YearlyOverview, RealisedGainFollowsTheCommissionChoice) {
  auto doc = Portfolio(Day(1, 1, 2010));
  Buy(*doc, Day(1, 2, 2010), "Alpha", "A", "10", "100", "5");
  SellAll(*doc, Day(1, 6, 2011), 12000, 700);
  // With commissions: 1.200,00 - 7,00 - (1.000,00 + 5,00) = 188,00; without: 200,00.
  for (const auto& [include, expected] : {std::pair{1, 18800}, std::pair{0, 20000}}) {
    doc->settings.realised.includeCommissions = include;
    const views::YearlyOverview o = views::BuildYearlyOverview(*doc, 2010, 2012);
    ASSERT_EQ(o.years.size(), 3u);
    EXPECT_EQ(o.years[0].realised, 0);
    EXPECT_EQ(o.years[1].realised, expected);
    EXPECT_EQ(o.years[2].realised, 0);
    EXPECT_EQ(o.sums.realised, expected);

    std::vector<RealisedRow> rows;
    views::BuildRealisedRows(Day(1, 1, 2011), Day(31, 12, 2011), rows, *doc, false);
    EXPECT_EQ(rows.back().shownGain, expected);
  }
  // Buying and selling are no movements: no income, costs or capital.
  const views::YearlyOverview o = views::BuildYearlyOverview(*doc, 2011, 2011);
  EXPECT_EQ(o.years[0].Income() + o.years[0].costs + o.years[0].taxes + o.years[0].deposits, 0);
  // The wealth: 10.000,00 - 1.005,00 + 1.193,00.
  EXPECT_EQ(o.years[0].wealth, 1018800);
  EXPECT_EQ(o.years[0].portfolioValue, 0);
}

TEST(YearlyOverview, ChartBarsColoursAndLegend) {
  auto doc = Portfolio(Day(1, 1, 2010));
  Buy(*doc, Day(1, 2, 2010), "Alpha", "A", "10", "100");
  SellAll(*doc, Day(1, 6, 2011), 9000, 0);  // a loss of 100,00: a bar below 0
  views::YearlyMode view(*doc);
  view.Build(YearlyFrame(*doc, 2010, 2012));
  RecordingSurface screen;
  view.Measure(screen);
  const views::YearlyChart& chart = view.Chart();
  EXPECT_LE(chart.Axis().minimum, -10000);
  EXPECT_GE(chart.Axis().maximum, 0);

  // The settings' line colours (both red by default) become four different bar colours.
  const auto colours = chart.Colours(screen);
  EXPECT_EQ(colours[0], platform::Rgb(255, 0, 0));
  for (std::size_t i = 0; i < colours.size(); ++i) {
    for (std::size_t k = i + 1; k < colours.size(); ++k) EXPECT_NE(colours[i], colours[k]);
  }
  doc->settings.securityChart.lineColour = static_cast<std::int32_t>(platform::Rgb(0, 192, 192));
  view.Build(YearlyFrame(*doc, 2010, 2012));
  view.Measure(screen);
  EXPECT_EQ(view.Chart().Colours(screen)[1], platform::Rgb(0, 192, 192));
  // Black-and-white paper: greys.
  RecordingSurface paper(true, {});
  EXPECT_EQ(view.Chart().Colours(paper)[0], platform::Rgb(0, 0, 0));

  RecordingSurface surface;
  view.Draw(surface, {0, 0, 4000, -4000});
  // The one non-zero bar is 2011's realised loss, in the second colour, below the zero line.
  std::vector<const RecordingSurface::Call*> bars;
  for (const auto* fill : surface.Fills()) {
    if (fill->fill == platform::Rgb(0, 192, 192) && fill->rect.right - fill->rect.left > 40)
      bars.push_back(fill);
  }
  ASSERT_EQ(bars.size(), 1u);
  const platform::Size origin = view.ChartOrigin();
  EXPECT_LT(bars[0]->rect.top, origin.cy);  // under the table
  EXPECT_GT(bars[0]->rect.top, bars[0]->rect.bottom);
  for (const char* text : views::YearlyChart::LegendTexts()) {
    EXPECT_TRUE(Drew(surface, text)) << text;
  }
  EXPECT_GE(view.Extent().cy, -origin.cy + view.Chart().Size().cy);
}

TEST(YearlyOverview, LabelsNeverOverlap) {
  // Sixty-eight years in a narrow chart with large letters.
  auto doc = Portfolio(Day(2, 1, 1970));
  doc->settings.portfolioChart.width = 700;
  doc->settings.portfolioChart.fontHeight = 50;
  views::YearlyMode view(*doc);
  view.Build(YearlyFrame(*doc, 1970, 2037));
  RecordingSurface measuring;
  view.Measure(measuring);
  EXPECT_GT(view.Chart().YearStep(), 1);
  EXPECT_GT(view.Chart().LegendLines(), 1);
  RecordingSurface surface;
  view.Chart().Draw(surface, 0, 0);
  std::vector<platform::Rect> texts;
  for (const auto* t : surface.Texts()) {
    // The space the text takes, as the recording surface measures it.
    const int width = static_cast<int>(t->text.size()) * t->font.height / 2;
    // Clipped to its rectangle unless drawn unclipped.
    platform::Rect r = t->rect;
    if (t->flags & platform::kAlignCenter) {
      const int centre = (r.left + r.right) / 2;
      r.left = std::max(r.left, centre - width / 2);
      r.right = std::min(r.right, centre + width / 2);
    } else if (t->flags & platform::kAlignRight) {
      r.left = std::max(r.left, r.right - width);
    } else {
      r.right = (t->flags & platform::kNoClip) ? r.left + width : std::min(r.right, r.left + width);
    }
    for (const platform::Rect& other : texts) EXPECT_FALSE(Overlap(r, other)) << t->text;
    texts.push_back(r);
  }
  // Every 20th year: 1980, 2000 and 2020.
  for (const char* year : {"1980", "2000", "2020"}) {
    EXPECT_TRUE(Drew(surface, year)) << year;
  }
}

TEST(YearlyOverview, PrintedChartUnderTheTableOrOnItsOwnPage) {
  auto doc = Portfolio(Day(1, 1, 2000));
  RecordingSurface printer(true, {2100, 2970, 0, 0, 2100, 2970});
  // Three years: the chart fits under the table on the first page.
  views::YearlyMode few(*doc);
  few.Build(YearlyFrame(*doc, 2000, 2002));
  auto job = few.MakePrintJob();
  const int pages = job->Begin(printer);
  auto* yearly = dynamic_cast<views::YearlyPrintJob*>(job.get());
  ASSERT_NE(yearly, nullptr);
  EXPECT_EQ(yearly->ChartPage(), 1);
  printer.Clear();
  job->DrawPage(printer, 1);
  int tableBottom = 0;
  for (const auto* t : printer.Texts()) {
    if (t->text == "Summe") tableBottom = t->rect.bottom;
  }
  EXPECT_LT(yearly->ChartCorner().cy, tableBottom);
  // The chart is never drawn on the table's second page column.
  if (pages > 1) {
    printer.Clear();
    job->DrawPage(printer, 2);
    for (const auto* t : printer.Texts()) EXPECT_NE(t->text, "Erträge");
  }

  // A chart taller than what is left of the last page gets a page of its own.
  doc->settings.portfolioChart.height = 2500;
  views::YearlyMode tall(*doc);
  tall.Build(YearlyFrame(*doc, 2000, 2002));
  job = tall.MakePrintJob();
  const int allPages = job->Begin(printer);
  yearly = dynamic_cast<views::YearlyPrintJob*>(job.get());
  EXPECT_EQ(allPages, pages + 1);
  EXPECT_EQ(yearly->ChartPage(), allPages);
  printer.Clear();
  job->DrawPage(printer, allPages);
  EXPECT_TRUE(Drew(printer, "Erträge"));
  EXPECT_FALSE(Drew(printer, "Summe"));
}
