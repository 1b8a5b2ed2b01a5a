#pragma once
// Driving dialogs as a user does, on the offscreen platform: fields are found by their
// labels, typed into with the keyboard and left with Tab; lists are chosen with the arrow
// keys; buttons are clicked with the mouse.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest/QTest>
#include <algorithm>
#include <functional>

#include "dialogs/DateField.h"
#include "document/KapibuchDoc.h"

namespace guitest {

// Handles the next modal dialog as soon as it is shown (polling, so a slow start cannot miss
// it). A test never hangs on a dialog: one that is still open after a failed expectation in
// the handler is closed at once, one still open 10 s after its handler returned, and a
// dialog that never shows within 10 s, fail the test at the line that asked for it.
inline void WhenDialogShows(const std::function<void(QDialog*)>& handle, const char* file = __builtin_FILE(),
                            int line = __builtin_LINE()) {
  constexpr int kPatienceMs = 10000;
  auto* timer = new QTimer;
  auto* waiting = new QElapsedTimer;
  waiting->start();
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  QObject::connect(timer, &QTimer::destroyed, [waiting] { delete waiting; });
  QObject::connect(timer, &QTimer::timeout, timer, [=] {
    const bool sameTest = ::testing::UnitTest::GetInstance()->current_test_info() == test;
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog && sameTest && waiting->elapsed() < kPatienceMs) return;
    timer->stop();
    timer->deleteLater();
    if (!dialog) {
      if (sameTest) ADD_FAILURE_AT(file, line) << "no dialog showed within 10 s";
      return;
    }
    const bool failedBefore = ::testing::Test::HasFailure();
    handle(dialog);
    const QPointer<QDialog> left(dialog);
    if (!left || !left->isVisible()) return;
    if (::testing::Test::HasFailure() && !failedBefore) {
      left->reject();  // an expectation failed in the handler: the test goes on to its end
      return;
    }
    QTimer::singleShot(kPatienceMs, left, [left, file, line] {
      if (!left->isVisible()) return;
      ADD_FAILURE_AT(file, line) << "dialog „" << left->windowTitle().toStdString()
                                 << "“ still open 10 s after it was handled";
      left->reject();
    });
  });
  timer->start(20);
}

// Shows a dialog (not modal: the test goes on) and waits until it has the keyboard.
inline void Open(QDialog& dialog) {
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

// The field of the form row with this label (the label as written, with its "&").
template <typename Widget>
Widget* Field(QWidget& dialog, const QString& label) {
  for (QFormLayout* form : dialog.findChildren<QFormLayout*>()) {
    for (int row = 0; row < form->rowCount(); ++row) {
      QLayoutItem* labelItem = form->itemAt(row, QFormLayout::LabelRole);
      QLayoutItem* fieldItem = form->itemAt(row, QFormLayout::FieldRole);
      auto* text = labelItem ? qobject_cast<QLabel*>(labelItem->widget()) : nullptr;
      if (!text || text->text() != label || !fieldItem) continue;
      if (auto* widget = qobject_cast<Widget*>(fieldItem->widget())) return widget;
      if (QLayout* inner = fieldItem->layout()) {
        for (int i = 0; i < inner->count(); ++i) {
          if (auto* widget = qobject_cast<Widget*>(inner->itemAt(i)->widget())) return widget;
        }
      }
    }
  }
  ADD_FAILURE() << "no field " << label.toStdString();
  return nullptr;
}

// The button (push button, check box, radio button) with this text.
inline QAbstractButton* Button(QWidget& dialog, const QString& text) {
  for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
    if (button->text() == text) return button;
  }
  ADD_FAILURE() << "no button " << text.toStdString();
  return nullptr;
}

// A check box or radio button takes clicks on its box and text only: it is clicked on its box.
inline void Click(QAbstractButton* button) {
  ASSERT_NE(button, nullptr);
  ASSERT_TRUE(button->isEnabled()) << button->text().toStdString();
  const bool boxed = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
  const QPoint at =
      boxed ? QPoint(std::min(8, button->width() / 2), button->height() / 2) : button->rect().center();
  QTest::mouseClick(button, Qt::LeftButton, {}, at);
}

// The text fields of a dialog that are fields of their own (not parts of lists, not dates).
inline QList<QLineEdit*> TextFields(QWidget& dialog) {
  QList<QLineEdit*> fields;
  for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
    QWidget* owner = edit->parentWidget();
    if (!qobject_cast<QAbstractSpinBox*>(owner) && !qobject_cast<QComboBox*>(owner) &&
        !qobject_cast<dialogs::DateField*>(edit))
      fields << edit;
  }
  return fields;
}

// Replaces a field's text by typing, then leaves the field with Tab.
inline void Type(QLineEdit* edit, const QString& text) {
  ASSERT_NE(edit, nullptr);
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, text);
  QTest::keyClick(edit, Qt::Key_Tab);
}

// Types a date into a date field as written, and leaves the field with Tab.
inline void TypeDate(dialogs::DateField* field, const QString& text) {
  ASSERT_NE(field, nullptr);
  Type(field, text);
}

// Types a day as "DD.MM.YYYY" and leaves the field, which must take it.
inline void TypeDate(dialogs::DateField* field, const QDate& day) {
  TypeDate(field, day.toString(QStringLiteral("dd.MM.yyyy")));
  ASSERT_EQ(QString::fromStdString(field->Day().Format()), day.toString(QStringLiteral("dd.MM.yyyy")));
}

// Chooses an entry of a list with the arrow keys, as a user steps through it.
inline void Choose(QComboBox* list, const QString& text) {
  ASSERT_NE(list, nullptr);
  const int target = list->findText(text);
  ASSERT_GE(target, 0) << text.toStdString();
  ASSERT_TRUE(list->isEnabled()) << text.toStdString();
  list->setFocus();
  for (int steps = list->count(); steps > 0 && list->currentIndex() != target; --steps)
    QTest::keyClick(list, list->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
  ASSERT_EQ(list->currentText(), text);
}

// Clicks a standard button (OK, "Abbrechen") of the dialog's button box.
inline void Press(QDialog& dialog, QDialogButtonBox::StandardButton which) {
  for (QDialogButtonBox* box : dialog.findChildren<QDialogButtonBox*>()) {
    if (QAbstractButton* button = box->button(which)) {
      QTest::mouseClick(button, Qt::LeftButton);
      return;
    }
  }
  ADD_FAILURE() << "no such button";
}

inline QString Cell(const QTableWidget* table, int row, int column) {
  const QTableWidgetItem* item = table ? table->item(row, column) : nullptr;
  return item ? item->text() : QString();
}

// Counts the updates a document sends to its views.
class UpdateCounter : public DocumentObserver {
 public:
  explicit UpdateCounter(CKapibuchDoc& doc) : m_doc(doc) { m_doc.AddObserver(this); }
  ~UpdateCounter() override { m_doc.RemoveObserver(this); }
  UpdateCounter(const UpdateCounter&) = delete;
  UpdateCounter& operator=(const UpdateCounter&) = delete;
  void OnDocumentUpdate(const DocumentUpdate&) override { ++updates; }
  int updates = 0;

 private:
  CKapibuchDoc& m_doc;
};

}  // namespace guitest
