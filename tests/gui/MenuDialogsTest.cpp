// The dialogs as the main window opens them: from the menu on the active window's document,
// and the position selection from the period bar. A booking updates the views once.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <filesystem>

#include "frames/ChildFrame.h"
#include "frames/KapibuchView.h"
#include "frames/MainFrame.h"
#include "frames/PeriodBar.h"
#include "frames/Session.h"
#include "tests/forms/FormsTestUtil.h"
#include "tests/gui/DialogTestUtil.h"
#include "tests/gui/SampleWindowTest.h"

using namespace guitest;
using namespace testutil;
using views::ViewMode;

namespace {

class MenuDialogsTest : public SampleWindowTest {};

}  // namespace

TEST_F(MenuDialogsTest, BuyFromTheMenu) {
  const int rebuilds = m_window->View().Rebuilds();
  const std::size_t positions = Doc().Positions().size();
  WhenDialogShows([](QDialog* buy) {
    EXPECT_EQ(buy->windowTitle(), QStringLiteral("Kauf"));
    Type(Field<QComboBox>(*buy, QStringLiteral("&Bezeichnung"))->lineEdit(), QStringLiteral("SAP SE"));
    Type(Field<QComboBox>(*buy, QStringLiteral("&WKN/Kürzel"))->lineEdit(), QStringLiteral("716460"));
    Type(Field<QLineEdit>(*buy, QStringLiteral("&Stück")), QStringLiteral("4"));
    Type(Field<QLineEdit>(*buy, QStringLiteral("Kauf&kurs")), QStringLiteral("120"));
    Type(Field<QLineEdit>(*buy, QStringLiteral("&Provision etc.")), QStringLiteral("0"));
    Press(*buy, QDialogButtonBox::Ok);
  });
  Action(QStringLiteral("&Kauf..."))->trigger();
  ASSERT_EQ(Doc().Positions().size(), positions + 1);
  EXPECT_EQ(Doc().Positions().back()->name, "SAP SE");
  EXPECT_TRUE(Doc().IsModified());
  EXPECT_EQ(m_window->View().Rebuilds(), rebuilds + 1);
}

// After a booking confirmed with OK the keyboard is back in the document window: the next
// Strg+K, typed where the focus is, opens the next buy.
TEST_F(MenuDialogsTest, KeyboardFocusReturnsAfterABooking) {
  m_frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
  m_window->widget()->setFocus();  // as after a click into the window
  for (const auto button : {QDialogButtonBox::Ok, QDialogButtonBox::Cancel}) {
    WhenDialogShows([button](QDialog* buy) {
      Type(Field<QComboBox>(*buy, QStringLiteral("&Bezeichnung"))->lineEdit(), QStringLiteral("SAP SE"));
      Type(Field<QComboBox>(*buy, QStringLiteral("&WKN/Kürzel"))->lineEdit(), QStringLiteral("716460"));
      Type(Field<QLineEdit>(*buy, QStringLiteral("&Stück")), QStringLiteral("4"));
      Type(Field<QLineEdit>(*buy, QStringLiteral("Kauf&kurs")), QStringLiteral("120"));
      Type(Field<QLineEdit>(*buy, QStringLiteral("&Provision etc.")), QStringLiteral("0"));
      Press(*buy, button);
    });
    QWidget* typing = QApplication::focusWidget();
    ASSERT_NE(typing, nullptr);
    QTest::keyClick(typing, Qt::Key_K, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    QWidget* after = QApplication::focusWidget();
    ASSERT_NE(after, nullptr) << "no focus after " << (button == QDialogButtonBox::Ok ? "OK" : "Abbrechen");
    EXPECT_TRUE(m_window->isAncestorOf(after));
  }
  EXPECT_EQ(Doc().Positions().back()->name, "SAP SE");
}

TEST_F(MenuDialogsTest, PriceEntryFromTheMenuUpdatesOnceOnClosing) {
  const int rebuilds = m_window->View().Rebuilds();
  WhenDialogShows([](QDialog* prices) {
    auto* first = TextFields(*prices).value(0);
    ASSERT_NE(first, nullptr);
    Type(first, QStringLiteral("99"));
    Type(TextFields(*prices).value(1), QStringLiteral("98"));
    Click(Button(*prices, QStringLiteral("Schließen")));
  });
  Action(QStringLiteral("Kurse &eingeben..."))->trigger();
  EXPECT_EQ(m_window->View().Rebuilds(), rebuilds + 1);
  EXPECT_TRUE(Doc().IsModified());
}

TEST_F(MenuDialogsTest, PositionSelectionFromThePeriodBar) {
  m_frame->ModeAction(ViewMode::SecurityChart)->trigger();
  QPushButton* select = nullptr;
  for (QPushButton* b : m_frame->Period().findChildren<QPushButton*>()) {
    if (b->text() == QStringLiteral("Auswählen...")) select = b;
  }
  ASSERT_NE(select, nullptr);
  WhenDialogShows([](QDialog* selection) {
    auto* table = selection->findChild<QTableWidget*>();
    for (int row = 0; row < table->rowCount(); ++row) {
      if (Cell(table, row, 0) == QStringLiteral("Siemens AG"))
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualItemRect(table->item(row, 2)).center());
    }
    Press(*selection, QDialogButtonBox::Ok);
  });
  Click(select);
  EXPECT_EQ(m_window->State().selection, std::vector<int>{1});
  EXPECT_EQ(m_window->State().Days(ViewMode::SecurityChart).first,
            Day(5, 3, 1999));  // its time in the portfolio
}
