#include <gtest/gtest.h>

#include "platform/RecordingSurface.h"
#include "tests/forms/FormsTestUtil.h"
#include "views/AccountRow.h"
#include "views/FrameState.h"
#include "views/HoldingsRow.h"
#include "views/RealisedRow.h"
#include "views/TableViews.h"

using namespace testutil;

namespace {

std::vector<std::string> Column(const views::Table& t, std::size_t slot) {
  std::vector<std::string> out;
  for (const auto& row : t.cells) out.push_back(row[slot]);
  return out;
}

std::unique_ptr<CKapibuchDoc> EuroPortfolio() {
  auto doc = DmPortfolio();
  doc->Account().SwitchToEur(Day(1, 1, 1999));
  return doc;
}

}  // namespace

TEST(HoldingsView, WhatIsHeldOnTheDay) {
  auto doc = EuroPortfolio();
  Buy(*doc, Day(1, 2, 2000), "Alpha", "A", "10", "10", "1");
  Buy(*doc, Day(1, 3, 2000), "Beta", "B", "2,5", "20");
  Buy(*doc, Day(1, 6, 2000), "Gamma", "G", "1", "5");  // bought on the holdings day
  Buy(*doc, Day(1, 4, 2000), "Delta", "D", "1", "5");
  doc->MutablePositions()[2]->state = CKBXAktie::kSold;  // Delta, sold on the holdings day
  doc->MutablePositions()[2]->saleDate = Day(1, 6, 2000);
  doc->SetPrice("Alpha", "A", Day(1, 5, 2000), 1250);

  std::vector<HoldingsRow> rows;
  views::BuildHoldingsRows(Day(1, 6, 2000), rows, *doc, true);
  const views::Table t = views::HoldingsTable(*doc, Day(1, 6, 2000), rows);
  EXPECT_EQ(Column(t, 0), (std::vector<std::string>{"Alpha", "Beta", "Gamma", "Summe"}));
  EXPECT_EQ(Column(t, 2), (std::vector<std::string>{"10,0", "2,5", "1,0", "13,5"}));
  EXPECT_EQ(Column(t, 4), (std::vector<std::string>{"121", "92", "0", ""}));
  EXPECT_EQ(Column(t, 9),
            (std::vector<std::string>{"12,50", "20,00", "5,00", ""}));  // no price: the purchase price
  EXPECT_EQ(Column(t, 10), (std::vector<std::string>{"125,00", "50,00", "5,00", "180,00"}));
  EXPECT_EQ(Column(t, 11),
            (std::vector<std::string>{"24,00", "0,00", "0,00", "24,00"}));  // commission included
  EXPECT_EQ(t.cells[3][12], "+15,4%");  // 180,00 against 156,00, not an average of the rows
  EXPECT_EQ(t.cells[0][12], "+23,8%");
  EXPECT_EQ(t.cells[3][3], "");
  EXPECT_EQ(t.title, "Depotbestand am 01.06.2000 -  - ");

  doc->settings.holdings.includeCommissions = 0;
  views::BuildHoldingsRows(Day(1, 6, 2000), rows, *doc, true);
  EXPECT_EQ(rows[0].shownGain, 2500);
}

TEST(HoldingsView, MergingAndCurrencies) {
  auto doc = DmPortfolio();
  Buy(*doc, Day(1, 2, 2000), "Alpha", "A", "10", "10 DM");
  Buy(*doc, Day(1, 3, 2000), "Alpha", "A", "10", "20 DM");
  Buy(*doc, Day(1, 4, 2000), "Alpha", "X", "1", "1");  // another identifier: never merged
  std::vector<HoldingsRow> rows;
  views::BuildHoldingsRows(Day(1, 6, 2000), rows, *doc, true);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].positionCount, 2);
  EXPECT_EQ(rows[0].quantity, QuantityOf(20, 0));
  EXPECT_EQ(rows[0].purchaseDate, Day(1, 3, 2000));  // the later position
  EXPECT_EQ(rows[0].purchaseValue.dm, 30000);
  EXPECT_EQ(rows[0].shownPurchaseValue, 15339);  // the EUR column converts: 300,00 DM = 153,3876 EUR
  EXPECT_EQ(rows[0].averagePurchasePrice, 767);  // 153,39 EUR / 20 = 7,6695 EUR
  doc->settings.holdings.columnCurrencies[0] = 1;
  views::BuildHoldingsRows(Day(1, 6, 2000), rows, *doc, true);
  EXPECT_EQ(rows[0].shownPurchaseValue, 30000);
  EXPECT_EQ(views::HoldingsTable(*doc, Day(1, 6, 2000), rows).captions[6], "Kaufwert\nin DM");

  views::BuildHoldingsRows(Day(1, 6, 2000), rows, *doc, false);
  EXPECT_EQ(rows.size(), 4u);
}

TEST(HoldingsView, SortedByGainPercentDescending) {
  auto doc = EuroPortfolio();
  Buy(*doc, Day(1, 2, 2000), "Mittel", "M", "1", "10");
  Buy(*doc, Day(1, 2, 2000), "Gut", "G", "1", "10");
  Buy(*doc, Day(1, 2, 2000), "Schlecht", "S", "1", "10");
  doc->SetPrice("Mittel", "M", Day(2, 2, 2000), 1100);
  doc->SetPrice("Gut", "G", Day(2, 2, 2000), 1500);
  doc->SetPrice("Schlecht", "S", Day(2, 2, 2000), 500);
  doc->settings.holdings.sortKey = 9;
  doc->settings.holdings.sortDescending = 1;
  std::vector<HoldingsRow> rows;
  views::BuildHoldingsRows(Day(3, 2, 2000), rows, *doc, true);
  std::vector<std::string> names;
  for (const auto& r : rows) names.push_back(r.name);
  EXPECT_EQ(names, (std::vector<std::string>{"Gut", "Mittel", "Schlecht", "Summe"}));
  const views::Table t = views::HoldingsTable(*doc, Day(3, 2, 2000), rows);
  EXPECT_EQ(t.loss, (std::vector<bool>{false, false, true, false}));

  // Measuring and drawing go through the same texts.
  platform::RecordingSurface surface;
  const views::ColumnLayout layout = views::MeasureHoldingsColumns(surface, *doc, Day(3, 2, 2000), rows);
  EXPECT_EQ(layout.width[0], 11 * 20);  // the caption "Bezeichnung" is wider than "Schlecht"
  surface.Clear();
  views::DrawHoldingsView(surface, *doc, Day(3, 2, 2000), layout, rows);
  EXPECT_EQ(surface.Texts().size(), 1u + 17u + 4u * 17u);
}

TEST(RealisedView, SalesInThePeriod) {
  auto doc = DmPortfolio();
  Buy(*doc, Day(1, 2, 2000), "Alpha", "A", "10", "10 DM", "1 DM");
  Buy(*doc, Day(5, 2, 2000), "Alpha", "A", "10", "10 DM");
  Buy(*doc, Day(1, 3, 2000), "Beta", "B", "1", "1");
  auto sell = [&](std::size_t index, CKBXDatum date, std::int32_t price) {
    CKBXAktie& p = *doc->MutablePositions()[index];
    p.state = CKBXAktie::kSold;
    p.saleDate = date;
    p.salePrice = price;
    p.salePriceCurrency = kEur;
    p.proceedsEur = static_cast<std::int32_t>(ShareValue(p.Quantity(), price));
  };
  sell(0, Day(1, 4, 2000), 1000);   // on the start day
  sell(1, Day(30, 4, 2000), 1000);  // on the end day
  sell(2, Day(1, 5, 2000), 200);    // the day after

  std::vector<RealisedRow> rows;
  views::BuildRealisedRows(Day(1, 4, 2000), Day(30, 4, 2000), rows, *doc, false);
  ASSERT_EQ(rows.size(), 3u);
  views::BuildRealisedRows(Day(1, 4, 2000), Day(30, 4, 2000), rows, *doc, true);
  ASSERT_EQ(rows.size(), 2u);
  const RealisedRow& r = rows[0];
  EXPECT_EQ(r.saleDate, Day(1, 4, 2000));      // the earlier sale
  EXPECT_EQ(r.purchaseDate, Day(5, 2, 2000));  // the later position
  EXPECT_EQ(r.purchaseValue.dm, 20000);        // bought in DM ...
  EXPECT_EQ(r.saleValue.eur, 20000);           // ... sold in EUR
  EXPECT_EQ(r.shownPurchaseValue, 10226);      // 200,00 DM / 1,95583 = 102,2584 EUR
  EXPECT_EQ(r.shownGain, 9723);                // proceeds - cost: 200,00 EUR - 201,00 DM (102,7697 EUR)
  doc->settings.realised.columnCurrencies[6] = 1;
  doc->settings.realised.includeCommissions = 0;
  views::BuildRealisedRows(Day(1, 4, 2000), Day(30, 4, 2000), rows, *doc, true);
  EXPECT_EQ(rows[0].shownGain, 19117);  // 200,00 EUR (x 1,95583 = 391,166 DM) - 200,00 DM
  const views::Table t = views::RealisedTable(*doc, Day(1, 4, 2000), Day(30, 4, 2000), rows);
  EXPECT_EQ(t.captions[14], "G/V\nin DM");
  EXPECT_EQ(t.captions[13], "Verkauferlös\nin EUR");
  EXPECT_EQ(t.cells[1][0], "Summe");
  EXPECT_EQ(t.cells[1][3], "");
  EXPECT_EQ(t.cells[0][5], "56");  // 05.02.2000 to 01.04.2000 in a leap year
  EXPECT_EQ(t.title, "Realisierte Gewinne und Verluste von 01.04.2000 bis 30.04.2000 -  - ");

  // Bought and sold on consecutive days: one day in the portfolio.
  Buy(*doc, Day(1, 6, 2000), "Kurz", "K", "1", "1");
  sell(3, Day(2, 6, 2000), 100);
  views::BuildRealisedRows(Day(1, 6, 2000), Day(30, 6, 2000), rows, *doc, false);
  EXPECT_EQ(views::RealisedTable(*doc, Day(1, 6, 2000), Day(30, 6, 2000), rows).cells[0][5], "1");
}

TEST(AccountView, RowsAcrossTheSwitchDay) {
  auto doc = DmPortfolio();  // 10.000,00 DM from 01.01.1999
  doc->Account().BookMovement(Day(10, 12, 2001), 31, 10000, kDm, "Einlage");
  doc->Account().SwitchToEur(Day(1, 1, 2002));
  doc->Account().BookMovement(Day(2, 1, 2002), 11, 500, kEur, "Dividende");
  doc->Account().BookMovement(Day(3, 1, 2002), 26, -100, kEur, "Steuer");

  std::vector<AccountRow> rows;
  views::BuildAccountRows(Day(1, 12, 2001), Day(31, 1, 2002), rows, *doc);
  const views::Table t = views::AccountTable(*doc, Day(1, 12, 2001), Day(31, 1, 2002), rows);
  ASSERT_EQ(t.cells.size(), 3u);
  EXPECT_EQ(t.cells[0][3], "100,00 DM");
  EXPECT_EQ(t.cells[0][4], "10.100,00 DM");
  EXPECT_EQ(t.cells[1][3], "5,00 EUR");
  EXPECT_EQ(t.cells[1][4], "5.169,05 EUR");  // 10.100,00 DM / 1,95583 = 5.164,05 EUR, + 5,00
  EXPECT_EQ(t.cells[2][1], "Steuern");
  EXPECT_EQ(t.loss, (std::vector<bool>{false, false, true}));
  EXPECT_FALSE(t.HasSumsRow());

  // Starting after the switch: euro from the first row, the opening balance in euro.
  views::BuildAccountRows(Day(3, 1, 2002), Day(31, 1, 2002), rows, *doc);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].currency, kEur);
  EXPECT_EQ(rows[0].balance, 516805);  // 5.164,05 EUR + 5,00 - 1,00

  // No columns: as wide as the margins allow.
  doc->settings.account.columnFlags = 0;
  platform::RecordingSurface surface;
  EXPECT_EQ(views::MeasureAccountColumns(surface, *doc, rows).totalWidth, 10 + 10 - 30);
}

// The switch day is the first day in euro: a booking on it is shown in euro, with the
// balance converted (10.000,00 DM = 5.112,92 EUR), whether the period starts before it or on it.
TEST(AccountView, ABookingOnTheSwitchDayIsInEuro) {
  auto doc = DmPortfolio();  // 10.000,00 DM from 01.01.1999
  doc->Account().SwitchToEur(Day(1, 1, 2002));
  doc->Account().BookMovement(Day(1, 1, 2002), 31, 1000, kEur, "Einlage");
  for (const CKBXDatum start : {Day(1, 12, 2001), Day(1, 1, 2002)}) {
    std::vector<AccountRow> rows;
    views::BuildAccountRows(start, Day(31, 1, 2002), rows, *doc);
    const views::Table t = views::AccountTable(*doc, start, Day(31, 1, 2002), rows);
    ASSERT_EQ(t.cells.size(), 1u);
    EXPECT_EQ(t.cells[0], (std::vector<std::string>{"01.01.2002", "Kapitaleinlage", "Einlage", "10,00 EUR",
                                                    "5.122,92 EUR"}))
        << "from " << start.Format();
  }
}

TEST(FrameState, DefaultDays) {
  auto doc = DmPortfolio();  // start day 01.01.1999, today 08.12.2026
  views::FrameState frame;
  frame.SetDefaultDays(*doc);
  EXPECT_EQ(frame.Days(views::ViewMode::Holdings).first, Day(8, 12, 2026));
  EXPECT_EQ(frame.Days(views::ViewMode::Realised).first, Day(1, 1, 1999));

  doc->settings.general.periodStartChoice = 2;
  frame.SetDefaultDays(*doc);
  EXPECT_EQ(frame.Days(views::ViewMode::Account).first, Day(1, 12, 2026));
  doc->settings.general.periodStartChoice = 1;
  frame.SetDefaultDays(*doc);
  EXPECT_EQ(frame.Days(views::ViewMode::Account).first, Day(1, 1, 2026));

  platform::FixedClock firstOfMonth(Day(1, 1, 2027).ToTime());
  CKapibuchDoc other(firstOfMonth);
  NewFileData data;
  data.startDay = Day(15, 12, 2026);
  other.SetupNew(data);
  other.settings.general.periodStartChoice = 2;
  frame.SetDefaultDays(other);
  EXPECT_EQ(frame.Days(views::ViewMode::Development).first,
            Day(15, 12, 2026));  // the previous month, but not before the start
  other.settings.general.periodStartChoice = 3;
  other.settings.general.periodStartDay = Day(20, 12, 2026);
  other.settings.general.periodEndChoice = 1;
  other.settings.general.periodEndDay = Day(1, 12, 2026);  // before the start: raised to it
  frame.SetDefaultDays(other);
  EXPECT_EQ(frame.Days(views::ViewMode::Development).first, Day(20, 12, 2026));
  EXPECT_EQ(frame.Days(views::ViewMode::Development).second, Day(20, 12, 2026));
}

TEST(FrameState, TimeInPortfolioOfTheSelection) {
  auto doc = DmPortfolio();                          // start day 01.01.1999, today 08.12.2026
  Buy(*doc, Day(1, 6, 1998), "Alt", "A", "1", "1");  // before the account's start
  Buy(*doc, Day(1, 6, 2000), "Neu", "N", "1", "1");
  doc->MutablePositions()[1]->state = CKBXAktie::kSold;
  doc->MutablePositions()[1]->saleDate = Day(1, 6, 2001);
  views::FrameState frame;
  frame.SetDefaultDays(*doc);
  frame.selection = {2};  // by number: "Neu"
  frame.ApplyTimeInPortfolio(*doc);
  EXPECT_EQ(frame.Days(views::ViewMode::SecurityChart).first, Day(1, 6, 2000));
  EXPECT_EQ(frame.Days(views::ViewMode::SecurityChart).second, Day(1, 6, 2001));
  frame.selection = {2, 1, 77};  // a number no position has (a buy taken back) is passed over
  frame.ApplyTimeInPortfolio(*doc);
  EXPECT_EQ(frame.Days(views::ViewMode::SecurityChart).first,
            Day(1, 1, 1999));  // not before the account's start
  EXPECT_EQ(frame.Days(views::ViewMode::SecurityChart).second, Day(8, 12, 2026));  // an open position: today
  frame.selection.clear();
  frame.ApplyTimeInPortfolio(*doc);
  EXPECT_EQ(frame.Days(views::ViewMode::SecurityChart).second, Day(8, 12, 2026));
}
