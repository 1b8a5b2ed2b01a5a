#include "views/TitleText.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace views {

namespace {

// The title broken into lines of at most `width` in the surface's current font, at blanks
// and line breaks; none when a word alone is wider or more than `most` lines are needed.
std::optional<std::vector<std::string>> Wrap(platform::Surface& surface, const std::string& title, int width,
                                             std::size_t most) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= title.size()) {
    const std::size_t end = std::min(title.find('\n', start), title.size());
    const std::string paragraph = title.substr(start, end - start);
    std::string line;
    bool open = false;  // a line of this paragraph has been begun
    std::size_t at = 0;
    while (at <= paragraph.size()) {
      const std::size_t blank = std::min(paragraph.find(' ', at), paragraph.size());
      const std::string word = paragraph.substr(at, blank - at);
      if (open && surface.TextExtent(line + ' ' + word).cx <= width) {
        line += ' ' + word;
      } else {
        if (surface.TextExtent(word).cx > width) return std::nullopt;
        if (open) lines.push_back(line);
        line = word;
        open = true;
      }
      at = blank + 1;
    }
    lines.push_back(line);
    if (lines.size() > most) return std::nullopt;
    start = end + 1;
  }
  return lines;
}

}  // namespace

TitleLines FitTitle(platform::Surface& surface, const platform::Font& font, const std::string& title,
                    int width, int bandHeight) {
  const int whole = surface.TextExtent(title).cx;
  if (title.find('\n') == std::string::npos && whole <= width) return {font.height, {title}};

  // With n lines the font is at most the band's n-th part high, and about n times the
  // band's width is what the text takes in the height that fits; each guess is measured
  // and lowered by steps until the lines fit.
  TitleLines best;
  const int band = std::max(bandHeight, 1);
  for (int n = 1; n <= band && band / n > best.height; ++n) {
    const std::int64_t byWidth =
        whole > 0 ? static_cast<std::int64_t>(font.height) * n * std::max(width, 0) / whole : font.height;
    int height =
        static_cast<int>(std::min<std::int64_t>({font.height, band / n, std::max<std::int64_t>(byWidth, 1)}));
    while (height > best.height) {
      platform::Font smaller = font;
      smaller.height = height;
      surface.SetFont(smaller);
      const std::size_t most = static_cast<std::size_t>(std::max(1, band / height));
      if (auto lines = Wrap(surface, title, width, most)) {
        best = {height, std::move(*lines)};
        break;
      }
      height = std::min(height - 1, height * 19 / 20);
    }
  }
  if (best.lines.empty()) best = {1, {title}};  // nothing fits: the smallest font, cut
  platform::Font chosen = font;
  chosen.height = best.height;
  surface.SetFont(chosen);
  return best;
}

void DrawTitle(platform::Surface& surface, const platform::Font& font, const platform::Rect& band,
               const std::string& title, unsigned flags) {
  const int height = band.top - band.bottom;
  const TitleLines fitted = FitTitle(surface, font, title, band.right - band.left, height);
  if (fitted.height == font.height && fitted.lines.size() == 1 && fitted.lines.front() == title) {
    surface.DrawText(band, title, flags);
    return;
  }
  const int used = fitted.height * static_cast<int>(fitted.lines.size());
  int top = band.top - std::max(0, height - used) / 2;
  for (const std::string& line : fitted.lines) {
    surface.DrawText({band.left, top, band.right, top - fitted.height}, line,
                     platform::kAlignLeft | platform::kSingleLine);
    top -= fitted.height;
  }
}

}  // namespace views
