#include "views/ReturnsModel.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <utility>

#include "model/PriceCursor.h"
#include "views/Table.h"

namespace views {

namespace {

using Kind = ReturnsRowKind;

// A last price day after every day.
constexpr std::uint32_t kEveryPrice = UINT32_MAX;

Currency CurrencyOf(Currency flag) {
  return flag == kDm ? kDm : kEur;
}

// What a trade moved, in EUR: its value (quantity x price) and its commission converted
// together, as the account books them; a buy's cost is positive, a sale's proceeds too.
// Before the account's start day a trade changed the start capital instead, in the parts
// of its currencies: each part converted once.
std::int64_t TradeAmount(const CKBXKonto& account, CKBXDatum day, std::int64_t value, Currency valueCurrency,
                         std::int64_t commission, Currency commissionCurrency, bool buy) {
  if (day < account.StartDay()) {
    SplitAmount parts;
    parts.Add(value, valueCurrency).Add(buy ? commission : -commission, commissionCurrency);
    return parts.ValueIn(kEur);
  }
  const CKBXKonto::SecurityBooking booking =
      account.PlanSecurityTransaction(day, value, valueCurrency, commission, commissionCurrency, buy);
  return buy ? -booking.stored.eur : booking.stored.eur;
}

// The parts of one trade: the positions a purchase was divided into by later sales, or the
// positions one sale was taken from. They share the day, the price, the currencies and the
// note; the quantities and commissions add up to the trade's.
using TradeKey = std::tuple<std::uint32_t, std::int32_t, Currency, Currency, std::string>;
struct TradeSum {
  std::int64_t quantity = 0;
  std::int64_t commission = 0;
};
using Trades = std::map<TradeKey, TradeSum>;

void AddPart(Trades& trades, CKBXDatum day, std::int32_t price, Currency priceCurrency,
             std::int32_t commission, Currency commissionCurrency, const std::string& note,
             std::int64_t quantity) {
  TradeSum& sum = trades[{day.Day(), price, CurrencyOf(priceCurrency), CurrencyOf(commissionCurrency), note}];
  sum.quantity += quantity;
  sum.commission += commission;
}

bool Within(CKBXDatum day, CKBXDatum start, CKBXDatum end) {
  return day >= start && day <= end;
}

struct Security {
  std::string name;
  std::string wkn;
  std::vector<const CKBXAktie*> positions;
};

// The securities with a position held on a day of [S-1, E] or bought or sold in [S, E], in
// the order of their first position.
std::vector<Security> SecuritiesOf(const CKapibuchDoc& doc, CKBXDatum start, CKBXDatum end) {
  std::vector<Security> securities;
  std::map<std::pair<std::string, std::string>, std::size_t> index;
  for (const auto& position : doc.Positions()) {
    const CKBXAktie& p = *position;
    if (!(p.IsOpen() || p.IsSold()) || p.purchaseDate > end) continue;
    if (p.IsSold() && p.saleDate < start) continue;
    const auto [it, added] = index.try_emplace({p.name, p.wkn}, securities.size());
    if (added) securities.push_back({p.name, p.wkn, {}});
    securities[it->second].positions.push_back(&p);
  }
  return securities;
}

// Adds a security's daily values and its purchases and sales to its own series (when
// given) and to the whole portfolio's; purchases and sales before the account's start day
// also to the wealth's money.
void AddSecurity(const CKapibuchDoc& doc, const Security& security, CKBXDatum start, CKBXDatum end,
                 std::uint32_t lastPriceDay, ReturnSeries* own, PortfolioReturns& whole) {
  // The days the security may have a value or money: from the later of S and its first
  // purchase to the earlier of E and its last sale.
  CKBXDatum first = end;
  CKBXDatum last = start;
  for (const CKBXAktie* p : security.positions) {
    first = std::min(first, std::max(start, p->purchaseDate));
    last = std::max(last, p->IsOpen() ? end : std::min(end, p->saleDate));
  }
  last = std::max(last, first);
  if (own) *own = ReturnSeries(first, last);

  // The price of each day from the day before `first`, or none; none dated after the last
  // price day.
  const std::uint32_t from = first.Day() - 1;
  std::vector<std::int32_t> prices(last.Day() - from + 1);
  PriceCursor cursor(doc.FindHistory(security.name, security.wkn));
  for (std::size_t i = 0; i < prices.size(); ++i)
    prices[i] = cursor.PriceOnOrBefore(std::min(from + static_cast<std::uint32_t>(i), lastPriceDay));

  const CKBXDatum accountStart = doc.Account().StartDay();
  Trades purchases, sales;
  for (const CKBXAktie* p : security.positions) {
    const std::int64_t quantity = p->Quantity();
    const std::int64_t fallback = ConvertAmount(p->purchasePrice, CurrencyOf(p->purchasePriceCurrency), kEur);
    const std::uint32_t heldFrom = std::max(p->purchaseDate.Day(), from);
    // Held up to the day before the sale (a sale on the purchase day: never held).
    const std::uint32_t heldEnd = p->IsSold() ? std::min(last.Day() + 1, p->saleDate.Day()) : last.Day() + 1;
    for (std::uint32_t d = heldFrom; d < heldEnd; ++d) {
      const std::int32_t quoted = prices[d - from];
      const std::int64_t value = ShareValue(quantity, quoted == kNoPrice ? fallback : quoted);
      if (own) own->AddValue(d, value);
      whole.securities.AddValue(d, value);
    }
    if (Within(p->purchaseDate, start, end))
      AddPart(purchases, p->purchaseDate, p->purchasePrice, p->purchasePriceCurrency, p->purchaseCommission,
              p->purchaseCommissionCurrency, p->purchaseNote, quantity);
    if (p->IsSold() && Within(p->saleDate, start, end))
      AddPart(sales, p->saleDate, p->salePrice, p->salePriceCurrency, p->saleCommission,
              p->saleCommissionCurrency, p->saleNote, quantity);
  }

  const CKBXKonto& account = doc.Account();
  for (const bool buy : {true, false}) {
    for (const auto& [key, sum] : buy ? purchases : sales) {
      const auto& [day, price, priceCurrency, commissionCurrency, note] = key;
      const std::int64_t amount = TradeAmount(account, CKBXDatum(day), ShareValue(sum.quantity, price),
                                              priceCurrency, sum.commission, commissionCurrency, buy);
      if (buy) {
        if (own) own->AddIn(day, amount);
        whole.securities.AddIn(day, amount);
        if (CKBXDatum(day) < accountStart) whole.wealth.AddIn(day, amount);
      } else {
        if (own) own->AddOut(day, amount);
        whole.securities.AddOut(day, amount);
        if (CKBXDatum(day) < accountStart) whole.wealth.AddOut(day, amount);
      }
    }
  }
}

// The wealth's values from the securities' values and the balance, and the capital moved.
void AddAccount(const CKapibuchDoc& doc, CKBXDatum start, CKBXDatum end, PortfolioReturns& whole) {
  const CKBXKonto& account = doc.Account();
  for (std::uint32_t d = start.Day() - 1; d <= end.Day(); ++d) {
    const CKBXDatum day(d);
    whole.wealth.AddValue(d, whole.securities.ValueAtEndOf(day) + account.BalanceOn(day, kEur));
  }
  for (const auto& t : account.Transactions()) {
    // A booking counts in the balance from the start day on.
    const CKBXDatum day = std::max(t->date, account.StartDay());
    if (!Within(day, start, end)) continue;
    if (t->kind == CKBXKontoTransaktion::kKapitaleinlage) whole.wealth.AddIn(day.Day(), t->amountEur);
    if (t->kind == CKBXKontoTransaktion::kKapitalentnahme) whole.wealth.AddOut(day.Day(), -t->amountEur);
  }
}

bool IsIncome(std::int32_t kind) {
  using T = CKBXKontoTransaktion;
  return kind == T::kDividende || kind == T::kCoupon || kind == T::kBezugsrechtsverkauf ||
         kind == T::kAusschuettung || kind == T::kHabenZins || kind == T::kSonstigeErtraege;
}

std::pair<CKBXDatum, CKBXDatum> Normalised(CKBXDatum start, CKBXDatum end) {
  start = std::max(start, CKBXDatum(1u));
  return {start, std::max(start, end)};
}

PortfolioReturns Build(const CKapibuchDoc& doc, CKBXDatum start, CKBXDatum end, std::uint32_t lastPriceDay,
                       std::vector<ReturnsRow>* rows) {
  PortfolioReturns whole{ReturnSeries(start, end), ReturnSeries(start, end)};
  for (const Security& security : SecuritiesOf(doc, start, end)) {
    if (!rows) {
      AddSecurity(doc, security, start, end, lastPriceDay, nullptr, whole);
      continue;
    }
    ReturnSeries own;
    AddSecurity(doc, security, start, end, lastPriceDay, &own, whole);
    ReturnsRow row = ReturnFigures(own, start, end, Kind::Security);
    row.name = security.name;
    row.wkn = security.wkn;
    rows->push_back(std::move(row));
  }
  AddAccount(doc, start, end, whole);
  return whole;
}

}  // namespace

ReturnsRow ReturnFigures(const ReturnSeries& series, CKBXDatum start, CKBXDatum end, ReturnsRowKind kind) {
  ReturnsRow row;
  row.kind = kind;
  row.startValue = series.ValueAtEndOf(CKBXDatum(start.Day() - 1));
  row.endValue = series.ValueAtEndOf(end);
  const std::int64_t in = series.MoneyIn(start, end);
  const std::int64_t out = series.MoneyOut(start, end);
  if (kind == Kind::Wealth) {
    row.deposits = in;
    row.withdrawals = out;
  } else {
    row.purchases = in;
    row.sales = out;
  }
  row.timeWeighted = series.TimeWeighted(start, end);
  const std::optional<double> perYear =
      row.timeWeighted ? PerYear(*row.timeWeighted, start, end) : std::optional<double>{};
  if (end.Day() - start.Day() >= kPerYearMinimumSpan) row.timeWeightedPerYear = perYear;
  row.internalRate = series.InternalRate(start, end, perYear.value_or(0));
  return row;
}

PortfolioReturns BuildPortfolioReturns(const CKapibuchDoc& doc, CKBXDatum start, CKBXDatum end,
                                       std::optional<CKBXDatum> lastPriceDay) {
  const auto [s, e] = Normalised(start, end);
  return Build(doc, s, e, lastPriceDay ? lastPriceDay->Day() : kEveryPrice, nullptr);
}

std::vector<ReturnsRow> BuildReturnsRows(const CKapibuchDoc& doc, CKBXDatum start, CKBXDatum end) {
  const auto [s, e] = Normalised(start, end);
  std::vector<ReturnsRow> rows;
  const PortfolioReturns whole = Build(doc, s, e, kEveryPrice, &rows);
  std::stable_sort(rows.begin(), rows.end(), [](const ReturnsRow& a, const ReturnsRow& b) {
    const int byName = CompareTexts(a.name, b.name);
    return byName != 0 ? byName < 0 : CompareTexts(a.wkn, b.wkn) < 0;
  });

  ReturnsRow securities = ReturnFigures(whole.securities, s, e, Kind::Securities);
  securities.name = "Wertpapiere gesamt";
  rows.push_back(std::move(securities));

  ReturnsRow wealth = ReturnFigures(whole.wealth, s, e, Kind::Wealth);
  wealth.name = "Vermögen";
  for (const auto& t : doc.Account().Transactions()) {
    if (IsIncome(t->kind) && Within(std::max(t->date, doc.Account().StartDay()), s, e))
      wealth.income += t->amountEur;
  }
  rows.push_back(std::move(wealth));
  return rows;
}

}  // namespace views
