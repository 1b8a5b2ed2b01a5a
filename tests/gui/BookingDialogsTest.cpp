// The booking dialogs filled as a user fills them: typed fields, lists chosen with the
// keyboard, buttons clicked; then OK, the confirmation answered, and the booking checked in
// the document. Until the caller books, the document stays as it was.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QTableWidget>

#include "dialogs/AktiensplitDialog.h"
#include "dialogs/KaufDialog.h"
#include "dialogs/KontobewegungDialog.h"
#include "dialogs/VerkaufDialog.h"
#include "tests/forms/FormsTestUtil.h"
#include "tests/gui/DialogTestUtil.h"
#include "tests/support/ByteDiff.h"

using namespace guitest;
using namespace testutil;

namespace {

std::vector<const CKBXAktie*> PositionsOf(const CKapibuchDoc& doc, const std::string& name) {
  std::vector<const CKBXAktie*> found;
  for (const auto& p : doc.Positions()) {
    if (p->name == name) found.push_back(p.get());
  }
  return found;
}

class BookingDialogsTest : public ::testing::Test {
 protected:
  // The sample portfolio with a second lot of Siemens AG, so that a sale or a dividend has
  // two positions to divide over.
  void SetUp() override {
    Buy(*m_doc, Day(1, 2, 2000), "Siemens AG", "723610", "10", "100");
    m_doc->SetModified(false);
    m_before = m_doc->Serialize();
  }
  // The dialog changed nothing before its caller booked.
  void ExpectUnchanged() {
    EXPECT_TRUE(SameBytes(m_before, m_doc->Serialize())) << "the dialog changed the document";
  }

  std::unique_ptr<CKapibuchDoc> m_doc = SamplePortfolio();
  std::vector<std::uint8_t> m_before;
  ScriptedPrompter m_prompter;
};

}  // namespace

TEST_F(BookingDialogsTest, BuyTypedIntoTheFields) {
  dialogs::KaufDialog dialog(*m_doc, m_prompter);
  Open(dialog);
  TypeDate(Field<dialogs::DateField>(dialog, QStringLiteral("Kauf&datum")), QDate(2004, 3, 5));
  auto* name = Field<QComboBox>(dialog, QStringLiteral("&Bezeichnung"));
  auto* wkn = Field<QComboBox>(dialog, QStringLiteral("&WKN/Kürzel"));
  Type(name->lineEdit(), QStringLiteral("Siemens AG"));
  EXPECT_EQ(wkn->currentText(), QStringLiteral("723610"));  // a known name brings its WKN/Kürzel
  auto* quantity = Field<QLineEdit>(dialog, QStringLiteral("&Stück"));
  auto* price = Field<QLineEdit>(dialog, QStringLiteral("Kauf&kurs"));
  Type(price, QStringLiteral("50"));
  EXPECT_EQ(price->text(), QStringLiteral("50,00 EUR"));  // normalised as the field is left
  Type(Field<QLineEdit>(dialog, QStringLiteral("&Provision etc.")), QStringLiteral("5"));
  Type(Field<QLineEdit>(dialog, QStringLiteral("&Text")), QStringLiteral("Nachkauf"));

  // Without a quantity OK reports it and puts the cursor there.
  Press(dialog, QDialogButtonBox::Ok);
  EXPECT_EQ(m_prompter.Last(), "Bitte geben Sie eine korrekte Stückzahl an!");
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_TRUE(quantity->hasFocus());

  Type(quantity, QStringLiteral("10"));
  Press(dialog, QDialogButtonBox::Ok);
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(m_prompter.messages.back().caption, "Kauf");  // the confirmation, answered OK
  ExpectUnchanged();

  UpdateCounter views(*m_doc);
  dialog.Book(*m_doc);
  EXPECT_EQ(views.updates, 1);
  const auto siemens = PositionsOf(*m_doc, "Siemens AG");
  ASSERT_EQ(siemens.size(), 3u);
  const CKBXAktie& bought = *siemens.back();
  EXPECT_EQ(bought.wkn, "723610");
  EXPECT_EQ(bought.purchaseDate, Day(5, 3, 2004));
  EXPECT_EQ(bought.Quantity(), QuantityOf(10, 0));
  EXPECT_EQ(bought.purchasePrice, 5000);
  EXPECT_EQ(bought.purchaseCommission, 500);
  EXPECT_EQ(bought.purchaseNote, "Nachkauf");
  EXPECT_EQ(bought.costEur, 50500);
  const CKBXKontoTransaktion& booking = *m_doc->Account().Transactions().back();
  EXPECT_EQ(booking.kind, CKBXKontoTransaktion::kKauf);
  EXPECT_EQ(booking.positionNumber, bought.number);
  EXPECT_EQ(booking.amountEur, -50500);
}

// "Sie" completed by the field to "Siemens AG" and taken with Tab is a typed name: it brings
// its WKN/Kürzel, and the other way round.
TEST_F(BookingDialogsTest, BuyTakesTheCompletedName) {
  dialogs::KaufDialog dialog(*m_doc, m_prompter);
  Open(dialog);
  auto* name = Field<QComboBox>(dialog, QStringLiteral("&Bezeichnung"));
  auto* wkn = Field<QComboBox>(dialog, QStringLiteral("&WKN/Kürzel"));
  Type(name->lineEdit(), QStringLiteral("Sie"));
  EXPECT_EQ(name->currentText(), QStringLiteral("Siemens AG"));
  EXPECT_EQ(wkn->currentText(), QStringLiteral("723610"));
  Type(wkn->lineEdit(), QStringLiteral("5752"));
  EXPECT_EQ(wkn->currentText(), QStringLiteral("575200"));
  EXPECT_EQ(name->currentText(), QStringLiteral("Bayer AG"));
}

TEST_F(BookingDialogsTest, SellAllocatedByHand) {
  dialogs::VerkaufDialog dialog(*m_doc, m_prompter);
  Open(dialog);
  Choose(Field<QComboBox>(dialog, QStringLiteral("&Bezeichnung")), QStringLiteral("Siemens AG"));
  EXPECT_EQ(Field<QComboBox>(dialog, QStringLiteral("&WKN/Kürzel"))->currentText(), QStringLiteral("723610"));
  auto* table = dialog.findChild<QTableWidget*>();
  ASSERT_EQ(table->rowCount(), 2);
  EXPECT_EQ(Cell(table, 0, 1), QStringLiteral("05.03.1999"));
  EXPECT_EQ(Cell(table, 1, 3), QStringLiteral("10"));
  Type(Field<QLineEdit>(dialog, QStringLiteral("&Stück")), QStringLiteral("15"));
  Type(Field<QLineEdit>(dialog, QStringLiteral("Verkauf&kurs")), QStringLiteral("80"));
  Type(Field<QLineEdit>(dialog, QStringLiteral("&Provision etc.")), QStringLiteral("10"));

  // By hand: 5 of the older lot; the second "Aufteilen" then must take the other 10.
  Click(Button(dialog, QStringLiteral("&älteste Positionen verkaufen")));
  QStringList ranges;
  WhenDialogShows([&](QDialog* first) {
    ranges << first->findChildren<QLabel*>()[4]->text();
    // The suggested quantity is selected, so that typing replaces it.
    auto* quantity = first->findChild<QLineEdit*>();
    EXPECT_FALSE(quantity->text().isEmpty());
    EXPECT_EQ(quantity->selectedText(), quantity->text());
    QTest::keyClicks(quantity, QStringLiteral("5"));
    QTest::keyClick(quantity, Qt::Key_Tab);
    WhenDialogShows([&](QDialog* second) {
      ranges << second->findChildren<QLabel*>()[4]->text();
      EXPECT_EQ(second->findChild<QLineEdit*>()->text(), QStringLiteral("10"));
      Press(*second, QDialogButtonBox::Ok);
    });
    Press(*first, QDialogButtonBox::Ok);
  });
  Click(Button(dialog, QStringLiteral("&aufteilen...")));
  EXPECT_EQ(ranges, QStringList({QStringLiteral("mindestens 5 Stück\nhöchstens 15 Stück"),
                                 QStringLiteral("mindestens 10 Stück\nhöchstens 10 Stück")}));
  EXPECT_EQ(Cell(table, 0, 4), QStringLiteral("5"));
  EXPECT_EQ(Cell(table, 1, 4), QStringLiteral("10"));

  Press(dialog, QDialogButtonBox::Ok);
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  ExpectUnchanged();
  UpdateCounter views(*m_doc);
  dialog.Book(*m_doc);
  EXPECT_EQ(views.updates, 1);
  std::vector<std::int64_t> sold, open;
  for (const CKBXAktie* p : PositionsOf(*m_doc, "Siemens AG")) {
    (p->IsSold() ? sold : open).push_back(p->Quantity());
    if (p->IsSold()) EXPECT_EQ(p->saleDate, Day(8, 12, 2026));
  }
  EXPECT_EQ(sold, (std::vector<std::int64_t>{QuantityOf(5, 0), QuantityOf(10, 0)}));
  EXPECT_EQ(open, (std::vector<std::int64_t>{QuantityOf(15, 0)}));
  const CKBXKontoTransaktion& booking = *m_doc->Account().Transactions().back();
  EXPECT_EQ(booking.kind, CKBXKontoTransaktion::kVerkauf);
  EXPECT_EQ(booking.amountEur, 15 * 8000 - 1000);
}

// An allocation edited and then cancelled leaves no trace in the document.
TEST_F(BookingDialogsTest, CancelledAllocationLeavesTheDocument) {
  dialogs::VerkaufDialog dialog(*m_doc, m_prompter);
  Open(dialog);
  Choose(Field<QComboBox>(dialog, QStringLiteral("&Bezeichnung")), QStringLiteral("Siemens AG"));
  Type(Field<QLineEdit>(dialog, QStringLiteral("&Stück")), QStringLiteral("12"));
  Click(Button(dialog, QStringLiteral("&älteste Positionen verkaufen")));
  int shown = 0;
  std::function<void(QDialog*)> answer = [&](QDialog* part) {
    if (++shown < 2) WhenDialogShows(answer);
    Press(*part, QDialogButtonBox::Ok);
  };
  WhenDialogShows(answer);
  Click(Button(dialog, QStringLiteral("&aufteilen...")));
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(Cell(dialog.findChild<QTableWidget*>(), 0, 4), QStringLiteral("12"));
  Press(dialog, QDialogButtonBox::Cancel);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  ExpectUnchanged();
}

TEST_F(BookingDialogsTest, DividendAssignedByHand) {
  dialogs::KontobewegungDialog dialog(*m_doc, m_prompter);
  Open(dialog);
  Choose(Field<QComboBox>(dialog, QStringLiteral("&Vorgang")), QStringLiteral("Dividenden-Gutschrift"));
  auto* amount = Field<QLineEdit>(dialog, QStringLiteral("B&etrag"));
  Type(amount, QStringLiteral("30"));
  EXPECT_EQ(amount->text(), QStringLiteral("30,00 EUR"));
  Type(Field<QLineEdit>(dialog, QStringLiteral("&Text")), QStringLiteral("Dividende 2026"));
  Click(Button(dialog, QStringLiteral("Wert&papierbezug:")));
  Choose(Field<QComboBox>(dialog, QStringLiteral("&WKN/Kürzel")), QStringLiteral("723610"));
  EXPECT_EQ(Field<QComboBox>(dialog, QStringLiteral("&Bezeichnung"))->currentText(),
            QStringLiteral("Siemens AG"));
  auto* table = dialog.findChild<QTableWidget*>();
  ASSERT_EQ(table->rowCount(), 2);
  EXPECT_EQ(Cell(table, 0, 4), QStringLiteral("66,67%"));  // automatically by the shares held

  Click(Button(dialog, QStringLiteral("&automatisch zuordnen")));
  WhenDialogShows([&](QDialog* first) {
    EXPECT_EQ(first->findChild<QLineEdit*>()->text(), QStringLiteral("20"));
    Press(*first, QDialogButtonBox::Ok);
    WhenDialogShows([&](QDialog* second) {
      Type(second->findChild<QLineEdit*>(), QStringLiteral("5"));
      Press(*second, QDialogButtonBox::Ok);
    });
  });
  Click(Button(dialog, QStringLiteral("&zuordnen...")));
  EXPECT_EQ(Cell(table, 0, 4), QStringLiteral("80,00%"));
  EXPECT_EQ(Cell(table, 1, 4), QStringLiteral("20,00%"));

  Press(dialog, QDialogButtonBox::Ok);
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(m_prompter.messages.back().caption, "Kontobewegung");
  ExpectUnchanged();
  UpdateCounter views(*m_doc);
  dialog.Book(*m_doc);
  EXPECT_EQ(views.updates, 1);
  const auto siemens = PositionsOf(*m_doc, "Siemens AG");
  EXPECT_EQ(siemens[0]->dividendEur, 2400);
  EXPECT_EQ(siemens[1]->dividendEur, 600);
  const CKBXKontoTransaktion& booking = *m_doc->Account().Transactions().back();
  EXPECT_EQ(booking.kind, CKBXKontoTransaktion::kDividende);
  EXPECT_EQ(booking.amountEur, 3000);
  EXPECT_EQ(booking.date, Day(8, 12, 2026));
  EXPECT_EQ(booking.text, "Dividende 2026");
}

TEST_F(BookingDialogsTest, StockSplit) {
  dialogs::AktiensplitDialog dialog(*m_doc, m_prompter);
  Open(dialog);
  TypeDate(Field<dialogs::DateField>(dialog, QStringLiteral("Split&datum")), QDate(2004, 6, 1));
  Choose(Field<QComboBox>(dialog, QStringLiteral("&Bezeichnung")), QStringLiteral("Siemens AG"));
  EXPECT_EQ(Field<QComboBox>(dialog, QStringLiteral("&WKN/Kürzel"))->currentText(), QStringLiteral("723610"));
  const QList<QLineEdit*> ratio = TextFields(dialog);
  ASSERT_EQ(ratio.size(), 2);
  Type(ratio[0], QStringLiteral("3"));
  m_prompter.answers.push_back(platform::Answer::Cancel);  // not yet: the dialog stays
  Press(dialog, QDialogButtonBox::Ok);
  EXPECT_NE(m_prompter.Last().find("durch 3,000000 geteilt"), std::string::npos) << m_prompter.Last();
  EXPECT_TRUE(dialog.isVisible());
  Press(dialog, QDialogButtonBox::Ok);
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  ExpectUnchanged();
  dialog.Book(*m_doc);
  for (const CKBXAktie* p : PositionsOf(*m_doc, "Siemens AG")) EXPECT_EQ(p->Quantity() % QuantityOf(3, 0), 0);
  EXPECT_EQ(PositionsOf(*m_doc, "Siemens AG")[0]->Quantity(), QuantityOf(60, 0));
  EXPECT_EQ(m_doc->FindHistory("Siemens AG", "723610")->PriceOn(Day(2, 1, 2001)), 3000);
}
