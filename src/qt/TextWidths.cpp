#include "qt/TextWidths.h"

#include <QString>

namespace qt {

namespace {

// Texts of a document are few in kind; a surface that lives for thousands of pages keeps
// no more than this many widths.
constexpr std::size_t kMostWidths = 1 << 16;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The length of the well-formed UTF-8 character at `at`, 0 when there is none.
std::size_t CharacterLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const std::size_t length = lead < 0x80           ? 1
                             : (lead >> 5) == 0x6  ? 2
                             : (lead >> 4) == 0xE  ? 3
                             : (lead >> 3) == 0x1E ? 4
                                                   : 0;
  if (length == 0 || at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 0;
  }
  return length;
}

}  // namespace

TextWidths::TextWidths(const QFont& font, QPaintDevice* device) : m_metrics(font, device) {}

double TextWidths::Measure(std::string_view text) const {
  return m_metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

bool TextWidths::DigitsAlike() {
  if (m_digitsAlike < 0) {
    m_digitsAlike = 1;
    const double one = Measure("0"), two = Measure("00");
    for (char a = '0'; a <= '9' && m_digitsAlike == 1; ++a) {
      if (Measure(std::string(1, a)) != one) m_digitsAlike = 0;
      for (char b = '0'; b <= '9' && m_digitsAlike == 1; ++b) {
        if (Measure(std::string{a, b}) != two) m_digitsAlike = 0;
      }
    }
  }
  return m_digitsAlike == 1;
}

bool TextWidths::NeighbourAlike(std::string_view character, bool before) {
  const std::string key = (before ? "<" : ">") + std::string(character);
  if (const auto found = m_neighbours.find(key); found != m_neighbours.end()) return found->second;
  const auto pair = [&](char digit) {
    return before ? std::string(character) + digit : digit + std::string(character);
  };
  const double zero = Measure(pair('0'));
  bool alike = true;
  for (char d = '1'; d <= '9' && alike; ++d) alike = Measure(pair(d)) == zero;
  m_neighbours.emplace(key, alike);
  return alike;
}

std::string TextWidths::KeyOf(std::string_view text) {
  std::string key(text);
  bool digits = false;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = CharacterLength(text, i);
    if (length == 0) return std::string(text);
    if (length == 1 && IsDigit(text[i])) {
      digits = true;
      key[i] = '0';
    } else {
      const bool afterDigit = i > 0 && IsDigit(text[i - 1]);
      const bool beforeDigit = i + length < text.size() && IsDigit(text[i + length]);
      const std::string_view character = text.substr(i, length);
      if ((afterDigit && !NeighbourAlike(character, false)) ||
          (beforeDigit && !NeighbourAlike(character, true)))
        return std::string(text);
    }
    i += length;
  }
  if (digits && !DigitsAlike()) return std::string(text);
  return key;
}

double TextWidths::Advance(std::string_view text) {
  std::string key = KeyOf(text);
  if (const auto found = m_widths.find(key); found != m_widths.end()) return found->second;
  const double width = Measure(text);
  if (m_widths.size() >= kMostWidths) m_widths.clear();
  m_widths.emplace(std::move(key), width);
  return width;
}

}  // namespace qt
