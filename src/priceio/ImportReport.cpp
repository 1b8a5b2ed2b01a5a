#include "priceio/ImportReport.h"

#include "base/Cp1252.h"

namespace priceio {

namespace {

constexpr std::size_t kShownLines = 10;
constexpr std::size_t kShownCharacters = 60;

// Cuts a UTF-8 text after `most` characters, marking the cut with "…".
std::string Cut(const std::string& text, std::size_t most) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (characters++ == most) return text.substr(0, i) + "…";
  }
  return text;
}

bool Apart(std::int64_t a, std::int64_t b) {
  return a > 20 * b || 20 * a < b;
}

}  // namespace

std::string LineAsUtf8(std::string_view bytes) {
  if (DecodeUtf8(bytes)) return std::string(bytes);
  return Cp1252ToUtf8(bytes);
}

std::vector<std::string> SkippedReport(const std::vector<SkippedLine>& skipped) {
  std::vector<std::string> lines;
  if (skipped.empty()) return lines;
  lines.push_back(std::to_string(skipped.size()) + " Zeilen übersprungen:");
  for (std::size_t i = 0; i < skipped.size() && i < kShownLines; ++i) {
    const SkippedLine& s = skipped[i];
    lines.push_back("Zeile " + std::to_string(s.line) + ": „" + Cut(s.text, kShownCharacters) + "“" +
                    (s.implausible ? " (unplausibel)" : ""));
  }
  return lines;
}

std::vector<bool> ImplausiblePrices(const std::vector<CKBXKurs>& points) {
  const std::size_t n = points.size();
  std::vector<bool> implausible(n, false);
  if (n < 3) return implausible;
  auto price = [&](std::size_t i) { return static_cast<std::int64_t>(points[i].Price()); };
  for (std::size_t i = 0; i < n; ++i) {
    if (i == 0) {
      implausible[i] = Apart(price(0), price(1)) && !Apart(price(1), price(2));
    } else if (i + 1 == n) {
      implausible[i] = Apart(price(i), price(i - 1)) && !Apart(price(i - 1), price(i - 2));
    } else {
      implausible[i] = Apart(price(i), price(i - 1)) && Apart(price(i), price(i + 1));
    }
  }
  return implausible;
}

}  // namespace priceio
