#include "frames/KapibuchView.h"

#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>

#include "frames/ChildFrame.h"
#include "qt/QtPainterSurface.h"
#include "qt/Rendering.h"
#include "views/TableViews.h"

namespace {

constexpr int kScrollCap = 32768;

// A surface for measuring with the screen's resolution.
struct ScreenMeasure {
  explicit ScreenMeasure(const QWidget& widget) : image(1, 1, QImage::Format_RGB32) {
    image.setDotsPerMeterX(static_cast<int>(widget.logicalDpiX() / 0.0254));
    image.setDotsPerMeterY(static_cast<int>(widget.logicalDpiY() / 0.0254));
    painter.begin(&image);
  }
  ~ScreenMeasure() { painter.end(); }
  QImage image;
  QPainter painter;
};

}  // namespace

KapibuchView::KapibuchView(ChildFrame& frame, CKapibuchDoc& doc, QWidget* parent)
    : QAbstractScrollArea(parent), m_frame(frame), m_doc(doc) {
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setAutoFillBackground(true);
  viewport()->setBackgroundRole(QPalette::Base);
  m_doc.AddObserver(this);
}

KapibuchView::~KapibuchView() {
  m_doc.RemoveObserver(this);
}

double KapibuchView::Scale() const {
  return logicalDpiX() / 254.0;
}

QPoint KapibuchView::LogicalPosition() const {
  return {static_cast<int>(horizontalScrollBar()->value() / Scale()),
          static_cast<int>(verticalScrollBar()->value() / Scale())};
}

void KapibuchView::OnDocumentUpdate(int hint, const void* frame) {
  if (hint == CKapibuchDoc::kHintFrame && frame != &m_frame) return;
  if (isHidden()) return;  // a pane of an unsplit window: rebuilt when it is shown
  m_frame.SyncPeriodBar();
  Rebuild();
}

void KapibuchView::Rebuild() {
  ++m_rebuilds;
  views::FrameState& s = m_frame.State();
  ScreenMeasure measure(*this);
  platform::QtPainterSurface surface(measure.painter, measure.image, QPointF(0, 0), false, {});
  m_development.reset();
  switch (s.mode) {
    case 1:
      views::BuildHoldingsRows(s.holdingsDay, s.positions, m_doc,
                               m_doc.settings.holdings.mergePositions != 0);
      m_table = views::HoldingsTable(m_doc, s.holdingsDay, s.positions);
      break;
    case 3:
      views::BuildRealisedRows(s.realisedStart, s.realisedEnd, s.realised, m_doc,
                               m_doc.settings.realised.mergePositions != 0);
      m_table = views::RealisedTable(m_doc, s.realisedStart, s.realisedEnd, s.realised);
      break;
    case 4:
      views::BuildAccountRows(s.accountStart, s.accountEnd, s.accountRows, m_doc);
      m_table = views::AccountTable(m_doc, s.accountStart, s.accountEnd, s.accountRows);
      break;
    case 2:
      m_development = std::make_unique<views::DevelopmentModel>(m_doc, s.developmentStart, s.developmentEnd);
      m_developmentMeasures = views::MeasureDevelopmentColumns(surface, *m_development);
      break;
    case 5:
      m_chart = views::BuildChart(surface, m_doc, 5, s.portfolioChartStart, s.portfolioChartEnd,
                                  s.portfolioSeries, {});
      break;
    case 6:
      m_chart = views::BuildChart(surface, m_doc, 6, s.securityChartStart, s.securityChartEnd,
                                  s.securitySeries, s.selection);
      break;
    case 7:
      views::BuildAnalysisRows(s.analysisDay, s.analysisStart, s.positions, m_doc, m_scales);
      break;
    default:
      break;
  }
  platform::Size size{32767, 32767};
  if (s.mode == 1 || s.mode == 3 || s.mode == 4) {
    m_layout = views::MeasureColumns(surface, m_table);
    size = views::TableScrollSize(m_table, m_layout);
  } else if (s.mode == 2) {
    size = views::DevelopmentScrollSize(*m_development, m_developmentMeasures);
  } else if (s.mode == 5 || s.mode == 6) {
    const ChartSettings& c = s.mode == 5 ? m_doc.settings.portfolioChart : m_doc.settings.securityChart;
    size = {2 * c.border + c.width, 2 * c.border + c.height};
  } else if (s.mode == 7) {
    size = views::AnalysisScrollSize(m_doc, s.positions);
  }
  m_logicalSize = QSize(std::min(size.cx, kScrollCap), std::min(size.cy, kScrollCap));
  UpdateScrollBars();
  viewport()->update();
}

void KapibuchView::UpdateScrollBars() {
  const double scale = Scale();
  const int width = static_cast<int>(m_logicalSize.width() * scale);
  const int height = static_cast<int>(m_logicalSize.height() * scale);
  horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
  verticalScrollBar()->setRange(0, std::max(0, height - viewport()->height()));
  horizontalScrollBar()->setPageStep(static_cast<int>(200 * scale));
  verticalScrollBar()->setPageStep(static_cast<int>(200 * scale));
  horizontalScrollBar()->setSingleStep(std::max(1, static_cast<int>(10 * scale)));
  verticalScrollBar()->setSingleStep(std::max(1, static_cast<int>(10 * scale)));
}

void KapibuchView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void KapibuchView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), Qt::white);
  const QPointF origin(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
  platform::QtPainterSurface surface(painter, *viewport(), origin, false, {});
  const views::FrameState& s = m_frame.State();
  switch (s.mode) {
    case 1:
    case 3:
    case 4:
      views::DrawTable(surface, m_table, m_layout);
      break;
    case 2:
      if (m_development) {
        const double scale = Scale();
        const int left = static_cast<int>(horizontalScrollBar()->value() / scale);
        const int top = -static_cast<int>(verticalScrollBar()->value() / scale);
        const platform::Rect visible{left, top, left + static_cast<int>(viewport()->width() / scale),
                                     top - static_cast<int>(viewport()->height() / scale)};
        views::DrawDevelopmentView(surface, *m_development, m_developmentMeasures, visible);
      }
      break;
    case 5:
    case 6: {
      const ChartSettings& c = s.mode == 5 ? m_doc.settings.portfolioChart : m_doc.settings.securityChart;
      views::DrawChart(surface, m_doc, m_chart, c.border, c.border);
      break;
    }
    case 7:
      views::DrawAnalysisView(surface, m_doc, s.analysisDay, s.analysisStart, s.positions, m_scales);
      break;
    default:
      break;
  }
}

void KapibuchView::ScrollBy(int dx, int dy) {
  const double scale = Scale();
  QScrollBar* h = horizontalScrollBar();
  QScrollBar* v = verticalScrollBar();
  const int x = h->value() + static_cast<int>(dx * scale);
  const int y = v->value() + static_cast<int>(dy * scale);
  if (x != h->value()) h->setValue(x);
  if (y != v->value()) v->setValue(y);
}

void KapibuchView::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_PageUp:
      ScrollBy(0, -200);
      break;
    case Qt::Key_PageDown:
      ScrollBy(0, 200);
      break;
    case Qt::Key_End:
      ScrollBy(200, 0);
      break;
    case Qt::Key_Home:
      ScrollBy(-200, 0);
      break;
    case Qt::Key_Up:
      ScrollBy(0, -10);
      break;
    case Qt::Key_Down:
      ScrollBy(0, 10);
      break;
    case Qt::Key_Left:
      ScrollBy(-10, 0);
      break;
    case Qt::Key_Right:
      ScrollBy(10, 0);
      break;
    default:
      QAbstractScrollArea::keyPressEvent(event);
      return;
  }
  event->accept();
}

std::unique_ptr<views::PrintJob> KapibuchView::MakePrintJob() const {
  const views::FrameState& s = m_frame.State();
  switch (s.mode) {
    case 1:
    case 3:
    case 4:
      return std::make_unique<views::TablePrintJob>(m_table);
    case 2:
      return std::make_unique<views::DevelopmentPrintJob>(m_doc, s.developmentStart, s.developmentEnd);
    case 5:
      return std::make_unique<views::ChartPrintJob>(m_doc, 5, s.portfolioChartStart, s.portfolioChartEnd,
                                                    s.portfolioSeries, std::vector<int>{});
    case 6:
      return std::make_unique<views::ChartPrintJob>(m_doc, 6, s.securityChartStart, s.securityChartEnd,
                                                    s.securitySeries, s.selection);
    case 7:
      return std::make_unique<views::AnalysisPrintJob>(m_doc, s.analysisDay, s.analysisStart);
    default:
      return nullptr;
  }
}

void KapibuchView::Print(QPrinter& printer) const {
  if (auto job = MakePrintJob()) platform::PrintToPrinter(*job, printer);
}
