#pragma once
// A list to choose from (no typing of new entries), found by typing as in a file list:
// letters typed in quick succession find the first entry that begins with them, blanks
// included ("Deutsche Telekom"). A blank opens the list only when no search is under way.

#include <QComboBox>
#include <QElapsedTimer>

namespace dialogs {

class SearchableList : public QComboBox {
 public:
  explicit SearchableList(QWidget* parent = nullptr) : QComboBox(parent) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // Goes on with the search the letters before began; chooses what it finds.
  void Search(const QString& text);

  QElapsedTimer m_lastLetter;  // runs while a search is under way
};

}  // namespace dialogs
