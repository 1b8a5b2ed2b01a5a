#pragma once
// The three table views: holdings on a day (mode 1), realised gains in a period (mode 3)
// and account movements in a period (mode 4). Each builds its rows from the document,
// describes them as a Table (captions and the exact cell texts) and measures and draws
// through the table engine.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "document/KapibuchDoc.h"
#include "views/AccountRow.h"
#include "views/HoldingsRow.h"
#include "views/RealisedRow.h"
#include "views/Table.h"

namespace views {

// ---- holdings (mode 1; the analysis view builds its rows the same way)
constexpr std::size_t kHoldingsSlots = 17;
void BuildHoldingsRows(CKBXDatum day, std::vector<HoldingsRow>& rows, const CKapibuchDoc& doc, bool merge);
// The rows with their sums and values, unsorted (the analysis sorts by its own keys).
void CollectHoldingsRows(CKBXDatum day, std::vector<HoldingsRow>& rows, const CKapibuchDoc& doc, bool merge);
// The values of one row from its sums (shown values in the columns' currencies, percentages).
void ComputeHoldingsValues(HoldingsRow& row, const TableSettings& settings);
// Decimals that the quantities (in 1/kQuantityUnit shares) of all rows need.
template <typename Rows>
int ShareDecimals(const Rows& rows) {
  int decimals = 0;
  for (const auto& r : rows)
    decimals = std::max(decimals, QuantityDecimals(static_cast<std::int32_t>(r.quantity % kQuantityUnit)));
  return decimals;
}
Table HoldingsTable(const CKapibuchDoc& doc, CKBXDatum day, const std::vector<HoldingsRow>& rows);
ColumnLayout MeasureHoldingsColumns(platform::Surface& surface, const CKapibuchDoc& doc, CKBXDatum day,
                                    const std::vector<HoldingsRow>& rows);
void DrawHoldingsView(platform::Surface& surface, const CKapibuchDoc& doc, CKBXDatum day,
                      const ColumnLayout& layout, const std::vector<HoldingsRow>& rows);

// ---- realised gains (mode 3)
constexpr std::size_t kRealisedSlots = 20;
void BuildRealisedRows(CKBXDatum start, CKBXDatum end, std::vector<RealisedRow>& rows,
                       const CKapibuchDoc& doc, bool merge);
// Adds a sold position's quantity and sums to a row (or the sums row).
void AddSoldPosition(RealisedRow& row, const CKBXAktie& position);
// The shown "G/V" of a row in a currency: proceeds - cost with the commissions included,
// else sale value - purchase value; each part converted on its own.
std::int64_t RealisedGain(const RealisedRow& row, bool includeCommissions, Currency currency);
Table RealisedTable(const CKapibuchDoc& doc, CKBXDatum start, CKBXDatum end,
                    const std::vector<RealisedRow>& rows);
ColumnLayout MeasureRealisedColumns(platform::Surface& surface, const CKapibuchDoc& doc, CKBXDatum start,
                                    CKBXDatum end, const std::vector<RealisedRow>& rows);
void DrawRealisedView(platform::Surface& surface, const CKapibuchDoc& doc, CKBXDatum start, CKBXDatum end,
                      const ColumnLayout& layout, const std::vector<RealisedRow>& rows);

// ---- account movements (mode 4)
constexpr std::size_t kAccountSlots = 5;
void BuildAccountRows(CKBXDatum start, CKBXDatum end, std::vector<AccountRow>& rows, const CKapibuchDoc& doc);
Table AccountTable(const CKapibuchDoc& doc, CKBXDatum start, CKBXDatum end,
                   const std::vector<AccountRow>& rows);
ColumnLayout MeasureAccountColumns(platform::Surface& surface, const CKapibuchDoc& doc,
                                   const std::vector<AccountRow>& rows);
void DrawAccountView(platform::Surface& surface, const CKapibuchDoc& doc, CKBXDatum start, CKBXDatum end,
                     const ColumnLayout& layout, const std::vector<AccountRow>& rows);

}  // namespace views
