#pragma once
// A surface that records every call, for tests. Texts measure by a fixed rule: width =
// number of characters x font height / 2, height = font height. A text is recorded as
// drawn: cut to fit its rectangle where it is longer.

#include <string>
#include <vector>

#include "platform/Surface.h"

namespace platform {

class RecordingSurface : public Surface {
 public:
  struct Call {
    enum Kind { kFont, kText, kFill, kLine, kClip } kind;
    Rect rect;          // text and fill rectangles; a line's ends as (left, top) - (right, bottom)
    std::string text;   // as drawn: cut to fit where it is longer than its rectangle
    std::string given;  // as DrawText was given it
    unsigned flags = 0;
    Color fill = 0;
    Color border = 0;
    int width = 0;
    Font font;
  };

  explicit RecordingSurface(bool printing = false, PageGeometry page = {})
      : m_printing(printing), m_page(page) {}

  void SetFont(const Font& font) override;
  Size TextExtent(std::string_view text) override;
  void DrawText(const Rect& rect, std::string_view text, unsigned flags) override;
  void FillRect(const Rect& rect, Color fill, Color border) override;
  void Line(int x1, int y1, int x2, int y2, Color color, int width) override;
  void SetClip(const Rect* rect) override;
  bool IsPrinting() const override { return m_printing; }
  PageGeometry Page() const override { return m_page; }

  const std::vector<Call>& Calls() const { return m_calls; }
  void Clear() { m_calls.clear(); }
  // The recorded texts, in drawing order.
  std::vector<const Call*> Texts() const;
  std::vector<const Call*> Fills() const;
  const Font& CurrentFont() const { return m_font; }

 private:
  bool m_printing;
  PageGeometry m_page;
  Font m_font;
  std::vector<Call> m_calls;
};

}  // namespace platform
