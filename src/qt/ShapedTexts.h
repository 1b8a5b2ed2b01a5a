#pragma once
// Texts of one font on one device, each shaped once and kept as glyph runs. A document of
// hundreds of pages draws the same few thousand amounts and dates again and again; laying
// each of them out anew (character analysis, shaping, line breaking) costs more than
// writing its glyphs. Drawn through `Draw`, a kept text reaches a PDF (or a printer, which
// writes PDF) as the very glyphs at the very positions that
// QPainter::drawText(rect, flags, text) writes, for the single-line, left-to-right texts
// that `Draw` accepts; it declines the others and other paint devices.

#include <QGlyphRun>
#include <QList>
#include <QPainter>
#include <QString>
#include <string>
#include <string_view>
#include <unordered_map>

namespace qt {

class ShapedTexts {
 public:
  // `font` as the painter holds it, made for `device`.
  ShapedTexts(const QFont& font, const QPaintDevice* device, Qt::LayoutDirection direction);

  // Draws `text` into `rect` as drawText(rect, flags, text) with these flags would, and
  // returns true; returns false (drawing nothing) for a text or flags it does not handle:
  // several lines, word wrap, mnemonics, tabs, controls, characters of right-to-left or
  // combining scripts, vertical centring, justification, a device that is not a PDF.
  bool Draw(QPainter& painter, const QRectF& rect, int flags, std::string_view text);

  // Whether a text consists only of characters that are laid out from left to right one
  // after the other, without controls or invisible characters.
  static bool IsPlain(const QString& text);

 private:
  struct Shaped {
    QList<QGlyphRun> runs;  // at the layout's origin, the line's top at y = 0
    qreal width = 0;        // the line's natural width
    qreal advance = 0;      // its advance including trailing spaces
    qreal height = 0;       // its height
  };
  const Shaped& Shape(std::string_view text, const QString& string);

  QFont m_font;
  const QPaintDevice* m_device;
  Qt::LayoutDirection m_direction;
  std::unordered_map<std::string, Shaped> m_shaped;
};

}  // namespace qt
