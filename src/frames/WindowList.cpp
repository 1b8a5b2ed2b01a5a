#include "frames/WindowList.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTimer>
#include <algorithm>

WindowList::WindowList(QMenu& menu, QMdiArea& area) : QObject(&menu), m_menu(menu), m_area(area) {
  m_separator = m_menu.addSeparator();
  m_separator->setVisible(false);
  connect(&m_menu, &QMenu::aboutToShow, this, &WindowList::Rebuild);
}

void WindowList::Rebuild() {
  for (QAction* entry : m_entries) {
    m_menu.removeAction(entry);
    entry->deleteLater();
  }
  m_entries.clear();
  const QList<QMdiSubWindow*> windows = m_area.subWindowList();
  m_separator->setVisible(!windows.isEmpty());
  int number = 0;
  for (QMdiSubWindow* window : windows) {
    ++number;
    // The first nine take their digit as the key.
    const QString prefix =
        number <= 9 ? QStringLiteral("&%1 ").arg(number) : QStringLiteral("%1 ").arg(number);
    QString title = window->windowTitle();
    auto* entry = new QAction(prefix + title.replace(QLatin1Char('&'), QStringLiteral("&&")), &m_menu);
    entry->setCheckable(true);
    entry->setChecked(window == m_area.activeSubWindow());
    connect(entry, &QAction::triggered, &m_area, [this, window] {
      if (m_area.subWindowList().contains(window)) m_area.setActiveSubWindow(window);
    });
    m_menu.addAction(entry);
    m_entries.push_back(entry);
  }
}

void WindowList::Place(QMdiSubWindow& window, QMdiArea& area, int width, int height) {
  const QSize room = area.viewport()->size();
  const int w = std::max(200, std::min(width, room.width()));
  const int h = std::max(150, std::min(height, room.height()));
  window.resize(w, h);
  const QPoint at = window.pos();
  window.move(std::clamp(at.x(), 0, std::max(0, room.width() - w)),
              std::clamp(at.y(), 0, std::max(0, room.height() - h)));
}

WindowPlacement::WindowPlacement(QMdiArea& area, int width, int height)
    : QObject(&area), m_area(area), m_width(width), m_height(height) {}

void WindowPlacement::Show(QMdiSubWindow& window) {
  m_showing = true;
  window.show();
  WindowList::Place(window, m_area, m_width, m_height);
  if (m_maximized) window.showMaximized();
  m_area.setActiveSubWindow(&window);
  m_showing = false;
  connect(&window, &QMdiSubWindow::windowStateChanged, this,
          [this, &window](Qt::WindowStates before, Qt::WindowStates now) {
            OnStateChanged(window, before, now);
          });
}

void WindowPlacement::OnStateChanged(QMdiSubWindow& window, Qt::WindowStates before, Qt::WindowStates now) {
  if (m_showing || !(before & Qt::WindowMaximized) || (now & (Qt::WindowMaximized | Qt::WindowMinimized)))
    return;
  // The area restores the window it leaves when another becomes active, and maximizes that
  // one: only a window restored with none maximized after it was restored by the user. A
  // window that closes is no restored window either.
  QTimer::singleShot(0, &window, [this, &window] {
    if (!window.isVisible() || window.isMaximized()) return;
    for (QMdiSubWindow* other : m_area.subWindowList()) {
      if (other->isMaximized()) return;
    }
    m_maximized = false;
  });
}
