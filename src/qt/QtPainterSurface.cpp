#include "qt/QtPainterSurface.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <string>

namespace qt {

using namespace platform;  // the interfaces this layer implements

QColor ToQColor(Color color) {
  const Color c = NearestPaletteColor(color);
  return QColor(static_cast<int>(RedOf(c)), static_cast<int>(GreenOf(c)), static_cast<int>(BlueOf(c)));
}

QtPainterSurface::QtPainterSurface(QPainter& painter, QPaintDevice& device, QPointF origin, bool printing,
                                   PageGeometry page)
    : m_painter(painter),
      m_device(device),
      m_origin(origin),
      m_scaleX(device.logicalDpiX() / 254.0),
      m_scaleY(device.logicalDpiY() / 254.0),
      m_printing(printing),
      m_page(page) {
  m_painter.setRenderHint(QPainter::Antialiasing, true);
  m_painter.setRenderHint(QPainter::TextAntialiasing, true);
  SetFont(m_font);
}

QPointF QtPainterSurface::ToDevice(int x, int y) const {
  return {m_origin.x() + x * m_scaleX, m_origin.y() - y * m_scaleY};
}

QRectF QtPainterSurface::ToDevice(const Rect& r) const {
  return QRectF(ToDevice(r.left, r.top), ToDevice(r.right, r.bottom)).normalized();
}

void QtPainterSurface::SetFont(const Font& font) {
  m_font = font;
  const auto known =
      std::find_if(m_fonts.begin(), m_fonts.end(), [&](const MadeFont& f) { return f.font == font; });
  if (known != m_fonts.end()) {
    std::rotate(known, known + 1, m_fonts.end());
  } else {
    QFont q(QString::fromStdString(font.face));
    q.setStyleHint(QFont::SansSerif);
    q.setWeight(font.weight >= 600 ? QFont::Bold : QFont::Normal);
    // The height is that of the whole character cell (ascent plus descent), as in the
    // drawing units of the portfolio files; the em size is derived from it.
    const double cell = std::max(1.0, std::abs(font.height) * m_scaleY);
    q.setPixelSize(std::max(1, static_cast<int>(std::lround(cell))));
    const QFontMetricsF metrics(q, &m_device);
    if (metrics.height() > 0)
      q.setPixelSize(std::max(1, static_cast<int>(std::lround(cell * cell / metrics.height()))));
    m_fonts.push_back(
        {font, q, QFontMetricsF(q, &m_device).height(), std::make_unique<TextWidths>(q, &m_device), nullptr});
  }
  m_qfont = m_fonts.back().qfont;
  m_lineHeight = m_fonts.back().lineHeight;
  m_painter.setFont(m_qfont);
}

ShapedTexts& QtPainterSurface::Shapes() {
  auto& shapes = m_fonts.back().shapes;
  if (!shapes)
    shapes = std::make_unique<ShapedTexts>(m_painter.font(), &m_device, m_painter.layoutDirection());
  return *shapes;
}

Size QtPainterSurface::TextExtent(std::string_view text) {
  return {static_cast<int>(std::ceil(m_fonts.back().widths->Advance(text) / m_scaleX)),
          static_cast<int>(std::ceil(m_lineHeight / m_scaleY))};
}

void QtPainterSurface::DrawText(const Rect& rect, std::string_view whole, unsigned flags) {
  // A text longer than its rectangle is cut where the surface measures it to end, with "…".
  std::string elided;
  std::string_view text = whole;
  if (const int length = CuttingLength(rect, flags, m_font.escapement);
      length >= 0 && TextExtent(whole).cx > length) {
    elided = Elided(whole, length);
    text = elided;
  }
  int align = Qt::AlignTop;
  if (flags & kAlignRight) {
    align |= Qt::AlignRight;
  } else if (flags & kAlignCenter) {
    align |= Qt::AlignHCenter;
  } else {
    align |= Qt::AlignLeft;
  }
  if (flags & kAlignBottom) align = (align & ~Qt::AlignTop) | Qt::AlignBottom;
  if (!(flags & kMultiLine)) align |= Qt::TextSingleLine;
  if (flags & kNoClip) align |= Qt::TextDontClip;
  if (!m_compact || m_painter.pen().color() != QColor(Qt::black) || m_painter.pen().style() != Qt::SolidLine)
    m_painter.setPen(Qt::black);
  if (m_font.escapement != 0) {
    // Rotated by 90 degrees: counter-clockwise text runs upwards from the rectangle's
    // bottom-left corner; clockwise text (270) runs downwards from its top-right corner,
    // the tops of the letters towards the right. The rectangle's height is the text's length.
    const QRectF device = ToDevice(rect);
    const bool clockwise = ((m_font.escapement % 3600) + 3600) % 3600 > 1800;
    m_painter.save();
    m_painter.translate(clockwise ? ToDevice(rect.right, rect.top) : ToDevice(rect.left, rect.bottom));
    m_painter.rotate(clockwise ? 90.0 : -90.0);
    const QRectF target(0, 0, device.height(), device.width());
    if (!m_compact || !Shapes().Draw(m_painter, target, align, text))
      m_painter.drawText(target, align, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    m_painter.restore();
    return;
  }
  QRectF target = ToDevice(rect);
  if (m_compact && !(flags & kMultiLine) && target.height() < m_lineHeight) {
    // The painter clips a text whose line is higher than its rectangle: the rectangle grows
    // to the line's height away from where the text hangs, which does not move the text.
    const double grown = m_lineHeight * 1.001;
    if (flags & kAlignBottom) {
      target.setTop(target.bottom() - grown);
    } else {
      target.setBottom(target.top() + grown);
    }
  }
  if (m_compact && !(flags & kMultiLine) && Shapes().Draw(m_painter, target, align, text)) return;
  m_painter.drawText(target, align, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void QtPainterSurface::FillRect(const Rect& rect, Color fill, Color border) {
  const QRectF r = ToDevice(rect);
  m_painter.fillRect(r, ToQColor(fill));
  QPen pen(ToQColor(border));
  pen.setWidthF(m_scaleX);
  m_painter.setPen(pen);
  m_painter.setBrush(Qt::NoBrush);
  m_painter.drawRect(r);
}

void QtPainterSurface::Line(int x1, int y1, int x2, int y2, Color color, int width) {
  QPen pen(ToQColor(color));
  pen.setCapStyle(Qt::FlatCap);
  pen.setWidthF(width <= 0 ? std::max(1.0, m_scaleX * 0.5) : width * m_scaleX);
  m_painter.setPen(pen);
  m_painter.drawLine(ToDevice(x1, y1), ToDevice(x2, y2));
}

void QtPainterSurface::Outline(const Rect& rect, Color color, int width) {
  if (!m_compact) {
    Surface::Outline(rect, color, width);
    return;
  }
  QPen pen(ToQColor(color));
  pen.setCapStyle(Qt::FlatCap);
  pen.setWidthF(width <= 0 ? std::max(1.0, m_scaleX * 0.5) : width * m_scaleX);
  m_painter.setPen(pen);
  m_painter.setBrush(Qt::NoBrush);
  m_painter.drawRect(ToDevice(rect));
}

void QtPainterSurface::SetClip(const Rect* rect) {
  if (rect) {
    m_painter.setClipRect(m_baseClip ? ToDevice(*rect).intersected(*m_baseClip) : ToDevice(*rect));
  } else if (m_baseClip) {
    m_painter.setClipRect(*m_baseClip);
  } else {
    m_painter.setClipping(false);
  }
}

void QtPainterSurface::SetBaseClip(const QRectF& deviceRect) {
  m_baseClip = deviceRect;
  m_painter.setClipRect(deviceRect);
}

}  // namespace qt
