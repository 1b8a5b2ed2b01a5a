#include <gtest/gtest.h>

#include "forms/AufteilenForm.h"
#include "forms/KontobewegungForm.h"
#include "forms/VerkaufForm.h"
#include "forms/ZuordnenForm.h"
#include "tests/forms/FormsTestUtil.h"
#include "tests/support/ByteDiff.h"

using namespace testutil;
using forms::Field;

namespace {

// Positions of 10, 20 and 30 shares on three days, each with a commission and a dividend.
std::unique_ptr<CKapibuchDoc> ThreePositions() {
  auto doc = DmPortfolio();
  Buy(*doc, Day(1, 2, 2000), "Aktie", "A1", "10", "10", "1");
  Buy(*doc, Day(1, 3, 2000), "Aktie", "A1", "20", "10", "2");
  Buy(*doc, Day(1, 4, 2000), "Aktie", "A1", "30", "10", "3");
  doc->MutablePositions()[1]->dividendEur = 1001;
  doc->MutablePositions()[1]->dividendDm = -7;
  return doc;
}

VerkaufForm Sale(CKapibuchDoc& doc, const std::string& qty, const std::string& name = "Aktie") {
  VerkaufForm dlg(doc);
  dlg.SetDate(Day(1, 6, 2000));
  dlg.ChooseName(name);
  dlg.quantityText = qty;
  dlg.LeaveQuantity();
  dlg.priceText = "12";
  dlg.LeavePrice();
  dlg.commissionText = "10";
  dlg.LeaveCommission();
  return dlg;
}

}  // namespace

TEST(VerkaufForm, OldestPositionsFirstAndAPartialSaleSplits) {
  auto doc = ThreePositions();
  VerkaufForm dlg = Sale(*doc, "25");
  EXPECT_EQ(dlg.Wkn(), "A1");
  ASSERT_EQ(dlg.Rows().size(), 3u);
  EXPECT_EQ(dlg.Rows()[1].sell, "15");
  EXPECT_EQ(dlg.Rows()[2].sell, "0");
  EXPECT_EQ(dlg.Rows()[0].purchasePrice, "10,00 EUR");
  ScriptedPrompter prompter;
  ASSERT_TRUE(dlg.OnOK(prompter));
  dlg.Book(*doc);

  const auto& ps = doc->Positions();
  ASSERT_EQ(ps.size(), 4u);
  EXPECT_EQ(ps[0]->state, CKBXAktie::kSold);
  EXPECT_EQ(ps[0]->Quantity(), QuantityOf(10, 0));
  const CKBXAktie& sold = *ps[1];
  const CKBXAktie& rest = *ps[2];
  EXPECT_EQ(sold.number, 2);
  EXPECT_EQ(sold.state, CKBXAktie::kSold);
  EXPECT_EQ(sold.Quantity(), QuantityOf(15, 0));
  EXPECT_EQ(rest.number, 4);  // the next number
  EXPECT_EQ(doc->LastPositionNumber(), 4);
  EXPECT_EQ(rest.state, CKBXAktie::kOpen);
  EXPECT_EQ(rest.Quantity(), QuantityOf(5, 0));
  EXPECT_EQ(rest.purchaseDate, sold.purchaseDate);
  // 15:5 with exact totals: cost 202,00 EUR, commission 2,00, dividends 10,01 EUR and -0,07 DM.
  EXPECT_EQ(sold.costEur, 15150);
  EXPECT_EQ(rest.costEur, 5050);
  EXPECT_EQ(sold.purchaseCommission + rest.purchaseCommission, 200);
  EXPECT_EQ(sold.purchaseCommission, 150);
  EXPECT_EQ(sold.dividendEur, 751);
  EXPECT_EQ(rest.dividendEur, 250);
  EXPECT_EQ(sold.dividendDm + rest.dividendDm, -7);
  EXPECT_EQ(sold.dividendDm, -5);
  // Commission 10,00 divided 10:15; proceeds = value - commission share.
  EXPECT_EQ(ps[0]->saleCommission, 400);
  EXPECT_EQ(sold.saleCommission, 600);
  EXPECT_EQ(ps[0]->proceedsEur, 12000 - 400);
  EXPECT_EQ(sold.proceedsEur, 18000 - 600);
  EXPECT_EQ(sold.saleDate, Day(1, 6, 2000));
  // One "Verkauf" transaction for the whole sale, with the first position's number.
  const auto& t = *doc->Account().Transactions().back();
  EXPECT_EQ(t.kind, 2);
  EXPECT_EQ(t.positionNumber, 1);
  EXPECT_EQ(t.text, "25 St. Aktie");
  EXPECT_EQ(t.amountDm, 56719);  // 290,00 EUR x 1,95583 = 567,1907 DM
}

TEST(VerkaufForm, ManualAllocationOffersTheAllowedRange) {
  auto doc = ThreePositions();
  VerkaufForm dlg = Sale(*doc, "25");
  EXPECT_TRUE(dlg.AutoAllocateEnabled());
  EXPECT_FALSE(dlg.SplitEnabled());
  dlg.SetAutoAllocate(false);
  EXPECT_TRUE(dlg.SplitEnabled());

  std::vector<std::pair<std::int64_t, std::int64_t>> offered;
  const std::vector<std::string> typed = {"0", "20", "5"};
  std::size_t i = 0;
  ScriptedPrompter prompter;
  dlg.Aufteilen(prompter, [&](AufteilenForm& a) {
    offered.emplace_back(a.lowest / kQuantityUnit, a.highest / kQuantityUnit);
    if (i == 0) {
      EXPECT_EQ(a.RangeText(), "mindestens 0 Stück\nhöchstens 10 Stück");
      EXPECT_EQ(a.quantityText, "10");
    }
    a.quantityText = typed[i++];
    return a.OnOK(prompter);
  });
  EXPECT_EQ(offered, (std::vector<std::pair<std::int64_t, std::int64_t>>{{0, 10}, {0, 20}, {5, 5}}));
  EXPECT_EQ(dlg.Rows()[1].sell, "20");
  ASSERT_TRUE(dlg.OnOK(prompter));
  dlg.Book(*doc);
  EXPECT_EQ(doc->Positions()[0]->state, CKBXAktie::kOpen);
  EXPECT_EQ(doc->Positions()[1]->state, CKBXAktie::kSold);

  // Aufteilen itself: values are clamped; a bad text is refused.
  AufteilenForm a;
  a.lowest = QuantityOf(5, 0);
  a.highest = QuantityOf(8, 0);
  a.quantityText = "99";
  a.LeaveQuantity();
  EXPECT_EQ(a.quantityText, "8");
  a.quantityText = "1";
  ScriptedPrompter p2;
  ASSERT_TRUE(a.OnOK(p2));
  EXPECT_EQ(a.Chosen(), QuantityOf(5, 0));
  a.quantityText = "x";
  EXPECT_FALSE(a.OnOK(p2));
  EXPECT_EQ(p2.Last(), "Bitte geben Sie eine korrekte Stückzahl ein!");
  EXPECT_EQ(p2.messages.back().caption, "Aufteilen");
}

TEST(VerkaufForm, CommissionsAddUpExactly) {
  for (const char* commission : {"10", "-10"}) {
    auto doc = DmPortfolio();
    for (int i = 0; i < 3; ++i) Buy(*doc, Day(1, 2, 2000), "X", "1", "1", "5");
    VerkaufForm dlg = Sale(*doc, "3", "X");
    dlg.commissionText = commission;
    ScriptedPrompter prompter;
    ASSERT_TRUE(dlg.OnOK(prompter));
    dlg.Book(*doc);
    const int sign = commission[0] == '-' ? -1 : 1;
    EXPECT_EQ(doc->Positions()[0]->saleCommission, sign * 333);
    EXPECT_EQ(doc->Positions()[1]->saleCommission, sign * 333);
    EXPECT_EQ(doc->Positions()[2]->saleCommission, sign * 334);
  }
}

TEST(VerkaufForm, ChecksAndEnabling) {
  auto doc = ThreePositions();
  Buy(*doc, Day(1, 2, 2000), "Einzel", "E1", "2", "5");
  VerkaufForm dlg(*doc);
  dlg.SetDate(Day(1, 6, 2000));
  EXPECT_EQ(dlg.NameList(), (std::vector<std::string>{"Aktie", "Einzel"}));
  struct Step {
    std::function<void()> act;
    const char* message;
    Field focus;
  };
  const Step steps[] = {
      {[] {}, "Bitte wählen Sie eine Wertpapierbezeichnung aus!", Field::Name},
      {[&] { dlg.ChooseName("Einzel"); }, "Bitte geben Sie eine korrekte Stückzahl ein!", Field::Quantity},
      {[&] { dlg.quantityText = "0"; }, "Bitte geben Sie eine positive Stückzahl ein!", Field::Quantity},
      {[&] { dlg.quantityText = "3"; }, "So viele Wertpapiere befinden sich nicht im Depot!",
       Field::Quantity},
      {[&] {
         dlg.quantityText = "2,5";
         dlg.LeaveQuantity();
       },
       "Bitte geben Sie einen korrekten Verkaufkurs ein!", Field::Price},
      {[&] { dlg.priceText = "5"; }, "Bitte geben Sie einen Wert für die Transaktionskosten ein!",
       Field::Commission},
  };
  for (const Step& step : steps) {
    step.act();
    ScriptedPrompter prompter;
    EXPECT_FALSE(dlg.OnOK(prompter)) << step.message;
    EXPECT_EQ(prompter.Last(), step.message);
    EXPECT_EQ(prompter.messages.back().caption, "Verkauf");
    EXPECT_EQ(dlg.Focus(), step.focus) << step.message;
  }
  EXPECT_EQ(dlg.quantityText, "2");         // lowered to what the candidates hold
  EXPECT_FALSE(dlg.AutoAllocateEnabled());  // one candidate
  EXPECT_FALSE(dlg.SplitEnabled());

  // Manual allocation left incomplete: 0 from the first, then "Abbrechen" (the others keep
  // what the automatic allocation gave them: 15 and 0).
  VerkaufForm manual = Sale(*doc, "25");
  manual.SetAutoAllocate(false);
  ScriptedPrompter prompter;
  bool first = true;
  manual.Aufteilen(prompter, [&](AufteilenForm& a) {
    if (!first) return false;
    first = false;
    a.quantityText = "0";
    return a.OnOK(prompter);
  });
  EXPECT_FALSE(manual.OnOK(prompter));
  EXPECT_EQ(prompter.Last(), "Bitte teilen Sie die verkauften Stücke auf die verschiedenen Positionen auf!");
  EXPECT_EQ(manual.Focus(), Field::Allocate);
  EXPECT_EQ(manual.Rows()[0].sell, "");

  // A day before every purchase: nothing to sell.
  manual.SetDate(Day(1, 1, 2000));
  EXPECT_TRUE(manual.NameList().empty());
  EXPECT_EQ(manual.Name(), "");
  EXPECT_FALSE(manual.OnOK(prompter));
  EXPECT_EQ(prompter.Last(),
            "An diesem Tag befinden sich keine Wertpapiere im Depot, die verkauft werden können!");
  EXPECT_EQ(manual.Focus(), Field::Date);
}

TEST(VerkaufForm, FractionalSalesAndDisplayCurrency) {
  auto doc = DmPortfolio();
  Buy(*doc, Day(1, 2, 2000), "F", "1", "3", "19,5583 DM");
  Buy(*doc, Day(1, 3, 2000), "F", "1", "1,25", "10");
  VerkaufForm dlg = Sale(*doc, "3,5", "F");
  EXPECT_EQ(dlg.Rows()[0].quantity, "3,00");
  EXPECT_EQ(dlg.Rows()[1].quantity, "1,25");
  EXPECT_EQ(dlg.Rows()[0].sell, "3,0");
  EXPECT_EQ(dlg.Rows()[1].sell, "0,5");
  EXPECT_EQ(dlg.Rows()[0].purchasePrice, "10,00 EUR");  // 19,55 DM shown in euro
  dlg.SetDisplayCurrency(VerkaufForm::kAsStored);
  EXPECT_EQ(dlg.Rows()[0].purchasePrice, "19,55 DM");
  dlg.SetDisplayCurrency(VerkaufForm::kShowDm);
  EXPECT_EQ(dlg.Rows()[1].purchasePrice, "19,56 DM");
}

// The lists offer the open positions only: choosing a name selects the WKN/Kürzel of its
// last listed position, and a pair is chosen only when a listed position carries it.
TEST(VerkaufForm, ChoicesComeFromTheListedPositions) {
  auto doc = ThreePositions();
  Buy(*doc, Day(1, 5, 2000), "Aktie", "A2", "5", "10");
  VerkaufForm sold = Sale(*doc, "5");
  sold.SetAutoAllocate(false);
  ScriptedPrompter prompter;
  sold.Aufteilen(prompter, [&](AufteilenForm& a) {
    a.quantityText = a.runningNumber == 4 ? "5" : "0";
    return a.OnOK(prompter);
  });
  ASSERT_TRUE(sold.OnOK(prompter));
  sold.Book(*doc);  // A2 is sold now; A1 remains

  VerkaufForm dlg(*doc);
  dlg.SetDate(Day(1, 6, 2000));
  dlg.ChooseName("Aktie");
  EXPECT_EQ(dlg.Wkn(), "A1");
  dlg.ChooseSecurity("Aktie", "A2");
  EXPECT_EQ(dlg.Name(), "Aktie");
  EXPECT_EQ(dlg.Wkn(), "");
  dlg.ChooseSecurity("Aktie", "A1");
  EXPECT_EQ(dlg.Wkn(), "A1");
  dlg.ChooseWkn("A1");
  EXPECT_EQ(dlg.Name(), "Aktie");
}

// Shares bought on the sale's day can be sold that day: their position is offered with
// those bought before, and the allocation reaches it.
TEST(VerkaufForm, APositionBoughtOnTheSaleDayIsOffered) {
  auto doc = ThreePositions();
  VerkaufForm dlg = Sale(*doc, "30");
  dlg.SetDate(Day(1, 3, 2000));  // the second purchase's day
  std::vector<std::string> offered;
  for (const auto& row : dlg.Rows()) offered.push_back(row.purchaseDate + " " + row.quantity);
  EXPECT_EQ(offered, (std::vector<std::string>{"01.02.2000 10", "01.03.2000 20"}));
  ScriptedPrompter prompter;
  ASSERT_TRUE(dlg.OnOK(prompter)) << prompter.Last();
  dlg.Book(*doc);
  EXPECT_EQ(doc->Positions()[1]->state, CKBXAktie::kSold);
  EXPECT_EQ(doc->Positions()[1]->saleDate, Day(1, 3, 2000));
}

// Editing an allocation or an assignment and then cancelling leaves the document as it
// was, to the byte: the forms hold their quantities themselves.
TEST(VerkaufForm, CancelledAllocationsLeaveTheDocumentUntouched) {
  auto doc = ThreePositions();
  doc->SetModified(false);
  const std::vector<std::uint8_t> before = doc->Serialize();
  {
    VerkaufForm dlg = Sale(*doc, "25");
    dlg.SetAutoAllocate(false);
    ScriptedPrompter prompter;
    dlg.Aufteilen(prompter, [&](AufteilenForm& a) {
      a.quantityText = "5";
      return a.OnOK(prompter);
    });
    EXPECT_NE(dlg.Allocation(), std::vector<std::int64_t>(dlg.Candidates().size(), 0));
    // The user presses "Abbrechen": nothing is booked.
  }
  {
    KontobewegungForm dlg(*doc);
    ASSERT_TRUE(dlg.SetKindByName("Dividenden-Gutschrift"));
    dlg.SetRelation(true);
    dlg.ChooseName("Aktie");
    dlg.SetAutoAssign(false);
    dlg.Zuordnen([](ZuordnenForm& z) {
      z.quantityText = "1";
      z.LeaveQuantity();
      return true;
    });
    EXPECT_EQ(dlg.Assignment().front(), QuantityOf(1, 0));
  }
  EXPECT_TRUE(SameBytes(before, doc->Serialize()));
  EXPECT_FALSE(doc->IsModified());
}
