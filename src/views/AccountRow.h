#pragma once
// A row of the account movements view (never stored).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/Money.h"
#include "model/KBXDatum.h"

// A row of the account movements view (never stored).
struct AccountRow {
  CKBXDatum date;
  std::string kindName;
  std::string text;
  std::int64_t amount = 0;
  std::int64_t balance = 0;
  Currency currency = kEur;
};
