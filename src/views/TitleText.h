#pragma once
// Titles of tables and charts, drawn complete in their bands: a title too long for its
// band is set in a smaller font, on several lines where that allows a larger one.

#include <string>
#include <vector>

#include "platform/Surface.h"

namespace views {

// How a title is set in a band: the font's height and the lines, each as wide as the band
// at most.
struct TitleLines {
  int height = 0;
  std::vector<std::string> lines;
};

// The title in `font` on one line where it fits `width`; otherwise the largest font (no
// higher than `font`) in which it fits on as many lines, broken at blanks and at its line
// breaks, as a band of `bandHeight` holds. Measured with the surface, whose font is `font`
// when called; a title that does not fit leaves the surface's font at the one returned.
TitleLines FitTitle(platform::Surface& surface, const platform::Font& font, const std::string& title,
                    int width, int bandHeight);

// Draws the title into the band as FitTitle sets it (the surface's font is `font`): where
// it fits on one line in `font`,
// as DrawText(band, title, flags) draws it; otherwise its lines left-aligned, together
// centred between the band's top and bottom.
void DrawTitle(platform::Surface& surface, const platform::Font& font, const platform::Rect& band,
               const std::string& title, unsigned flags);

}  // namespace views
