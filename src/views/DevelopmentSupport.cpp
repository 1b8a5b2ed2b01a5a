#include "views/DevelopmentSupport.h"

#include <algorithm>

#include "views/Table.h"

namespace views::development {

using platform::Color;
using platform::Rect;
using platform::Rgb;

namespace {

struct Shades {
  Color caption, dark, light;
};
// date, Depot, Konto, Vermögen, positions; and the strip colour.
Shades ShadesOf(int part, int style) {
  if (style == 1) return {Rgb(205, 205, 205), Rgb(240, 240, 240), Rgb(248, 248, 248)};
  switch (part) {
    case 0:
      return {Rgb(255, 150, 150), Rgb(255, 175, 175), Rgb(255, 200, 200)};
    case 1:
      return {Rgb(174, 151, 255), Rgb(193, 175, 255), Rgb(213, 201, 255)};
    case 2:
      return {Rgb(151, 221, 255), Rgb(175, 229, 255), Rgb(201, 238, 255)};
    case 3:
      return {Rgb(151, 255, 195), Rgb(175, 255, 209), Rgb(201, 255, 224)};
    default:
      return {Rgb(255, 151, 242), Rgb(255, 175, 245), Rgb(255, 201, 248)};
  }
}
Color StripColour(int style) {
  return style == 1 ? Rgb(225, 225, 225) : Rgb(255, 151, 242);
}

void Fill(platform::Surface& surface, bool filled, const Rect& r, Color colour) {
  if (filled) {
    surface.FillRect(r, colour, colour);
  } else {
    DrawOutline(surface, r, surface.IsPrinting() ? Rgb(0, 0, 0) : Rgb(192, 192, 192), 0);
  }
}

}  // namespace

Currency ShownCurrency(std::int32_t flag) {
  return flag == 1 ? kDm : kEur;
}
std::string UnitText(Currency c) {
  return c == kDm ? "in DM" : "in EUR";
}
std::string Money(std::int64_t amount) {
  return FormatMoney(amount, kEur, kOwnCurrency, false);
}

int GroupWidth(int first, bool showFirst, int second, bool showSecond, const DevelopmentSettings& s) {
  if (!showFirst && !showSecond) return 0;
  int width = (showFirst ? first : 0) + (showSecond ? second : 0);
  if (showFirst && showSecond) width += s.columnSpacing;
  return width + 2 * s.columnMargin;
}

Columns ColumnWidths(const DevelopmentModel& model, const DevelopmentMeasures& m) {
  const DevelopmentSettings& s = model.Settings();
  Columns c;
  c.width.push_back(m.dateWidth + 2 * s.columnMargin);
  const int positionWidth = m.positionsWidth + (model.Shows(2) ? s.rowHeight : 0);
  for (int i = 0; i < m.positionColumns; ++i) c.width.push_back(positionWidth);
  c.width.push_back(m.depotWidth);
  c.width.push_back(m.kontoWidth);
  c.width.push_back(m.wealthWidth);
  c.x.assign(c.width.size(), -1);
  return c;
}

void DrawPass(platform::Surface& surface, const Pass& p) {
  const DevelopmentModel& model = p.model;
  const DevelopmentSettings& s = model.Settings();
  const CKapibuchDoc& doc = model.Doc();
  const int style = doc.settings.general.tableDisplay;
  const bool filled = style != 2 && !(surface.IsPrinting() && s.gridLinesOnlyWhenPrinting == 1);
  const int rh = s.rowHeight;
  const platform::Font font{s.fontName, rh, 400, 0};
  surface.SetFont(font);
  const unsigned centred = platform::kAlignCenter | platform::kSingleLine;
  const unsigned right = platform::kAlignRight | platform::kSingleLine;
  const std::size_t n = p.columns.x.size();
  const auto rowTop = [&](int row) { return p.firstRowTop - (row - p.firstRow) * rh; };
  const auto shade = [&](int part, int row) {
    const Shades sh = ShadesOf(part, style);
    return (row - p.firstRow) % 2 == 0 ? sh.dark : sh.light;
  };
  const int captionBottom = p.captionTop - 2 * rh;

  // Date column.
  if (p.columns.x[0] >= 0) {
    const int x = p.columns.x[0];
    const int w = p.columns.width[0];
    Fill(surface, filled, {x, p.captionTop, x + w, captionBottom}, ShadesOf(0, style).caption);
    surface.DrawText({x, p.captionTop, x + w, p.captionTop - rh}, "Datum", centred);
    for (int row = p.firstRow; row <= p.lastRow; ++row) {
      Fill(surface, filled, {x, rowTop(row), x + w, rowTop(row) - rh}, shade(0, row));
      const CKBXDatum day(model.Start().Day() + static_cast<std::uint32_t>(row));
      surface.DrawText({x + s.columnMargin, rowTop(row), x + w - s.columnMargin, rowTop(row) - rh},
                       day.Format(), platform::kAlignLeft | platform::kSingleLine);
    }
  }

  // The position block's band over the drawn position columns.
  int firstPosition = -1, lastPosition = -1;
  for (std::size_t i = 1; i + 3 < n; ++i) {
    if (p.columns.x[i] < 0) continue;
    if (firstPosition < 0) firstPosition = static_cast<int>(i);
    lastPosition = static_cast<int>(i);
  }
  if (firstPosition > 0) {
    const int left = p.columns.x[static_cast<std::size_t>(firstPosition)];
    const int rightEdge = p.columns.x[static_cast<std::size_t>(lastPosition)] +
                          p.columns.width[static_cast<std::size_t>(lastPosition)];
    Fill(surface, filled, {left, p.captionTop, rightEdge, captionBottom}, ShadesOf(4, style).caption);
    surface.DrawText({left, p.captionTop, rightEdge, p.captionTop - rh}, "Wertpapierpositionen", centred);
    if (model.Shows(0)) {
      surface.DrawText({left, p.captionTop - rh, rightEdge, captionBottom}, "(alle Kurse in Euro)", centred);
    }
  }

  // Position columns.
  const auto& positions = doc.Positions();
  for (std::size_t index = 0; index < positions.size(); ++index) {
    const PositionSpan& span = model.Spans()[index];
    if (span.column < 0) continue;
    const std::size_t column = static_cast<std::size_t>(span.column) + 1;
    const int x = p.columns.x[column];
    if (x < 0) continue;
    const int w = p.columns.width[column];
    const CKBXAktie& position = *positions[index];
    const int cellRight = x + w - (model.Shows(2) ? rh : 0);
    const int from = std::max(span.firstRow, p.firstRow);
    const int to = std::min(span.lastRow, p.lastRow);
    if (model.Shows(2) && span.firstRow <= span.lastRow && from <= to) {
      const Rect strip{cellRight, rowTop(from), x + w, rowTop(to) - rh};
      Fill(surface, filled, strip, StripColour(style));
      // The strip's text runs downwards from its top, tops of the letters to the right, as
      // long as the whole strip (of which a page or the screen may show a part).
      platform::Font rotated = font;
      rotated.escapement = 2700;
      surface.SetFont(rotated);
      const Rect textRect{strip.left, rowTop(span.firstRow) - s.columnMargin, strip.right,
                          rowTop(span.lastRow) - rh};
      surface.SetClip(&strip);
      surface.DrawText(textRect, model.PositionText(position), platform::kAlignLeft | platform::kSingleLine);
      surface.SetClip(nullptr);
      surface.SetFont(font);
    }
    for (int row = from; row <= to; ++row) {
      const int top = rowTop(row);
      Fill(surface, filled, {x, top, cellRight, top - rh}, shade(4, row));
      const auto [price, gain] =
          model.PositionCells(index, CKBXDatum(model.Start().Day() + static_cast<std::uint32_t>(row)));
      if (model.Shows(0) && !price.empty()) {
        surface.DrawText({x + s.columnMargin, top, x + s.columnMargin + p.m.priceWidth, top - rh}, price,
                         right);
      }
      if (model.Shows(1) && !gain.empty()) {
        surface.DrawText(
            {cellRight - s.columnMargin - p.m.gainWidth, top, cellRight - s.columnMargin, top - rh}, gain,
            right);
      }
    }
    if (span.saleRow >= p.firstRow && span.saleRow <= p.lastRow) {
      const int top = rowTop(span.saleRow);
      Fill(surface, filled, {x, top, x + w, top - rh}, StripColour(style));
      const auto [value, gain] = model.SaleCells(index);
      if (model.Shows(0)) {
        surface.DrawText({x + s.columnMargin, top, x + s.columnMargin + p.m.priceWidth, top - rh}, value,
                         right);
      }
      if (model.Shows(1)) {
        surface.DrawText(
            {cellRight - s.columnMargin - p.m.gainWidth, top, cellRight - s.columnMargin, top - rh}, gain,
            right);
      }
    }
  }

  // The three groups.
  const struct {
    const char* name;
    int part;
    DevelopmentColumn first;
  } groups[] = {{"Depot", 1, kDepotValue}, {"Konto", 2, kBalance}, {"Vermögen", 3, kWealth}};
  // The days' values, only when a group is drawn (a printed page may hold none).
  std::vector<DevelopmentDay> days;
  const bool anyGroup = std::any_of(p.columns.x.end() - 3, p.columns.x.end(), [](int x) { return x >= 0; });
  for (int row = p.firstRow; anyGroup && row <= p.lastRow; ++row) {
    days.push_back(model.Day(CKBXDatum(model.Start().Day() + static_cast<std::uint32_t>(row))));
  }
  for (std::size_t g = 0; g < 3; ++g) {
    const std::size_t column = n - 3 + g;
    const int x = p.columns.x[column];
    const int w = p.columns.width[column];
    if (x < 0 || w == 0) continue;
    const auto first = groups[g].first;
    const auto second = static_cast<DevelopmentColumn>(first + 1);
    const auto subRect = [&](DevelopmentColumn c, int top, int height) {
      const int sw = p.m.sub[static_cast<std::size_t>(c)];
      const bool isFirst = c == first && model.ShowsSub(first);
      const int left = isFirst ? x + s.columnMargin : x + w - s.columnMargin - sw;
      return Rect{left, top, left + sw, top - height};
    };
    Fill(surface, filled, {x, p.captionTop, x + w, captionBottom}, ShadesOf(groups[g].part, style).caption);
    for (const DevelopmentColumn c : {first, second}) {
      if (!model.ShowsSub(c)) continue;
      const auto [line1, line2] = model.Caption(c);
      surface.DrawText(subRect(c, p.captionTop, rh), line1, centred);
      surface.DrawText(subRect(c, p.captionTop - rh, rh), line2, centred);
    }
    for (int row = p.firstRow; row <= p.lastRow; ++row) {
      const int top = rowTop(row);
      Fill(surface, filled, {x, top, x + w, top - rh}, shade(groups[g].part, row));
      const DevelopmentDay& day = days[static_cast<std::size_t>(row - p.firstRow)];
      for (const DevelopmentColumn c : {first, second}) {
        if (model.ShowsSub(c))
          surface.DrawText(subRect(c, top, rh), day.texts[static_cast<std::size_t>(c)], right);
      }
    }
  }
}

}  // namespace views::development
