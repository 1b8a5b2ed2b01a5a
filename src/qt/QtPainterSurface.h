#pragma once
// Draws through a QPainter onto any paint device (a widget, a printer, a PDF, an SVG or an
// image). Logical units are tenths of a millimetre with y upwards; `origin` is the device
// point of the logical point (0, 0).

#include <QFont>
#include <QPaintDevice>
#include <QPainter>
#include <QPointF>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Surface.h"
#include "qt/ShapedTexts.h"
#include "qt/TextWidths.h"

namespace qt {

class QtPainterSurface : public platform::Surface {
 public:
  QtPainterSurface(QPainter& painter, QPaintDevice& device, QPointF origin, bool printing,
                   platform::PageGeometry page);

  // Fewer painter calls for documents of many pages (PDF, printers, the preview): a text is
  // clipped only when it runs out of its rectangle sideways, an outline is one rectangle,
  // a text keeps a black pen that is already set, and each distinct single-line text is
  // shaped once. The pages look the same and take less than half the work to write; SVG
  // pages keep the calls they have always been written with.
  void SetCompact(bool compact) { m_compact = compact; }

  void SetFont(const platform::Font& font) override;
  platform::Size TextExtent(std::string_view text) override;
  void DrawText(const platform::Rect& rect, std::string_view text, unsigned flags) override;
  void FillRect(const platform::Rect& rect, platform::Color fill, platform::Color border) override;
  void Line(int x1, int y1, int x2, int y2, platform::Color color, int width) override;
  void Outline(const platform::Rect& rect, platform::Color color, int width) override;
  void SetClip(const platform::Rect* rect) override;
  bool IsPrinting() const override { return m_printing; }
  platform::PageGeometry Page() const override { return m_page; }

  // Limits every drawing to this device rectangle, also where the drawing sets and lifts
  // clips of its own.
  void SetBaseClip(const QRectF& deviceRect);

  // The device rectangle of a logical one.
  QRectF ToDevice(const platform::Rect& rect) const;
  QPointF ToDevice(int x, int y) const;

 private:
  QPainter& m_painter;
  QPaintDevice& m_device;
  QPointF m_origin;
  double m_scaleX;
  double m_scaleY;
  bool m_printing;
  platform::PageGeometry m_page;
  platform::Font m_font;
  QFont m_qfont;
  std::optional<QRectF> m_baseClip;
  double m_lineHeight = 0;  // of the current font, in device units
  // Each font this surface was given, as made for the device, with the widths measured
  // in it; the current font last.
  struct MadeFont {
    platform::Font font;
    QFont qfont;
    double lineHeight;
    std::unique_ptr<TextWidths> widths;
    std::unique_ptr<ShapedTexts> shapes;  // made when first drawn compactly
  };
  ShapedTexts& Shapes();
  std::vector<MadeFont> m_fonts;
  bool m_compact = false;
};

// A colour of the drawing palette.
QColor ToQColor(platform::Color color);

}  // namespace qt
