// A small screen: every dialog fits 1024 × 700 (as 2048 × 1400 does at scale 2, in logical
// pixels the same), its frame and title bar included. Document windows open maximized until
// the user restores one.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>

#include "dialogs/DialogSupport.h"
#include "dialogs/OptionenDialog.h"
#include "tests/gui/DialogTestUtil.h"
#include "tests/gui/EveryDialog.h"
#include "tests/gui/SampleWindowTest.h"

using namespace guitest;

namespace {

// The screen, less what a window manager takes for frame and title bar.
const QSize kRoom = QSize(1024, 700) - QSize(dialogs::kFrameAllowance, dialogs::kFrameAllowance);

class DialogSizesTest : public SampleWindowTest {};

// Whether the widget is shown in a scroll area of the window (where it may lie out of view).
bool InScrollArea(const QWidget& widget, const QWidget& window) {
  for (const QWidget* w = widget.parentWidget(); w && w != &window; w = w->parentWidget()) {
    if (qobject_cast<const QAbstractScrollArea*>(w)) return true;
  }
  return false;
}

}  // namespace

TEST_F(DialogSizesTest, EveryDialogFitsTheSmallScreen) {
  // The GUI tests run on that screen: dialogs that size themselves by it are measured there.
  ASSERT_EQ(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 1024, 700));
  QStringList tooLarge;
  EveryDialog(Doc(), m_window->View()).ForEach([&](QDialog& dialog) {
    const QString title = dialog.windowTitle();
    const QSize least = dialog.minimumSizeHint().expandedTo(dialog.minimumSize());
    if (least.width() > kRoom.width() || least.height() > kRoom.height())
      tooLarge
          << QStringLiteral("%1 needs at least %2 x %3").arg(title).arg(least.width()).arg(least.height());
    if (dialog.width() > kRoom.width() || dialog.height() > kRoom.height())
      tooLarge << QStringLiteral("%1 opens at %2 x %3").arg(title).arg(dialog.width()).arg(dialog.height());
    // At its least size every button is there to be clicked.
    dialog.resize(least);
    QApplication::processEvents();
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
      if (!button->isVisible() || InScrollArea(*button, dialog)) continue;
      const QRect at(button->mapTo(&dialog, QPoint(0, 0)), button->size());
      if (!dialog.rect().contains(at))
        tooLarge << QStringLiteral("%1: \"%2\" lies outside").arg(title, button->text());
    }
  });
  EXPECT_EQ(tooLarge.join(QLatin1Char('\n')).toStdString(), "");
}

// The options scroll where a page is taller than the dialog, but never sideways: the widest
// page's rows are whole, and OK is reached from the keyboard at the least size too.
TEST_F(DialogSizesTest, OptionsScrollUpAndDownOnly) {
  testutil::ScriptedPrompter prompter;
  dialogs::OptionenDialog dialog(Doc(), prompter, 2);  // "Depotbestand (2)", the tallest page
  Open(dialog);
  dialog.resize(dialog.minimumSizeHint());
  QApplication::processEvents();
  auto* tabs = dialog.findChild<QTabWidget*>();
  for (int i = 0; i < tabs->count(); ++i) {
    tabs->setCurrentIndex(i);
    QApplication::processEvents();
    auto* scroll = qobject_cast<QAbstractScrollArea*>(tabs->currentWidget());
    ASSERT_NE(scroll, nullptr) << tabs->tabText(i).toStdString();
    EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible()) << tabs->tabText(i).toStdString();
    EXPECT_GE(scroll->viewport()->width(), scroll->findChild<QWidget*>()->minimumSizeHint().width())
        << tabs->tabText(i).toStdString();
  }
  tabs->setCurrentIndex(2);
  QApplication::processEvents();
  auto* scroll = qobject_cast<QAbstractScrollArea*>(tabs->currentWidget());
  EXPECT_TRUE(scroll->verticalScrollBar()->isVisible());
  // Typing into the last row scrolls it into view.
  QAbstractButton* last =
      Button(*tabs->currentWidget(), QStringLiteral("Positionen mit gleic&hen Wertpapieren zusammenfassen"));
  QTest::keyClick(&dialog, Qt::Key_H, Qt::AltModifier);
  for (int i = 0; i < 50 && !last->hasFocus(); ++i) QTest::qWait(10);
  ASSERT_TRUE(last->hasFocus());
  EXPECT_GT(scroll->verticalScrollBar()->value(), 0);
  QTest::keyClick(&dialog, Qt::Key_Return);  // OK, the default button
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// Document windows open maximized; switching, closing and minimizing keep it so; once the
// user restores a window (with its window menu, as with the button), new windows of the
// session open restored, fully inside the area.
TEST_F(DialogSizesTest, WindowsOpenMaximizedUntilOneIsRestored) {
  QMdiArea& area = m_frame->Area();
  EXPECT_TRUE(m_window->isMaximized());
  ChildFrame* second = m_frame->NewWindow();
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(second->isMaximized());
  area.setActiveSubWindow(m_window);  // as "Fenster" > "&1 ..." does
  QTest::qWait(1);
  EXPECT_TRUE(m_window->isMaximized());
  second->close();
  QTest::qWait(1);
  ChildFrame* third = m_frame->NewWindow();
  EXPECT_TRUE(third->isMaximized());
  third->showMinimized();
  QTest::qWait(1);
  area.setActiveSubWindow(m_window);
  QTest::qWait(1);
  third->close();
  QTest::qWait(1);
  ChildFrame* fourth = m_frame->NewWindow();
  EXPECT_TRUE(fourth->isMaximized());

  // "Wieder&herstellen", the first entry of the window's menu.
  QMenu* menu = fourth->systemMenu();
  ASSERT_NE(menu, nullptr);
  menu->popup(fourth->mapToGlobal(QPoint(0, 0)));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
  QTest::keyClick(menu, Qt::Key_Down);
  ASSERT_EQ(menu->activeAction(), menu->actions().value(0));
  QTest::keyClick(menu, Qt::Key_Return);
  QTest::qWait(1);
  EXPECT_FALSE(fourth->isMaximized());
  EXPECT_EQ(fourth->size(), QSize(900, 560));  // as a restored window opens

  ChildFrame* fifth = m_frame->NewWindow();
  EXPECT_FALSE(fifth->isMaximized());
  EXPECT_EQ(fifth->size(), QSize(900, 560));
  EXPECT_TRUE(area.viewport()->rect().contains(fifth->geometry()));
  ChildFrame* sixth = m_frame->NewWindow();
  EXPECT_FALSE(sixth->isMaximized());
}

// Arranging the windows is restoring them too.
TEST_F(DialogSizesTest, ArrangedWindowsOpenRestored) {
  ChildFrame* second = m_frame->NewWindow();
  EXPECT_TRUE(second->isMaximized());
  Action(QStringLiteral("Neben&einander"))->trigger();
  QTest::qWait(1);
  EXPECT_FALSE(m_frame->NewWindow()->isMaximized());
}
