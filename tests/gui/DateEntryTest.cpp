// Days typed into the dialogs as people type them: every common German form is booked as
// the same day; a day that does not exist, or one outside the field's range, is refused
// with the text kept and nothing booked. And the other small courtesies of the dialogs:
// Alt shortcuts of labels, the sale's display currency, the allocation's range.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QWizard>

#include "dialogs/AktiensplitDialog.h"
#include "dialogs/KaufDialog.h"
#include "dialogs/KurseEingebenDialog.h"
#include "dialogs/NewFileWizard.h"
#include "dialogs/OptionenDialog.h"
#include "dialogs/VerkaufDialog.h"
#include "tests/forms/FormsTestUtil.h"
#include "tests/gui/DialogTestUtil.h"
#include "tests/support/ByteDiff.h"

using namespace guitest;
using namespace testutil;

namespace {

// Fills the buy dialog's other fields with a purchase of one share of "Test AG".
void FillPurchase(QDialog& dialog) {
  Type(Field<QComboBox>(dialog, QStringLiteral("&Bezeichnung"))->lineEdit(), QStringLiteral("Test AG"));
  Type(Field<QComboBox>(dialog, QStringLiteral("&WKN/Kürzel"))->lineEdit(), QStringLiteral("T1"));
  Type(Field<QLineEdit>(dialog, QStringLiteral("&Stück")), QStringLiteral("1"));
  Type(Field<QLineEdit>(dialog, QStringLiteral("Kauf&kurs")), QStringLiteral("10"));
  Type(Field<QLineEdit>(dialog, QStringLiteral("&Provision etc.")), QStringLiteral("0"));
}

}  // namespace

TEST(DateEntry, EveryCommonFormIsBookedAsTheSameDay) {
  for (const char* typed : {"15.01.1999", "15.1.1999", "15.01.99", "15011999"}) {
    SCOPED_TRACE(typed);
    auto doc = DmPortfolio();
    ScriptedPrompter prompter;
    dialogs::KaufDialog dialog(*doc, prompter);
    Open(dialog);
    auto* date = Field<dialogs::DateField>(dialog, QStringLiteral("Kauf&datum"));
    TypeDate(date, QString::fromLatin1(typed));
    EXPECT_EQ(date->text(), QStringLiteral("15.01.1999"));  // shown in its full form once left
    FillPurchase(dialog);
    Press(dialog, QDialogButtonBox::Ok);
    ASSERT_EQ(dialog.result(), QDialog::Accepted) << prompter.Last();
    dialog.Book(*doc);
    ASSERT_EQ(doc->Positions().size(), 1u);
    EXPECT_EQ(doc->Positions().front()->purchaseDate, Day(15, 1, 1999));
    ASSERT_FALSE(doc->Account().Transactions().empty());
    EXPECT_EQ(doc->Account().Transactions().back()->date, Day(15, 1, 1999));
  }
}

// "5.1." as Germans write it on a form: the 5th of January of the year of today, today as
// the document's clock gives it (KAPIBUCH_TODAY included), not the machine's.
TEST(DateEntry, DayAndMonthAloneAreBookedInTheYearOfToday) {
  struct TodayIn2003 {
    const std::time_t before = TestClock().Now();
    TodayIn2003() { TestClock().Set(Day(20, 6, 2003).ToTime()); }
    ~TodayIn2003() { TestClock().Set(before); }
  } today;
  for (const char* typed : {"5.1.", "5.1"}) {
    SCOPED_TRACE(typed);
    auto doc = DmPortfolio();
    ScriptedPrompter prompter;
    dialogs::KaufDialog dialog(*doc, prompter);
    Open(dialog);
    auto* date = Field<dialogs::DateField>(dialog, QStringLiteral("Kauf&datum"));
    TypeDate(date, QString::fromLatin1(typed));
    EXPECT_EQ(date->text(), QStringLiteral("05.01.2003"));
    FillPurchase(dialog);
    Press(dialog, QDialogButtonBox::Ok);
    ASSERT_EQ(dialog.result(), QDialog::Accepted) << prompter.Last();
    dialog.Book(*doc);
    ASSERT_EQ(doc->Positions().size(), 1u);
    EXPECT_EQ(doc->Positions().front()->purchaseDate, Day(5, 1, 2003));
  }
  {
    // 29 February of a year that has none is refused, kept as typed.
    auto doc = DmPortfolio();
    ScriptedPrompter prompter;
    dialogs::KaufDialog dialog(*doc, prompter);
    Open(dialog);
    auto* date = Field<dialogs::DateField>(dialog, QStringLiteral("Kauf&datum"));
    TypeDate(date, QStringLiteral("29.2."));
    EXPECT_EQ(date->text(), QStringLiteral("29.2."));
    EXPECT_TRUE(date->IsMarkedInvalid());
  }
}

TEST(DateEntry, ADayItsMonthLacksIsRefusedNeverMoved) {
  auto doc = DmPortfolio();
  const auto before = doc->Serialize();
  ScriptedPrompter prompter;
  dialogs::KaufDialog dialog(*doc, prompter);
  Open(dialog);
  auto* date = Field<dialogs::DateField>(dialog, QStringLiteral("Kauf&datum"));
  TypeDate(date, QStringLiteral("31.06.1999"));
  EXPECT_EQ(date->text(), QStringLiteral("31.06.1999"));  // kept as typed, not made the 30th
  EXPECT_TRUE(date->IsMarkedInvalid());
  FillPurchase(dialog);

  Press(dialog, QDialogButtonBox::Ok);
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(dialog.isVisible());
  ASSERT_FALSE(prompter.messages.empty());
  EXPECT_EQ(prompter.Last(), "Bitte geben Sie ein gültiges Datum ein!");
  EXPECT_EQ(prompter.messages.back().caption, "Kauf");
  EXPECT_EQ(prompter.messages.size(), 1u);  // no confirmation was asked
  EXPECT_TRUE(date->hasFocus());
  EXPECT_EQ(date->text(), QStringLiteral("31.06.1999"));

  // Escape brings back the day the field had; a second Escape would close the dialog.
  QTest::keyClick(date, Qt::Key_Escape);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(date->IsMarkedInvalid());
  EXPECT_EQ(date->text(), QString::fromStdString(Day(8, 12, 2026).Format()));
  Press(dialog, QDialogButtonBox::Cancel);
  EXPECT_TRUE(SameBytes(before, doc->Serialize()));
}

// A dialog opens with the keyboard in its date field: typing replaces the day shown.
TEST(DateEntry, TypingIntoANewDialogReplacesTheDay) {
  auto doc = DmPortfolio();
  ScriptedPrompter prompter;
  dialogs::KaufDialog dialog(*doc, prompter);
  Open(dialog);
  auto* date = qobject_cast<dialogs::DateField*>(QApplication::focusWidget());
  ASSERT_NE(date, nullptr);
  QTest::keyClicks(date, QStringLiteral("15.1.99"));
  QTest::keyClick(date, Qt::Key_Tab);
  EXPECT_EQ(date->text(), QStringLiteral("15.01.1999"));
  EXPECT_EQ(date->Day(), Day(15, 1, 1999));
}

// The sale's earliest day is the account's start day: a day before it is refused, with the
// range in the message, instead of being moved to the start day.
TEST(DateEntry, ADayOutsideTheRangeIsRefusedWithTheRange) {
  auto doc = SamplePortfolio();
  ScriptedPrompter prompter;
  dialogs::VerkaufDialog dialog(*doc, prompter);
  Open(dialog);
  auto* date = Field<dialogs::DateField>(dialog, QStringLiteral("Verkauf&datum"));
  const std::string start = doc->Account().StartDay().Format();
  CKBXDatum dayBefore(doc->Account().StartDay().Day() - 1);
  TypeDate(date, QString::fromStdString(dayBefore.Format()));
  EXPECT_EQ(date->text(), QString::fromStdString(dayBefore.Format()));
  Press(dialog, QDialogButtonBox::Ok);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(prompter.Last(), "Bitte geben Sie ein Datum vom " + start + " bis zum 18.01.2038 ein!");
  EXPECT_TRUE(date->hasFocus());
}

// Changing the sale day by typing refills the lists when the field is left.
TEST(DateEntry, TheSaleListFollowsATypedDayOnLeaving) {
  auto doc = SamplePortfolio();
  ScriptedPrompter prompter;
  dialogs::VerkaufDialog dialog(*doc, prompter);
  Open(dialog);
  auto* names = Field<QComboBox>(dialog, QStringLiteral("&Bezeichnung"));
  const int today = names->count();
  ASSERT_GT(today, 0);
  auto* date = Field<dialogs::DateField>(dialog, QStringLiteral("Verkauf&datum"));
  date->setFocus();
  QTest::keyClick(date, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(date, QStringLiteral("2.1.99"));
  EXPECT_EQ(names->count(), today);  // nothing happens while typing
  QTest::keyClick(date, Qt::Key_Return);
  EXPECT_TRUE(dialog.isVisible());  // Enter took the new day, it did not press OK
  EXPECT_EQ(date->text(), QStringLiteral("02.01.1999"));
  EXPECT_LT(names->count(), today);
}

TEST(DateEntry, SaleShowsPurchasePricesInTheChosenCurrency) {
  auto doc = SamplePortfolio();
  Buy(*doc, Day(1, 2, 2000), "Siemens AG", "723610", "10", "100");
  ScriptedPrompter prompter;
  dialogs::VerkaufDialog dialog(*doc, prompter);
  Open(dialog);
  Choose(Field<QComboBox>(dialog, QStringLiteral("&Bezeichnung")), QStringLiteral("Siemens AG"));
  auto* table = dialog.findChild<QTableWidget*>();
  ASSERT_EQ(table->rowCount(), 2);
  EXPECT_TRUE(Button(dialog, QStringLiteral("E&UR"))->isChecked());
  EXPECT_EQ(Cell(table, 0, 2), QStringLiteral("76,69 EUR"));  // 150,00 DM
  EXPECT_EQ(Cell(table, 1, 2), QStringLiteral("100,00 EUR"));
  Click(Button(dialog, QStringLiteral("D&M")));
  EXPECT_EQ(Cell(table, 0, 2), QStringLiteral("150,00 DM"));
  EXPECT_EQ(Cell(table, 1, 2), QStringLiteral("195,58 DM"));
  Click(Button(dialog, QStringLiteral("DM/EU&R")));
  EXPECT_EQ(Cell(table, 0, 2), QStringLiteral("150,00 DM"));
  EXPECT_EQ(Cell(table, 1, 2), QStringLiteral("100,00 EUR"));
  // Amounts and quantities stand to the right, numbers and dates to the left.
  EXPECT_TRUE(table->item(0, 3)->textAlignment() & Qt::AlignRight);
  EXPECT_FALSE(table->item(0, 1)->textAlignment() & Qt::AlignRight);

  // "Aufteilen": a quantity below the lowest allowed is raised as the field is left.
  Type(Field<QLineEdit>(dialog, QStringLiteral("&Stück")), QStringLiteral("25"));
  Click(Button(dialog, QStringLiteral("&älteste Positionen verkaufen")));
  QString shown;
  WhenDialogShows([&](QDialog* part) {
    auto* quantity = part->findChild<QLineEdit*>();
    Type(quantity, QStringLiteral("1"));  // the other lot holds 10: at least 15 from this one
    shown = quantity->text();
    Press(*part, QDialogButtonBox::Cancel);
  });
  Click(Button(dialog, QStringLiteral("&aufteilen...")));
  EXPECT_EQ(shown, QStringLiteral("15"));
}

// A label's underlined letter takes the keyboard to its field.
TEST(DateEntry, LabelsTakeTheKeyboardToTheirFields) {
  auto doc = SamplePortfolio();
  ScriptedPrompter prompter;
  {
    dialogs::AktiensplitDialog dialog(*doc, prompter);
    Open(dialog);
    const QList<QLineEdit*> ratio = TextFields(dialog);
    ASSERT_EQ(ratio.size(), 2);
    QTest::keyClick(&dialog, Qt::Key_A, Qt::AltModifier);
    EXPECT_TRUE(ratio[1]->hasFocus());  // "&alte Aktie(n)"
    QTest::keyClick(&dialog, Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(ratio[0]->hasFocus());  // "&neue Aktien für"
  }
  {
    dialogs::KurseEingebenDialog dialog(*doc, prompter);
    Open(dialog);
    auto* date = dialog.findChild<dialogs::DateField*>();
    QTest::keyClick(&dialog, Qt::Key_D, Qt::AltModifier);
    EXPECT_TRUE(date->hasFocus());
  }
  {
    // On page 2 of the wizard Alt+W is "&Weiter", the currency label has Alt+H.
    NewFileWizard wizard(Day(8, 12, 2026), prompter);
    wizard.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&wizard));
    QAbstractButton* finish = wizard.button(QWizard::FinishButton);
    EXPECT_TRUE(finish->isVisible());  // shown on page 1 too, not usable there
    EXPECT_FALSE(finish->isEnabled());
    // A button's shortcut clicks it the way a mouse does, pressed and then released.
    const auto altW = [&wizard] {
      QTest::keyClick(&wizard, Qt::Key_W, Qt::AltModifier);
      for (int i = 0; i < 50 && wizard.button(QWizard::NextButton)->isDown(); ++i) QTest::qWait(10);
    };
    altW();
    ASSERT_EQ(wizard.currentId(), 1);
    altW();
    EXPECT_EQ(wizard.currentId(), 2);
  }
}

TEST(DateEntry, OptionsRefuseADayThatIsNone) {
  auto doc = SamplePortfolio();
  ScriptedPrompter prompter;
  dialogs::OptionenDialog dialog(*doc, prompter, 1);
  Open(dialog);
  auto* tabs = dialog.findChild<QTabWidget*>();
  // The days of the general page stand in their group.
  QGroupBox* period = nullptr;
  for (QGroupBox* box : tabs->widget(0)->findChildren<QGroupBox*>()) {
    if (box->title() == QStringLiteral("Darstellungszeitraum beim Öffnen der Datei")) period = box;
  }
  ASSERT_NE(period, nullptr);
  const QList<dialogs::DateField*> days = period->findChildren<dialogs::DateField*>();
  ASSERT_EQ(days.size(), 2);
  tabs->setCurrentIndex(0);
  TypeDate(days[0], QStringLiteral("30.02.2001"));
  tabs->setCurrentIndex(3);
  Press(dialog, QDialogButtonBox::Ok);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(tabs->currentIndex(), 0);  // back on the page of the field
  EXPECT_EQ(prompter.Last(), "Bitte geben Sie ein gültiges Datum ein!");
  EXPECT_TRUE(days[0]->hasFocus());
  TypeDate(days[0], QStringLiteral("28.2.01"));
  Press(dialog, QDialogButtonBox::Ok);
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  dialog.Book(*doc);
  EXPECT_EQ(doc->settings.general.periodStartDay, Day(28, 2, 2001));
}

// A stored face that is not installed is shown as the face that draws in its place, and
// stays stored until the user picks another.
TEST(OptionsPages, AFaceNotInstalledShowsTheFaceThatDrawsAndIsKept) {
  auto doc = SamplePortfolio();
  doc->settings.holdings.fontName = "Keine Solche Schrift";
  ScriptedPrompter prompter;
  dialogs::OptionenDialog dialog(*doc, prompter, 1);
  Open(dialog);
  auto* face = Field<QComboBox>(*dialog.findChild<QTabWidget*>()->widget(1), QStringLiteral("&Schriftart:"));
  ASSERT_NE(face, nullptr);
  EXPECT_FALSE(face->currentText().isEmpty());
  EXPECT_EQ(face->currentText(), QFontInfo(QFont(QStringLiteral("Keine Solche Schrift"))).family());
  Press(dialog, QDialogButtonBox::Ok);
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  dialog.Book(*doc);
  EXPECT_EQ(doc->settings.holdings.fontName, "Keine Solche Schrift");
}
