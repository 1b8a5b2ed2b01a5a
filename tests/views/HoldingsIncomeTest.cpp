// The holdings view's income columns: "Dividende", "Dividende in %", "G/V inkl. Div." and
// "G/V inkl. Div. in %", from movements booked under "Dividende" for positions. Every
// figure is worked out by hand at 1 EUR = 1,95583 DM, rounded to the cent.
#include <gtest/gtest.h>

#include "document/Changes.h"
#include "forms/KontobewegungForm.h"
#include "tests/forms/FormsTestUtil.h"
#include "tests/views/EuroPortfolio.h"
#include "views/HoldingsRow.h"
#include "views/TableViews.h"

using namespace testutil;
using viewstest::EuroPortfolio;

namespace {

// Slots of the income columns in the holdings table.
constexpr std::size_t kIncome = 13;
constexpr std::size_t kIncomePercent = 14;
constexpr std::size_t kGainWithIncome = 15;
constexpr std::size_t kGainWithIncomePercent = 16;

// Books a movement through the movement form; with a name, related to that security and
// divided over its positions by their quantities on the day.
void Move(CKapibuchDoc& doc, CKBXDatum date, const char* kind, const std::string& amount,
          const std::string& security = "",
          KontobewegungForm::BookTo bookTo = KontobewegungForm::kDividende) {
  KontobewegungForm dlg(doc);
  dlg.SetDate(date);
  ASSERT_TRUE(dlg.SetKindByName(kind)) << kind;
  dlg.amountText = amount;
  dlg.LeaveAmount();
  if (!security.empty()) {
    dlg.SetRelation(true);
    dlg.ChooseName(security);
    dlg.SetBookTo(bookTo);
  }
  ScriptedPrompter prompter;
  ASSERT_TRUE(dlg.OnOK(prompter)) << prompter.Last();
  dlg.Book(doc);
}

void Price(CKapibuchDoc& doc, const std::string& name, const std::string& wkn, CKBXDatum day,
           std::int32_t cents) {
  ASSERT_TRUE(doc.Apply(PriceChange("Kurs", {{name, wkn, day, cents}})));
}

std::vector<std::string> IncomeCells(const views::Table& t, std::size_t row) {
  return {t.cells[row][kIncome], t.cells[row][kIncomePercent], t.cells[row][kGainWithIncome],
          t.cells[row][kGainWithIncomePercent]};
}

}  // namespace

TEST(HoldingsIncome, DmPortfolio) {
  auto doc = DmPortfolio();  // kept in DM, never switched
  doc->settings.general.percentDecimals = 2;
  doc->settings.holdings.sortKey = 0;  // rows by name

  Buy(*doc, Day(1, 2, 2000), "Alpha", "A", "10", "50 DM", "10 DM");  // 510,00 DM
  Buy(*doc, Day(1, 3, 2000), "Alpha", "A", "30", "40 DM");           // 1.200,00 DM
  Buy(*doc, Day(1, 2, 2000), "Beta", "B", "20", "25 DM");            // 500,00 DM
  // Alpha: 60,00 DM dividend less 12,00 DM tax, 10:30 over the two positions.
  Move(*doc, Day(15, 5, 2000), "Dividenden-Gutschrift", "60", "Alpha");
  Move(*doc, Day(15, 5, 2000), "Steuern", "12", "Alpha");
  // Beta: 25,55 DM income; a cost of 5,00 DM booked to the purchase price is no income.
  Move(*doc, Day(20, 5, 2000), "Ausschüttung", "25,55", "Beta");
  Move(*doc, Day(20, 5, 2000), "Sonstige Kosten", "5", "Beta", KontobewegungForm::kKaufpreis);
  // Interest belongs to no security.
  Move(*doc, Day(25, 5, 2000), "Zinserträge (Haben-Zins)", "100");
  Price(*doc, "Alpha", "A", Day(1, 6, 2000), 2500);  // Beta has no price: 25 DM = 12,7823 -> 12,78 EUR

  const CKBXDatum day = Day(30, 6, 2000);
  std::vector<HoldingsRow> rows;
  views::BuildHoldingsRows(day, rows, *doc, true);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].income, (SplitAmount{0, 4800}));  // 15,00 - 3,00 + 45,00 - 9,00 DM
  EXPECT_EQ(rows[1].income, (SplitAmount{0, 2555}));
  EXPECT_EQ(rows[2].income, (SplitAmount{0, 7355}));

  // The columns in EUR. Alpha: cost 1.710,00 DM = 874,3091 -> 874,31 EUR, value 40 x 25,00 =
  // 1.000,00, income 48,00 DM = 24,5420 -> 24,54; 24,54 / 874,31 = 2,807 %;
  // 1.000,00 + 24,54 - 874,31 = 150,23; 1.024,54 / 874,31 = +17,183 %.
  // Beta: cost 505,00 DM = 258,2024 -> 258,20, value 20 x 12,78 = 255,60, income 25,55 DM =
  // 13,0635 -> 13,06; 13,06 / 258,20 = 5,058 %; 255,60 + 13,06 - 258,20 = 10,46; +4,051 %.
  // Summe: cost 2.215,00 DM = 1.132,5115 -> 1.132,51, value 1.255,60, income 73,55 DM =
  // 37,6055 -> 37,61 (not 24,54 + 13,06 = 37,60); 37,61 / 1.132,51 = 3,321 %;
  // 1.255,60 + 37,61 - 1.132,51 = 160,70; 1.293,21 / 1.132,51 = +14,190 %.
  views::Table t = views::HoldingsTable(*doc, day, rows);
  EXPECT_EQ(t.captions[kIncome], "Dividende\nin EUR");
  EXPECT_EQ(IncomeCells(t, 0), (std::vector<std::string>{"24,54", "2,81%", "150,23", "+17,18%"}));
  EXPECT_EQ(IncomeCells(t, 1), (std::vector<std::string>{"13,06", "5,06%", "10,46", "+4,05%"}));
  EXPECT_EQ(t.cells[2][0], "Summe");
  EXPECT_EQ(IncomeCells(t, 2), (std::vector<std::string>{"37,61", "3,32%", "160,70", "+14,19%"}));
  EXPECT_EQ(rows[0].shownIncome, 2454);
  EXPECT_EQ(rows[0].shownGainWithIncome, 15023);
  EXPECT_NEAR(rows[0].incomePercent, 2454.0 * 100 / 87431, 1e-9);

  // The income column in DM: the DM income as booked. The other column stays in EUR.
  doc->settings.holdings.columnCurrencies[5] = 1;
  views::BuildHoldingsRows(day, rows, *doc, true);
  t = views::HoldingsTable(*doc, day, rows);
  EXPECT_EQ(t.captions[kIncome], "Dividende\nin DM");
  EXPECT_EQ(t.captions[kGainWithIncome], "G/V inkl. Div.\nin EUR");
  EXPECT_EQ(IncomeCells(t, 0), (std::vector<std::string>{"48,00", "2,81%", "150,23", "+17,18%"}));
  EXPECT_EQ(IncomeCells(t, 1), (std::vector<std::string>{"25,55", "5,06%", "10,46", "+4,05%"}));
  EXPECT_EQ(IncomeCells(t, 2), (std::vector<std::string>{"73,55", "3,32%", "160,70", "+14,19%"}));

  // The gain with income in DM, the value converted: 1.000,00 EUR = 1.955,83 DM,
  // 255,60 EUR = 499,9101 -> 499,91 DM, 1.255,60 EUR = 2.455,7403 -> 2.455,74 DM.
  // Alpha 48,00 + 1.955,83 - 1.710,00 = 293,83; Beta 25,55 + 499,91 - 505,00 = 20,46;
  // Summe 73,55 + 2.455,74 - 2.215,00 = 314,29. The percentages stay those of the EUR figures.
  doc->settings.holdings.columnCurrencies[5] = 0;
  doc->settings.holdings.columnCurrencies[6] = 1;
  views::BuildHoldingsRows(day, rows, *doc, true);
  t = views::HoldingsTable(*doc, day, rows);
  EXPECT_EQ(t.captions[kIncome], "Dividende\nin EUR");
  EXPECT_EQ(t.captions[kGainWithIncome], "G/V inkl. Div.\nin DM");
  EXPECT_EQ(IncomeCells(t, 0), (std::vector<std::string>{"24,54", "2,81%", "293,83", "+17,18%"}));
  EXPECT_EQ(IncomeCells(t, 1), (std::vector<std::string>{"13,06", "5,06%", "20,46", "+4,05%"}));
  EXPECT_EQ(IncomeCells(t, 2), (std::vector<std::string>{"37,61", "3,32%", "314,29", "+14,19%"}));

  // Positions apart: Alpha's first holds 15,00 - 3,00 = 12,00 DM (6,1355 -> 6,14 EUR), its
  // second 45,00 - 9,00 = 36,00 DM (18,4065 -> 18,41 EUR).
  doc->settings.holdings.columnCurrencies[6] = 0;
  views::BuildHoldingsRows(day, rows, *doc, false);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].income, (SplitAmount{0, 1200}));
  EXPECT_EQ(rows[0].shownIncome, 614);
  EXPECT_EQ(rows[1].income, (SplitAmount{0, 3600}));
  EXPECT_EQ(rows[1].shownIncome, 1841);
  EXPECT_EQ(rows[3].shownIncome, 3761);  // the sums row does not depend on merging
}

TEST(HoldingsIncome, EuroPortfolio) {
  auto doc = EuroPortfolio();  // kept in EUR from 01.01.2000
  doc->settings.general.percentDecimals = 2;
  doc->settings.holdings.sortKey = 0;
  Buy(*doc, Day(1, 2, 2001), "Delta", "D", "10", "8");          // 80,00
  Buy(*doc, Day(1, 2, 2001), "Gamma", "G", "4", "25", "2,50");  // 102,50
  Move(*doc, Day(2, 5, 2001), "Dividenden-Gutschrift", "3,60", "Gamma");
  Move(*doc, Day(2, 5, 2001), "Steuern", "0,95", "Gamma");  // booked as -0,95
  Move(*doc, Day(3, 5, 2001), "Coupon-Gutschrift", "1,24", "Delta");
  Move(*doc, Day(3, 5, 2001), "Limit-Gebühren", "0,40", "Delta");
  Move(*doc, Day(4, 5, 2001), "Sonstige Erträge", "9,99", "Delta", KontobewegungForm::kVerkaufserloes);
  Price(*doc, "Delta", "D", Day(1, 6, 2001), 750);
  Price(*doc, "Gamma", "G", Day(1, 6, 2001), 2700);

  const CKBXDatum day = Day(30, 6, 2001);
  std::vector<HoldingsRow> rows;
  views::BuildHoldingsRows(day, rows, *doc, true);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].income, (SplitAmount{84, 0}));   // 1,24 - 0,40; the proceeds are no income
  EXPECT_EQ(rows[1].income, (SplitAmount{265, 0}));  // 3,60 - 0,95

  // Delta: cost 80,00, value 10 x 7,50 = 75,00, income 0,84; 0,84 / 80,00 = 1,05 %;
  // 75,00 + 0,84 - 80,00 = -4,16; 75,84 / 80,00 = -5,20 %.
  // Gamma: cost 102,50, value 4 x 27,00 = 108,00, income 2,65; 2,65 / 102,50 = 2,585 %;
  // 108,00 + 2,65 - 102,50 = 8,15; 110,65 / 102,50 = +7,951 %.
  // Summe: cost 182,50, value 183,00, income 3,49; 1,912 %; 3,99; 186,49 / 182,50 = +2,186 %.
  views::Table t = views::HoldingsTable(*doc, day, rows);
  EXPECT_EQ(IncomeCells(t, 0), (std::vector<std::string>{"0,84", "1,05%", "-4,16", "-5,20%"}));
  EXPECT_EQ(IncomeCells(t, 1), (std::vector<std::string>{"2,65", "2,59%", "8,15", "+7,95%"}));
  EXPECT_EQ(IncomeCells(t, 2), (std::vector<std::string>{"3,49", "1,91%", "3,99", "+2,19%"}));
  EXPECT_EQ(t.loss, (std::vector<bool>{true, false, false}));  // by the gain without income

  // In DM every EUR amount is converted on its own, then added up:
  // Delta 0,84 EUR = 1,6429 -> 1,64 DM; 75,00 = 146,6873 -> 146,69; 80,00 = 156,4664 -> 156,47;
  //   1,64 + 146,69 - 156,47 = -8,14.
  // Gamma 2,65 EUR = 5,1829 -> 5,18 DM; 108,00 = 211,2296 -> 211,23; 102,50 = 200,4726 -> 200,47;
  //   5,18 + 211,23 - 200,47 = 15,94.
  // Summe 3,49 EUR = 6,8258 -> 6,83 DM (not 1,64 + 5,18); 183,00 = 357,9169 -> 357,92;
  //   182,50 = 356,9390 -> 356,94; 6,83 + 357,92 - 356,94 = 7,81.
  doc->settings.holdings.columnCurrencies[5] = 1;
  doc->settings.holdings.columnCurrencies[6] = 1;
  views::BuildHoldingsRows(day, rows, *doc, true);
  t = views::HoldingsTable(*doc, day, rows);
  EXPECT_EQ(IncomeCells(t, 0), (std::vector<std::string>{"1,64", "1,05%", "-8,14", "-5,20%"}));
  EXPECT_EQ(IncomeCells(t, 1), (std::vector<std::string>{"5,18", "2,59%", "15,94", "+7,95%"}));
  EXPECT_EQ(IncomeCells(t, 2), (std::vector<std::string>{"6,83", "1,91%", "7,81", "+2,19%"}));
}

TEST(HoldingsIncome, DmPositionWithIncomeOnBothSidesOfTheSwitch) {
  auto doc = DmPortfolio();
  doc->settings.general.percentDecimals = 2;
  Buy(*doc, Day(1, 2, 2000), "Alpha", "A", "10", "100 DM");              // 1.000,00 DM
  Move(*doc, Day(15, 5, 2001), "Dividenden-Gutschrift", "20", "Alpha");  // 20,00 DM
  ASSERT_TRUE(doc->Apply(CurrencySwitchChange(Day(1, 1, 2002))));
  Move(*doc, Day(15, 5, 2002), "Dividenden-Gutschrift", "12", "Alpha");  // 12,00 EUR
  Move(*doc, Day(15, 5, 2002), "Steuern", "3", "Alpha");                 // -3,00 EUR
  Price(*doc, "Alpha", "A", Day(1, 6, 2002), 5500);

  const CKBXDatum day = Day(30, 6, 2002);
  std::vector<HoldingsRow> rows;
  views::BuildHoldingsRows(day, rows, *doc, true);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].income, (SplitAmount{900, 2000}));  // each part kept in its currency

  // In EUR: 20,00 DM = 10,2258 -> 10,23, + 9,00 = 19,23; cost 1.000,00 DM = 511,2919 -> 511,29;
  // 19,23 / 511,29 = 3,761 %; 550,00 + 19,23 - 511,29 = 57,94; 569,23 / 511,29 = +11,332 %.
  views::Table t = views::HoldingsTable(*doc, day, rows);
  EXPECT_EQ(IncomeCells(t, 0), (std::vector<std::string>{"19,23", "3,76%", "57,94", "+11,33%"}));
  EXPECT_EQ(IncomeCells(t, 1), IncomeCells(t, 0));  // the sums of the one position

  // In DM: 9,00 EUR = 17,6025 -> 17,60, + 20,00 = 37,60; 550,00 EUR = 1.075,7065 -> 1.075,71;
  // 37,60 + 1.075,71 - 1.000,00 = 113,31.
  doc->settings.holdings.columnCurrencies[5] = 1;
  doc->settings.holdings.columnCurrencies[6] = 1;
  views::BuildHoldingsRows(day, rows, *doc, true);
  t = views::HoldingsTable(*doc, day, rows);
  EXPECT_EQ(IncomeCells(t, 0), (std::vector<std::string>{"37,60", "3,76%", "113,31", "+11,33%"}));
}
