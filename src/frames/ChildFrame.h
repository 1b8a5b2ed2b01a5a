#pragma once
// A document window: its view mode, the days of every mode, its rows and chart choices.
// Several windows can show the same document, each with its own mode and days.

#include <QMdiSubWindow>
#include <memory>
#include <vector>

#include "views/FrameState.h"

class DocumentSession;
class KapibuchView;
class MainFrame;

class ChildFrame : public QMdiSubWindow {
  Q_OBJECT

 public:
  static constexpr const char* kModeNames[8] = {"",
                                                "Depotbestand",
                                                "Depotentwicklung",
                                                "Realisierte G+V",
                                                "Kontobewegungen",
                                                "Grafik - Depotentwicklung",
                                                "Grafik - Wertpapier",
                                                "Depotanalyse"};

  ChildFrame(MainFrame& main, std::shared_ptr<DocumentSession> session);
  ~ChildFrame() override;

  DocumentSession& Session() { return *m_session; }
  std::shared_ptr<DocumentSession> SharedSession() const { return m_session; }
  KapibuchView& View() { return *m_views.front(); }
  // The panes: one view, or four (2 x 2) while the window is split.
  const std::vector<KapibuchView*>& Views() const { return m_views; }
  void SetSplit(bool split);
  bool IsSplit() const { return m_split; }
  views::FrameState& State() { return m_state; }
  int Mode() const { return m_state.mode; }

  // Changes the mode and updates only this window's views.
  void SetMode(int mode);
  // Sets the default days on first use, and shows this frame on the period bar when active.
  void SyncPeriodBar();
  void OnFirstDateChanged(CKBXDatum day);
  void OnSecondDateChanged(CKBXDatum day);
  void OnPortfolioSeriesChanged(int index);
  void OnSecuritySeriesChanged(int index);
  // After the position selection: the new selection, and the period of their time in the portfolio.
  void OnSelectPositions(std::vector<int> selection, bool timeInPortfolio);
  void UpdateTitle();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void UpdateOwnViews();

  MainFrame& m_main;
  std::shared_ptr<DocumentSession> m_session;
  std::vector<KapibuchView*> m_views;
  bool m_split = false;
  views::FrameState m_state;
};
