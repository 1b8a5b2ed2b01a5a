#pragma once
// The advance widths of texts in one font on one device, each exactly what
// QFontMetricsF::horizontalAdvance gives, with far fewer texts laid out. A table measures
// thousands of amounts and dates that differ only in their digits; when every digit of
// the font is as wide as every other and no digit pairs up differently with its
// neighbours, such texts are equally wide, and one of them is laid out for all. Other
// texts are laid out once each.

#include <QFontMetricsF>
#include <string>
#include <string_view>
#include <unordered_map>

namespace qt {

class TextWidths {
 public:
  TextWidths(const QFont& font, QPaintDevice* device);

  double Advance(std::string_view text);

 private:
  double Measure(std::string_view text) const;
  // Digits share one advance, also in every pair of two digits.
  bool DigitsAlike();
  // The character (UTF-8) next to a digit, before or after it, gives the same advance
  // together with every digit.
  bool NeighbourAlike(std::string_view character, bool before);
  // The key a text's width is kept under: its digits all made '0' when that leaves the
  // width unchanged, otherwise the text itself.
  std::string KeyOf(std::string_view text);

  QFontMetricsF m_metrics;
  int m_digitsAlike = -1;  // not yet known
  std::unordered_map<std::string, bool> m_neighbours;
  std::unordered_map<std::string, double> m_widths;
};

}  // namespace qt
