// Lists to choose from are found by typing, as in a file list: a name is typed whole, its
// blanks included, and the keys after it go where they belong.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>

#include "dialogs/KontobewegungDialog.h"
#include "dialogs/VerkaufDialog.h"
#include "tests/forms/FormsTestUtil.h"
#include "tests/gui/DialogTestUtil.h"

using namespace guitest;
using namespace testutil;

namespace {

// Two names that differ only after the blank, so that the blank decides.
class TypingInListsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Buy(*m_doc, Day(3, 1, 2005), "Deutsche Bank AG", "514000", "10", "60");
    Buy(*m_doc, Day(3, 1, 2005), "Deutsche Telekom AG", "555750", "100", "14");
  }
  std::unique_ptr<CKapibuchDoc> m_doc = SamplePortfolio();
  ScriptedPrompter m_prompter;
};

bool ListIsOpen(const QComboBox* list) {
  return list->view()->isVisible();
}

}  // namespace

TEST_F(TypingInListsTest, SaleTakesANameWithABlank) {
  dialogs::VerkaufDialog dialog(*m_doc, m_prompter);
  Open(dialog);
  auto* name = Field<QComboBox>(dialog, QStringLiteral("&Bezeichnung"));
  auto* wkn = Field<QComboBox>(dialog, QStringLiteral("&WKN/Kürzel"));
  QTest::keyClick(&dialog, Qt::Key_B, Qt::AltModifier);
  ASSERT_TRUE(name->hasFocus());
  QTest::keyClicks(name, QStringLiteral("Deutsche"));
  EXPECT_EQ(name->currentText(), QStringLiteral("Deutsche Bank AG"));  // the first that begins so
  QTest::keyClicks(name, QStringLiteral(" Telekom"));
  EXPECT_FALSE(ListIsOpen(name));
  EXPECT_EQ(name->currentText(), QStringLiteral("Deutsche Telekom AG"));
  EXPECT_EQ(wkn->currentText(), QStringLiteral("555750"));
  auto* table = dialog.findChild<QTableWidget*>();
  ASSERT_EQ(table->rowCount(), 1);
  EXPECT_EQ(Cell(table, 0, 3), QStringLiteral("100"));  // the Telekom position's shares
  // The next keys are the user's, not the list's: Tab goes on to the next field.
  QTest::keyClick(name, Qt::Key_Tab);
  EXPECT_TRUE(wkn->hasFocus());
  EXPECT_EQ(name->currentText(), QStringLiteral("Deutsche Telekom AG"));
}

// With no search under way a blank opens the list, as before; a pause ends a search.
TEST_F(TypingInListsTest, ABlankAfterAPauseOpensTheList) {
  dialogs::VerkaufDialog dialog(*m_doc, m_prompter);
  Open(dialog);
  auto* name = Field<QComboBox>(dialog, QStringLiteral("&Bezeichnung"));
  name->setFocus();
  QTest::keyClicks(name, QStringLiteral("Deutsche"));
  QTest::qWait(QApplication::keyboardInputInterval() + 200);
  QTest::keyClick(name, Qt::Key_Space);
  EXPECT_TRUE(ListIsOpen(name));
  QTest::keyClick(name->view(), Qt::Key_Escape);
  EXPECT_FALSE(ListIsOpen(name));
  EXPECT_EQ(name->currentText(), QStringLiteral("Deutsche Bank AG"));
}

// In the movement dialog the kind and the security are typed: "Sonstige Kosten" after
// "Sonstige Erträge", "Deutsche Telekom" after "Deutsche Bank".
TEST_F(TypingInListsTest, MovementTakesKindAndNameWithBlanks) {
  dialogs::KontobewegungDialog dialog(*m_doc, m_prompter);
  Open(dialog);
  auto* kind = Field<QComboBox>(dialog, QStringLiteral("&Vorgang"));
  QTest::keyClick(&dialog, Qt::Key_V, Qt::AltModifier);
  ASSERT_TRUE(kind->hasFocus());
  QTest::keyClicks(kind, QStringLiteral("Sonstige Kosten"));
  EXPECT_FALSE(ListIsOpen(kind));
  EXPECT_EQ(kind->currentText(), QStringLiteral("Sonstige Kosten"));

  QAbstractButton* related = Button(dialog, QStringLiteral("Wert&papierbezug:"));
  QTest::keyClick(&dialog, Qt::Key_P, Qt::AltModifier);  // ticks it, as a click does
  for (int i = 0; i < 50 && !related->isChecked(); ++i) QTest::qWait(10);
  ASSERT_TRUE(related->isChecked());
  auto* name = Field<QComboBox>(dialog, QStringLiteral("&Bezeichnung"));
  ASSERT_TRUE(name->isEnabled());
  QTest::keyClick(&dialog, Qt::Key_B, Qt::AltModifier);
  ASSERT_TRUE(name->hasFocus());
  QTest::keyClicks(name, QStringLiteral("Deutsche Telekom"));
  EXPECT_FALSE(ListIsOpen(name));
  EXPECT_EQ(name->currentText(), QStringLiteral("Deutsche Telekom AG"));
  EXPECT_EQ(Field<QComboBox>(dialog, QStringLiteral("&WKN/Kürzel"))->currentText(), QStringLiteral("555750"));
}
