#include <algorithm>

#include "views/RealisedRow.h"
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

void ComputeValues(RealisedRow& r, const TableSettings& s) {
  r.purchaseCommission = r.cost - r.purchaseValue;
  r.saleCommission = r.saleValue - r.proceeds;
  r.shownPurchaseValue = r.purchaseValue.ValueIn(CurrencyOf(s, 0));
  r.shownPurchaseCommission = r.purchaseCommission.ValueIn(CurrencyOf(s, 1));
  r.shownCost = r.cost.ValueIn(CurrencyOf(s, 2));
  r.shownSaleValue = r.saleValue.ValueIn(CurrencyOf(s, 3));
  r.shownSaleCommission = r.saleCommission.ValueIn(CurrencyOf(s, 4));
  r.shownProceeds = r.proceeds.ValueIn(CurrencyOf(s, 5));
  r.shownIncome = r.income.ValueIn(CurrencyOf(s, 7));
  const SplitAmount& basis = s.includeCommissions ? r.cost : r.purchaseValue;
  const SplitAmount& back = s.includeCommissions ? r.proceeds : r.saleValue;
  r.shownGain = RealisedGain(r, s.includeCommissions != 0, CurrencyOf(s, 6));
  if (CurrencyOf(s, 8) == kDm) {
    r.shownGainWithIncome =
        EurToDm(back.eur) + back.dm - basis.dm - EurToDm(basis.eur) + r.income.dm + EurToDm(r.income.eur);
  } else {
    r.shownGainWithIncome =
        back.eur + DmToEur(back.dm) - basis.eur - DmToEur(basis.dm) + r.income.eur + DmToEur(r.income.dm);
  }
  const std::int64_t basisEur = basis.ValueIn(kEur);
  if (basisEur == 0) {
    r.gainPercent = r.incomePercent = r.gainWithIncomePercent = 0;
    return;
  }
  r.gainPercent = ChangePercent(back.ValueIn(kEur), basisEur);
  r.incomePercent = SharePercent(r.income.ValueIn(kEur), basisEur);
  r.gainWithIncomePercent = ChangePercent(back.eur + r.income.eur + DmToEur(back.dm + r.income.dm), basisEur);
}

}  // namespace

void AddSoldPosition(RealisedRow& row, const CKBXAktie& p) {
  row.positionCount += 1;
  row.quantity += p.Quantity();
  row.purchaseValue.Add(ShareValue(p.Quantity(), p.purchasePrice),
                        p.purchasePriceCurrency == kDm ? kDm : kEur);
  row.cost += p.Cost();
  row.income += p.Dividends();
  row.saleValue.Add(ShareValue(p.Quantity(), p.salePrice), p.salePriceCurrency == kDm ? kDm : kEur);
  row.proceeds += p.Proceeds();
}

std::int64_t RealisedGain(const RealisedRow& r, bool includeCommissions, Currency currency) {
  const SplitAmount& basis = includeCommissions ? r.cost : r.purchaseValue;
  const SplitAmount& back = includeCommissions ? r.proceeds : r.saleValue;
  if (currency == kDm) return EurToDm(back.eur) + back.dm - basis.dm - EurToDm(basis.eur);
  return back.eur + DmToEur(back.dm) - basis.eur - DmToEur(basis.dm);
}

void BuildRealisedRows(CKBXDatum start, CKBXDatum end, std::vector<RealisedRow>& rows,
                       const CKapibuchDoc& doc, bool merge) {
  const TableSettings& s = doc.settings.realised;
  rows.clear();
  RealisedRow sums;
  sums.name = "Summe";
  for (const auto& position : doc.Positions()) {
    const CKBXAktie& p = *position;
    if (!p.IsSold() || p.saleDate < start || p.saleDate > end) continue;
    RealisedRow* row = nullptr;
    if (merge) {
      const auto it = std::find_if(rows.begin(), rows.end(),
                                   [&](const RealisedRow& r) { return r.name == p.name && r.wkn == p.wkn; });
      if (it != rows.end()) {
        row = &*it;
        if (p.saleDate < row->saleDate) row->saleDate = p.saleDate;
      }
    }
    if (!row) {
      rows.emplace_back();
      row = &rows.back();
      row->name = p.name;
      row->wkn = p.wkn;
      row->saleDate = p.saleDate;
    }
    AddSoldPosition(*row, p);
    AddSoldPosition(sums, p);
    row->purchaseDate = p.purchaseDate;
  }
  for (RealisedRow& r : rows) {
    r.averagePurchasePrice = PerShareValue(r.purchaseValue.ValueIn(kEur), r.quantity);
    r.averageSalePrice = PerShareValue(r.saleValue.ValueIn(kEur), r.quantity);
    ComputeValues(r, s);
  }
  ComputeValues(sums, s);
  sums.purchaseDate = start;
  sums.saleDate = end;
  rows.push_back(std::move(sums));

  using Row = RealisedRow;
  std::function<int(const Row&, const Row&)> compare;
  switch (static_cast<RealisedSort>(s.sortKey)) {
    case RealisedSort::Name:
      compare = [](const Row& a, const Row& b) { return CompareTexts(a.name, b.name); };
      break;
    case RealisedSort::Wkn:
      compare = [](const Row& a, const Row& b) { return CompareTexts(a.wkn, b.wkn); };
      break;
    case RealisedSort::Quantity:
      compare = [](const Row& a, const Row& b) { return Compare3(a.quantity, b.quantity); };
      break;
    case RealisedSort::PurchaseDate:
      compare = [](const Row& a, const Row& b) { return Compare3(a.purchaseDate, b.purchaseDate); };
      break;
    case RealisedSort::SaleDate:
      compare = [](const Row& a, const Row& b) { return Compare3(a.saleDate, b.saleDate); };
      break;
    case RealisedSort::PurchaseValue:
      compare = [](const Row& a, const Row& b) {
        return Compare3(a.shownPurchaseValue, b.shownPurchaseValue);
      };
      break;
    case RealisedSort::PurchaseCommission:
      compare = [](const Row& a, const Row& b) {
        return Compare3(a.shownPurchaseCommission, b.shownPurchaseCommission);
      };
      break;
    case RealisedSort::Cost:
      compare = [](const Row& a, const Row& b) { return Compare3(a.shownCost, b.shownCost); };
      break;
    case RealisedSort::SaleValue:
      compare = [](const Row& a, const Row& b) { return Compare3(a.shownSaleValue, b.shownSaleValue); };
      break;
    case RealisedSort::SaleCommission:
      compare = [](const Row& a, const Row& b) {
        return Compare3(a.shownSaleCommission, b.shownSaleCommission);
      };
      break;
    case RealisedSort::Proceeds:
      compare = [](const Row& a, const Row& b) { return Compare3(a.shownProceeds, b.shownProceeds); };
      break;
    case RealisedSort::Gain:
      compare = [](const Row& a, const Row& b) { return Compare3(a.shownGain, b.shownGain); };
      break;
    case RealisedSort::GainPercent:
      compare = [](const Row& a, const Row& b) { return Compare3(a.gainPercent, b.gainPercent); };
      break;
    case RealisedSort::Dividend:
      compare = [](const Row& a, const Row& b) { return Compare3(a.shownIncome, b.shownIncome); };
      break;
    case RealisedSort::DividendPercent:
      compare = [](const Row& a, const Row& b) { return Compare3(a.incomePercent, b.incomePercent); };
      break;
    case RealisedSort::GainWithDividend:
      compare = [](const Row& a, const Row& b) {
        return Compare3(a.shownGainWithIncome, b.shownGainWithIncome);
      };
      break;
    case RealisedSort::GainWithDividendPercent:
      compare = [](const Row& a, const Row& b) {
        return Compare3(a.gainWithIncomePercent, b.gainWithIncomePercent);
      };
      break;
    default:
      return;
  }
  SortRows(rows, s.sortDescending != 0, compare);
}

Table RealisedTable(const CKapibuchDoc& doc, CKBXDatum start, CKBXDatum end,
                    const std::vector<RealisedRow>& rows) {
  const TableSettings& s = doc.settings.realised;
  const int pd = doc.settings.general.percentDecimals;
  Table t;
  t.geometry = GeometryOf(s);
  t.tableStyle = doc.settings.general.tableDisplay;
  t.columnFlags = static_cast<unsigned>(s.columnMask);
  t.title = ReplacePlaceholders(s.titleTemplate, {{"<STARTDATUM>", start.Format()},
                                                  {"<ENDDATUM>", end.Format()},
                                                  {"<DEPOTNUMMER>", doc.depotNumber},
                                                  {"<INHABER>", doc.Account().holder}});
  t.captions = {"Bezeichnung",
                "WKN/\nKürzel",
                "Stück",
                "Kauf-\ndatum",
                "Verkauf-\ndatum",
                "Tage im\nDepot",
                "Kaufkurs\nin EUR",
                "Kaufwert\n" + Unit(s, 0),
                "Kaufprov.\n" + Unit(s, 1),
                "Kaufpreis\n" + Unit(s, 2),
                "Verkaufkurs\nin EUR",
                "Verkaufwert\n" + Unit(s, 3),
                "Verkaufprov.\n" + Unit(s, 4),
                "Verkauferlös\n" + Unit(s, 5),
                "G/V\n" + Unit(s, 6),
                "G/V\nin %",
                "Dividende\n" + Unit(s, 7),
                "Dividende\nin %",
                "G/V inkl. Div.\n" + Unit(s, 8),
                "G/V inkl. Div.\nin %"};
  t.rightAligned.assign(kRealisedSlots, true);
  t.rightAligned[0] = t.rightAligned[1] = t.rightAligned[3] = t.rightAligned[4] = false;
  const int decimals = ShareDecimals(rows);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const RealisedRow& r = rows[i];
    const bool sums = i + 1 == rows.size();
    t.cells.push_back({
        r.name,
        r.wkn,
        FormatQuantity(static_cast<std::int32_t>(r.quantity / kQuantityUnit),
                       static_cast<std::int32_t>(r.quantity % kQuantityUnit), decimals),
        sums ? "" : r.purchaseDate.Format(),
        sums ? "" : r.saleDate.Format(),
        sums ? "" : std::to_string(static_cast<std::int64_t>(r.saleDate.Day()) - r.purchaseDate.Day()),
        sums ? "" : Money(r.averagePurchasePrice),
        Money(r.shownPurchaseValue),
        Money(r.shownPurchaseCommission),
        Money(r.shownCost),
        sums ? "" : Money(r.averageSalePrice),
        Money(r.shownSaleValue),
        Money(r.shownSaleCommission),
        Money(r.shownProceeds),
        Money(r.shownGain),
        FormatSignedPercent(r.gainPercent, pd),
        Money(r.shownIncome),
        FormatPercent(r.incomePercent, pd),
        Money(r.shownGainWithIncome),
        FormatSignedPercent(r.gainWithIncomePercent, pd),
    });
    t.loss.push_back(r.shownGain < 0);
  }
  return t;
}

ColumnLayout MeasureRealisedColumns(platform::Surface& surface, const CKapibuchDoc& doc, CKBXDatum start,
                                    CKBXDatum end, const std::vector<RealisedRow>& rows) {
  return MeasureColumns(surface, RealisedTable(doc, start, end, rows));
}

void DrawRealisedView(platform::Surface& surface, const CKapibuchDoc& doc, CKBXDatum start, CKBXDatum end,
                      const ColumnLayout& layout, const std::vector<RealisedRow>& rows) {
  DrawTable(surface, RealisedTable(doc, start, end, rows), layout);
}

}  // namespace views
