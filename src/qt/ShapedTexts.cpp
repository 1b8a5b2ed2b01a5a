#include "qt/ShapedTexts.h"

#include <QPaintEngine>
#include <QTextLayout>
#include <QTextOption>
#include <QTransform>
#include <cmath>

namespace qt {

namespace {

// A surface that lives for thousands of pages keeps no more than this many shaped texts.
constexpr std::size_t kMostTexts = 1 << 16;

// Rectangles far beyond any page are left to drawText: their 1/64 units, plus a line's
// width, would not fit an int.
constexpr qreal kFarthest = 1 << 22;

constexpr int kHandledFlags = Qt::AlignLeft | Qt::AlignRight | Qt::AlignHCenter | Qt::AlignTop |
                              Qt::AlignBottom | Qt::TextSingleLine | Qt::TextDontClip;

// Laid out from left to right one after the other, each visible: Latin letters, digits,
// punctuation and the usual signs of amounts and quotations.
bool IsPlainCharacter(char16_t c) {
  if (c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0xAD) return false;  // controls, soft hyphen
  if (c < 0x0250) return true;  // Basic Latin, Latin-1, Latin Extended-A and -B
  switch (c) {
    case u'\u2013':  // en dash
    case u'\u2014':  // em dash
    case u'\u2018':
    case u'\u2019':
    case u'\u201A':
    case u'\u201C':
    case u'\u201D':
    case u'\u201E':  // quotation marks
    case u'\u2022':  // bullet
    case u'\u2026':  // ellipsis
    case u'\u20AC':  // euro sign
      return true;
    default:
      return false;
  }
}

}  // namespace

ShapedTexts::ShapedTexts(const QFont& font, const QPaintDevice* device, Qt::LayoutDirection direction)
    : m_font(font), m_device(device), m_direction(direction) {}

bool ShapedTexts::IsPlain(const QString& text) {
  for (const QChar c : text) {
    if (!IsPlainCharacter(c.unicode())) return false;
  }
  return true;
}

const ShapedTexts::Shaped& ShapedTexts::Shape(std::string_view text, const QString& string) {
  if (m_shaped.size() >= kMostTexts) m_shaped.clear();
  Shaped& shaped = m_shaped[std::string(text)];
  // The layout is made as drawText makes it for one line: the painter's direction, left
  // alignment (the text is placed afterwards), a line wide enough never to break.
  QTextLayout layout(string, m_font, m_device);
  QTextOption option;
  option.setTextDirection(m_direction);
  option.setAlignment(Qt::AlignLeft);
  layout.setTextOption(option);
  layout.setCacheEnabled(true);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  line.setLineWidth(0x01000000);
  line.setPosition(QPointF(0, 0));
  layout.endLayout();
  shaped.width = line.naturalTextWidth();
  shaped.advance = line.horizontalAdvance();
  shaped.height = line.ascent() + line.descent();  // not rounded up, unlike line.height()
  shaped.runs = line.glyphRuns();
  return shaped;
}

bool ShapedTexts::Draw(QPainter& painter, const QRectF& rect, int flags, std::string_view text) {
  // Without a right-to-left direction, plain texts run from left to right. Other paint
  // engines place glyph runs on pixels by rules of their own.
  // An opaque background and empty rectangles are left to drawText as well.
  if ((flags & ~kHandledFlags) != 0 || m_direction == Qt::RightToLeft || !painter.isActive() ||
      painter.paintEngine()->type() != QPaintEngine::Pdf || painter.layoutDirection() != m_direction ||
      painter.backgroundMode() == Qt::OpaqueMode || rect.isEmpty())
    return false;
  if (text.empty() || painter.pen().style() == Qt::NoPen) return true;  // drawText draws nothing either

  const Shaped* shaped = nullptr;
  if (const auto found = m_shaped.find(std::string(text)); found != m_shaped.end()) {
    shaped = &found->second;
  } else {
    const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (!IsPlain(string)) return false;
    shaped = &Shape(text, string);
  }

  const auto near = [](qreal v) { return std::abs(v) < kFarthest; };
  if (!(near(rect.x()) && near(rect.y()) && near(rect.width()) && near(rect.height()))) return false;

  // Placed as drawText places a single line: the line's box for deciding on clipping
  // (centred boxes on whole device pixels), its advance for where the glyphs go.
  const qreal yOffset = (flags & Qt::AlignBottom) ? rect.height() - shaped->height : 0;
  qreal boxOffset = 0;
  qreal xOffset = 0;
  if (flags & Qt::AlignRight) {
    boxOffset = rect.width() - shaped->width;
    xOffset = rect.width() - shaped->advance;
  } else if (flags & Qt::AlignHCenter) {
    boxOffset = (rect.width() - shaped->width) / 2;
    const QTransform& transform = painter.transform();
    if (transform.type() <= QTransform::TxScale && transform.m11() != 0) {
      const qreal scaled = boxOffset * transform.m11();
      if (!near(scaled)) return false;
      boxOffset = qRound(scaled) / transform.m11();
    }
    xOffset = (rect.width() - shaped->advance) / 2;
  }
  // The line's origin in 1/64 units, cut towards zero as the layout cuts it; the glyphs'
  // offsets from it are whole 1/64 units and add without rounding.
  const qreal x = rect.x() + xOffset, y = rect.y() + yOffset;
  const auto units = [](qreal v) { return static_cast<qreal>(static_cast<int>(v * 64)) / 64; };
  const QPointF origin(units(x), units(y));

  const QRectF box(rect.x() + boxOffset, rect.y() + yOffset, shaped->width, shaped->height);
  const bool clip = !(flags & Qt::TextDontClip) && !rect.contains(box);
  if (clip) {
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
  }
  for (const QGlyphRun& run : shaped->runs) painter.drawGlyphRun(origin, run);
  if (clip) painter.restore();
  return true;
}

}  // namespace qt
