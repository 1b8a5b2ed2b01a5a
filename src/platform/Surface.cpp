#include "platform/Surface.h"

#include <cstdlib>
#include <vector>

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

namespace {

constexpr std::string_view kEllipsis = "\u2026";

}  // namespace

std::string Surface::Elided(std::string_view text, int length) {
  if (TextExtent(text).cx <= length) return std::string(text);
  // Where each character (UTF-8) ends: the prefixes that may stand before the "…".
  std::vector<std::size_t> ends;
  for (std::size_t i = 1; i <= text.size(); ++i) {
    if (i == text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ends.push_back(i);
  }
  const auto withEllipsis = [&](std::size_t characters) {
    std::string_view kept = text.substr(0, characters == 0 ? 0 : ends[characters - 1]);
    while (!kept.empty() && kept.back() == ' ') kept.remove_suffix(1);
    return std::string(kept) + std::string(kEllipsis);
  };
  // The most characters that fit: fewer always fit when more do.
  std::size_t fit = 0, tooMany = ends.size();
  while (tooMany - fit > 1) {
    const std::size_t middle = fit + (tooMany - fit) / 2;
    if (TextExtent(withEllipsis(middle)).cx <= length) {
      fit = middle;
    } else {
      tooMany = middle;
    }
  }
  return withEllipsis(fit);
}

int CuttingLength(const Rect& rect, unsigned flags, int escapement) {
  if ((flags & kMultiLine) || (flags & kNoClip)) return -1;
  return escapement != 0 ? std::abs(rect.top - rect.bottom) : std::abs(rect.right - rect.left);
}

}  // namespace platform
