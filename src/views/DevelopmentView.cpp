#include "views/DevelopmentView.h"

#include <algorithm>

#include "model/KBXKursverlauf.h"
#include "views/Table.h"

namespace views {

using platform::Color;
using platform::Rect;
using platform::Rgb;

namespace {

constexpr int kScrollCap = 32768;

Currency ShownCurrency(std::int32_t flag) {
  return flag == 1 ? kDm : kEur;
}
std::string UnitText(Currency c) {
  return c == kDm ? "in DM" : "in EUR";
}
std::string Money(std::int64_t amount) {
  return FormatMoney(amount, kEur, kOwnCurrency, false);
}

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

int GroupWidth(int first, bool showFirst, int second, bool showSecond, const DevelopmentSettings& s) {
  if (!showFirst && !showSecond) return 0;
  int width = (showFirst ? first : 0) + (showSecond ? second : 0);
  if (showFirst && showSecond) width += s.columnSpacing;
  return width + 2 * s.columnMargin;
}

// Keeps the widest of many texts; texts two or more characters shorter than the longest
// seen cannot be wider (digits are of equal width, separators narrower), so only the
// longer ones are measured.
class Widest {
 public:
  explicit Widest(platform::Surface& surface) : m_surface(surface) {}
  void Add(const std::string& text) {
    if (text.empty() || text.size() + 1 < m_longest) return;
    m_longest = std::max(m_longest, text.size());
    m_width = std::max(m_width, m_surface.TextExtent(text).cx);
  }
  int Width() const { return m_width; }

 private:
  platform::Surface& m_surface;
  std::size_t m_longest = 0;
  int m_width = 0;
};

// The columns of the table from left to right: the date, the position columns, then the
// Depot, Konto and Vermögen groups; x = -1 for a column that is not drawn.
struct Columns {
  std::vector<int> x;
  std::vector<int> width;
  std::size_t Positions() const { return x.size() - 4; }
};

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

struct Pass {
  const DevelopmentModel& model;
  const DevelopmentMeasures& m;
  const Columns& columns;
  int captionTop;
  int firstRowTop;
  int firstRow;  // rows counted from the start day
  int lastRow;   // inclusive
};

void Fill(platform::Surface& surface, bool filled, const Rect& r, Color colour) {
  if (filled) {
    surface.FillRect(r, colour, colour);
  } else {
    DrawOutline(surface, r, surface.IsPrinting() ? Rgb(0, 0, 0) : Rgb(192, 192, 192), 0);
  }
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
      // The strip's text runs downwards from its top, tops of the letters to the right.
      platform::Font rotated = font;
      rotated.escapement = 2700;
      surface.SetFont(rotated);
      const Rect textRect{strip.left, rowTop(span.firstRow) - s.columnMargin, strip.right, strip.bottom};
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
  std::vector<DevelopmentDay> days;
  for (int row = p.firstRow; row <= p.lastRow; ++row) {
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

}  // namespace

// ----------------------------------------------------------------------------- model

DevelopmentModel::DevelopmentModel(const CKapibuchDoc& doc, CKBXDatum start, CKBXDatum end)
    : m_doc(doc), m_start(start), m_end(std::max(start, end)) {
  const auto& positions = doc.Positions();
  m_spans.assign(positions.size(), {});
  for (const auto& p : positions) m_histories.push_back(doc.FindHistory(p->name, p->wkn));
  if (!(Shows(0) || Shows(1) || Shows(2))) return;
  const int lastRow = Days() - 1;
  struct ColumnUse {
    bool open = false;
    std::int64_t freeFrom = 0;  // the first row another position may start at
  };
  std::vector<ColumnUse> used;
  for (std::size_t i = 0; i < positions.size(); ++i) {
    const CKBXAktie& p = *positions[i];
    if (p.purchaseDate > m_end) continue;
    if (!(p.IsOpen() || (p.IsSold() && p.saleDate > m_start))) continue;
    PositionSpan& span = m_spans[i];
    span.firstRow = static_cast<int>(std::max<std::int64_t>(
        static_cast<std::int64_t>(p.purchaseDate.Day()) - static_cast<std::int64_t>(m_start.Day()), 0));
    if (p.IsSold()) {
      const std::int64_t saleRow = static_cast<std::int64_t>(p.saleDate.Day()) - m_start.Day();
      span.lastRow = static_cast<int>(std::min<std::int64_t>(saleRow - 1, lastRow));
      span.saleRow = saleRow <= lastRow ? static_cast<int>(saleRow) : -1;
    } else {
      span.lastRow = lastRow;
    }
    std::size_t column = 0;
    if (Settings().columnPerPosition) {
      column = used.size();
      used.emplace_back();
    } else {
      while (column < used.size() && (used[column].open || span.firstRow < used[column].freeFrom)) ++column;
      if (column == used.size()) used.emplace_back();
    }
    used[column].open = p.IsOpen();
    used[column].freeFrom =
        p.IsSold() ? static_cast<std::int64_t>(p.saleDate.Day()) - m_start.Day() + 2 : std::int64_t{1} << 40;
    span.column = static_cast<int>(column);
  }
  m_positionColumns = static_cast<int>(used.size());
}

std::int64_t DevelopmentModel::PortfolioValue(CKBXDatum day) const {
  const std::int64_t euro = m_doc.ValueOn(day, m_start, m_end);
  return ShownCurrency(Settings().valueCurrency) == kDm ? EurToDm(euro) : euro;
}

std::int64_t DevelopmentModel::Balance(CKBXDatum day) const {
  const Currency c = ShownCurrency(Settings().balanceCurrency);
  const CKBXKonto& account = m_doc.Account();
  std::int64_t balance = account.BalanceOn(day, c);
  if (Settings().adjustForCapitalMovements) {
    const CKBXDatum reference = Settings().capitalReference == 1 ? m_end : m_start;
    balance += account.CapitalOn(reference, c) - account.CapitalOn(day, c);
  }
  return balance;
}

std::int64_t DevelopmentModel::Wealth(CKBXDatum day) const {
  const std::int64_t euroValue = m_doc.ValueOn(day, m_start, m_end);
  const std::int64_t balance = Balance(day);
  const bool balanceDm = ShownCurrency(Settings().balanceCurrency) == kDm;
  if (ShownCurrency(Settings().assetsCurrency) == kEur)
    return euroValue + (balanceDm ? DmToEur(balance) : balance);
  return balanceDm ? balance + EurToDm(euroValue) : EurToDm(euroValue + balance);
}

DevelopmentDay DevelopmentModel::Day(CKBXDatum day) const {
  const DevelopmentSettings& s = Settings();
  const int pd = m_doc.settings.general.percentDecimals;
  DevelopmentDay d;
  const std::int64_t value = PortfolioValue(day);
  d.value = value;
  d.texts[kDepotValue] = Money(value);
  const int kind = s.includeCommissions ? CKapibuchDoc::kPurchaseCost : CKapibuchDoc::kPurchaseValue;
  const std::int64_t basis =
      s.portfolioGainBasis == 1 ? PortfolioValue(m_start)
                                : m_doc.InvestedOn(kind, ShownCurrency(s.valueCurrency), day, m_start, m_end);
  d.texts[kDepotGain] =
      s.portfolioGainForm == 1 ? FormatChangePercent(value, basis, pd) : FormatSignedMoney(value - basis);

  const std::int64_t balance = Balance(day);
  d.texts[kBalance] = Money(balance);
  const std::int64_t balanceEur = ShownCurrency(s.balanceCurrency) == kDm ? DmToEur(balance) : balance;
  d.texts[kLiquidity] = FormatSharePercent(balanceEur, m_doc.ValueOn(day, m_start, m_end) + balanceEur, pd);

  const std::int64_t wealth = Wealth(day);
  d.wealth = wealth;
  d.texts[kWealth] = Money(wealth);
  std::int64_t wealthBasis = 0;
  switch (s.assetsGainBasis) {
    case 1:
      wealthBasis = Wealth(m_start);
      break;
    case 2: {
      // The previous day; for the first row the day before the start, not before the account's start.
      CKBXDatum previous(day.Day() == 0 ? 0u : day.Day() - 1);
      if (previous < m_doc.Account().StartDay()) previous = m_doc.Account().StartDay();
      wealthBasis = Wealth(previous);
      break;
    }
    default:
      wealthBasis = m_doc.Account().CapitalOn(day, ShownCurrency(s.assetsCurrency));
      break;
  }
  d.texts[kWealthGain] = s.assetsGainForm == 1 ? FormatChangePercent(wealth, wealthBasis, pd)
                                               : FormatSignedMoney(wealth - wealthBasis);
  return d;
}

std::int64_t DevelopmentModel::PurchaseBasis(const CKBXAktie& p) const {
  if (Settings().includeCommissions) return p.AveragePurchaseCost(kEur);
  return p.purchasePriceCurrency == kDm ? DmToEur(p.purchasePrice) : p.purchasePrice;
}

std::pair<std::string, std::string> DevelopmentModel::PositionCells(std::size_t index, CKBXDatum day) const {
  const CKBXKursverlauf* history = m_histories[index];
  const std::int32_t price = history ? history->PriceOn(day) : kNoPrice;
  if (price == kNoPrice) return {};
  return {Money(price), FormatChangePercent(price, PurchaseBasis(*m_doc.Positions()[index]),
                                            m_doc.settings.general.percentDecimals)};
}

std::pair<std::string, std::string> DevelopmentModel::SaleCells(std::size_t index) const {
  const CKBXAktie& p = *m_doc.Positions()[index];
  const std::int64_t value = Settings().includeCommissions
                                 ? p.AverageSaleProceeds(kEur)
                                 : (p.salePriceCurrency == kDm ? DmToEur(p.salePrice) : p.salePrice);
  return {Money(value), FormatChangePercent(value, PurchaseBasis(p), m_doc.settings.general.percentDecimals)};
}

std::string DevelopmentModel::PositionText(const CKBXAktie& p) const {
  const auto price = [](std::int64_t amount, Currency own, int target, bool unit) {
    return FormatMoney(amount, own, target, unit);
  };
  const Currency buy = p.purchasePriceCurrency == kDm ? kDm : kEur;
  const Currency sell = p.salePriceCurrency == kDm ? kDm : kEur;
  const bool sold = p.IsSold();
  const auto perShare = [&](const SplitAmount& sum, Currency own, int target, bool unit) {
    const bool dm = target == kOwnCurrency ? own == kDm : target == kDm;
    return FormatPerShare(sum, p.Quantity(), dm, unit);
  };
  std::vector<std::pair<std::string, std::string>> values = {
      {"<BEZ>", p.name},
      {"<WKN>", p.wkn},
      {"<STUECK>", FormatQuantity(p.quantityInteger, p.quantityFraction, -1)},
      {"<KAUFDATUM>", p.purchaseDate.Format()},
      {"<KAUFKURS_W>", price(p.purchasePrice, buy, kOwnCurrency, true)},
      {"<KAUFKURS_DM>", price(p.purchasePrice, buy, kDm, false)},
      {"<KAUFKURS_EUR>", price(p.purchasePrice, buy, kEur, false)},
      {"<KAUFKURS>", price(p.purchasePrice, buy, kOwnCurrency, false)},
      {"<KAUFPREIS_W>", perShare(p.Cost(), buy, kOwnCurrency, true)},
      {"<KAUFPREIS_DM>", perShare(p.Cost(), buy, kDm, false)},
      {"<KAUFPREIS_EUR>", perShare(p.Cost(), buy, kEur, false)},
      {"<KAUFPREIS>", perShare(p.Cost(), buy, kOwnCurrency, false)},
      {"<VERKAUFDATUM>", sold ? p.saleDate.Format() : ""},
      {"<VERKAUFKURS_W>", sold ? price(p.salePrice, sell, kOwnCurrency, true) : ""},
      {"<VERKAUFKURS_DM>", sold ? price(p.salePrice, sell, kDm, false) : ""},
      {"<VERKAUFKURS_EUR>", sold ? price(p.salePrice, sell, kEur, false) : ""},
      {"<VERKAUFKURS>", sold ? price(p.salePrice, sell, kOwnCurrency, false) : ""},
      {"<VERKAUFPREIS_W>", sold ? perShare(p.Proceeds(), sell, kOwnCurrency, true) : ""},
      {"<VERKAUFPREIS_DM>", sold ? perShare(p.Proceeds(), sell, kDm, false) : ""},
      {"<VERKAUFPREIS_EUR>", sold ? perShare(p.Proceeds(), sell, kEur, false) : ""},
      {"<VERKAUFPREIS>", sold ? perShare(p.Proceeds(), sell, kOwnCurrency, false) : ""},
  };
  return ReplacePlaceholders(Settings().positionLabel, values);
}

std::pair<std::string, std::string> DevelopmentModel::Caption(DevelopmentColumn column) const {
  const DevelopmentSettings& s = Settings();
  switch (column) {
    case kDepotValue:
      return {"Depotwert", UnitText(ShownCurrency(s.valueCurrency))};
    case kDepotGain:
      return {"G/V", s.portfolioGainForm == 1 ? "in %" : UnitText(ShownCurrency(s.valueCurrency))};
    case kBalance:
      return {"Kontostand", UnitText(ShownCurrency(s.balanceCurrency))};
    case kLiquidity:
      return {"Liq.", "Quote"};
    case kWealth:
      return {"Vermögen", UnitText(ShownCurrency(s.assetsCurrency))};
    case kWealthGain:
      return {"G/V", s.assetsGainForm == 1 ? "in %" : UnitText(ShownCurrency(s.assetsCurrency))};
  }
  return {};
}

// -------------------------------------------------------------------------- measuring

DevelopmentMeasures MeasureDevelopmentColumns(platform::Surface& surface, const DevelopmentModel& model) {
  const DevelopmentSettings& s = model.Settings();
  DevelopmentMeasures m;
  surface.SetFont({s.fontName, s.rowHeight, 400, 0});
  Widest date(surface);
  std::array<Widest, 6> sub = {Widest(surface), Widest(surface), Widest(surface),
                               Widest(surface), Widest(surface), Widest(surface)};
  static constexpr int kGroupBits[] = {3, 4, 5, 6, 7, 8};
  const bool anyGroup =
      std::any_of(std::begin(kGroupBits), std::end(kGroupBits), [&](int bit) { return model.Shows(bit); });
  for (int row = 0; row < model.Days(); ++row) {
    const CKBXDatum day(model.Start().Day() + static_cast<std::uint32_t>(row));
    date.Add(day.Format());
    if (!anyGroup) continue;
    const DevelopmentDay values = model.Day(day);
    for (std::size_t c = 0; c < 6; ++c) {
      if (model.ShowsSub(static_cast<DevelopmentColumn>(c))) sub[c].Add(values.texts[c]);
    }
  }
  m.dateWidth = date.Width();
  for (std::size_t c = 0; c < 6; ++c) {
    const auto column = static_cast<DevelopmentColumn>(c);
    if (!model.ShowsSub(column)) continue;
    const auto [line1, line2] = model.Caption(column);
    m.sub[c] = std::max({sub[c].Width(), surface.TextExtent(line1).cx, surface.TextExtent(line2).cx});
  }

  // Per position, the widest price and gain texts belong to its highest and lowest price in
  // the rows it shows (digits are of equal width; the gain grows with the price).
  Widest price(surface), gain(surface);
  const auto& positions = model.Doc().Positions();
  const int pd = model.Doc().settings.general.percentDecimals;
  for (std::size_t i = 0; i < positions.size(); ++i) {
    const PositionSpan& span = model.Spans()[i];
    if (span.column < 0) continue;
    const CKBXKursverlauf* history = model.m_histories[i];
    if (history && span.firstRow <= span.lastRow) {
      const auto& points = history->Points();
      const CKBXDatum from(model.Start().Day() + static_cast<std::uint32_t>(span.firstRow));
      const CKBXDatum to(model.Start().Day() + static_cast<std::uint32_t>(span.lastRow));
      std::int32_t low = 0, high = 0;
      bool any = false;
      for (std::size_t k = history->Find(from).index; k < points.size() && points[k].Date() <= to; ++k) {
        const std::int32_t value = points[k].Price();
        low = any ? std::min(low, value) : value;
        high = any ? std::max(high, value) : value;
        any = true;
      }
      if (any) {
        const std::int64_t basis = model.PurchaseBasis(*positions[i]);
        for (const std::int32_t value : {low, high}) {
          price.Add(Money(value));
          gain.Add(FormatChangePercent(value, basis, pd));
        }
      }
    }
    if (span.saleRow >= 0) {
      const auto [p, g] = model.SaleCells(i);
      price.Add(p);
      gain.Add(g);
    }
  }
  m.priceWidth = price.Width();
  m.gainWidth = gain.Width();
  m.positionsWidth = GroupWidth(m.priceWidth, model.Shows(0), m.gainWidth, model.Shows(1), s);
  m.depotWidth = GroupWidth(m.sub[kDepotValue], model.Shows(3), m.sub[kDepotGain], model.Shows(4), s);
  m.kontoWidth = GroupWidth(m.sub[kBalance], model.Shows(5), m.sub[kLiquidity], model.Shows(6), s);
  m.wealthWidth = GroupWidth(m.sub[kWealth], model.Shows(7), m.sub[kWealthGain], model.Shows(8), s);
  m.positionColumns = model.PositionColumns();
  for (const PositionSpan& span : model.Spans()) m.columnOf.push_back(span.column);
  return m;
}

platform::Size DevelopmentScrollSize(const DevelopmentModel& model, const DevelopmentMeasures& m) {
  const DevelopmentSettings& s = model.Settings();
  const Columns columns = ColumnWidths(model, m);
  std::int64_t width = m.dateWidth + 2 * s.columnMargin + 2 * s.fieldSpacing;
  for (std::size_t i = 1; i < columns.width.size(); ++i) {
    if (columns.width[i] > 0) width += columns.width[i] + s.fieldSpacing;
  }
  const std::int64_t height =
      3 * s.fieldSpacing + (static_cast<std::int64_t>(model.Days()) + 2) * s.rowHeight;
  return {static_cast<int>(std::min<std::int64_t>(width, kScrollCap)),
          static_cast<int>(std::min<std::int64_t>(height, kScrollCap))};
}

void DrawDevelopmentView(platform::Surface& surface, const DevelopmentModel& model,
                         const DevelopmentMeasures& m, const Rect& visible) {
  const DevelopmentSettings& s = model.Settings();
  Columns columns = ColumnWidths(model, m);
  int x = s.fieldSpacing;
  for (std::size_t i = 0; i < columns.x.size(); ++i) {
    if (columns.width[i] == 0 && i > 0) continue;
    columns.x[i] = x;
    x += columns.width[i] + s.fieldSpacing;
  }
  const int rh = std::max(1, s.rowHeight);
  const int firstRowTop = -2 * s.fieldSpacing - 2 * rh;
  // Only the rows that meet the visible rectangle.
  const int first = std::max(0, (firstRowTop - visible.top) / rh);
  const int last = std::min(model.Days() - 1, (firstRowTop - visible.bottom) / rh);
  Pass pass{model, m, columns, -s.fieldSpacing, firstRowTop - first * rh, first, last};
  DrawPass(surface, pass);
}

// --------------------------------------------------------------------------- printing

int DevelopmentPrintJob::Begin(platform::Surface& printer) {
  const DevelopmentSettings& s = m_model.Settings();
  m_measures = MeasureDevelopmentColumns(printer, m_model);
  Layout& l = m_layout;
  l = Layout{};
  l.printable = PrintableRect(printer.Page(), s.margins);
  const int rh = std::max(1, s.rowHeight);
  l.rowsPerPage = std::max(1, (l.printable.top - l.printable.bottom - 2 * rh - s.fieldSpacing) / rh);
  l.pageRows = (m_model.Days() + l.rowsPerPage - 1) / l.rowsPerPage;
  const Columns columns = ColumnWidths(m_model, m_measures);
  l.pageColumn.assign(columns.width.size(), -1);
  l.x.assign(columns.width.size(), -1);
  int x = l.printable.left;
  int page = 0;
  bool used = false;
  for (std::size_t i = 0; i < columns.width.size(); ++i) {
    const int w = columns.width[i];
    if (w == 0 && i > 0) continue;
    if (x + w > l.printable.right && used) {
      ++page;
      x = l.printable.left;
    }
    l.pageColumn[i] = page;
    l.x[i] = x;
    used = true;
    x += w + s.fieldSpacing;
  }
  l.pageColumns = page + 1;
  return l.pageRows * l.pageColumns;
}

void DevelopmentPrintJob::DrawPage(platform::Surface& printer, int page) {
  const DevelopmentSettings& s = m_model.Settings();
  const int index = std::max(page, 1) - 1;
  const int pageRow = index / m_layout.pageColumns;
  const int pageColumn = index % m_layout.pageColumns;
  Columns columns = ColumnWidths(m_model, m_measures);
  for (std::size_t i = 0; i < columns.x.size(); ++i) {
    columns.x[i] = m_layout.pageColumn[i] == pageColumn ? m_layout.x[i] : -1;
  }
  const int first = pageRow * m_layout.rowsPerPage;
  const int last = std::min(m_model.Days() - 1, first + m_layout.rowsPerPage - 1);
  const int captionTop = m_layout.printable.top;
  Pass pass{m_model, m_measures, columns, captionTop, captionTop - 2 * s.rowHeight - s.fieldSpacing,
            first,   last};
  DrawPass(printer, pass);
}

}  // namespace views
