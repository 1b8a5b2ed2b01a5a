#pragma once
// The open document windows at the end of the "Fenster" menu, numbered, the active one
// checked; choosing one activates it. And how a new window opens: maximized, or, once the
// user has restored one, at its own size fully inside the area.

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

// New windows open maximized in the area until the user restores one (un-maximizes it, or
// arranges the windows); from then on, for the rest of the session, they open restored.
// A window opened maximized keeps its restored size for when it is restored.
class WindowPlacement : public QObject {
  Q_OBJECT

 public:
  WindowPlacement(QMdiArea& area, int width, int height);

  // Shows a new window of the area and makes it the active one.
  void Show(QMdiSubWindow& window);
  bool OpensMaximized() const { return m_maximized; }

 private:
  void OnStateChanged(QMdiSubWindow& window, Qt::WindowStates before, Qt::WindowStates now);

  QMdiArea& m_area;
  int m_width;
  int m_height;
  bool m_maximized = true;
  bool m_showing = false;  // while a new window takes its place
};
