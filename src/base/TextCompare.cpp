#include "base/TextCompare.h"

#include <string>

#include "base/Cp1252.h"

namespace {

char32_t FoldCase(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  if (c == 0x160 || c == 0x152 || c == 0x17D) return c + 1;  // Š Œ Ž
  if (c == 0x178) return 0xFF;                               // Ÿ
  return c;
}

// The base letters of a folded character (primary sort weight).
void AppendBase(std::u32string& out, char32_t c) {
  switch (c) {
    case 0xE0:
    case 0xE1:
    case 0xE2:
    case 0xE3:
    case 0xE4:
    case 0xE5:
      out += U'a';
      return;
    case 0xE6:
      out += U"ae";
      return;
    case 0xE7:
      out += U'c';
      return;
    case 0xE8:
    case 0xE9:
    case 0xEA:
    case 0xEB:
      out += U'e';
      return;
    case 0xEC:
    case 0xED:
    case 0xEE:
    case 0xEF:
      out += U'i';
      return;
    case 0xF1:
      out += U'n';
      return;
    case 0xF2:
    case 0xF3:
    case 0xF4:
    case 0xF5:
    case 0xF6:
    case 0xF8:
      out += U'o';
      return;
    case 0xF9:
    case 0xFA:
    case 0xFB:
    case 0xFC:
      out += U'u';
      return;
    case 0xFD:
    case 0xFF:
      out += U'y';
      return;
    case 0xDF:
      out += U"ss";
      return;
    case 0x153:
      out += U"oe";
      return;
    case 0x161:
      out += U's';
      return;
    case 0x17E:
      out += U'z';
      return;
    default:
      out += c;
  }
}

std::u32string Folded(std::string_view text) {
  std::u32string out;
  if (const auto cps = DecodeUtf8(text)) {
    for (char32_t c : *cps) out += FoldCase(c);
  } else {
    for (char c : text) out += FoldCase(static_cast<unsigned char>(c));
  }
  return out;
}

}  // namespace

int CompareNoCase(std::string_view a, std::string_view b) {
  const std::u32string fa = Folded(a);
  const std::u32string fb = Folded(b);
  std::u32string ba, bb;
  for (char32_t c : fa) AppendBase(ba, c);
  for (char32_t c : fb) AppendBase(bb, c);
  if (const int primary = ba.compare(bb); primary != 0) return primary;
  return fa.compare(fb);
}
