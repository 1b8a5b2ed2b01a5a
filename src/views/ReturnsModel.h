#pragma once
// The figures of the returns view ("Rendite") for a period [S, E] of whole days: per
// security, for all securities as one, and for the wealth (securities and cash account).
// All amounts are euro cents; DM amounts are converted with DmToEur.
//
// Securities (positions with the same name and WKN/Kürzel together):
// - The value at the end of a day is the quantity held at the end of that day times the
//   price of that day: the last price on or before the day, the purchase price where there
//   is none. A position is held from its purchase day to the day before its sale day. The
//   values are computed from the positions themselves for every day, also before the
//   account's start day.
// - "Wert am Anfang" is the value at the end of S-1, "Wert am Ende" the value at the end of E.
// - "Käufe": for each purchase in [S, E] its quantity x purchase price plus its purchase
//   commission; "Verkäufe": for each sale in [S, E] its quantity x sale price minus its
//   sale commission. Each trade is converted as the account books it, value and commission
//   together (1 x 100,00 DM + 0,01 DM commission: 100,01 DM = 51,13 EUR, not 51,13 + 0,01);
//   one before the account's start day in the parts of its currencies, each converted once.
//   A purchase later divided by partial sales and a sale taken from several positions count
//   as the one trade they were (their parts share day, price, currencies and note; two
//   trades alike in all of these are taken as one). Amounts that account movements added
//   to a position's sums ("Verbuchen unter") carry no day and are no payments of the
//   security; they reach the wealth through the account.
// Wealth ("Vermögen"):
// - The wealth at the end of a day is the securities' value (the development view's value
//   from the account's start day on) plus the account's balance, in EUR, unadjusted. Before
//   the account's start day the balance is the opening balance.
// - Money in ("Einlagen") is capital paid in (Kapitaleinlage), money out ("Entnahmen")
//   capital taken out (Kapitalentnahme). Purchases and sales dated before the account's
//   start day never touched the account (they raised its start capital instead), so for the
//   wealth they count as money in and out on their days; this matters only for a period
//   that begins before the account's start day.
// - "Erträge": Dividenden-Gutschrift, Coupon-Gutschrift, Bezugsrechtsverkauf, Ausschüttung,
//   Zinserträge and Sonstige Erträge booked in [S, E]; they are part of the wealth already.
// Both:
// - "Gewinn" = Wert am Ende + Verkäufe + Entnahmen - Wert am Anfang - Käufe - Einlagen.
// - "TTWROR" and "IZF p.a." as ReturnSeries defines them; "TTWROR p.a." = (1 + TTWROR)^(365 /
//   (E - S)) - 1, shown for a period of at least 365 days (E - S >= 364, so that a calendar
//   year counts as one), the same period length as the internal rate's.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/KapibuchDoc.h"
#include "views/ReturnSeries.h"

namespace views {

enum class ReturnsRowKind { Security, Securities, Wealth };

struct ReturnsRow {
  ReturnsRowKind kind = ReturnsRowKind::Security;
  std::string name;
  std::string wkn;
  std::int64_t startValue = 0;
  std::int64_t purchases = 0;    // securities only
  std::int64_t sales = 0;        // securities only
  std::int64_t deposits = 0;     // wealth only
  std::int64_t withdrawals = 0;  // wealth only
  std::int64_t income = 0;       // wealth only
  std::int64_t endValue = 0;
  std::optional<double> internalRate;
  std::optional<double> timeWeighted;
  std::optional<double> timeWeightedPerYear;

  std::int64_t Gain() const { return endValue + sales + withdrawals - startValue - purchases - deposits; }
};

// The daily series of the whole portfolio over [S, E]: all securities as one (money in and
// out: purchases and sales) and the wealth (money in and out: capital paid in and taken out).
struct PortfolioReturns {
  ReturnSeries securities;
  ReturnSeries wealth;
};

// E before S is taken as S. With a last price day, prices dated after it are not used: a
// day after it takes the last price on or before it (the purchase price where there is none).
PortfolioReturns BuildPortfolioReturns(const CKapibuchDoc& doc, CKBXDatum start, CKBXDatum end,
                                       std::optional<CKBXDatum> lastPriceDay = std::nullopt);

// One row per security held on a day of the period or bought or sold in it, sorted by
// name, then "Wertpapiere gesamt" and "Vermögen".
std::vector<ReturnsRow> BuildReturnsRows(const CKapibuchDoc& doc, CKBXDatum start, CKBXDatum end);

// The figures of a series over [S, E], named; the rates as above.
ReturnsRow ReturnFigures(const ReturnSeries& series, CKBXDatum start, CKBXDatum end, ReturnsRowKind kind);

// TTWROR p.a. is shown for periods with at least this many days between first and last.
constexpr std::uint32_t kPerYearMinimumSpan = 364;

}  // namespace views
