#include "frames/ChildFrame.h"

#include <QCloseEvent>
#include <QSplitter>

#include "frames/KapibuchView.h"
#include "qt/DocumentSession.h"

ChildFrame::ChildFrame(std::shared_ptr<qt::DocumentSession> session) : m_session(std::move(session)) {
  setAttribute(Qt::WA_DeleteOnClose);
  // A splitter of two rows of two panes; the three further panes are shown while split.
  auto* rows = new QSplitter(Qt::Vertical, this);
  for (int r = 0; r < 2; ++r) {
    auto* row = new QSplitter(Qt::Horizontal, rows);
    for (int c = 0; c < 2; ++c) {
      auto* view = new KapibuchView(*this, m_session->Doc(), row);
      view->setMinimumSize(10, 10);
      view->setVisible(r == 0 && c == 0);
      m_views.push_back(view);
    }
    row->setVisible(r == 0);
  }
  setWidget(rows);
  UpdateTitle();
}

ChildFrame::~ChildFrame() {
  // The views observe the document that the session keeps alive: they go first.
  for (KapibuchView* view : m_views) delete view;
}

views::FrameState& ChildFrame::State() {
  if (!m_state.initialised) m_state.SetDefaultDays(m_session->Doc());
  return m_state;
}

void ChildFrame::SetSplit(bool split) {
  m_split = split;
  for (std::size_t i = 1; i < m_views.size(); ++i) m_views[i]->setVisible(split);
  m_views[2]->parentWidget()->setVisible(split);
  for (KapibuchView* view : m_views) {
    if (!view->isHidden()) view->Rebuild();
  }
}

void ChildFrame::UpdateTitle() {
  const QString mode = QString::fromUtf8(views::Traits(m_state.mode).title);
  const QString modified = m_session->Doc().IsModified() ? QStringLiteral("*") : QString();
  setWindowTitle(m_session->Title() + modified + QStringLiteral(" - ") + mode);
}

void ChildFrame::UpdateOwnViews() {
  m_session->Doc().UpdateAllViews(DocumentUpdate::OfWindow(this));
  UpdateTitle();
  emit StateChanged(this);
}

void ChildFrame::SetMode(views::ViewMode mode) {
  State().mode = mode;
  UpdateOwnViews();
}

void ChildFrame::OnFirstDateChanged(CKBXDatum day) {
  CKBXDatum& target = State().Days().first;
  if (target == day) return;
  target = day;
  UpdateOwnViews();
}

void ChildFrame::OnSecondDateChanged(CKBXDatum day) {
  if (views::Traits(m_state.mode).period == views::PeriodKind::Day) return;
  CKBXDatum& target = State().Days().second;
  if (target == day) return;
  target = day;
  UpdateOwnViews();
}

void ChildFrame::OnPortfolioSeriesChanged(int index) {
  if (index == m_state.portfolioSeries || index < 0) return;
  State().portfolioSeries = index;
  UpdateOwnViews();
}

void ChildFrame::OnSecuritySeriesChanged(int index) {
  if (index == m_state.securitySeries || index < 0) return;
  State().securitySeries = index;
  UpdateOwnViews();
}

void ChildFrame::OnSelectPositions(std::vector<int> selection, bool timeInPortfolio) {
  State().selection = std::move(selection);
  if (timeInPortfolio) m_state.ApplyTimeInPortfolio(m_session->Doc());
  UpdateOwnViews();
}

void ChildFrame::closeEvent(QCloseEvent* event) {
  bool allowed = true;
  emit CloseRequested(this, &allowed);
  if (!allowed) {
    event->ignore();
    return;
  }
  QMdiSubWindow::closeEvent(event);
}
