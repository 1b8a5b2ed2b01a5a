#include <gtest/gtest.h>

#include "forms/AktiensplitForm.h"
#include "forms/DepotdatenForm.h"
#include "forms/KontowaehrungForm.h"
#include "forms/KurseEingebenForm.h"
#include "forms/NeueDatei3PropPage.h"
#include "forms/NeueDateiWizard.h"
#include "forms/OptionenSheet.h"
#include "forms/PositionAuswahlForm.h"
#include "tests/forms/FormsTestUtil.h"
#include "views/ViewMode.h"

using namespace testutil;
using forms::Field;

TEST(AktiensplitForm, ChecksQuestionAndEffect) {
  auto doc = DmPortfolio();
  Buy(*doc, Day(1, 2, 2000), "Split AG", "S", "10", "10,01");
  Buy(*doc, Day(1, 6, 2000), "Split AG", "S", "10", "5");
  doc->SetPrice("Split AG", "S", Day(1, 3, 2000), 1001);

  AktiensplitForm dlg(*doc);
  dlg.date = Day(1, 6, 2000);
  ScriptedPrompter prompter;
  EXPECT_FALSE(dlg.OnOK(prompter));
  EXPECT_EQ(prompter.Last(), "Bitte wählen Sie eine Wertpapierbezeichnung aus!");
  dlg.ChooseWkn("S");
  EXPECT_EQ(dlg.Name(), "Split AG");
  for (auto [n, m, focus] :
       {std::tuple{"x", "2", Field::NewShares}, std::tuple{"3", "", Field::OldShares},
        std::tuple{"0", "2", Field::NewShares}, std::tuple{"3", "0,0", Field::OldShares}}) {
    dlg.newText = n;
    dlg.oldText = m;
    EXPECT_FALSE(dlg.OnOK(prompter));
    EXPECT_EQ(prompter.Last(), "Bitte geben Sie hier einen positiven Wert ein!");
    EXPECT_EQ(dlg.Focus(), focus);
  }
  dlg.newText = "3";
  dlg.oldText = "2,0";
  dlg.LeaveOld();
  EXPECT_EQ(dlg.oldText, "2");
  ASSERT_TRUE(dlg.OnOK(prompter));
  EXPECT_EQ(
      prompter.Last(),
      "Haben Sie alle Daten korrekt angegeben?\n\nWenn Sie auf OK klicken, werden alle Kurse für Split "
      "AG (S) vor "
      "dem 01.06.2000 durch 1,500000 geteilt und Stückzahlen mit 1,500000 multipliziert!\n\nSie "
      "können die Aktion mit „Bearbeiten“ → „Rückgängig“ zurücknehmen, solange die Datei geöffnet ist.");
  dlg.Book(*doc);
  EXPECT_EQ(doc->PriceOnOrBefore("Split AG", "S", Day(1, 3, 2000)), 667);
  EXPECT_EQ(doc->Positions()[0]->Quantity(), QuantityOf(15, 0));
  EXPECT_EQ(doc->Positions()[0]->purchasePrice, 667);
  EXPECT_EQ(doc->Positions()[1]->Quantity(), QuantityOf(10, 0));

  // One new for three old: 10 shares become 3,3333333.
  AktiensplitForm third(*doc);
  third.date = Day(1, 1, 2010);
  third.ChooseName("Split AG");
  third.newText = "1";
  third.oldText = "3";
  ASSERT_TRUE(third.OnOK(prompter));
  third.Book(*doc);
  EXPECT_EQ(doc->Positions()[1]->Quantity(), QuantityOf(3, 3'333'333));
}

TEST(KontowaehrungForm, OnceOnly) {
  auto doc = DmPortfolio();
  EXPECT_TRUE(KontowaehrungForm::Enabled(*doc));
  KontowaehrungForm dlg(*doc);
  dlg.SetDate(Day(1, 1, 1990));
  EXPECT_EQ(dlg.Date(), Day(1, 1, 1999));  // not before the start day
  dlg.SetDate(Day(1, 1, 2002));
  ScriptedPrompter prompter;
  prompter.answers.push_back(platform::Answer::Cancel);
  EXPECT_FALSE(dlg.OnOK(prompter));
  EXPECT_EQ(prompter.Last(), KontowaehrungForm::kQuestion);
  ASSERT_TRUE(dlg.OnOK(prompter));
  dlg.Book(*doc);
  EXPECT_TRUE(doc->Account().IsSwitched());
  EXPECT_EQ(doc->Account().SwitchDay(), Day(1, 1, 2002));
  EXPECT_FALSE(KontowaehrungForm::Enabled(*doc));
}

TEST(KurseEingebenForm, PagesListsAndStoring) {
  auto doc = DmPortfolio();
  for (int i = 0; i < 13; ++i) {
    const std::string name = std::string(1, static_cast<char>('m' - i)) + "-Aktie";
    Buy(*doc, Day(1, 2, 2000), name, std::to_string(100 + i), "1", "1");
  }
  auto sold = doc->MutablePositions()[0].get();  // "m-Aktie", WKN 100
  sold->state = CKBXAktie::kSold;
  sold->saleDate = Day(1, 3, 2000);

  KurseEingebenForm dlg(*doc);
  dlg.SetDay(Day(1, 3, 2000));  // sold on that day: not listed
  EXPECT_EQ(dlg.Entries().size(), 12u);
  EXPECT_EQ(dlg.PageLine(), "Seite 1 von 1");
  dlg.SetDay(Day(29, 2, 2000));
  ASSERT_EQ(dlg.Entries().size(), 13u);
  EXPECT_EQ(dlg.PageLine(), "Seite 1 von 2");
  EXPECT_FALSE(dlg.CanGoBack());
  EXPECT_TRUE(dlg.CanGoForward());
  EXPECT_EQ(dlg.Rows()[0].label, "a-Aktie");
  dlg.NextPage();
  EXPECT_EQ(dlg.PageLine(), "Seite 2 von 2");
  EXPECT_TRUE(dlg.Rows()[0].visible);
  EXPECT_EQ(dlg.Rows()[0].label, "m-Aktie");
  for (int row = 1; row < 12; ++row) EXPECT_FALSE(dlg.Rows()[static_cast<std::size_t>(row)].visible);

  // By WKN/Kürzel: re-sorted, the page stays.
  dlg.SetShowNames(false);
  EXPECT_EQ(dlg.Page(), 1);
  EXPECT_EQ(dlg.Rows()[0].label, "112");

  dlg.PreviousPage();
  doc->SetModified(false);
  EXPECT_FALSE(dlg.HasPrices());
  dlg.SetPriceText(0, "24,45 DM");
  dlg.LeavePrice(0);
  EXPECT_EQ(dlg.Rows()[0].priceText, "12,50 EUR");
  // Taken, and stored as one change when the dialog closes.
  EXPECT_FALSE(doc->IsModified());
  dlg.NextPage();
  dlg.PreviousPage();
  EXPECT_EQ(dlg.Rows()[0].priceText, "12,50 EUR");  // the price typed, not the one stored
  ASSERT_TRUE(dlg.HasPrices());
  EXPECT_EQ(dlg.Change().Label(), "Kurse am 29.02.2000");
  EXPECT_TRUE(doc->Apply(dlg.Change()));
  EXPECT_EQ(doc->FindHistory("m-Aktie", "100")->PriceOn(Day(29, 2, 2000)), 1250);
  doc->SetModified(false);
  dlg.SetPriceText(0, "12,5");
  dlg.LeavePrice(0);
  EXPECT_FALSE(doc->Apply(dlg.Change()));  // the same price
  EXPECT_FALSE(doc->IsModified());
  dlg.SetPriceText(0, "zwölf");
  dlg.LeavePrice(0);
  EXPECT_EQ(dlg.Rows()[0].priceText, "12,50 EUR");  // back to the price before
  dlg.SetPriceText(0, "");
  dlg.LeavePrice(0);
  EXPECT_TRUE(doc->Apply(dlg.Change()));
  EXPECT_EQ(doc->FindHistory("m-Aktie", "100")->PriceOn(Day(29, 2, 2000)), kNoPrice);

  // All securities, whatever the day.
  dlg.SetDay(Day(1, 1, 1999));
  EXPECT_TRUE(dlg.Entries().empty());
  EXPECT_EQ(dlg.PageLine(), "Seite 1 von 1");
  EXPECT_FALSE(dlg.CanGoForward());
  dlg.SetOnlyHeld(false);
  EXPECT_EQ(dlg.Entries().size(), 13u);
}

TEST(NeueDatei, WizardPages) {
  CNeueDateiWizard wizard(Day(8, 12, 2026));
  EXPECT_EQ(wizard.page2.startDay, Day(1, 1, 2026));
  EXPECT_EQ(wizard.page2.balanceText, "0,00 EUR");
  wizard.page2.balanceText = "1.000 DM";
  EXPECT_TRUE(wizard.page2.LeaveBalance());
  EXPECT_EQ(wizard.page2.SelectedCurrency(), kDm);
  EXPECT_EQ(wizard.page2.balanceText, "1.000,00 DM");
  wizard.page2.ChooseCurrency(kEur);  // the number stays, the suffix changes
  EXPECT_EQ(wizard.page2.balanceText, "1.000,00 EUR");
  wizard.page2.balanceText = "x";
  EXPECT_FALSE(wizard.page2.LeaveBalance());
  EXPECT_EQ(wizard.page2.balanceText, "1.000,00 EUR");
  wizard.page2.balanceText = "5";
  wizard.page2.LeaveBalance();
  EXPECT_EQ(wizard.page2.Amount(), 500);

  const auto texts = CNeueDatei3PropPage::Texts(Day(1, 1, 2026));
  for (int i = 1; i <= 4; ++i)
    EXPECT_NE(texts[static_cast<std::size_t>(i)].find("01.01.2026"), std::string::npos);
  EXPECT_EQ(
      texts[2],
      "Sämtliche Depottransaktionen, für die Sie ein Datum vor dem 01.01.2026 angeben, wirken sich nicht auf "
      "Ihren Kontostand aus.");

  wizard.page1.holder = "Ωmega";
  ScriptedPrompter prompter;
  EXPECT_FALSE(wizard.page1.OnNext(prompter));
  EXPECT_EQ(wizard.page1.Focus(), Field::Holder);

  CKapibuchDoc doc(TestClock());
  wizard.page1.holder = "Anna";
  doc.SetupNew(wizard.Result());
  EXPECT_TRUE(doc.Account().IsSwitched());
  EXPECT_EQ(doc.Account().SwitchDay(), Day(1, 1, 2026));

  DepotdatenForm holder(doc);
  EXPECT_EQ(holder.holder, "Anna");
  holder.bankCode = "123";
  ASSERT_TRUE(holder.OnOK(prompter));
  doc.SetModified(false);
  holder.Book(doc);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.Account().bankCode, "123");
}

TEST(PositionAuswahlForm, RowsMarksAndPeriod) {
  auto doc = DmPortfolio();
  Buy(*doc, Day(1, 6, 1998), "Zeta", "Z", "1", "10 DM");
  Buy(*doc, Day(1, 6, 2000), "alpha", "A", "2,5", "5");
  doc->MutablePositions()[1]->state = CKBXAktie::kSold;
  doc->MutablePositions()[1]->saleDate = Day(1, 7, 2001);
  PositionAuswahlForm dlg(*doc, {1});  // by position number: Zeta's
  ASSERT_EQ(dlg.Rows().size(), 2u);
  EXPECT_EQ(dlg.Rows()[0].name, "alpha");  // sorted by name, case aside
  EXPECT_EQ(dlg.Rows()[0].saleDate, "01.07.2001");
  EXPECT_EQ(dlg.Rows()[1].saleDate, "-");
  EXPECT_EQ(dlg.Rows()[0].quantity, "2,5");
  EXPECT_EQ(dlg.Rows()[1].quantity, "1,0");
  EXPECT_EQ(dlg.Rows()[1].purchasePrice, "5,11 EUR");  // 10 DM in euro
  EXPECT_TRUE(dlg.Rows()[1].marked);
  dlg.Mark(0, true);
  EXPECT_EQ(dlg.Selection(), (std::vector<int>{2, 1}));  // top to bottom
  dlg.Mark(0, false);
  dlg.Mark(1, false);
  EXPECT_TRUE(dlg.Selection().empty());
  EXPECT_EQ(dlg.period, PositionAuswahlForm::kTimeInPortfolio);
}

TEST(OptionenSheet, LengthsAndOK) {
  using forms::ParseLength;
  EXPECT_EQ(ParseLength("2", 0, 500), 200);
  EXPECT_EQ(ParseLength("1,5 cm", 0, 500), 150);
  EXPECT_EQ(ParseLength("15 mm", 0, 500), 150);
  EXPECT_EQ(ParseLength("15,5 mm", 0, 500), 155);
  EXPECT_EQ(ParseLength("15,5MM", 0, 500), 155);
  EXPECT_EQ(ParseLength("5c", 20, 500), 20);
  EXPECT_EQ(ParseLength("abc", 20, 500), 20);
  EXPECT_EQ(ParseLength("0", 20, 200), 20);
  EXPECT_EQ(ParseLength("12,345 cm", 500, 10000), 1234);
  EXPECT_EQ(ParseLength("10 mm ", 20, 200), 20);  // a blank after the unit
  EXPECT_EQ(ParseLength("1 5", 0, 500), 0);
  EXPECT_EQ(ParseLength("99999", 0, 500), 500);
  EXPECT_EQ(forms::FormatLength(150), "1,50 cm");
  EXPECT_EQ(forms::FormatLength(20), "0,20 cm");

  auto doc = DmPortfolio();
  COptionenSheet sheet(*doc);
  EXPECT_EQ(views::Traits(views::ViewMode::Development).optionsPage, 5);
  EXPECT_EQ(views::Traits(views::ViewMode::Analysis).optionsPage, 7);
  doc->SetModified(false);
  sheet.OnOK(*doc);  // modified even without a change
  EXPECT_TRUE(doc->IsModified());
  sheet.settings.holdings.rowHeight = 77;
  sheet.OnOK(*doc);
  EXPECT_EQ(doc->settings.holdings.rowHeight, 77);
}
