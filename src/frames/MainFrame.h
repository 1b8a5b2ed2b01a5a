#pragma once
// The main window: menus, tool bar, period bar, status bar and the document windows.

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <memory>
#include <vector>

#include "document/KapibuchDoc.h"
#include "model/KBXDatum.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "platform/SettingsStore.h"

class ChildFrame;
class DocumentSession;
class QAction;
class QComboBox;
class QDateEdit;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;
class QToolBar;

class MainFrame : public QMainWindow {
  Q_OBJECT

 public:
  MainFrame(platform::SettingsStore& settings, platform::Prompter& prompter, const platform::Clock& clock);
  ~MainFrame() override;

  // Opens a portfolio file in a new window (or shows the window it already has).
  ChildFrame* OpenFile(const QString& path);
  // "&Neu...": a new portfolio from the wizard's answers.
  ChildFrame* NewDocument(const NewFileData& answers);
  // "&Neues Fenster": another window on the active document.
  ChildFrame* NewWindow();
  bool SaveActive(bool askName);

  ChildFrame* ActiveFrame() const;
  std::vector<ChildFrame*> Frames() const;
  QMdiArea& Area() { return *m_area; }
  QAction* ModeAction(int mode) const { return m_modeActions[static_cast<std::size_t>(mode)]; }
  QStringList RecentFiles() const;

  // The period bar.
  void ShowPeriodBarMode(int mode);
  void ShowFrameOnPeriodBar(ChildFrame& frame);
  void SetFirstPicker(CKBXDatum minimum, CKBXDatum value, CKBXDatum maximum);
  void SetSecondPicker(CKBXDatum minimum, CKBXDatum value, CKBXDatum maximum);
  QDateEdit& FirstPicker() { return *m_first; }
  QDateEdit& SecondPicker() { return *m_second; }
  QLabel& FirstLabel() { return *m_firstLabel; }

  // Asked by a closing window: the last window of a modified document asks to save.
  bool MayCloseFrame(ChildFrame& frame);
  void UpdateActions();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateActions();
  void CreatePeriodBar();
  void AddRecentFile(const QString& path);
  void UpdateRecentMenu();
  ChildFrame* AddFrame(std::shared_ptr<DocumentSession> session);
  void Tell(const QString& text, platform::Icon icon = platform::Icon::Exclamation);
  void OnNew();
  void OnOpen();
  void OnPrint(bool preview);
  void OnPrintDirect();
  void OnHelp();
  void OnAbout();
  void OnHolderData();
  void OnCurrencySwitch();
  void OnFrameActivated(QMdiSubWindow* window);

  platform::SettingsStore& m_settings;
  platform::Prompter& m_prompter;
  const platform::Clock& m_clock;
  QMdiArea* m_area = nullptr;
  QToolBar* m_tools = nullptr;
  QToolBar* m_periodBar = nullptr;
  QLabel* m_firstLabel = nullptr;
  QLabel* m_secondLabel = nullptr;
  QDateEdit* m_first = nullptr;
  QDateEdit* m_second = nullptr;
  QComboBox* m_portfolioSeries = nullptr;
  QComboBox* m_securitySeries = nullptr;
  QPushButton* m_select = nullptr;
  std::array<QAction*, 8> m_modeActions{};
  std::vector<QAction*> m_documentActions;
  std::vector<QAction*> m_bookingActions;
  std::array<QAction*, 4> m_recentActions{};
  QAction* m_holderAction = nullptr;
  QAction* m_helpAction = nullptr;
  QAction* m_aboutAction = nullptr;
  QAction* m_optionsAction = nullptr;
  QAction* m_switchAction = nullptr;
  int m_newCount = 0;
  bool m_syncingBar = false;
};
