#include "frames/KapibuchView.h"

#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include "frames/ChildFrame.h"
#include "qt/QtPainterSurface.h"
#include "qt/Rendering.h"
#include "views/ModeFactory.h"

namespace {

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

platform::Rect KapibuchView::VisibleRect() const {
  const double scale = Scale();
  const int left = static_cast<int>(horizontalScrollBar()->value() / scale);
  const int top = -static_cast<int>(verticalScrollBar()->value() / scale);
  return {left, top, left + static_cast<int>(viewport()->width() / scale),
          top - static_cast<int>(viewport()->height() / scale)};
}

void KapibuchView::OnDocumentUpdate(const DocumentUpdate& update) {
  if (!update.Concerns(&m_frame)) return;
  if (isHidden()) return;  // a pane of an unsplit window: rebuilt when it is shown
  Rebuild();
}

void KapibuchView::Rebuild() {
  ++m_rebuilds;
  const views::FrameState& s = m_frame.State();
  if (!m_view || m_view->Mode() != s.mode) m_view = views::CreateModeView(s.mode, m_doc);
  ScreenMeasure measure(*this);
  qt::QtPainterSurface surface(measure.painter, measure.image, QPointF(0, 0), false, {});
  m_view->Build(s);
  m_view->Measure(surface);
  const platform::Size size = m_view->Extent();
  m_logicalSize = QSize(size.cx, size.cy);
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
  if (!m_view) return;
  const double scale = Scale();
  const int h = horizontalScrollBar()->value(), v = verticalScrollBar()->value();
  const platform::Rect visible = VisibleRect();
  const int width = visible.right - visible.left, height = visible.top - visible.bottom;
  // Draws the view shifted by (dx, dy) pixels into one band of the viewport.
  const auto drawBand = [&](int dx, int dy, const QRect& band) {
    if (band.isEmpty()) return;
    painter.save();
    painter.fillRect(band, Qt::white);
    qt::QtPainterSurface surface(painter, *viewport(), QPointF(-dx, -dy), false, {});
    surface.SetBaseClip(band);
    const int left = static_cast<int>(dx / scale), top = -static_cast<int>(dy / scale);
    m_view->Draw(surface, {left, top, left + width, top - height});
    painter.restore();
  };
  // The rows where they have scrolled to; the captions (and the development view's date
  // column) stay in sight above and beside them.
  const platform::Size fixed = m_view->FixedArea();
  const int top = v > 0 ? static_cast<int>(fixed.cy * scale) : 0;
  const int left = h > 0 ? static_cast<int>(fixed.cx * scale) : 0;
  const QRect all = viewport()->rect();
  drawBand(h, v, all.adjusted(left, top, 0, 0));
  drawBand(h, 0, QRect(all.left() + left, all.top(), all.width() - left, top));
  drawBand(0, v, QRect(all.left(), all.top() + top, left, all.height() - top));
  drawBand(0, 0, QRect(all.left(), all.top(), left, top));
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
  const bool control = event->modifiers() & Qt::ControlModifier;
  switch (event->key()) {
    case Qt::Key_PageUp:
      ScrollBy(0, -200);
      break;
    case Qt::Key_PageDown:
      ScrollBy(0, 200);
      break;
    // Strg+Ende and Strg+Pos1 go to the last and the first row; Ende and Pos1 alone move
    // sideways.
    case Qt::Key_End:
      if (control) {
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
      } else {
        ScrollBy(200, 0);
      }
      break;
    case Qt::Key_Home:
      if (control) {
        verticalScrollBar()->setValue(verticalScrollBar()->minimum());
      } else {
        ScrollBy(-200, 0);
      }
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
  return m_view ? m_view->MakePrintJob() : nullptr;
}
