#pragma once
// What the views need to draw and measure. Coordinates are tenths of a millimetre with
// y growing upwards (a table starts at y = 0, everything below it is negative), on screen,
// on paper and in files alike.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// RGB with red in the low byte, as the portfolio file stores colours.
using Color = std::uint32_t;
constexpr Color Rgb(unsigned r, unsigned g, unsigned b) {
  return r | (g << 8) | (b << 16);
}
constexpr unsigned RedOf(Color c) {
  return c & 0xFF;
}
constexpr unsigned GreenOf(Color c) {
  return (c >> 8) & 0xFF;
}
constexpr unsigned BlueOf(Color c) {
  return (c >> 16) & 0xFF;
}

// The drawing palette: every colour of tables and charts is one of these 34.
extern const std::array<Color, 34> kPalette;
// The palette entry nearest to a colour (exact for palette colours).
Color NearestPaletteColor(Color color);

struct Rect {
  int left = 0;
  int top = 0;  // top > bottom: y grows upwards
  int right = 0;
  int bottom = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Size {
  int cx = 0;
  int cy = 0;
};

struct Font {
  std::string face = "Arial";
  int height = 40;     // tenths of a millimetre
  int weight = 400;    // 400 normal, 700 bold
  int escapement = 0;  // tenths of a degree, counter-clockwise
  friend bool operator==(const Font&, const Font&) = default;
};

// Text placement flags.
enum TextFlags : unsigned {
  kAlignLeft = 0,
  kAlignRight = 1,
  kAlignCenter = 2,
  kSingleLine = 0,
  kMultiLine = 4,
  kNoClip = 8,
  kAlignBottom = 16,
};

// A printer's page, in tenths of a millimetre.
struct PageGeometry {
  int pageWidth = 2100;
  int pageHeight = 2970;
  int offsetX = 0;  // physical offset of the printable area
  int offsetY = 0;
  int printableWidth = 2100;
  int printableHeight = 2970;
};

class Surface {
 public:
  virtual ~Surface() = default;
  virtual void SetFont(const Font& font) = 0;
  // Width and height of a single-line text in the current font.
  virtual Size TextExtent(std::string_view text) = 0;
  // Draws the text into the rectangle, aligned to its top, clipped to it unless kNoClip.
  // A single-line text that is clipped and longer than its rectangle (its width, or its
  // height when the font is turned by 90 degrees) is drawn cut to fit, ending in "…".
  virtual void DrawText(const Rect& rect, std::string_view text, unsigned flags) = 0;
  // A rectangle filled with `fill` and bordered by a 1-unit pen of `border`.
  virtual void FillRect(const Rect& rect, Color fill, Color border) = 0;
  // A line with a solid pen (width 0 is the thinnest line the device draws).
  virtual void Line(int x1, int y1, int x2, int y2, Color color, int width) = 0;
  // The four sides of a rectangle with a solid pen; a surface may draw them as one figure.
  virtual void Outline(const Rect& rect, Color color, int width);
  // Restricts drawing to the rectangle, or lifts the restriction (nullptr).
  virtual void SetClip(const Rect* rect) = 0;
  virtual bool IsPrinting() const = 0;
  virtual PageGeometry Page() const = 0;

  // The text as DrawText draws it into a rectangle of this length along the text in the
  // current font: the text itself where it fits, otherwise as many of its leading
  // characters as fit together with "…" (blanks before the "…" dropped).
  std::string Elided(std::string_view text, int length);
};

// The length a single-line text has in the rectangle along its direction (a font with an
// escapement is drawn turned by 90 degrees); -1 when the text is not cut there (several
// lines, or not clipped).
int CuttingLength(const Rect& rect, unsigned flags, int escapement);

}  // namespace platform
