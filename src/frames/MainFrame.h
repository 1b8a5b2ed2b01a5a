#pragma once
// The main window: the menus and tool bar (declared as tables of commands), the period bar,
// the status bar and the document windows. It opens, saves and closes documents and runs
// the commands of the menus on the active window.

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "document/KapibuchDoc.h"
#include "platform/Clock.h"
#include "platform/Downloads.h"
#include "platform/Prompter.h"
#include "platform/SettingsStore.h"
#include "views/ViewMode.h"

class ChildFrame;
namespace qt {
class DocumentSession;
}  // namespace qt
class PeriodBar;
class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QToolBar;
class RecentFiles;
class WindowPlacement;
struct MenuCommand;
enum class CommandId : int;
namespace dialogs {
class DateField;
}

class MainFrame : public QMainWindow {
  Q_OBJECT

 public:
  MainFrame(platform::SettingsStore& settings, platform::Prompter& prompter, const platform::Clock& clock);
  ~MainFrame() override;

  // Opens a portfolio file in a new window (or shows the window it already has); a
  // recovery copy of it is offered. `quietIfLocked`: a file another program holds is
  // passed over without a message.
  ChildFrame* OpenFile(const QString& path, bool quietIfLocked = false);
  // Offers every recovery copy left by a program that ended without saving (at start-up).
  void OfferRecoveries();
  // Writes a recovery copy of every modified document and gives up every lock: the
  // program is about to end without asking (SIGTERM, SIGHUP).
  void KeepChangesForRecovery();
  // Writes the recovery copies that are due (every 2 seconds).
  void KeepRecoveryCopies();
  // "&Neu...": a new portfolio from the wizard's answers.
  ChildFrame* NewDocument(const NewFileData& answers);
  // A document that belongs to no file yet (titled "Depot%1"), in a new window.
  ChildFrame* OpenAsNew(std::unique_ptr<CKapibuchDoc> doc);
  // "&Neues Fenster": another window on the active document.
  ChildFrame* NewWindow();
  bool SaveActive(bool askName);

  ChildFrame* ActiveFrame() const;
  std::vector<ChildFrame*> Frames() const;
  QMdiArea& Area() { return *m_area; }
  QAction* ModeAction(views::ViewMode mode) const { return m_modeActions[static_cast<std::size_t>(mode)]; }
  QStringList RecentFileList() const;
  PeriodBar& Period() { return *m_periodBar; }
  dialogs::DateField& FirstPicker();
  dialogs::DateField& SecondPicker();
  QLabel& FirstLabel();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateMenus();
  void CreateToolBar();
  void ConnectPeriodBar();
  void AddMenu(const char* title, const std::vector<MenuCommand>& commands);
  // The action of a command of the menus.
  QAction* Action(CommandId id) const;
  ChildFrame* AddFrame(std::shared_ptr<qt::DocumentSession> session);
  void Tell(const QString& text, platform::Icon icon = platform::Icon::Exclamation);
  // Asks whether to take the copy's changes ("Ja"), or keeps it among the backups.
  bool AskToRecover(const QString& what, std::time_t written, const std::string& copy,
                    const std::string& origin);
  std::vector<qt::DocumentSession*> Sessions() const;
  // Runs a command on the active window's document, then shows what it changed.
  void OnDocumentCommand(const std::function<void(ChildFrame&, CKapibuchDoc&)>& command);
  void ReturnFocus(ChildFrame* frame);
  // The last window of a modified document asks to save before it closes.
  bool MayClose(ChildFrame& frame);
  void OnFrameStateChanged(ChildFrame* frame);
  void OnFrameActivated(QMdiSubWindow* window);
  void UpdateActions();
  void UpdateTitles();
  void OnNew();
  void OnOpen();
  void OnBackups();
  void OnPrintDirect();
  void OnAbout();

  platform::SettingsStore& m_settings;
  platform::Prompter& m_prompter;
  platform::Downloader m_download = &platform::DownloadAll;
  const platform::Clock& m_clock;
  QMdiArea* m_area = nullptr;
  QToolBar* m_tools = nullptr;
  PeriodBar* m_periodBar = nullptr;
  RecentFiles* m_recent = nullptr;
  WindowPlacement* m_placement = nullptr;
  std::array<QAction*, views::kModeCount + 1> m_modeActions{};
  std::vector<QAction*> m_documentActions;
  std::vector<std::pair<CommandId, QAction*>> m_toolActions;  // in the order of the menus
  std::map<CommandId, QAction*> m_actions;
  QAction* m_switchAction = nullptr;
  QAction* m_undoAction = nullptr;
  QAction* m_redoAction = nullptr;
  int m_newCount = 0;
};
