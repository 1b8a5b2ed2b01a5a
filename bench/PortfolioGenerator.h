#pragma once
// Builds a large, realistic portfolio through the document's own operations: decades of
// daily prices, thousands of positions (many sold), tens of thousands of account movements.

#include <memory>

#include "document/KapibuchDoc.h"

struct GeneratorSize {
  int securities = 200;
  int positions = 2000;
  int years = 30;
  int movements = 17000;  // besides the buy and sale bookings
};

std::unique_ptr<CKapibuchDoc> GeneratePortfolio(const platform::Clock& clock, const GeneratorSize& size = {});
