#pragma once
// A menu command declared as data: its text, shortcut, status text, tool bar icon and
// handler. The main frame lists its menus as tables of these.

#include <QKeySequence>
#include <functional>

class QAction;
class QMenu;
class QObject;

struct MenuCommand {
  const char* text = nullptr;  // nullptr: a separator
  QKeySequence shortcut;
  const char* status = "";
  const char* icon = nullptr;  // name of an icon in :/icons, or none
  std::function<void()> handler;
  bool needsDocument = false;  // enabled only while a window is open
  bool onToolBar = false;
};

// Adds the action to the menu (or a separator); its tool tip is the text without "&" and "...".
QAction* AddAction(QMenu& menu, QObject& context, const MenuCommand& command);
