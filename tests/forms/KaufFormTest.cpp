#include <gtest/gtest.h>

#include "forms/KaufForm.h"
#include "tests/forms/FormsTestUtil.h"

using namespace testutil;
using forms::Field;

namespace {

KaufForm Filled(const CKapibuchDoc& doc) {
  KaufForm dlg(doc);
  dlg.date = Day(5, 3, 1999);
  dlg.TypeName("Siemens AG");
  dlg.TypeWkn("723610");
  dlg.quantityText = "10";
  dlg.priceText = "150 DM";
  dlg.commissionText = "15 DM";
  return dlg;
}

}  // namespace

TEST(KaufForm, ChecksInOrderWithMessageAndFocus) {
  auto doc = DmPortfolio();
  struct Case {
    std::function<void(KaufForm&)> spoil;
    const char* message;
    Field focus;
  };
  const Case cases[] = {
      {[](KaufForm& d) { d.name.clear(); },
       "Bitte geben Sie eine Bezeichnung für das gekaufte Wertpapier ein!", Field::Name},
      {[](KaufForm& d) { d.wkn.clear(); },
       "Bitte geben Sie eine Wertpapier-Kennummer bzw. ein Kürzel für das gekaufte Wertpapier ein!",
       Field::Wkn},
      {[](KaufForm& d) { d.quantityText = "1,2,3"; }, "Bitte geben Sie eine korrekte Stückzahl an!",
       Field::Quantity},
      {[](KaufForm& d) { d.quantityText = "0"; }, "Bitte geben Sie eine positive Stückzahl ein!",
       Field::Quantity},
      {[](KaufForm& d) { d.priceText = "DM 12"; }, "Bitte geben Sie einen korrekten Kaufkurs ein!",
       Field::Price},
      {[](KaufForm& d) { d.commissionText = ""; },
       "Bitte geben Sie einen Wert für die Transaktionskosten ein!", Field::Commission},
      {[](KaufForm& d) { d.text = "€ ok, 中 nicht"; },
       "Das Feld \"Text\" enthält Zeichen, die in einer Kapitalbuch-Datei nicht gespeichert werden können. "
       "Bitte "
       "verwenden Sie nur Zeichen des westeuropäischen Zeichensatzes.",
       Field::Text},
      {[](KaufForm& d) { d.priceText = "-1,5"; }, "Bitte geben Sie einen korrekten Kaufkurs ein!",
       Field::Price},
      {[](KaufForm& d) { d.quantityText = "1000000"; },
       "Der Betrag ist zu groß, um in der Datei gespeichert zu werden.", Field::Price},
  };
  for (const Case& c : cases) {
    KaufForm dlg = Filled(*doc);
    c.spoil(dlg);
    ScriptedPrompter prompter;
    EXPECT_FALSE(dlg.OnOK(prompter)) << c.message;
    ASSERT_EQ(prompter.messages.size(), 1u) << c.message;
    EXPECT_EQ(prompter.messages[0].text, c.message);
    EXPECT_EQ(prompter.messages[0].caption, "Kauf");
    EXPECT_EQ(prompter.messages[0].icon, platform::Icon::Information);
    EXPECT_EQ(dlg.Focus(), c.focus) << c.message;
  }
  EXPECT_TRUE(doc->Positions().empty());
}

TEST(KaufForm, ZeroCommissionPassesAndARebateLowersCostAndPayment) {
  auto doc = DmPortfolio();
  KaufForm dlg = Filled(*doc);
  dlg.commissionText = "0";
  ScriptedPrompter prompter;
  ASSERT_TRUE(dlg.OnOK(prompter));
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, forms::kConfirmUndoable);
  EXPECT_EQ(prompter.messages[0].icon, platform::Icon::Question);

  // 1 @ 5,00 with a rebate of 1,00: the position cost 4,00, and 4,00 left the account.
  dlg.quantityText = "1";
  dlg.priceText = "5";
  dlg.commissionText = "-1";
  dlg.LeaveCommission();
  EXPECT_EQ(dlg.commissionText, "-1,00 EUR");
  ASSERT_TRUE(dlg.OnOK(prompter));
  dlg.Book(*doc);
  const CKBXAktie& p = *doc->Positions().front();
  EXPECT_EQ(p.Cost(), (SplitAmount{400, 0}));
  EXPECT_EQ(doc->Account().Transactions().front()->amountEur, -400);
}

TEST(KaufForm, BookingADmPriceWithAEuroCommission) {
  auto doc = DmPortfolio();
  KaufForm dlg = Filled(*doc);
  dlg.quantityText = "10,50";
  dlg.LeaveQuantity();
  EXPECT_EQ(dlg.quantityText, "10,5");
  dlg.priceText = "1.2,50DM";  // dots are ignored
  dlg.LeavePrice();
  EXPECT_EQ(dlg.priceText, "12,50 DM");
  dlg.commissionText = "5,999";
  dlg.LeaveCommission();
  EXPECT_EQ(dlg.commissionText, "5,99 EUR");
  dlg.text = "Sparplan";
  ScriptedPrompter prompter;
  ASSERT_TRUE(dlg.OnOK(prompter));
  doc->SetModified(false);
  dlg.Book(*doc);
  EXPECT_TRUE(doc->IsModified());

  const CKBXAktie& p = *doc->Positions().front();
  EXPECT_EQ(p.number, 1);
  EXPECT_EQ(doc->LastPositionNumber(), 1);
  EXPECT_EQ(p.Quantity(), QuantityOf(10, 5'000'000));
  EXPECT_EQ(p.costDm, 13125);  // 10,5 x 12,50 DM
  EXPECT_EQ(p.costEur, 599);
  EXPECT_EQ(p.state, CKBXAktie::kOpen);
  ASSERT_EQ(doc->Histories().size(), 1u);
  const auto& t = *doc->Account().Transactions().front();
  EXPECT_EQ(t.kind, 1);
  EXPECT_EQ(t.amountDm, -14297);  // 131,25 DM + 5,99 EUR (x 1,95583 = 11,7154 DM) = 142,97 DM
  EXPECT_EQ(t.amountEur, -7310);  // 142,97 DM / 1,95583 = 73,0994 EUR
  EXPECT_EQ(t.text, "10,5 St. Siemens AG: Sparplan");

  // Cancel at the question: nothing is booked.
  KaufForm again = Filled(*doc);
  ScriptedPrompter cancel;
  cancel.answers.push_back(platform::Answer::Cancel);
  EXPECT_FALSE(again.OnOK(cancel));
}

TEST(KaufForm, BeforeTheStartDayOnlyTheCapitalAdjustmentChanges) {
  auto doc = DmPortfolio();
  Buy(*doc, Day(1, 6, 1998), "Alt AG", "1", "10", "10 DM", "1 DM");
  EXPECT_TRUE(doc->Account().Transactions().empty());
  EXPECT_EQ(doc->Account().StartCapitalAdjustment().dm, 10100);
  EXPECT_EQ(doc->Positions().size(), 1u);
}

TEST(KaufForm, OrderOfPositionsAndHistories) {
  auto doc = DmPortfolio();
  Buy(*doc, Day(2, 2, 2000), "A", "1", "1", "1");
  Buy(*doc, Day(2, 2, 2000), "B", "2", "1", "1");
  Buy(*doc, Day(1, 2, 2000), "C", "3", "1", "1");
  Buy(*doc, Day(3, 2, 2000), "A", "9", "1", "1");  // same name, other WKN: its own history
  std::vector<int> numbers;
  for (const auto& p : doc->Positions()) numbers.push_back(p->number);
  EXPECT_EQ(numbers, (std::vector<int>{3, 1, 2, 4}));
  EXPECT_EQ(doc->Histories().size(), 4u);
}

TEST(KaufForm, TypingCouplesNameAndWkn) {
  auto doc = DmPortfolio();
  Buy(*doc, Day(2, 2, 2000), "Bank AG", "111", "1", "1");
  Buy(*doc, Day(2, 2, 2000), "Bank AG", "222", "1", "1");
  Buy(*doc, Day(2, 2, 2000), "Auto AG", "333", "1", "1");
  KaufForm dlg(*doc);
  EXPECT_EQ(dlg.NameList(), (std::vector<std::string>{"Auto AG", "Bank AG"}));
  EXPECT_EQ(dlg.WknList(), (std::vector<std::string>{"111", "222", "333"}));

  dlg.TypeName("Bank AG");
  EXPECT_EQ(dlg.wkn, "222");  // the last position with that name
  dlg.TypeName("Neue AG");
  EXPECT_EQ(dlg.wkn, "");  // it belonged to another security
  dlg.wkn = "999";
  dlg.TypeName("Neuere AG");
  EXPECT_EQ(dlg.wkn, "999");  // unknown identifiers stay
  dlg.TypeWkn("333");
  EXPECT_EQ(dlg.name, "Auto AG");
  dlg.PickName("Bank AG");  // picking does not couple
  EXPECT_EQ(dlg.wkn, "333");
  dlg.TypeName("");
  EXPECT_EQ(dlg.wkn, "333");
}
