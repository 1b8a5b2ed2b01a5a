// The dialogs for the portfolio itself: holder data, the currency switch, the positions of
// the security chart and the display options, filled as a user fills them; and the help
// topics of the dialogs.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextBrowser>

#include "dialogs/DepotdatenDialog.h"
#include "dialogs/Help.h"
#include "dialogs/KaufDialog.h"
#include "dialogs/KontowaehrungDialog.h"
#include "dialogs/KurseEingebenDialog.h"
#include "dialogs/OptionenDialog.h"
#include "dialogs/PositionAuswahlDialog.h"
#include "tests/forms/FormsTestUtil.h"
#include "tests/gui/DialogTestUtil.h"
#include "tests/support/ByteDiff.h"

using namespace guitest;
using namespace testutil;

TEST(PortfolioDialogs, HolderData) {
  auto doc = SamplePortfolio();
  const auto before = doc->Serialize();
  ScriptedPrompter prompter;
  dialogs::DepotdatenDialog dialog(*doc, prompter);
  Open(dialog);
  auto* address = Field<QPlainTextEdit>(dialog, QStringLiteral("&Adresse des Depotinhabers"));
  EXPECT_EQ(address->toPlainText(), QStringLiteral("Hauptstraße 1\n12345 Öhringen"));
  Type(Field<QLineEdit>(dialog, QStringLiteral("&Name des Depotinhabers")),
       QStringLiteral("Erika Mustermann"));
  Type(Field<QLineEdit>(dialog, QStringLiteral("&Depotnummer")), QStringLiteral("4712"));
  Press(dialog, QDialogButtonBox::Ok);
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(SameBytes(before, doc->Serialize()));
  dialog.Book(*doc);
  EXPECT_EQ(doc->Account().holder, "Erika Mustermann");
  EXPECT_EQ(doc->depotNumber, "4712");
  EXPECT_EQ(doc->Account().address, "Hauptstraße 1\r\n12345 Öhringen");  // untouched, line breaks and all
  EXPECT_EQ(doc->Account().bankCode, "20010020");
}

TEST(PortfolioDialogs, CurrencySwitch) {
  auto doc = DmPortfolio();
  ScriptedPrompter prompter;
  dialogs::KontowaehrungDialog dialog(*doc, prompter);
  Open(dialog);
  TypeDate(dialog.findChild<dialogs::DateField*>(), QDate(2001, 7, 1));
  Press(dialog, QDialogButtonBox::Ok);
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(prompter.Last(), KontowaehrungForm::kQuestion);
  EXPECT_FALSE(doc->Account().IsSwitched());
  dialog.Book(*doc);
  EXPECT_TRUE(doc->Account().IsSwitched());
  EXPECT_EQ(doc->Account().SwitchDay(), Day(1, 7, 2001));
  EXPECT_EQ(doc->Account().CurrencyOn(Day(1, 7, 2001)), kEur);
}

// Rows are picked by clicking them; a row's check box follows its selection.
TEST(PortfolioDialogs, PositionSelection) {
  auto doc = SamplePortfolio();
  dialogs::PositionAuswahlDialog dialog(*doc, {doc->Positions()[0]->number});  // Bayer AG marked
  Open(dialog);
  auto* table = dialog.findChild<QTableWidget*>();
  ASSERT_EQ(table->rowCount(), 3);
  EXPECT_EQ(Cell(table, 0, 0), QStringLiteral("Bayer AG"));
  EXPECT_EQ(table->item(0, 0)->checkState(), Qt::Checked);
  const auto clickRow = [table](int row) {
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                      table->visualItemRect(table->item(row, 2)).center());
  };
  clickRow(0);  // off again
  const int siemens = Cell(table, 1, 0) == QStringLiteral("Siemens AG") ? 1 : 2;
  clickRow(siemens);
  EXPECT_EQ(table->item(0, 0)->checkState(), Qt::Unchecked);
  EXPECT_EQ(table->item(siemens, 0)->checkState(), Qt::Checked);
  Click(Button(dialog, QStringLiteral("&unverändert")));
  Press(dialog, QDialogButtonBox::Ok);
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Selection(), std::vector<int>{doc->Positions()[1]->number});  // the Siemens position
  EXPECT_FALSE(dialog.TimeInPortfolio());
}

TEST(PortfolioDialogs, OptionsOnTheirPage) {
  auto doc = SamplePortfolio();
  doc->SetModified(false);
  ScriptedPrompter prompter;
  dialogs::OptionenDialog dialog(*doc, prompter, 1);
  Open(dialog);
  auto* tabs = dialog.findChild<QTabWidget*>();
  ASSERT_EQ(tabs->currentIndex(), 1);  // "Depotbestand (1)"
  QWidget& page = *tabs->currentWidget();
  auto* rowHeight = Field<QLineEdit>(page, QStringLiteral("&Zeilenhöhe:"));
  EXPECT_EQ(rowHeight->text(), QStringLiteral("0,50 cm"));
  Type(rowHeight, QStringLiteral("12 mm"));
  EXPECT_EQ(rowHeight->text(), QStringLiteral("1,20 cm"));
  Type(Field<QLineEdit>(page, QStringLiteral("Spalten&rand:")), QStringLiteral("5"));  // clamped to 1 cm
  Press(dialog, QDialogButtonBox::Ok);
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(doc->IsModified());
  dialog.Book(*doc);
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(doc->settings.holdings.rowHeight, 120);
  EXPECT_EQ(doc->settings.holdings.columnMargin, 100);
  EXPECT_EQ(doc->settings.realised.rowHeight, 50);
}

// "Hilfe" and F1 open the help at the dialog's topic; in the options at the page's topic.
TEST(PortfolioDialogs, HelpAtTheTopic) {
  auto doc = SamplePortfolio();
  ScriptedPrompter prompter;
  const auto shownTopic = [] {
    auto* help = qobject_cast<QTextBrowser*>(dialogs::HelpWindow());
    const QString topic = help && help->isVisible() ? help->source().fragment() : QString();
    if (help) help->close();
    QApplication::processEvents();
    return topic;
  };
  {
    dialogs::KaufDialog dialog(*doc, prompter);
    Open(dialog);
    Click(Button(dialog, QStringLiteral("Hilfe")));
    EXPECT_EQ(shownTopic(), QStringLiteral("h2001"));
  }
  {
    dialogs::KurseEingebenDialog dialog(*doc, prompter);
    Open(dialog);
    QTest::keyClick(&dialog, Qt::Key_F1);
    EXPECT_EQ(shownTopic(), QStringLiteral("h2011"));
  }
  {
    dialogs::OptionenDialog dialog(*doc, prompter, 5);
    Open(dialog);
    QTest::keyClick(&dialog, Qt::Key_F1);
    EXPECT_EQ(shownTopic(), QStringLiteral("h2504"));
    dialog.findChild<QTabWidget*>()->setCurrentIndex(9);
    Click(Button(dialog, QStringLiteral("Hilfe")));
    EXPECT_EQ(shownTopic(), QStringLiteral("h2507"));
  }
}
