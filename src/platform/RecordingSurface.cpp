#include "platform/RecordingSurface.h"

#include <utility>

namespace platform {

namespace {

int Characters(std::string_view text) {
  int n = 0;
  for (const char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;  // UTF-8 lead bytes
  return n;
}

}  // namespace

void RecordingSurface::SetFont(const Font& font) {
  m_font = font;
  Call call{Call::kFont, {}, {}, {}, 0, 0, 0, 0, font};
  m_calls.push_back(call);
}

Size RecordingSurface::TextExtent(std::string_view text) {
  return {Characters(text) * m_font.height / 2, m_font.height};
}

void RecordingSurface::DrawText(const Rect& rect, std::string_view text, unsigned flags) {
  const int length = CuttingLength(rect, flags, m_font.escapement);
  std::string drawn = length < 0 ? std::string(text) : Elided(text, length);
  m_calls.push_back({Call::kText, rect, std::move(drawn), std::string(text), flags, 0, 0, 0, m_font});
}

void RecordingSurface::FillRect(const Rect& rect, Color fill, Color border) {
  m_calls.push_back({Call::kFill, rect, {}, {}, 0, fill, border, 1, m_font});
}

void RecordingSurface::Line(int x1, int y1, int x2, int y2, Color color, int width) {
  m_calls.push_back({Call::kLine, {x1, y1, x2, y2}, {}, {}, 0, 0, color, width, m_font});
}

void RecordingSurface::SetClip(const Rect* rect) {
  m_calls.push_back({Call::kClip, rect ? *rect : Rect{}, rect ? "set" : "none", {}, 0, 0, 0, 0, m_font});
}

std::vector<const RecordingSurface::Call*> RecordingSurface::Texts() const {
  std::vector<const Call*> out;
  for (const Call& c : m_calls) {
    if (c.kind == Call::kText) out.push_back(&c);
  }
  return out;
}

std::vector<const RecordingSurface::Call*> RecordingSurface::Fills() const {
  std::vector<const Call*> out;
  for (const Call& c : m_calls) {
    if (c.kind == Call::kFill) out.push_back(&c);
  }
  return out;
}

}  // namespace platform
