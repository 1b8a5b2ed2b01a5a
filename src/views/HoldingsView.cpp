#include <algorithm>

#include "views/HoldingsRow.h"
#include "views/TableViews.h"

namespace views {

namespace {

Currency CurrencyOf(const TableSettings& s, std::size_t column) {
  return ColumnCurrency(s, column);
}
std::string Unit(const TableSettings& s, std::size_t column) {
  return ColumnUnit(s, column);
}
std::string Money(std::int64_t amount) {
  return MoneyCell(amount);
}

std::string QuantityText(std::int64_t quantity, int decimals) {
  return FormatQuantity(static_cast<std::int32_t>(quantity / kQuantityUnit),
                        static_cast<std::int32_t>(quantity % kQuantityUnit), decimals);
}

}  // namespace

void ComputeHoldingsValues(HoldingsRow& row, const TableSettings& s) {
  row.commission = row.cost - row.purchaseValue;
  row.shownPurchaseValue = row.purchaseValue.ValueIn(CurrencyOf(s, 0));
  row.shownCommission = row.commission.ValueIn(CurrencyOf(s, 1));
  row.shownCost = row.cost.ValueIn(CurrencyOf(s, 2));
  row.shownValue = CurrencyOf(s, 3) == kDm ? EurToDm(row.value) : row.value;
  const SplitAmount& basis = s.includeCommissions ? row.cost : row.purchaseValue;
  if (CurrencyOf(s, 4) == kDm) {
    row.shownGain = EurToDm(row.value) - basis.dm - EurToDm(basis.eur);
  } else {
    row.shownGain = row.value - basis.eur - DmToEur(basis.dm);
  }
  row.shownIncome = row.income.ValueIn(CurrencyOf(s, 5));
  if (CurrencyOf(s, 6) == kDm) {
    row.shownGainWithIncome =
        row.income.dm + EurToDm(row.value) + EurToDm(row.income.eur) - basis.dm - EurToDm(basis.eur);
  } else {
    row.shownGainWithIncome =
        row.value + DmToEur(row.income.dm) + row.income.eur - basis.eur - DmToEur(basis.dm);
  }
  const std::int64_t basisEur = DmToEur(basis.dm) + basis.eur;
  const std::int64_t incomeEur = DmToEur(row.income.dm) + row.income.eur;
  row.gainPercent = basisEur == 0 ? 0 : ChangePercent(row.value, basisEur);
  row.incomePercent = basisEur == 0 ? 0 : SharePercent(incomeEur, basisEur);
  row.gainWithIncomePercent = basisEur == 0 ? 0 : ChangePercent(row.value + incomeEur, basisEur);
}

void CollectHoldingsRows(CKBXDatum day, std::vector<HoldingsRow>& rows, const CKapibuchDoc& doc, bool merge) {
  const TableSettings& s = doc.settings.holdings;
  rows.clear();
  HoldingsRow sums;
  sums.name = "Summe";
  for (const auto& position : doc.Positions()) {
    const CKBXAktie& p = *position;
    if (!p.IsHeldOn(day)) continue;
    HoldingsRow* row = nullptr;
    if (merge) {
      const auto it = std::find_if(rows.begin(), rows.end(),
                                   [&](const HoldingsRow& r) { return r.name == p.name && r.wkn == p.wkn; });
      if (it != rows.end()) row = &*it;
    }
    if (!row) {
      rows.emplace_back();
      row = &rows.back();
      row->name = p.name;
      row->wkn = p.wkn;
    }
    const Currency priceCurrency = p.purchasePriceCurrency == kDm ? kDm : kEur;
    for (HoldingsRow* target : {row, &sums}) {
      target->positionCount += 1;
      target->quantity += p.Quantity();
      target->purchaseValue.Add(ShareValue(p.Quantity(), p.purchasePrice), priceCurrency);
      target->cost += p.Cost();
      target->income += p.Dividends();
    }
    row->purchaseDate = p.purchaseDate;
    row->fallbackPrice = priceCurrency == kDm ? DmToEur(p.purchasePrice) : p.purchasePrice;
  }
  for (HoldingsRow& row : rows) {
    const std::int32_t quoted = doc.PriceOnOrBefore(row.name, row.wkn, day);
    row.price = quoted == kNoPrice ? row.fallbackPrice : quoted;
    row.value = ShareValue(row.quantity, row.price);
    sums.value += row.value;
    row.averagePurchasePrice = PerShareValue(row.purchaseValue.ValueIn(kEur), row.quantity);
    ComputeHoldingsValues(row, s);
  }
  sums.purchaseDate = day;
  ComputeHoldingsValues(sums, s);
  rows.push_back(std::move(sums));
}

void BuildHoldingsRows(CKBXDatum day, std::vector<HoldingsRow>& rows, const CKapibuchDoc& doc, bool merge) {
  const TableSettings& s = doc.settings.holdings;
  CollectHoldingsRows(day, rows, doc, merge);

  using Row = HoldingsRow;
  std::function<int(const Row&, const Row&)> compare;
  switch (static_cast<HoldingsSort>(s.sortKey)) {
    case HoldingsSort::Name:
      compare = [](const Row& a, const Row& b) { return CompareTexts(a.name, b.name); };
      break;
    case HoldingsSort::Wkn:
      compare = [](const Row& a, const Row& b) { return CompareTexts(a.wkn, b.wkn); };
      break;
    case HoldingsSort::Quantity:
      compare = [](const Row& a, const Row& b) { return Compare3(a.quantity, b.quantity); };
      break;
    case HoldingsSort::PurchaseDate:
      compare = [](const Row& a, const Row& b) { return Compare3(a.purchaseDate, b.purchaseDate); };
      break;
    case HoldingsSort::PurchaseValue:
      compare = [](const Row& a, const Row& b) {
        return Compare3(a.shownPurchaseValue, b.shownPurchaseValue);
      };
      break;
    case HoldingsSort::Commission:
      compare = [](const Row& a, const Row& b) { return Compare3(a.shownCommission, b.shownCommission); };
      break;
    case HoldingsSort::Cost:
      compare = [](const Row& a, const Row& b) { return Compare3(a.shownCost, b.shownCost); };
      break;
    case HoldingsSort::Value:
      compare = [](const Row& a, const Row& b) { return Compare3(a.shownValue, b.shownValue); };
      break;
    case HoldingsSort::Gain:
      compare = [](const Row& a, const Row& b) { return Compare3(a.shownGain, b.shownGain); };
      break;
    case HoldingsSort::GainPercent:
      compare = [](const Row& a, const Row& b) { return Compare3(a.gainPercent, b.gainPercent); };
      break;
    case HoldingsSort::Dividend:
      compare = [](const Row& a, const Row& b) { return Compare3(a.shownIncome, b.shownIncome); };
      break;
    case HoldingsSort::DividendPercent:
      compare = [](const Row& a, const Row& b) { return Compare3(a.incomePercent, b.incomePercent); };
      break;
    case HoldingsSort::GainWithDividend:
      compare = [](const Row& a, const Row& b) {
        return Compare3(a.shownGainWithIncome, b.shownGainWithIncome);
      };
      break;
    case HoldingsSort::GainWithDividendPercent:
      compare = [](const Row& a, const Row& b) {
        return Compare3(a.gainWithIncomePercent, b.gainWithIncomePercent);
      };
      break;
    default:
      return;
  }
  SortRows(rows, s.sortDescending != 0, compare);
}

Table HoldingsTable(const CKapibuchDoc& doc, CKBXDatum day, const std::vector<HoldingsRow>& rows) {
  const TableSettings& s = doc.settings.holdings;
  const int pd = doc.settings.general.percentDecimals;
  Table t;
  t.geometry = GeometryOf(s);
  t.tableStyle = doc.settings.general.tableDisplay;
  t.columnFlags = static_cast<unsigned>(s.columnMask);
  t.title = ReplacePlaceholders(
      s.titleTemplate,
      {{"<DATUM>", day.Format()}, {"<DEPOTNUMMER>", doc.depotNumber}, {"<INHABER>", doc.Account().holder}});
  t.captions = {"Bezeichnung",
                "WKN/\nKürzel",
                "Stück",
                "Kaufdatum",
                "Tage im\nDepot",
                "Kaufkurs\nin EUR",
                "Kaufwert\n" + Unit(s, 0),
                "Provision\n" + Unit(s, 1),
                "Kaufpreis\n" + Unit(s, 2),
                "Kurs\nin EUR",
                "Wert\n" + Unit(s, 3),
                "G/V\n" + Unit(s, 4),
                "G/V\nin %",
                "Dividende\n" + Unit(s, 5),
                "Dividende\nin %",
                "G/V inkl. Div.\n" + Unit(s, 6),
                "G/V inkl. Div.\nin %"};
  t.rightAligned.assign(kHoldingsSlots, true);
  t.rightAligned[0] = t.rightAligned[1] = t.rightAligned[3] = false;
  const int decimals = ShareDecimals(rows);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const HoldingsRow& r = rows[i];
    const bool sums = i + 1 == rows.size();
    std::vector<std::string> c = {
        r.name,
        r.wkn,
        QuantityText(r.quantity, decimals),
        sums ? "" : r.purchaseDate.Format(),
        sums ? "" : std::to_string(static_cast<std::int64_t>(day.Day()) - r.purchaseDate.Day()),
        sums ? "" : Money(r.averagePurchasePrice),
        Money(r.shownPurchaseValue),
        Money(r.shownCommission),
        Money(r.shownCost),
        sums ? "" : Money(r.price),
        Money(r.shownValue),
        Money(r.shownGain),
        FormatSignedPercent(r.gainPercent, pd),
        Money(r.shownIncome),
        FormatPercent(r.incomePercent, pd),
        Money(r.shownGainWithIncome),
        FormatSignedPercent(r.gainWithIncomePercent, pd),
    };
    t.cells.push_back(std::move(c));
    t.loss.push_back(r.shownGain < 0);
  }
  return t;
}

ColumnLayout MeasureHoldingsColumns(platform::Surface& surface, const CKapibuchDoc& doc, CKBXDatum day,
                                    const std::vector<HoldingsRow>& rows) {
  return MeasureColumns(surface, HoldingsTable(doc, day, rows));
}

void DrawHoldingsView(platform::Surface& surface, const CKapibuchDoc& doc, CKBXDatum day,
                      const ColumnLayout& layout, const std::vector<HoldingsRow>& rows) {
  DrawTable(surface, HoldingsTable(doc, day, rows), layout);
}

}  // namespace views
