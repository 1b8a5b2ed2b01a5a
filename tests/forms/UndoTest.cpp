// Every kind of change, booked through its form, can be undone and redone: the document
// then holds exactly the bytes it held before, and after, the change.
#include <gtest/gtest.h>

#include "document/UndoHistory.h"
#include "forms/AktiensplitForm.h"
#include "forms/DepotdatenForm.h"
#include "forms/ImportergebnisForm.h"
#include "forms/KontobewegungForm.h"
#include "forms/KontowaehrungForm.h"
#include "forms/KurseEingebenForm.h"
#include "forms/OptionenSheet.h"
#include "forms/VerkaufForm.h"
#include "tests/forms/FormsTestUtil.h"
#include "tests/support/ByteDiff.h"

using namespace testutil;

namespace {

void Sell(CKapibuchDoc& doc, CKBXDatum day, const std::string& name, const std::string& qty) {
  VerkaufForm dlg(doc);
  dlg.SetDate(day);
  dlg.ChooseName(name);
  dlg.quantityText = qty;
  dlg.LeaveQuantity();
  dlg.priceText = "12";
  dlg.LeavePrice();
  dlg.commissionText = "10";
  dlg.LeaveCommission();
  ScriptedPrompter prompter;
  ASSERT_TRUE(dlg.OnOK(prompter)) << prompter.Last();
  dlg.Book(doc);
}

void Move(CKapibuchDoc& doc, CKBXDatum day, const std::string& kind, const std::string& amount) {
  KontobewegungForm dlg(doc);
  dlg.SetDate(day);
  ASSERT_TRUE(dlg.SetKindByName(kind));
  dlg.amountText = amount;
  dlg.LeaveAmount();
  ScriptedPrompter prompter;
  ASSERT_TRUE(dlg.OnOK(prompter)) << prompter.Last();
  dlg.Book(doc);
}

void Split(CKapibuchDoc& doc, CKBXDatum day, const std::string& wkn) {
  AktiensplitForm dlg(doc);
  dlg.date = day;
  dlg.ChooseWkn(wkn);
  dlg.newText = "2";
  dlg.oldText = "1";
  ScriptedPrompter prompter;
  ASSERT_TRUE(dlg.OnOK(prompter)) << prompter.Last();
  dlg.Book(doc);
}

void SwitchToEuro(CKapibuchDoc& doc, CKBXDatum day) {
  KontowaehrungForm dlg(doc);
  dlg.SetDate(day);
  ScriptedPrompter prompter;
  ASSERT_TRUE(dlg.OnOK(prompter));
  dlg.Book(doc);
}

void TypePrice(KurseEingebenForm& dlg, const CKapibuchDoc& doc, const std::string& name,
               const std::string& wkn, const std::string& price) {
  const int row = dlg.ShowEntry(doc.FindHistory(name, wkn));
  ASSERT_GE(row, 0) << name;
  dlg.SetPriceText(row, price);
  dlg.LeavePrice(row);
}

// The changes of a first year in DM and a second in euro, each as its form books it.
struct Step {
  std::string label;
  std::function<void(CKapibuchDoc&)> change;
};

std::vector<Step> Steps() {
  return {
      {"Kauf Alpha AG am 04.01.1999",
       [](CKapibuchDoc& d) { Buy(d, Day(4, 1, 1999), "Alpha AG", "A1", "30", "100", "9,90"); }},
      {"Kauf Beta & Co am 05.01.1999",
       [](CKapibuchDoc& d) { Buy(d, Day(5, 1, 1999), "Beta & Co", "B2", "10", "50"); }},
      {"Kurse am 10.02.1999",
       [](CKapibuchDoc& d) {
         KurseEingebenForm dlg(d);
         dlg.SetDay(Day(10, 2, 1999));
         TypePrice(dlg, d, "Alpha AG", "A1", "110");
         TypePrice(dlg, d, "Beta & Co", "B2", "48");
         d.Apply(dlg.Change());
       }},
      {"Kursimport Beta & Co",
       [](CKapibuchDoc& d) {
         CKBXKursverlauf found("Beta & Co", "B2");
         found.SetPrice(Day(1, 3, 1999), 5100);
         found.SetPrice(Day(10, 2, 1999), 4900);  // replaces the price typed
         ImportergebnisForm dlg(d, found);
         ASSERT_TRUE(dlg.OnOK(d));
       }},
      {"Verkauf Alpha AG am 01.06.1999", [](CKapibuchDoc& d) { Sell(d, Day(1, 6, 1999), "Alpha AG", "12"); }},
      {"Kontobewegung Dividenden-Gutschrift am 15.06.1999",
       [](CKapibuchDoc& d) { Move(d, Day(15, 6, 1999), "Dividenden-Gutschrift", "45,50"); }},
      {"Aktiensplit Beta & Co am 01.09.1999", [](CKapibuchDoc& d) { Split(d, Day(1, 9, 1999), "B2"); }},
      {"Kontowährung umstellen", [](CKapibuchDoc& d) { SwitchToEuro(d, Day(1, 1, 2000)); }},
      {"Kauf Alpha AG am 03.01.2000",
       [](CKapibuchDoc& d) { Buy(d, Day(3, 1, 2000), "Alpha AG", "A1", "5", "60"); }},
      {"Depotdaten",
       [](CKapibuchDoc& d) {
         DepotdatenForm dlg(d);
         dlg.holder = "Erika Beispiel";
         dlg.depotNumber = "4711";
         ScriptedPrompter prompter;
         ASSERT_TRUE(dlg.OnOK(prompter));
         dlg.Book(d);
       }},
      {"Optionen",
       [](CKapibuchDoc& d) {
         COptionenSheet sheet(d);
         sheet.settings.holdings.rowHeight = 70;
         sheet.OnOK(d);
       }},
  };
}

}  // namespace

TEST(Undo, EveryChangeUndoneAndRedoneGivesItsExactBytes) {
  auto doc = DmPortfolio();
  doc->KeepUndoHistory();
  const UndoHistory& undo = *doc->Undo();
  EXPECT_FALSE(undo.CanUndo());
  EXPECT_EQ(undo.UndoLabel(), "");

  const std::vector<Step> steps = Steps();
  std::vector<std::vector<std::uint8_t>> bytes{doc->Serialize()};
  for (const Step& step : steps) {
    step.change(*doc);
    ASSERT_EQ(undo.UndoLabel(), step.label);
    ASSERT_NE(doc->Serialize(), bytes.back()) << step.label;  // the change changed something
    bytes.push_back(doc->Serialize());
    // The recovery copy is written from the history's state: the same file.
    EXPECT_TRUE(SameBytes(bytes.back(), CKapibuchDoc::SerializeParts(*undo.Current()))) << step.label;
  }
  // Back to the empty portfolio, one change at a time, and forward again.
  for (std::size_t i = steps.size(); i > 0; --i) {
    EXPECT_EQ(undo.UndoLabel(), steps[i - 1].label);
    ASSERT_TRUE(doc->UndoChange());
    EXPECT_TRUE(SameBytes(bytes[i - 1], doc->Serialize())) << "undo of " << steps[i - 1].label;
    EXPECT_TRUE(SameBytes(bytes[i - 1], CKapibuchDoc::SerializeParts(*undo.Current())))
        << "undo of " << steps[i - 1].label;
    EXPECT_EQ(undo.RedoLabel(), steps[i - 1].label);
  }
  EXPECT_FALSE(doc->UndoChange());
  for (std::size_t i = 0; i < steps.size(); ++i) {
    ASSERT_TRUE(doc->RedoChange());
    EXPECT_TRUE(SameBytes(bytes[i + 1], doc->Serialize())) << "redo of " << steps[i].label;
  }
  EXPECT_FALSE(doc->RedoChange());

  // The figures computed from the document follow: the account balance of the euro year.
  const std::int64_t value = doc->ValueOn(Day(31, 12, 2000));
  ASSERT_TRUE(doc->UndoChange());  // Optionen
  ASSERT_TRUE(doc->UndoChange());  // Depotdaten
  ASSERT_TRUE(doc->UndoChange());  // the euro-year buy
  EXPECT_LT(doc->ValueOn(Day(31, 12, 2000)), value);
  // A new change drops what could be redone.
  Move(*doc, Day(2, 2, 2000), "Kapitaleinlage", "100");
  EXPECT_FALSE(undo.CanRedo());
  EXPECT_EQ(undo.UndoLabel(), "Kontobewegung Kapitaleinlage am 02.02.2000");
}

TEST(Undo, TheModifiedFlagFollowsTheSavedState) {
  auto doc = DmPortfolio();  // new: never saved, so modified whatever is undone
  doc->MarkSaved();          // as after its first save
  doc->KeepUndoHistory();
  EXPECT_FALSE(doc->IsModified());
  Buy(*doc, Day(4, 1, 1999), "Alpha AG", "A1", "30", "100");
  EXPECT_TRUE(doc->IsModified());
  ASSERT_TRUE(doc->UndoChange());
  EXPECT_FALSE(doc->IsModified());  // back at the file's state
  ASSERT_TRUE(doc->RedoChange());
  EXPECT_TRUE(doc->IsModified());
  doc->MarkSaved();  // saved with the buy
  EXPECT_FALSE(doc->IsModified());
  ASSERT_TRUE(doc->UndoChange());  // a save can be undone as well: the file differs then
  EXPECT_TRUE(doc->IsModified());
  ASSERT_TRUE(doc->RedoChange());
  EXPECT_FALSE(doc->IsModified());

  // A state that can no longer be reached is no saved state: undo past a save, change.
  ASSERT_TRUE(doc->UndoChange());
  Buy(*doc, Day(5, 1, 1999), "Beta", "B2", "1", "1");
  ASSERT_TRUE(doc->UndoChange());
  EXPECT_TRUE(doc->IsModified());  // the file holds the first buy, the document none

  // A change that changes nothing is no step.
  const std::string before = doc->Undo()->UndoLabel();
  COptionenSheet sheet(*doc);
  sheet.OnOK(*doc);
  EXPECT_EQ(doc->Undo()->UndoLabel(), before);
}

TEST(Undo, AHundredBookingsCanAllBeTakenBack) {
  auto doc = DmPortfolio();
  Buy(*doc, Day(4, 1, 1999), "Alpha AG", "A1", "1000", "10");
  for (std::uint32_t day = 1; day <= 300; ++day)
    doc->SetPrice("Alpha AG", "A1", CKBXDatum(Day(4, 1, 1999).Day() + day),
                  1000 + static_cast<std::int32_t>(day));
  doc->KeepUndoHistory();
  const std::vector<std::uint8_t> start = doc->Serialize();
  for (int i = 0; i < 100; ++i) Move(*doc, Day(1, 3, 1999), "Kapitaleinlage", std::to_string(i + 1));
  for (int i = 0; i < 100; ++i) ASSERT_TRUE(doc->UndoChange()) << i;
  EXPECT_FALSE(doc->Undo()->CanUndo());
  EXPECT_TRUE(SameBytes(start, doc->Serialize()));
}
