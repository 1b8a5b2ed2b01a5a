#pragma once
// A menu command declared as data: its text, shortcut, status text, tool bar icon and
// handler. The main frame lists its menus as tables of these.

#include <QKeySequence>
#include <functional>

class QAction;
class QMenu;
class QObject;

// Every command of the main window's menus, by which it is found (never by its place).
enum class CommandId : int {
  None,  // a separator
  New,
  Open,
  Close,
  Save,
  SaveAs,
  Backups,
  Print,
  Preview,
  PrintDirect,
  PrinterSetup,
  Quit,
  Undo,
  Redo,
  Buy,
  Sell,
  EnterPrices,
  ImportPrices,
  ExportPrices,
  UpdatePrices,
  PriceSources,
  Movement,
  Split,
  SwitchCurrency,
  HolderData,
  Options,
  NewWindow,
  Cascade,
  Tile,
  SplitWindow,
  Help,
  About,
};

struct MenuCommand {
  CommandId id = CommandId::None;
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
