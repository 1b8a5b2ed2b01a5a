#include "frames/ChildFrame.h"

#include <QCloseEvent>
#include <QSplitter>

#include "frames/KapibuchView.h"
#include "frames/MainFrame.h"
#include "frames/Session.h"

ChildFrame::ChildFrame(MainFrame& main, std::shared_ptr<DocumentSession> session)
    : m_main(main), m_session(std::move(session)) {
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

void ChildFrame::SetSplit(bool split) {
  m_split = split;
  for (std::size_t i = 1; i < m_views.size(); ++i) m_views[i]->setVisible(split);
  m_views[2]->parentWidget()->setVisible(split);
  for (KapibuchView* view : m_views) view->Rebuild();
}

ChildFrame::~ChildFrame() {
  // The views observe the document that the session keeps alive: they go first.
  for (KapibuchView* view : m_views) delete view;
}

void ChildFrame::UpdateTitle() {
  const QString mode = QString::fromUtf8(kModeNames[std::clamp(m_state.mode, 0, 7)]);
  const QString modified = m_session->Doc().IsModified() ? QStringLiteral("*") : QString();
  setWindowTitle(m_session->Title() + modified + QStringLiteral(" - ") + mode);
}

void ChildFrame::UpdateOwnViews() {
  m_session->Doc().UpdateAllViews(CKapibuchDoc::kHintFrame, this);
  UpdateTitle();
}

void ChildFrame::SetMode(int mode) {
  if (mode < 1 || mode > 7) return;
  m_state.mode = mode;
  UpdateOwnViews();
  m_main.UpdateActions();
}

void ChildFrame::SyncPeriodBar() {
  if (!m_state.initialised) m_state.SetDefaultDays(m_session->Doc());
  if (m_main.ActiveFrame() == this) m_main.ShowFrameOnPeriodBar(*this);
}

void ChildFrame::OnFirstDateChanged(CKBXDatum day) {
  views::FrameState& s = m_state;
  CKBXDatum* target = nullptr;
  switch (s.mode) {
    case 1:
      target = &s.holdingsDay;
      break;
    case 2:
      target = &s.developmentStart;
      break;
    case 3:
      target = &s.realisedStart;
      break;
    case 4:
      target = &s.accountStart;
      break;
    case 5:
      target = &s.portfolioChartStart;
      break;
    case 6:
      target = &s.securityChartStart;
      break;
    case 7:
      target = &s.analysisDay;
      break;
    default:
      return;
  }
  if (*target == day) return;
  *target = day;
  UpdateOwnViews();
}

void ChildFrame::OnSecondDateChanged(CKBXDatum day) {
  views::FrameState& s = m_state;
  CKBXDatum* target = nullptr;
  switch (s.mode) {
    case 2:
      target = &s.developmentEnd;
      break;
    case 3:
      target = &s.realisedEnd;
      break;
    case 4:
      target = &s.accountEnd;
      break;
    case 5:
      target = &s.portfolioChartEnd;
      break;
    case 6:
      target = &s.securityChartEnd;
      break;
    case 7:
      target = &s.analysisStart;
      break;
    default:
      return;
  }
  if (*target == day) return;
  *target = day;
  UpdateOwnViews();
}

void ChildFrame::OnPortfolioSeriesChanged(int index) {
  if (index == m_state.portfolioSeries || index < 0) return;
  m_state.portfolioSeries = index;
  UpdateOwnViews();
}

void ChildFrame::OnSecuritySeriesChanged(int index) {
  if (index == m_state.securitySeries || index < 0) return;
  m_state.securitySeries = index;
  UpdateOwnViews();
}

void ChildFrame::OnSelectPositions(std::vector<int> selection, bool timeInPortfolio) {
  m_state.selection = std::move(selection);
  if (timeInPortfolio) m_state.ApplyTimeInPortfolio(m_session->Doc());
  UpdateOwnViews();
}

void ChildFrame::closeEvent(QCloseEvent* event) {
  if (!m_main.MayCloseFrame(*this)) {
    event->ignore();
    return;
  }
  QMdiSubWindow::closeEvent(event);
}
