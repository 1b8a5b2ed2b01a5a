#pragma once
// A realised-gains row.

#include <cstdint>
#include <string>

#include "base/Money.h"
#include "model/KBXDatum.h"

// A realised-gains row: sold positions of one security (or one position), or "Summe".
struct RealisedRow {
  std::string name;
  std::string wkn;
  int positionCount = 0;
  std::int64_t quantity = 0;
  SplitAmount purchaseValue;
  SplitAmount cost;
  SplitAmount purchaseCommission;
  SplitAmount income;
  SplitAmount saleValue;
  SplitAmount proceeds;
  SplitAmount saleCommission;
  CKBXDatum purchaseDate;
  CKBXDatum saleDate;
  std::int64_t averagePurchasePrice = 0;
  std::int64_t averageSalePrice = 0;
  std::int64_t shownPurchaseValue = 0;
  std::int64_t shownPurchaseCommission = 0;
  std::int64_t shownCost = 0;
  std::int64_t shownSaleValue = 0;
  std::int64_t shownSaleCommission = 0;
  std::int64_t shownProceeds = 0;
  std::int64_t shownGain = 0;
  std::int64_t shownIncome = 0;
  std::int64_t shownGainWithIncome = 0;
  double gainPercent = 0;
  double incomePercent = 0;
  double gainWithIncomePercent = 0;
};
