#include "views/DevelopmentModel.h"

#include <algorithm>

#include "model/KBXKursverlauf.h"
#include "views/DevelopmentSupport.h"
#include "views/Table.h"

namespace views {

using namespace development;

DevelopmentModel::DevelopmentModel(const CKapibuchDoc& doc, CKBXDatum start, CKBXDatum end)
    : m_doc(doc), m_start(start), m_end(std::max(start, end)) {
  const auto& positions = doc.Positions();
  m_spans.assign(positions.size(), {});
  for (const auto& p : positions) {
    m_histories.push_back(doc.FindHistory(p->name, p->wkn));
    m_basis.push_back(PurchaseBasis(*p));
  }
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

DevelopmentFigures DevelopmentModel::Figures(CKBXDatum day) const {
  const DevelopmentSettings& s = Settings();
  DevelopmentFigures f;
  f.value = PortfolioValue(day);
  const InvestedKind kind = s.includeCommissions ? InvestedKind::PurchaseCost : InvestedKind::PurchaseValue;
  f.valueBasis = s.portfolioGainBasis == 1
                     ? PortfolioValue(m_start)
                     : m_doc.InvestedOn(kind, ShownCurrency(s.valueCurrency), day, m_start, m_end);
  f.balance = Balance(day);
  f.balanceEur = ShownCurrency(s.balanceCurrency) == kDm ? DmToEur(f.balance) : f.balance;
  f.assetsEur = m_doc.ValueOn(day, m_start, m_end) + f.balanceEur;
  f.wealth = Wealth(day);
  switch (s.assetsGainBasis) {
    case 1:
      f.wealthBasis = Wealth(m_start);
      break;
    case 2: {
      // The previous day; for the first row the day before the start, not before the account's start.
      CKBXDatum previous(day.Day() == 0 ? 0u : day.Day() - 1);
      if (previous < m_doc.Account().StartDay()) previous = m_doc.Account().StartDay();
      f.wealthBasis = Wealth(previous);
      break;
    }
    default:
      f.wealthBasis = m_doc.Account().CapitalOn(day, ShownCurrency(s.assetsCurrency));
      break;
  }
  return f;
}

std::string DevelopmentModel::Text(DevelopmentColumn column, const DevelopmentFigures& f) const {
  const DevelopmentSettings& s = Settings();
  const int pd = m_doc.settings.general.percentDecimals;
  switch (column) {
    case kDepotValue:
      return Money(f.value);
    case kDepotGain:
      return s.portfolioGainForm == 1 ? FormatChangePercent(f.value, f.valueBasis, pd)
                                      : FormatSignedMoney(f.value - f.valueBasis);
    case kBalance:
      return Money(f.balance);
    case kLiquidity:
      return FormatSharePercent(f.balanceEur, f.assetsEur, pd);
    case kWealth:
      return Money(f.wealth);
    case kWealthGain:
      return s.assetsGainForm == 1 ? FormatChangePercent(f.wealth, f.wealthBasis, pd)
                                   : FormatSignedMoney(f.wealth - f.wealthBasis);
  }
  return {};
}

std::optional<DevelopmentKey> DevelopmentModel::Key(DevelopmentColumn column,
                                                    const DevelopmentFigures& f) const {
  const DevelopmentSettings& s = Settings();
  // A rate against a zero basis shows nothing (0 against 0 shows zero).
  const auto rate = [](std::int64_t a, std::int64_t b, double percent) -> std::optional<DevelopmentKey> {
    if (b == 0 && a != 0) return std::nullopt;
    return DevelopmentKey{percent, 0};
  };
  switch (column) {
    case kDepotValue:
      return DevelopmentKey{0.0, f.value};
    case kDepotGain:
      if (s.portfolioGainForm == 1) return rate(f.value, f.valueBasis, ChangePercent(f.value, f.valueBasis));
      return DevelopmentKey{0.0, f.value - f.valueBasis};
    case kBalance:
      return DevelopmentKey{0.0, f.balance};
    case kLiquidity:
      return rate(f.balanceEur, f.assetsEur, SharePercent(f.balanceEur, f.assetsEur));
    case kWealth:
      return DevelopmentKey{0.0, f.wealth};
    case kWealthGain:
      if (s.assetsGainForm == 1) return rate(f.wealth, f.wealthBasis, ChangePercent(f.wealth, f.wealthBasis));
      return DevelopmentKey{0.0, f.wealth - f.wealthBasis};
  }
  return std::nullopt;
}

DevelopmentDay DevelopmentModel::Day(CKBXDatum day) const {
  const DevelopmentFigures f = Figures(day);
  DevelopmentDay d;
  d.value = f.value;
  d.wealth = f.wealth;
  for (std::size_t c = 0; c < d.texts.size(); ++c) d.texts[c] = Text(static_cast<DevelopmentColumn>(c), f);
  return d;
}

std::int64_t DevelopmentModel::PurchaseBasis(const CKBXAktie& p) const {
  if (Settings().includeCommissions) return p.AveragePurchaseCost(kEur);
  return p.purchasePriceCurrency == kDm ? DmToEur(p.purchasePrice) : p.purchasePrice;
}

std::pair<std::string, std::string> DevelopmentModel::PositionCells(std::size_t index, CKBXDatum day) const {
  const CKBXKursverlauf* history = m_histories[index];
  return PriceCells(index, history ? history->PriceOn(day) : kNoPrice);
}

std::pair<std::string, std::string> DevelopmentModel::PriceCells(std::size_t index,
                                                                 std::int32_t price) const {
  if (price == kNoPrice) return {};
  return {Money(price), FormatChangePercent(price, m_basis[index], m_doc.settings.general.percentDecimals)};
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

}  // namespace views
