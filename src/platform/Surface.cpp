#include "platform/Surface.h"

namespace platform {

const std::array<Color, 34> kPalette = {
    Rgb(0, 0, 0),       Rgb(0, 0, 192),     Rgb(0, 192, 192),   Rgb(0, 255, 0),     Rgb(128, 128, 128),
    Rgb(150, 255, 150), Rgb(151, 221, 255), Rgb(151, 255, 195), Rgb(174, 151, 255), Rgb(175, 229, 255),
    Rgb(175, 255, 175), Rgb(175, 255, 209), Rgb(192, 0, 192),   Rgb(192, 192, 192), Rgb(193, 175, 255),
    Rgb(200, 255, 200), Rgb(201, 238, 255), Rgb(201, 255, 224), Rgb(205, 205, 205), Rgb(213, 201, 255),
    Rgb(225, 225, 225), Rgb(240, 240, 240), Rgb(248, 248, 248), Rgb(255, 0, 0),     Rgb(255, 128, 0),
    Rgb(255, 150, 150), Rgb(255, 151, 242), Rgb(255, 175, 175), Rgb(255, 175, 245), Rgb(255, 192, 0),
    Rgb(255, 200, 200), Rgb(255, 201, 248), Rgb(255, 255, 0),   Rgb(255, 255, 255),
};

Color NearestPaletteColor(Color color) {
  for (const Color entry : kPalette) {
    if (entry == color) return color;  // the views draw with palette colours
  }
  Color best = kPalette[0];
  long bestDistance = -1;
  for (const Color entry : kPalette) {
    const long dr = static_cast<long>(RedOf(entry)) - static_cast<long>(RedOf(color));
    const long dg = static_cast<long>(GreenOf(entry)) - static_cast<long>(GreenOf(color));
    const long db = static_cast<long>(BlueOf(entry)) - static_cast<long>(BlueOf(color));
    const long distance = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || distance < bestDistance) {
      best = entry;
      bestDistance = distance;
    }
  }
  return best;
}

void Surface::Outline(const Rect& r, Color color, int width) {
  Line(r.left, r.top, r.right, r.top, color, width);
  Line(r.right, r.top, r.right, r.bottom, color, width);
  Line(r.right, r.bottom, r.left, r.bottom, color, width);
  Line(r.left, r.bottom, r.left, r.top, color, width);
}

}  // namespace platform
