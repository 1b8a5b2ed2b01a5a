#pragma once
// The portfolio analysis (mode 7): the positions held on the analysis day against a start
// day, as a transposed table of 41 rows with two bar-chart bands and a share band.

#include <array>
#include <vector>

#include "document/KapibuchDoc.h"
#include "platform/Surface.h"
#include "views/HoldingsRow.h"

namespace views {

struct AnalysisScale {
  std::int64_t minimum = 0;
  std::int64_t maximum = 1;
  std::int64_t step = 1;
};

struct AnalysisScales {
  AnalysisScale gain;
  AnalysisScale distance;
};

// The axis of a pair of extremes (whole percent).
AnalysisScale AnalysisAxis(double minimum, double maximum);
// The day the holding period of a purchase ends; N days, months or years later (unit 0,
// 1, 2). A day that the target month lacks becomes its last day. As a day number from
// 1 January 1970 (it may lie beyond the last day a portfolio holds).
std::int64_t HoldingPeriodEnd(CKBXDatum purchase, int count, int unit);

// The analysis variant of the holdings rows: every amount in EUR, the analysis values,
// the scales, sorted by the analysis's own keys. The sums row stays last.
void BuildAnalysisRows(CKBXDatum day, CKBXDatum start, std::vector<HoldingsRow>& rows,
                       const CKapibuchDoc& doc, AnalysisScales& scales);

// The texts of the 41 rows: labels, and the value cells of a row (column of the table).
std::vector<std::string> AnalysisLabels(const CKapibuchDoc& doc, CKBXDatum day, CKBXDatum start);
std::array<std::string, 41> AnalysisCells(const CKapibuchDoc& doc, const HoldingsRow& row, int shareDecimals);

platform::Size AnalysisScrollSize(const CKapibuchDoc& doc, const std::vector<HoldingsRow>& rows);
void DrawAnalysisView(platform::Surface& surface, const CKapibuchDoc& doc, CKBXDatum day, CKBXDatum start,
                      const std::vector<HoldingsRow>& rows, const AnalysisScales& scales);

}  // namespace views
