#pragma once
// A holdings or analysis row.

#include <cstdint>
#include <string>

#include "base/Money.h"
#include "model/KBXDatum.h"

// A holdings or analysis row: one position or one security, or the sums row "Summe".
// The shown values are in each column's chosen currency.
struct HoldingsRow {
  std::string name;
  std::string wkn;
  int positionCount = 0;
  std::int64_t quantity = 0;
  SplitAmount purchaseValue;  // quantity x purchase price, each in its purchase price currency
  SplitAmount cost;
  SplitAmount commission;          // cost - purchase value
  SplitAmount income;              // assigned dividends and the like
  CKBXDatum purchaseDate;          // of the last position added
  std::int64_t fallbackPrice = 0;  // purchase price in EUR of the last position added
  std::int64_t price = 0;          // EUR, on the day
  std::int64_t averagePurchasePrice = 0;
  std::int64_t value = 0;  // EUR
  std::int64_t shownPurchaseValue = 0;
  std::int64_t shownCommission = 0;
  std::int64_t shownCost = 0;
  std::int64_t shownValue = 0;
  std::int64_t shownGain = 0;
  std::int64_t shownIncome = 0;
  std::int64_t shownGainWithIncome = 0;
  double gainPercent = 0;
  double incomePercent = 0;
  double gainWithIncomePercent = 0;
  // Filled by the analysis (all in EUR; prices -1 when unknown).
  std::int64_t costBasis = 0;
  std::int64_t costPerShare = 0;
  std::int64_t startPrice = -1;
  std::int64_t high = -1;
  std::int64_t low = -1;
  double minGainPercent = 0;
  double currentGainPercent = 0;
  double maxGainPercent = 0;
  double overStartPercent = 0;
  double overLowPercent = 0;
  double toHighPercent = 0;
  double ofHighPercent = 0;
  double sharePercent = 0;
  std::int64_t holdingDays = 0;
};
