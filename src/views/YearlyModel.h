#pragma once
// The figures of the yearly overview ("Jahresübersicht"): one row per calendar year, then
// the sums. All amounts are euro cents; DM amounts are converted as each view converts them.
//
// - "Realisierte G/V": the "G/V" of the realised-gains view's sums row in EUR for
//   01.01.-31.12. of the year, with that view's choice whether commissions count.
// - The account movements count in their kind's column by their own day, whatever they were
//   assigned to: "Dividenden etc." Dividenden-Gutschrift, Coupon-Gutschrift,
//   Bezugsrechtsverkauf and Ausschüttung; "Zinsen" Zinserträge; "Sonstige Erträge";
//   "Kosten" Limit-Gebühren, Zinskosten, Depotgebühren, Werbungskosten and Sonstige Kosten;
//   "Steuern"; "Einlagen" Kapitaleinlage; "Entnahmen" Kapitalentnahme. Costs, taxes and
//   withdrawals are shown as the positive amounts paid.
// - "Depotwert" and "Vermögen": the securities' value and the securities' value plus the
//   account balance at the end of the year's last day (31.12., today in the current year),
//   unadjusted, as the returns view values the wealth. Prices dated after today are not
//   used: a day after today takes the last price on or before today.
// - "Rendite": the time-weighted rate of the wealth (the returns view's "Vermögen" row) from
//   01.01. to the year's last day.
// The sums add the money of the years; their "Depotwert" and "Vermögen" are those of the
// last year and their rate the years' rates linked, (1 + r_1) x (1 + r_2) x ... - 1: the
// time-weighted rate over all the days the years' rows cover.

#include <cstdint>
#include <optional>
#include <vector>

#include "document/KapibuchDoc.h"

namespace views {

struct YearlyRow {
  int year = 0;  // 0 in the sums row
  CKBXDatum first;
  CKBXDatum last;
  std::int64_t realised = 0;
  std::int64_t dividends = 0;
  std::int64_t interest = 0;
  std::int64_t otherIncome = 0;
  std::int64_t costs = 0;
  std::int64_t taxes = 0;
  std::int64_t deposits = 0;
  std::int64_t withdrawals = 0;
  std::int64_t portfolioValue = 0;
  std::int64_t wealth = 0;
  std::optional<double> rate;

  // Dividends, interest and other income together: the income bar of the chart.
  std::int64_t Income() const { return dividends + interest + otherIncome; }
};

struct YearlyOverview {
  std::vector<YearlyRow> years;  // oldest first, one for every year
  YearlyRow sums;
};

// The last day a year's row covers: 31.12., or today in today's year.
CKBXDatum LastDayCovered(int year, CKBXDatum today);

// The years from firstYear to lastYear (a last year before the first is taken as the first).
YearlyOverview BuildYearlyOverview(const CKapibuchDoc& doc, int firstYear, int lastYear);

}  // namespace views
