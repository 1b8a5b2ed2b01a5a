#pragma once
// A document window: its view mode, the days of every mode and the chart choices. Several
// windows can show the same document, each with its own mode and days. A window reports
// what changed through signals; it knows nothing of the main window.

#include <QMdiSubWindow>
#include <memory>
#include <vector>

#include "views/FrameState.h"

namespace qt {
class DocumentSession;
}  // namespace qt
class KapibuchView;

class ChildFrame : public QMdiSubWindow {
  Q_OBJECT

 public:
  explicit ChildFrame(std::shared_ptr<qt::DocumentSession> session);
  ~ChildFrame() override;

  qt::DocumentSession& Session() { return *m_session; }
  std::shared_ptr<qt::DocumentSession> SharedSession() const { return m_session; }
  KapibuchView& View() { return *m_views.front(); }
  // The panes: one view, or four (2 x 2) while the window is split.
  const std::vector<KapibuchView*>& Views() const { return m_views; }
  void SetSplit(bool split);
  bool IsSplit() const { return m_split; }
  // The mode and days; the days of a new window are set on first use.
  views::FrameState& State();
  views::ViewMode Mode() const { return m_state.mode; }

  // Each of these changes the window's state and updates only this window's views.
  void SetMode(views::ViewMode mode);
  void OnFirstDateChanged(CKBXDatum day);
  void OnSecondDateChanged(CKBXDatum day);
  void OnPortfolioSeriesChanged(int index);
  void OnSecuritySeriesChanged(int index);
  // After the position selection: the new selection, and the period of their time in the portfolio.
  void OnSelectPositions(std::vector<int> selection, bool timeInPortfolio);
  void UpdateTitle();

 signals:
  // The mode, days or choices changed.
  void StateChanged(ChildFrame* frame);
  // The window is about to close; a receiver may forbid it (the last window of a modified
  // document asks to save).
  void CloseRequested(ChildFrame* frame, bool* allowed);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void UpdateOwnViews();

  std::shared_ptr<qt::DocumentSession> m_session;
  std::vector<KapibuchView*> m_views;
  bool m_split = false;
  views::FrameState m_state;
};
