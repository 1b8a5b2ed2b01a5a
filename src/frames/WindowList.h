#pragma once
// The open document windows at the end of the "Fenster" menu, numbered, the active one
// checked; choosing one activates it. And the place of a new window: fully inside the area.

#include <QObject>
#include <vector>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

class WindowList : public QObject {
  Q_OBJECT

 public:
  // Keeps the list at the end of the menu, rebuilt each time the menu opens.
  WindowList(QMenu& menu, QMdiArea& area);

  // Sizes a new window to at most `width` x `height` and moves it fully into the area.
  static void Place(QMdiSubWindow& window, QMdiArea& area, int width, int height);

  // The entries as the menu shows them now.
  const std::vector<QAction*>& Entries() const { return m_entries; }
  void Rebuild();

 private:
  QMenu& m_menu;
  QMdiArea& m_area;
  QAction* m_separator = nullptr;
  std::vector<QAction*> m_entries;
};
