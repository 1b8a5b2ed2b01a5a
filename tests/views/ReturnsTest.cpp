#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/RecordingSurface.h"
#include "tests/forms/FormsTestUtil.h"
#include "views/InternalRate.h"
#include "views/ReturnsMode.h"

using namespace testutil;
using views::ReturnsRow;

namespace {

std::unique_ptr<CKapibuchDoc> Portfolio(CKBXDatum start, Currency currency, std::int32_t opening) {
  auto doc = std::make_unique<CKapibuchDoc>(TestClock());
  NewFileData data;
  data.holder = "Erika Mustermann";
  data.depotNumber = "4711";
  data.startDay = start;
  data.openingBalance = opening;
  data.currency = currency;
  doc->SetupNew(data);
  return doc;
}

// Sells from the open positions of the security, oldest first, in EUR unless said otherwise.
void Sell(CKapibuchDoc& doc, CKBXDatum date, const std::string& name, double shares, std::int32_t price,
          std::int32_t commission = 0, Currency currency = kEur) {
  auto quantity = static_cast<std::int64_t>(shares * static_cast<double>(kQuantityUnit));
  std::vector<SaleAllocation> allocation;
  for (const auto& p : doc.Positions()) {
    if (quantity == 0) break;
    if (p->name != name || !p->IsOpen() || p->purchaseDate > date) continue;
    const std::int64_t part = std::min(quantity, p->Quantity());
    allocation.push_back({p->number, part});
    quantity -= part;
  }
  SaleTerms terms;
  terms.price = price;
  terms.priceCurrency = currency;
  terms.commission = commission;
  terms.commissionCurrency = currency;
  terms.date = date;
  doc.SellPositions(allocation, terms);
}

const ReturnsRow& RowOf(const std::vector<ReturnsRow>& rows, const std::string& name) {
  const auto it = std::find_if(rows.begin(), rows.end(), [&](const ReturnsRow& r) { return r.name == name; });
  if (it == rows.end()) throw std::runtime_error("no row " + name);
  return *it;
}

}  // namespace

TEST(Returns, SpreadsheetXirrExample) {
  // 10.000,00 paid on the account's first day, got back in four parts.
  auto doc = Portfolio(Day(1, 1, 1992), kDm, 5000000);
  Buy(*doc, Day(1, 1, 1992), "Alpha", "A", "100", "100");
  Sell(*doc, Day(1, 3, 1992), "Alpha", 25, 11000);    // 2.750,00
  Sell(*doc, Day(30, 10, 1992), "Alpha", 25, 17000);  // 4.250,00
  Sell(*doc, Day(15, 2, 1993), "Alpha", 25, 13000);   // 3.250,00
  Sell(*doc, Day(1, 4, 1993), "Alpha", 25, 11000);    // 2.750,00, on the last day
  const auto rows = views::BuildReturnsRows(*doc, Day(1, 1, 1992), Day(1, 4, 1993));
  ASSERT_EQ(rows.size(), 3u);
  const ReturnsRow& alpha = RowOf(rows, "Alpha");
  EXPECT_EQ(alpha.startValue, 0);
  EXPECT_EQ(alpha.purchases, 1000000);
  EXPECT_EQ(alpha.sales, 1300000);
  EXPECT_EQ(alpha.endValue, 0);
  EXPECT_EQ(alpha.Gain(), 300000);
  ASSERT_TRUE(alpha.internalRate);
  EXPECT_NEAR(*alpha.internalRate, 0.373363, 5e-7);
  // All securities as one: the same payments.
  EXPECT_NEAR(*RowOf(rows, "Wertpapiere gesamt").internalRate, *alpha.internalRate, 1e-12);
  // Held at the purchase price (no prices), sold above it: the time-weighted rate is the
  // product of the sale days' gains, 2750/2500, 4250/2500 ... on the part still held.
  ASSERT_TRUE(alpha.timeWeighted);
  const double expected =
      (7500.0 + 2750) / 10000 * (5000.0 + 4250) / 7500 * (2500.0 + 3250) / 5000 * 2750 / 2500;
  EXPECT_NEAR(*alpha.timeWeighted, expected - 1, 1e-12);
}

TEST(Returns, OneYearHeldAndSoldIsTheSameRateBothWays) {
  auto doc = Portfolio(Day(1, 1, 2010), kEur, 100000);
  Buy(*doc, Day(1, 1, 2010), "Alpha", "A", "1", "200");
  Sell(*doc, Day(31, 12, 2010), "Alpha", 1, 21000);
  const auto rows = views::BuildReturnsRows(*doc, Day(1, 1, 2010), Day(31, 12, 2010));
  const ReturnsRow& alpha = RowOf(rows, "Alpha");
  ASSERT_TRUE(alpha.internalRate && alpha.timeWeighted && alpha.timeWeightedPerYear);
  EXPECT_NEAR(*alpha.timeWeighted, 0.05, 1e-15);
  EXPECT_NEAR(*alpha.internalRate, 0.0501407, 1e-7);
  EXPECT_NEAR(*alpha.internalRate, std::pow(1.05, 365.0 / 364) - 1, 1e-12);
  EXPECT_NEAR(*alpha.timeWeightedPerYear, *alpha.internalRate, 1e-12);
  // A calendar year of 365 days counts as a year; one day less does not.
  EXPECT_FALSE(RowOf(views::BuildReturnsRows(*doc, Day(2, 1, 2010), Day(31, 12, 2010)), "Alpha")
                   .timeWeightedPerYear.has_value());
}

TEST(Returns, TimeWeightedIgnoresWhenMoneyCameInTheInternalRateDoesNot) {
  auto doc = Portfolio(Day(1, 1, 2020), kEur, 100000);
  Buy(*doc, Day(1, 1, 2020), "Alpha", "A", "1", "100");
  doc->SetPrice("Alpha", "A", Day(30, 6, 2020), 5000);
  Buy(*doc, Day(1, 7, 2020), "Alpha", "A", "1", "50");
  doc->SetPrice("Alpha", "A", Day(31, 12, 2020), 11000);
  const auto rows = views::BuildReturnsRows(*doc, Day(1, 1, 2020), Day(31, 12, 2020));
  const ReturnsRow& alpha = RowOf(rows, "Alpha");
  ASSERT_EQ(rows.size(), 3u);  // two positions, one row
  EXPECT_EQ(alpha.purchases, 15000);
  EXPECT_EQ(alpha.endValue, 22000);
  ASSERT_TRUE(alpha.timeWeighted && alpha.internalRate);
  EXPECT_NEAR(*alpha.timeWeighted, 0.10, 1e-12);  // the price went from 100 to 110
  EXPECT_NEAR(*alpha.internalRate, 0.572595, 5e-7);
}

TEST(Returns, BuyAndSaleOnOneDay) {
  auto doc = Portfolio(Day(1, 1, 2020), kEur, 100000);
  Buy(*doc, Day(3, 3, 2020), "Alpha", "A", "10", "20");
  Sell(*doc, Day(3, 3, 2020), "Alpha", 10, 2000);
  const auto rows = views::BuildReturnsRows(*doc, Day(1, 1, 2020), Day(31, 12, 2020));
  const ReturnsRow& alpha = RowOf(rows, "Alpha");  // never held, but bought in the period
  EXPECT_EQ(alpha.purchases, 20000);
  EXPECT_EQ(alpha.sales, 20000);
  ASSERT_TRUE(alpha.timeWeighted);
  EXPECT_EQ(*alpha.timeWeighted, 0);  // not -100 %
  EXPECT_FALSE(alpha.internalRate);   // all money on one day

  const views::Table t = views::ReturnsTable(*doc, Day(1, 1, 2020), Day(31, 12, 2020), rows);
  EXPECT_EQ(t.cells[0][10], "-");
  EXPECT_EQ(t.cells[0][11], "+0,0%");
  EXPECT_TRUE(std::holds_alternative<std::monostate>(t.values[0][10]));
  EXPECT_EQ(std::get<double>(t.values[0][11]), 0);
}

TEST(Returns, WholePortfolioWithoutCapitalMovementsGrowsAsItsWealth) {
  // DM account switched to euro; purchases, sales, prices, income and costs, no deposits.
  auto doc = Portfolio(Day(1, 1, 1999), kDm, 2000000);
  Buy(*doc, Day(5, 3, 1998), "Vorher", "V", "10", "120 DM", "9,90 DM");  // before the start day
  Buy(*doc, Day(5, 3, 1999), "Alpha", "A", "20", "150 DM", "15 DM");
  Buy(*doc, Day(1, 6, 2000), "Beta", "B", "7,5", "30", "5");
  doc->SetPrice("Alpha", "A", Day(1, 7, 1999), 8100);
  doc->SetPrice("Vorher", "V", Day(1, 9, 1999), 7000);
  doc->Account().BookMovement(Day(1, 8, 1999), CKBXKontoTransaktion::kDividende, 4000, kDm, "Dividende");
  doc->Account().SwitchToEur(Day(1, 1, 2001));
  doc->Account().BookMovement(Day(2, 2, 2001), CKBXKontoTransaktion::kDepotgebuehren, -2500, kEur, "Gebühr");
  Sell(*doc, Day(15, 3, 2001), "Alpha", 12, 9000, 1000);
  doc->SetPrice("Beta", "B", Day(1, 12, 2001), 4200);

  const CKBXDatum s = Day(1, 3, 1999), e = Day(31, 12, 2001);
  const auto rows = views::BuildReturnsRows(*doc, s, e);
  const CKBXKonto& account = doc->Account();
  const auto wealthOn = [&](CKBXDatum d) { return doc->ValueOn(d) + account.BalanceOn(d, kEur); };
  const ReturnsRow& wealth = RowOf(rows, "Vermögen");
  // At the start (end of 28.02.1999): Vorher 10 x 120 DM (61,3550 EUR -> 61,36) = 613,60 and
  // 20.000,00 DM cash = 10.225,8376 EUR -> 10.225,84: 10.839,44.
  EXPECT_EQ(wealth.startValue, 1083944);
  // At the end: Vorher 10 x 70,00 + Alpha 8 x 81,00 + Beta 7,5 x 42,00 = 1.663,00; cash
  // 20.000,00 - 3.015,00 + 40,00 - 449,84 (230,00 EUR for Beta) = 16.575,16 DM, switched to
  // 8.474,7447 EUR -> 8.474,74, - 25,00 + 1.070,00 (12 x 90,00 - 10,00) = 9.519,74: 11.182,74.
  EXPECT_EQ(wealth.endValue, 1118274);
  EXPECT_EQ(wealth.deposits, 0);
  EXPECT_EQ(wealth.income, 2045);  // 40,00 DM / 1,95583 = 20,4517 EUR
  ASSERT_TRUE(wealth.timeWeighted);
  EXPECT_NEAR(*wealth.timeWeighted, 1118274.0 / 1083944 - 1, 1e-12);  // no deposits: end / start
  // Its daily values are the development view's value plus the balance.
  const views::PortfolioReturns whole = views::BuildPortfolioReturns(*doc, s, e);
  for (std::uint32_t d = s.Day() - 1; d <= e.Day(); ++d)
    ASSERT_EQ(whole.wealth.ValueAtEndOf(CKBXDatum(d)), wealthOn(CKBXDatum(d))) << CKBXDatum(d).Format();
  // All securities as one add up the rows.
  const ReturnsRow& all = RowOf(rows, "Wertpapiere gesamt");
  std::int64_t purchases = 0, sales = 0, start = 0, end = 0;
  for (const ReturnsRow& r : rows) {
    if (r.kind != views::ReturnsRowKind::Security) continue;
    purchases += r.purchases;
    sales += r.sales;
    start += r.startValue;
    end += r.endValue;
  }
  EXPECT_EQ(all.purchases, purchases);
  EXPECT_EQ(all.sales, sales);
  EXPECT_EQ(all.startValue, start);
  EXPECT_EQ(all.endValue, end);
  // Sorted by name, then the two totals.
  std::vector<std::string> names;
  for (const ReturnsRow& r : rows) names.push_back(r.name);
  EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "Beta", "Vorher", "Wertpapiere gesamt", "Vermögen"}));
}

TEST(Returns, DmPaymentsInEuro) {
  auto doc = Portfolio(Day(1, 1, 1999), kDm, 1000000);
  Buy(*doc, Day(5, 3, 1999), "Alpha", "A", "10", "150 DM", "15 DM");
  doc->Account().BookMovement(Day(1, 4, 1999), CKBXKontoTransaktion::kKapitaleinlage, 100000, kDm, "Einlage");
  doc->Account().BookMovement(Day(2, 4, 1999), CKBXKontoTransaktion::kKapitalentnahme, -30000, kDm,
                              "Entnahme");
  Sell(*doc, Day(1, 6, 1999), "Alpha", 4, 20000, 1000, kDm);
  const auto rows = views::BuildReturnsRows(*doc, Day(1, 1, 1999), Day(31, 12, 1999));
  const ReturnsRow& alpha = RowOf(rows, "Alpha");
  // The purchase as the account booked it, though a sale divided it since: 10 x 150 DM +
  // 15 DM = 1.515,00 DM = 774,61.
  EXPECT_EQ(alpha.purchases, 77461);
  // The sale as booked: 4 x 200 DM - 10 DM = 790,00 DM = 403,92 (not 409,03 - 5,11).
  EXPECT_EQ(alpha.sales, 40392);
  // No prices: the purchase price, 150 DM = 76,6938 EUR -> 76,69, x 6 = 460,14.
  EXPECT_EQ(alpha.endValue, 46014);
  const ReturnsRow& wealth = RowOf(rows, "Vermögen");
  EXPECT_EQ(wealth.startValue, 511292);  // 10.000,00 DM / 1,95583 = 5.112,9188 EUR
  EXPECT_EQ(wealth.deposits, 51129);     // 1.000,00 DM = 511,2919 EUR
  EXPECT_EQ(wealth.withdrawals, 15339);  // 300,00 DM = 153,3876 EUR
  const views::Table t = views::ReturnsTable(*doc, Day(1, 1, 1999), Day(31, 12, 1999), rows);
  EXPECT_EQ(t.cells[0][3], "774,61");
  EXPECT_EQ(t.cells[0][5], "-");  // no deposits for a security
  EXPECT_EQ(t.cells[2][3], "-");  // no purchases for the wealth
  EXPECT_EQ(std::get<std::int64_t>(t.values[2][5]), 51129);
}

// A damaged file may date a sale before its purchase: the view shows it without reading or
// writing outside its days.
TEST(Returns, SaleDatedBeforeThePurchase) {
  auto doc = Portfolio(Day(1, 1, 2020), kEur, 100000);
  Buy(*doc, Day(10, 1, 2020), "Alpha", "A", "10", "20");
  Sell(*doc, Day(20, 1, 2020), "Alpha", 10, 2500);
  for (const auto& p : doc->Positions()) p->saleDate = Day(5, 1, 2020);
  const auto rows = views::BuildReturnsRows(*doc, Day(1, 1, 2020), Day(31, 1, 2020));
  EXPECT_EQ(RowOf(rows, "Alpha").endValue, 0);
}

TEST(Returns, PeriodWithoutHoldings) {
  auto doc = Portfolio(Day(1, 1, 2020), kEur, 100000);
  Buy(*doc, Day(3, 3, 2020), "Alpha", "A", "10", "20");
  Sell(*doc, Day(3, 4, 2020), "Alpha", 10, 2500);
  // Sold before the period: no row, nothing for all securities.
  const auto rows = views::BuildReturnsRows(*doc, Day(1, 1, 2021), Day(31, 12, 2021));
  ASSERT_EQ(rows.size(), 2u);
  const ReturnsRow& all = rows[0];
  EXPECT_EQ(all.name, "Wertpapiere gesamt");
  EXPECT_FALSE(all.timeWeighted);
  EXPECT_FALSE(all.internalRate);
  EXPECT_FALSE(all.timeWeightedPerYear);
  // The cash alone: nothing gained, nothing lost.
  EXPECT_EQ(*rows[1].timeWeighted, 0);
  EXPECT_NEAR(*rows[1].internalRate, 0, 1e-12);

  const views::Table t = views::ReturnsTable(*doc, Day(1, 1, 2021), Day(31, 12, 2021), rows);
  EXPECT_EQ(t.title, "Rendite von 01.01.2021 bis 31.12.2021 - 4711 - Erika Mustermann");
  EXPECT_EQ(t.cells[0][9], "0,00");
  EXPECT_EQ(t.cells[0][10], "-");
  EXPECT_EQ(t.cells[0][11], "-");
  EXPECT_EQ(t.cells[0][12], "-");
  EXPECT_TRUE(t.IsSumsRow(0) && t.IsFirstSumsRow(0) && t.IsSumsRow(1));
  // A one-day period has neither an internal rate nor a rate per year.
  const auto oneDay = views::BuildReturnsRows(*doc, Day(3, 3, 2020), Day(3, 3, 2020));
  EXPECT_FALSE(RowOf(oneDay, "Alpha").internalRate);
  EXPECT_TRUE(RowOf(oneDay, "Alpha").timeWeighted);
}

TEST(Returns, WealthBeforeTheAccountsStartDay) {
  auto doc = Portfolio(Day(1, 1, 1999), kEur, 100000);
  Buy(*doc, Day(5, 3, 1998), "Vorher", "V", "10", "100", "10");  // raises the start capital only
  doc->SetPrice("Vorher", "V", Day(1, 12, 1998), 11000);
  // From the start day: what was bought before is in the value at its start.
  auto rows = views::BuildReturnsRows(*doc, Day(1, 1, 1999), Day(31, 12, 1999));
  EXPECT_EQ(RowOf(rows, "Vermögen").startValue, 100000 + 110000);
  EXPECT_EQ(RowOf(rows, "Vorher").startValue, 110000);
  // From before it: the purchase is money brought in, the price rise a gain.
  rows = views::BuildReturnsRows(*doc, Day(1, 1, 1998), Day(31, 12, 1999));
  const ReturnsRow& wealth = RowOf(rows, "Vermögen");
  EXPECT_EQ(wealth.startValue, 100000);
  EXPECT_EQ(wealth.deposits, 100000 + 1000);
  EXPECT_EQ(wealth.Gain(), 110000 - 101000);
  ASSERT_TRUE(wealth.timeWeighted);
  // The commission is lost on the purchase day, then the price rises from 100 to 110.
  EXPECT_NEAR(*wealth.timeWeighted, (200000.0 / 201000) * (210000.0 / 200000) - 1, 1e-12);
  EXPECT_EQ(RowOf(rows, "Vorher").purchases, 101000);
}

TEST(InternalRate, RootsAndTheirAbsence) {
  using views::CashFlow;
  // Two rates solve -100 + 230 / (1 + r) - 132 / (1 + r)^2 = 0: 10 % and 20 %.
  const std::vector<CashFlow> two = {{0, -100}, {365, 230}, {730, -132}};
  EXPECT_NEAR(*views::InternalRate(two, 730, 0.12), 0.10, 1e-12);
  EXPECT_NEAR(*views::InternalRate(two, 730, 0.19), 0.20, 1e-12);
  // -100 + 50 x - 100 x^2 has no real root.
  EXPECT_FALSE(views::InternalRate({{0, -100}, {365, 50}, {730, -100}}, 730, 0));
  // Everything paid in is lost; nothing paid in; all on one day.
  EXPECT_EQ(*views::InternalRate({{0, -100}, {10, -50}, {20, 0}}, 20, 0), -1.0);
  EXPECT_FALSE(views::InternalRate({{0, 100}, {20, 10}}, 20, 0));
  EXPECT_FALSE(views::InternalRate({{5, -100}, {5, 120}}, 20, 0));
  EXPECT_FALSE(views::InternalRate({{0, -100}, {0, 110}}, 0, 0));
  // A short period gives large rates per year, still finite: +1 % in 10 days.
  EXPECT_NEAR(*views::InternalRate({{0, -100}, {10, 101}}, 10, 0), std::pow(1.01, 36.5) - 1, 1e-12);
  // Far beyond what a double holds: no rate rather than infinity.
  EXPECT_FALSE(views::InternalRate({{0, -1}, {1, 1e6}}, 1, 0));
}

TEST(Returns, MixedCurrenciesConvertedAsTheAccountBooksThem) {
  // A DM account: a price in EUR and a commission in DM are booked in DM, then converted:
  // 10,08 EUR = 19,71 DM (19,7148), + 0,01 DM = 19,72 DM = 10,08 EUR (10,0827), not
  // 10,08 + 0,01.
  auto doc = Portfolio(Day(1, 1, 1999), kDm, 100000);
  Buy(*doc, Day(1, 3, 1999), "Delta", "D", "1", "10,08", "0,01 DM");
  const auto& booked = *doc->Account().Transactions().back();
  ASSERT_EQ(booked.kind, CKBXKontoTransaktion::kKauf);
  EXPECT_EQ(booked.amountDm, -1972);
  EXPECT_EQ(booked.amountEur, -1008);
  const auto rows = views::BuildReturnsRows(*doc, Day(1, 1, 1999), Day(31, 12, 1999));
  EXPECT_EQ(RowOf(rows, "Delta").purchases, 1008);
  EXPECT_EQ(RowOf(rows, "Delta").endValue, 1008);  // no prices: the purchase price
  EXPECT_EQ(RowOf(rows, "Delta").Gain(), 0);
}

TEST(InternalRate, ExtremeRootsWhereverThePeriodStarts) {
  using views::CashFlow;
  // 100,00 paid, 150,00 back two days later: 1,5^(365 / 2) - 1 = 1,369792480022564e32,
  // over a period of two days as over a year that ends with the same two payments.
  const double twoDays = 1.369792480022564e32;
  EXPECT_NEAR(*views::InternalRate({{0, -100}, {2, 150}}, 2, 0) / twoDays, 1, 1e-12);
  EXPECT_NEAR(*views::InternalRate({{363, -100}, {365, 150}}, 365, 0) / twoDays, 1, 1e-12);
  EXPECT_NEAR(*views::InternalRate({{0, 0}, {363, -100}, {365, 150}, {365, 0}}, 365, 0.5) / twoDays, 1,
              1e-12);
  EXPECT_NEAR(*views::InternalRate({{10955, -100}, {10957, 150}}, 10957, 0) / twoDays, 1, 1e-12);
  // 100,00 paid, 0,01 back: 1 + r = 0,0001^(365 / 2), far below what a double holds.
  EXPECT_EQ(*views::InternalRate({{0, -10000}, {2, 1}}, 2, 0), -1.0);
  EXPECT_EQ(*views::InternalRate({{363, -10000}, {365, 1}}, 365, 0), -1.0);
  // -100 + 300 y - 150 y^2 = 0 with y = (1 + r)^(-1 / 365) on three days in a row:
  // y = 1 -+ 1 / sqrt(3), so 1 + r = 0,4226497...^-365 = 3,289138812286187e136 or
  // 1,5773503...^-365 (about 1e-72: -1). The nearer to the given rate is taken.
  const double large = 3.289138812286187e136;
  for (const std::uint32_t first : {0u, 363u}) {
    SCOPED_TRACE(first);
    const std::vector<CashFlow> flows = {{first, -100}, {first + 1, 300}, {first + 2, -150}};
    EXPECT_EQ(*views::InternalRate(flows, first + 2, 0), -1.0);
    EXPECT_NEAR(*views::InternalRate(flows, first + 2, 1e137) / large, 1, 1e-12);
  }
}

TEST(InternalRate, TotalLossPaidInOnOneDay) {
  using views::CashFlow;
  // Paid in on one day (a purchase, or the value at the start), nothing ever back.
  EXPECT_EQ(*views::InternalRate({{5, -100}, {20, 0}}, 20, 0), -1.0);
  EXPECT_EQ(*views::InternalRate({{0, -100}, {7, 0}, {20, 0}}, 20, 0), -1.0);
  // Bought and sold at a loss on one day, nothing else: no rate solves -50 = 0.
  EXPECT_FALSE(views::InternalRate({{5, -100}, {5, 50}, {20, 0}}, 20, 0));
  // A one-day period has no rate, lost or not.
  EXPECT_FALSE(views::InternalRate({{0, -100}, {0, 0}}, 0, 0));
}

TEST(ReturnsView, RatesBeyondTheLargestShown) {
  EXPECT_EQ(views::RateFigure(9999.99, 1).text, "+999999,0%");
  EXPECT_EQ(views::RateFigure(9999.99, 2).text, "+999999,00%");
  for (const double rate : {9999.9995, 10000.0, 1e300}) {
    const views::FigureCell cell = views::RateFigure(rate, 1);
    EXPECT_EQ(cell.text, "> 999.999,9 %") << rate;
    EXPECT_EQ(std::get<double>(cell.value), rate);  // the figure keeps the rate
  }
  EXPECT_EQ(views::RateFigure(-1.0, 1).text, "-100,0%");

  // On screen and on paper: 1 share bought for 100,00 and sold two days later for 150,00.
  auto doc = Portfolio(Day(1, 1, 2020), kEur, 100000);
  Buy(*doc, Day(29, 12, 2020), "Alpha", "A", "1", "100");
  Sell(*doc, Day(31, 12, 2020), "Alpha", 1, 15000);
  views::FrameState state;
  state.SetDefaultDays(*doc);
  state.mode = views::ViewMode::Returns;
  state.Days() = {Day(1, 1, 2020), Day(31, 12, 2020)};
  views::ReturnsMode mode(*doc);
  mode.Build(state);
  platform::RecordingSurface screen;
  mode.Measure(screen);
  screen.Clear();
  mode.Draw(screen, {0, 0, mode.Extent().cx, -mode.Extent().cy});
  const auto count = [](const platform::RecordingSurface& surface) {
    const auto texts = surface.Texts();
    return std::count_if(texts.begin(), texts.end(),
                         [](const auto* t) { return t->text == "> 999.999,9 %"; });
  };
  EXPECT_EQ(count(screen), 2);  // Alpha and all securities
  platform::RecordingSurface printer(true, {2100, 2970, 0, 0, 2100, 2970});
  const auto job = mode.MakePrintJob();
  const int pages = job->Begin(printer);
  printer.Clear();
  for (int page = 1; page <= pages; ++page) job->DrawPage(printer, page);
  EXPECT_EQ(count(printer), 2);
}

TEST(ReturnsView, ThroughTheModeInterface) {
  auto doc = Portfolio(Day(1, 1, 2020), kEur, 100000);
  Buy(*doc, Day(3, 3, 2020), "Beta", "B", "10", "20");
  Buy(*doc, Day(3, 3, 2020), "alpha", "a", "10", "20", "1");
  views::FrameState state;
  state.SetDefaultDays(*doc);
  EXPECT_EQ(state.Days(views::ViewMode::Returns).first, Day(1, 1, 2020));
  EXPECT_EQ(state.Days(views::ViewMode::Returns).second, doc->Today());
  views::ReturnsMode mode(*doc);
  mode.Build(state);
  platform::RecordingSurface surface;
  mode.Measure(surface);
  const views::Table& t = mode.TableOf();
  ASSERT_EQ(t.cells.size(), 4u);
  EXPECT_EQ(t.cells[0][0], "alpha");  // by name, whatever the case
  EXPECT_TRUE(t.loss[0]);             // the commission is lost
  EXPECT_FALSE(t.loss[1]);
  EXPECT_EQ(t.captions[10], "IZF p.a.\nin %");
  // Drawn with the holdings table's settings: its row height.
  surface.Clear();
  mode.Draw(surface, {0, 0, mode.Extent().cx, -mode.Extent().cy});  // all of it in sight
  EXPECT_EQ(surface.Texts().back()->font.height, doc->settings.holdings.rowHeight);
  platform::RecordingSurface printer(true, {});
  EXPECT_EQ(mode.MakePrintJob()->Begin(printer), 2);  // wider than the page: two page columns
}
