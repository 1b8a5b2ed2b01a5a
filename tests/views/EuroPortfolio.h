#pragma once
// An empty portfolio kept in euro from 1 January 2000 with 10.000,00 EUR on the account,
// for the views' tests.

#include <memory>

#include "tests/forms/FormsTestUtil.h"

namespace viewstest {

inline std::unique_ptr<CKapibuchDoc> EuroPortfolio() {
  auto doc = std::make_unique<CKapibuchDoc>(testutil::TestClock());
  NewFileData data;
  data.startDay = testutil::Day(1, 1, 2000);
  data.openingBalance = 1000000;
  data.currency = kEur;
  doc->SetupNew(data);
  return doc;
}

}  // namespace viewstest
