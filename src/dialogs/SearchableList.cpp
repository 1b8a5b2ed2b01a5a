#include "dialogs/SearchableList.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>

namespace dialogs {

void SearchableList::keyPressEvent(QKeyEvent* event) {
  const bool typed = !isEditable() && !event->text().isEmpty() && event->text().at(0).isPrint() &&
                     !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
  if (!typed) {
    m_lastLetter.invalidate();
    QComboBox::keyPressEvent(event);
    return;
  }
  const bool searching =
      m_lastLetter.isValid() && m_lastLetter.elapsed() <= QApplication::keyboardInputInterval();
  if (event->key() == Qt::Key_Space && !searching) {
    QComboBox::keyPressEvent(event);  // opens the list
    return;
  }
  Search(event->text());
  m_lastLetter.start();
  event->accept();
}

void SearchableList::focusOutEvent(QFocusEvent* event) {
  m_lastLetter.invalidate();
  QComboBox::focusOutEvent(event);
}

void SearchableList::Search(const QString& text) {
  // The list's own view keeps the letters typed so far and knows how long a search lasts.
  QAbstractItemView* list = view();
  list->setCurrentIndex(model()->index(currentIndex(), modelColumn(), rootModelIndex()));
  const int before = currentIndex();
  list->keyboardSearch(text);
  const int found = list->currentIndex().row();
  if (found < 0 || found == before) return;
  setCurrentIndex(found);
  emit activated(found);
  emit textActivated(itemText(found));
}

}  // namespace dialogs
