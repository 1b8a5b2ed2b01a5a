// Alt+letter reaches one control only: in every dialog (each page of the options and of the
// wizard as it is shown), in the main window with its menu bar, and in every menu.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QShortcutEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QWizard>

#include "tests/gui/DialogTestUtil.h"
#include "tests/gui/EveryDialog.h"
#include "tests/gui/SampleWindowTest.h"

using namespace guitest;

namespace {

// The letter a text gives its control with Alt (the one after a single "&"), or none.
QChar Mnemonic(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != QLatin1Char('&')) continue;
    if (text[i + 1] != QLatin1Char('&')) return text[i + 1].toLower();
    ++i;  // "&&" is an ampersand
  }
  return {};
}

struct Owner {
  QChar letter;
  QString text;
  QWidget* widget;  // the control that takes the key
};

void AddOwner(QList<Owner>& owners, const QString& text, QWidget* widget) {
  if (const QChar letter = Mnemonic(text); !letter.isNull()) owners.push_back({letter, text, widget});
}

// The texts with a letter of the controls a window shows now: labels that lead to a field,
// buttons, check boxes, radio buttons, group boxes, tabs; a main window's menu titles.
QList<Owner> ShownOwners(QWidget& window) {
  QList<Owner> owners;
  for (QWidget* w : window.findChildren<QWidget*>()) {
    if (w->window() != &window || !w->isVisibleTo(&window)) continue;
    if (auto* label = qobject_cast<QLabel*>(w)) {
      if (label->buddy()) AddOwner(owners, label->text(), w);  // without one the "&" is no key
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      AddOwner(owners, button->text(), w);
    } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
      AddOwner(owners, box->title(), w);
    } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
      for (int i = 0; i < tabs->count(); ++i) AddOwner(owners, tabs->tabText(i), w);
    }
  }
  if (auto* main = qobject_cast<QMainWindow*>(&window)) {
    for (QAction* menu : main->menuBar()->actions()) AddOwner(owners, menu->text(), main->menuBar());
  }
  return owners;
}

QList<Owner> MenuOwners(const QMenu& menu) {
  QList<Owner> owners;
  for (QAction* a : menu.actions()) {
    if (!a->isSeparator()) AddOwner(owners, a->text(), nullptr);
  }
  return owners;
}

// "WHERE: Alt+X: "A" and "B"" for each letter that two of them share.
QStringList Clashes(const QString& where, const QList<Owner>& owners) {
  QStringList clashes;
  for (qsizetype i = 0; i < owners.size(); ++i) {
    for (qsizetype j = i + 1; j < owners.size(); ++j) {
      if (owners[i].letter != owners[j].letter) continue;
      clashes << QStringLiteral("%1: Alt+%2: \"%3\" and \"%4\"")
                     .arg(where, owners[i].letter.toUpper(), owners[i].text, owners[j].text);
    }
  }
  return clashes;
}

// Holds back the shortcut events that keys send, noting who they were for.
class ShortcutCatcher : public QObject {
 public:
  ShortcutCatcher() { qApp->installEventFilter(this); }
  ~ShortcutCatcher() override { qApp->removeEventFilter(this); }
  ShortcutCatcher(const ShortcutCatcher&) = delete;
  ShortcutCatcher& operator=(const ShortcutCatcher&) = delete;

  QObject* receiver = nullptr;
  bool ambiguous = false;

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() != QEvent::Shortcut) return false;
    if (!receiver) receiver = object;
    ambiguous |= static_cast<QShortcutEvent*>(event)->isAmbiguous();
    return true;
  }
};

// Types each letter with Alt, as a user does: it must reach its control, and only that one
// (controls that are off take no key).
QStringList KeyClashes(const QString& where, QWidget& window, const QList<Owner>& owners) {
  QStringList clashes;
  QSet<QChar> typed;
  for (const Owner& owner : owners) {
    if (!owner.widget->isEnabled() || typed.contains(owner.letter)) continue;
    typed.insert(owner.letter);
    const QKeyCombination key = QKeySequence::mnemonic(owner.text)[0];
    ShortcutCatcher catcher;
    QTest::keyClick(&window, key.key(), key.keyboardModifiers());
    const QString alt = QStringLiteral("%1: Alt+%2").arg(where, owner.letter.toUpper());
    if (catcher.ambiguous) {
      clashes << alt + QStringLiteral(" reaches more than one control");
    } else if (catcher.receiver != owner.widget) {
      clashes << alt + QStringLiteral(" does not reach \"%1\"").arg(owner.text);
    }
  }
  return clashes;
}

QStringList ShownClashes(const QString& where, QWidget& window) {
  const QList<Owner> owners = ShownOwners(window);
  return Clashes(where, owners) + KeyClashes(where, window, owners);
}

// The clashes of a dialog in each of its states: every tab of its tab widgets, every page of
// a wizard as the wizard goes from the first to the last.
QStringList DialogClashes(QDialog& dialog) {
  const QString title = dialog.windowTitle();
  QStringList clashes;
  if (auto* wizard = qobject_cast<QWizard*>(&dialog)) {
    wizard->restart();
    for (int page = 1;; ++page) {
      clashes << ShownClashes(QStringLiteral("%1, Seite %2").arg(title).arg(page), dialog);
      if (wizard->nextId() < 0) break;
      const int before = wizard->currentId();
      wizard->next();
      if (wizard->currentId() == before) {
        clashes << title + QStringLiteral(": page %1 does not let go").arg(page);
        break;
      }
    }
    return clashes;
  }
  clashes << ShownClashes(title, dialog);
  for (QTabWidget* tabs : dialog.findChildren<QTabWidget*>()) {
    for (int i = 0; i < tabs->count(); ++i) {
      tabs->setCurrentIndex(i);
      clashes << ShownClashes(title + QStringLiteral(" - ") + tabs->tabText(i), dialog);
    }
  }
  return clashes;
}

void WalkMenu(QMenu& menu, const QString& where, QStringList& clashes) {
  // Some entries are made as the menu opens (the window list).
  menu.popup(QPoint(0, 0));
  menu.hide();
  clashes << Clashes(where, MenuOwners(menu));
  for (QAction* a : menu.actions()) {
    if (QMenu* sub = a->menu()) WalkMenu(*sub, where + QStringLiteral(" > ") + a->text(), clashes);
  }
}

class MnemonicsTest : public SampleWindowTest {};

}  // namespace

// The walk finds a shared letter among the controls shown together, and only there: a
// field's label and a button share D (and Alt+D typed reaches both), a label without a
// field and a hidden button do not count, and a doubled "&" is no letter.
TEST(Mnemonics, TheWalkFindsALetterTwice) {
  QDialog dialog;
  dialog.setWindowTitle(QStringLiteral("Probe"));
  auto* layout = new QFormLayout(&dialog);
  auto* field = new QLineEdit;
  layout->addRow(QStringLiteral("&Datum"), field);
  layout->addRow(new QLabel(QStringLiteral("&Bank ohne Feld")));
  auto* hidden = new QPushButton(QStringLiteral("&Bank"));
  layout->addRow(hidden);
  hidden->hide();
  layout->addRow(new QPushButton(QStringLiteral("Kurs && &Datum")));
  layout->addRow(new QPushButton(QStringLiteral("A&&B")));
  layout->addRow(new QPushButton(QStringLiteral("&Abbruch")));
  Open(dialog);
  EXPECT_EQ(DialogClashes(dialog),
            (QStringList{QStringLiteral("Probe: Alt+D: \"&Datum\" and \"Kurs && &Datum\""),
                         QStringLiteral("Probe: Alt+D reaches more than one control")}));
}

TEST_F(MnemonicsTest, EachLetterOnceInEveryDialog) {
  QStringList clashes;
  int dialogs = 0;
  EveryDialog(Doc(), m_window->View()).ForEach([&](QDialog& dialog) {
    ++dialogs;
    clashes << DialogClashes(dialog);
  });
  EXPECT_EQ(dialogs, 21);
  EXPECT_EQ(clashes.join(QLatin1Char('\n')).toStdString(), "");
}

TEST_F(MnemonicsTest, EachLetterOnceInTheMainWindowAndEveryMenu) {
  ASSERT_NE(m_frame->NewWindow(), nullptr);  // two entries in the window list
  m_frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
  QStringList clashes = ShownClashes(QStringLiteral("Hauptfenster"), *m_frame);
  int menus = 0;
  for (QAction* title : m_frame->menuBar()->actions()) {
    if (QMenu* menu = title->menu()) {
      ++menus;
      WalkMenu(*menu, title->text(), clashes);
    }
  }
  EXPECT_GE(menus, 5);  // Datei, Bearbeiten, Ansicht, Fenster, Hilfe
  EXPECT_EQ(clashes.join(QLatin1Char('\n')).toStdString(), "");
}
