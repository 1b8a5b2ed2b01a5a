// The dialogs as the main window opens them: from the menu on the active window's document,
// and the position selection from the period bar. A booking updates the views once.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <filesystem>

#include "frames/ChildFrame.h"
#include "frames/KapibuchView.h"
#include "frames/MainFrame.h"
#include "frames/PeriodBar.h"
#include "platform/RecordingSurface.h"
#include "qt/DocumentSession.h"
#include "tests/forms/FormsTestUtil.h"
#include "tests/gui/DialogTestUtil.h"
#include "tests/gui/SampleWindowTest.h"
#include "tests/support/ByteDiff.h"
#include "views/Charts.h"

using namespace guitest;
using namespace testutil;
using views::ViewMode;

namespace {

class MenuDialogsTest : public SampleWindowTest {};

// Types a buy of 4 SAP SE at 120,00 into the buy dialog, field by field.
void TypeSapBuy(QDialog& buy) {
  Type(Field<QComboBox>(buy, QStringLiteral("&Bezeichnung"))->lineEdit(), QStringLiteral("SAP SE"));
  Type(Field<QComboBox>(buy, QStringLiteral("&WKN/Kürzel"))->lineEdit(), QStringLiteral("716460"));
  Type(Field<QLineEdit>(buy, QStringLiteral("&Stück")), QStringLiteral("4"));
  Type(Field<QLineEdit>(buy, QStringLiteral("Kauf&kurs")), QStringLiteral("120"));
  Type(Field<QLineEdit>(buy, QStringLiteral("&Provision etc.")), QStringLiteral("0"));
}

}  // namespace

TEST_F(MenuDialogsTest, BuyFromTheMenu) {
  const int rebuilds = m_window->View().Rebuilds();
  const std::size_t positions = Doc().Positions().size();
  WhenDialogShows([](QDialog* buy) {
    EXPECT_EQ(buy->windowTitle(), QStringLiteral("Kauf"));
    TypeSapBuy(*buy);
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
      TypeSapBuy(*buy);
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
  EXPECT_EQ(m_window->State().selection, std::vector<int>{Doc().Positions()[1]->number});  // Siemens
  EXPECT_EQ(m_window->State().Days(ViewMode::SecurityChart).first,
            Day(5, 3, 1999));  // its time in the portfolio
}

// A buy typed into its dialog is taken back with Strg+Z and made again with Strg+Y (or
// Strg+Umschalt+Z): the document's bytes, the view's rows and the menu's texts follow.
TEST_F(MenuDialogsTest, ABuyIsTakenBackAndMadeAgainFromTheKeyboard) {
  m_frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
  m_window->widget()->setFocus();
  const auto command = [this](const QString& start) -> QAction* {
    for (QAction* a : m_frame->findChildren<QAction*>()) {
      if (a->text().startsWith(start)) return a;
    }
    return nullptr;
  };
  QAction* undo = command(QStringLiteral("&Rückgängig"));
  QAction* redo = command(QStringLiteral("Wieder&holen"));
  ASSERT_NE(undo, nullptr);
  ASSERT_NE(redo, nullptr);
  EXPECT_FALSE(undo->isEnabled());  // nothing changed since the file was opened
  EXPECT_EQ(undo->text(), QStringLiteral("&Rückgängig"));
  const auto shows = [this](const std::string& name) {
    platform::RecordingSurface surface;
    m_window->View().Mode()->Draw(surface, m_window->View().VisibleRect());
    for (const auto* t : surface.Texts()) {
      if (t->given == name) return true;
    }
    return false;
  };
  // Keys go where the keyboard focus is, as a user types them.
  const auto Focus = [](int at = __builtin_LINE()) -> QWidget* {
    QWidget* w = QApplication::focusWidget();
    EXPECT_NE(w, nullptr) << "the keyboard focus is in no window at line " << at;
    return w ? w : QApplication::activeWindow();
  };
  const std::vector<std::uint8_t> before = Doc().Serialize();
  ASSERT_FALSE(shows("SAP SE"));

  WhenDialogShows([](QDialog* buy) {
    TypeSapBuy(*buy);
    Press(*buy, QDialogButtonBox::Ok);
  });
  QTest::keyClick(Focus(), Qt::Key_K, Qt::ControlModifier);
  ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));  // the main window is active again
  const std::vector<std::uint8_t> bought = Doc().Serialize();
  ASSERT_NE(bought, before);
  EXPECT_TRUE(shows("SAP SE"));
  EXPECT_TRUE(undo->isEnabled());
  EXPECT_TRUE(undo->text().startsWith(QStringLiteral("&Rückgängig: Kauf SAP SE am ")))
      << undo->text().toStdString();
  EXPECT_FALSE(redo->isEnabled());

  QTest::keyClick(Focus(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(SameBytes(before, Doc().Serialize()));
  EXPECT_FALSE(shows("SAP SE"));
  EXPECT_FALSE(Doc().IsModified());  // back at the file as opened
  EXPECT_FALSE(undo->isEnabled());
  EXPECT_TRUE(redo->text().startsWith(QStringLiteral("Wieder&holen: Kauf SAP SE am ")));

  QTest::keyClick(Focus(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_TRUE(SameBytes(bought, Doc().Serialize()));
  EXPECT_TRUE(shows("SAP SE"));
  EXPECT_TRUE(Doc().IsModified());

  QTest::keyClick(Focus(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(Focus(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(SameBytes(bought, Doc().Serialize()));
}

// A window's chart keeps its security when a buy in another window of the same file
// inserts a position before it, and when that buy is taken back.
TEST_F(MenuDialogsTest, TheChartKeepsItsSecurityWhenAnotherWindowBooks) {
  m_frame->ModeAction(ViewMode::SecurityChart)->trigger();
  m_window->OnSelectPositions({Doc().Positions()[1]->number}, false);  // Siemens AG
  const auto title = [this] {
    return views::SelectionNames(Doc(), m_window->State().selection, m_window->State().securitySeries);
  };
  ASSERT_EQ(title(), "Siemens AG");
  ChildFrame* other = m_frame->NewWindow();
  ASSERT_NE(other, nullptr);
  ASSERT_NE(other, m_window);
  Buy(Doc(), Day(1, 2, 1999), "BASF", "BASF11", "3", "40");  // between Bayer (1998) and Siemens
  ASSERT_EQ(Doc().Positions()[1]->name, "BASF");
  EXPECT_EQ(title(), "Siemens AG");
  ASSERT_TRUE(Doc().UndoChange());
  EXPECT_EQ(title(), "Siemens AG");
}
