#include <gtest/gtest.h>

#include <algorithm>

#include "forms/KontobewegungForm.h"
#include "forms/ZuordnenForm.h"
#include "tests/forms/FormsTestUtil.h"

using namespace testutil;
using forms::Field;

namespace {

KontobewegungForm Movement(CKapibuchDoc& doc, CKBXDatum date, const char* kind, const std::string& amount) {
  KontobewegungForm dlg(doc);
  dlg.SetDate(date);
  EXPECT_TRUE(dlg.SetKindByName(kind));
  dlg.amountText = amount;
  dlg.LeaveAmount();
  return dlg;
}

void Book(CKapibuchDoc& doc, KontobewegungForm& dlg) {
  ScriptedPrompter prompter;
  ASSERT_TRUE(dlg.OnOK(prompter)) << prompter.Last();
  dlg.Book(doc);
}

}  // namespace

TEST(KontobewegungForm, KindsAreSortedAndSignsForced) {
  const auto& kinds = KontobewegungForm::Kinds();
  ASSERT_EQ(kinds.size(), 14u);
  EXPECT_STREQ(kinds.front().name, "Ausschüttung");
  EXPECT_STREQ(kinds.back().name, "Zinskosten (Soll-Zins)");

  auto doc = DmPortfolio();
  KontobewegungForm tax = Movement(*doc, Day(1, 2, 1999), "Steuern", "100");
  EXPECT_EQ(tax.amountText, "-100,00 DM");
  Book(*doc, tax);
  KontobewegungForm deposit = Movement(*doc, Day(1, 2, 1999), "Kapitaleinlage", "-100");
  EXPECT_EQ(deposit.amountText, "100,00 DM");
  deposit.text = "Einzahlung";
  Book(*doc, deposit);
  const auto& t = doc->Account().Transactions();
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0]->amountDm, -10000);
  EXPECT_EQ(t[0]->kind, 26);
  EXPECT_EQ(t[1]->amountDm, 10000);
  EXPECT_EQ(t[1]->positionNumber, -1);
  EXPECT_EQ(t[1]->text, "Einzahlung");
  EXPECT_EQ(doc->Account().CapitalOn(Day(1, 2, 1999), kDm), 1010000);
}

TEST(KontobewegungForm, AmountsFollowTheAccountCurrencyOfTheDay) {
  auto doc = DmPortfolio();
  doc->Account().SwitchToEur(Day(1, 1, 2002));
  KontobewegungForm after = Movement(*doc, Day(2, 1, 2002), "Dividenden-Gutschrift", "19,5583 DM");
  EXPECT_EQ(after.amountText, "10,00 EUR");
  EXPECT_EQ(after.AmountCurrency(), kEur);
  KontobewegungForm plain = Movement(*doc, Day(2, 1, 2002), "Zinserträge (Haben-Zins)", "5");
  EXPECT_EQ(plain.amountText, "5,00 EUR");
  KontobewegungForm before = Movement(*doc, Day(31, 12, 2001), "Zinserträge (Haben-Zins)", "5");
  EXPECT_EQ(before.amountText, "5,00 DM");
  KontobewegungForm euroBefore = Movement(*doc, Day(31, 12, 2001), "Zinserträge (Haben-Zins)", "1 EUR");
  EXPECT_EQ(euroBefore.amountText, "1,96 DM");

  KontobewegungForm bad = Movement(*doc, Day(2, 1, 2002), "Steuern", "zehn");
  ScriptedPrompter prompter;
  EXPECT_FALSE(bad.OnOK(prompter));
  EXPECT_EQ(prompter.Last(), "Bitte geben Sie einen korrekten Betrag ein!");
  EXPECT_EQ(prompter.messages.back().caption, "Kontobewegung");
  EXPECT_EQ(bad.Focus(), Field::Amount);
}

TEST(KontobewegungForm, ADividendDividedOverThePositions) {
  auto doc = DmPortfolio();
  doc->Account().SwitchToEur(Day(1, 1, 2002));
  Buy(*doc, Day(1, 2, 2003), "Div AG", "D", "10", "1");
  Buy(*doc, Day(1, 3, 2003), "Div AG", "D", "20", "1");
  Buy(*doc, Day(1, 4, 2003), "Div AG", "D", "10", "1");
  Buy(*doc, Day(1, 5, 2003), "Div AG", "D", "99", "1");  // bought after the dividend day

  KontobewegungForm dlg = Movement(*doc, Day(15, 4, 2003), "Dividenden-Gutschrift", "100");
  EXPECT_TRUE(dlg.RelationEnabled());
  dlg.SetRelation(true);
  dlg.ChooseName("Div AG");
  EXPECT_EQ(dlg.Wkn(), "D");
  EXPECT_TRUE(dlg.AutoAssignEnabled());
  ASSERT_EQ(dlg.Rows().size(), 4u);
  EXPECT_EQ(dlg.Rows()[0].share, "25,00%");
  EXPECT_EQ(dlg.Rows()[1].share, "50,00%");
  EXPECT_EQ(dlg.Rows()[2].share, "25,00%");
  EXPECT_EQ(dlg.Rows()[3].share, "0,00%");
  EXPECT_EQ(dlg.Rows()[0].saleDate, "-");
  Book(*doc, dlg);
  const auto& ps = doc->Positions();
  EXPECT_EQ(ps[0]->dividendEur, 2500);
  EXPECT_EQ(ps[1]->dividendEur, 5000);
  EXPECT_EQ(ps[2]->dividendEur, 2500);
  EXPECT_EQ(ps[3]->dividendEur, 0);
  const auto& t = doc->Account().Transactions();
  const auto dividend = std::find_if(t.begin(), t.end(), [](const auto& x) { return x->kind == 11; });
  ASSERT_NE(dividend, t.end());
  EXPECT_EQ((*dividend)->amountEur, 10000);

  // A cost booked under "Kaufpreis" raises the purchase costs by the amount in total.
  const std::int64_t before = ps[0]->costEur + ps[1]->costEur + ps[2]->costEur;
  KontobewegungForm cost = Movement(*doc, Day(15, 4, 2003), "Sonstige Kosten", "-5");
  cost.SetRelation(true);
  cost.ChooseWkn("D");
  cost.SetBookTo(KontobewegungForm::kKaufpreis);
  Book(*doc, cost);
  EXPECT_EQ(ps[0]->costEur + ps[1]->costEur + ps[2]->costEur, before + 500);

  // Three equal parts that do not divide evenly still add up.
  KontobewegungForm odd = Movement(*doc, Day(15, 4, 2003), "Sonstige Erträge", "1");
  odd.SetRelation(true);
  odd.ChooseName("Div AG");
  odd.SetAutoAssign(false);
  ScriptedPrompter zuordnen;
  odd.Zuordnen([&zuordnen](ZuordnenForm& z) {
    z.quantityText = "10";
    return z.OnOK(zuordnen);
  });
  EXPECT_EQ(odd.Rows()[3].share, "25,00%");
  odd.SetBookTo(KontobewegungForm::kVerkaufserloes);
  Book(*doc, odd);
  std::int64_t proceeds = 0;
  for (const auto& p : ps) proceeds += p->proceedsEur;
  EXPECT_EQ(proceeds, 100);
}

TEST(KontobewegungForm, RelationChecksAndKindsWithoutRelation) {
  auto doc = DmPortfolio();
  Buy(*doc, Day(1, 2, 2000), "Div AG", "D", "10", "1");
  Buy(*doc, Day(1, 3, 2000), "Div AG", "D", "10", "1");

  // Before any purchase nothing is assigned.
  KontobewegungForm early = Movement(*doc, Day(15, 1, 2000), "Dividenden-Gutschrift", "100");
  early.SetRelation(true);
  ScriptedPrompter prompter;
  EXPECT_FALSE(early.OnOK(prompter));
  EXPECT_EQ(prompter.Last(), "Bitte wählen Sie ein Wertpapier aus!");
  EXPECT_EQ(early.Focus(), Field::Name);
  early.ChooseName("Div AG");
  EXPECT_FALSE(early.OnOK(prompter));
  EXPECT_EQ(prompter.Last(), "Bitte ordnen Sie den Betrag den Wertpapierpositionen zu!");
  EXPECT_EQ(early.Focus(), Field::Allocate);

  // A kind without relation ignores the box; no position sum changes.
  early.SetKindByName("Zinserträge (Haben-Zins)");
  EXPECT_FALSE(early.RelationEnabled());
  EXPECT_FALSE(early.RelationActive());
  EXPECT_FALSE(early.AutoAssignEnabled());
  Book(*doc, early);
  for (const auto& p : doc->Positions()) EXPECT_EQ(p->dividendDm, 0);

  // Sold positions take part from purchase day to sale day.
  doc->MutablePositions()[0]->state = CKBXAktie::kSold;
  doc->MutablePositions()[0]->saleDate = Day(1, 4, 2000);
  KontobewegungForm later = Movement(*doc, Day(2, 4, 2000), "Dividenden-Gutschrift", "100");
  later.SetRelation(true);
  later.ChooseName("Div AG");
  EXPECT_EQ(later.Rows()[0].share, "0,00%");
  EXPECT_EQ(later.Rows()[1].share, "100,00%");
  EXPECT_EQ(later.Rows()[0].saleDate, "01.04.2000");

  ZuordnenForm z;
  z.held = QuantityOf(10, 0);
  z.quantityText = "12";
  z.LeaveQuantity();
  EXPECT_EQ(z.quantityText, "10");
  z.quantityText = "?";
  ScriptedPrompter p2;
  EXPECT_FALSE(z.OnOK(p2));
  EXPECT_EQ(p2.Last(), "Bitte geben Sie eine korrekte Stückzahl ein!");
  EXPECT_EQ(p2.messages.back().caption, "Zuordnen");
}
