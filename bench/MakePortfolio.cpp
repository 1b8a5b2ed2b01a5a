// Writes a generated portfolio to a file, for trying the program and the tool on real data:
//   make_portfolio FILE [POSITIONS [SECURITIES [YEARS]]]
#include <cstdio>
#include <cstdlib>

#include "bench/PortfolioGenerator.h"
#include "platform/Clock.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_portfolio FILE [POSITIONS [SECURITIES [YEARS]]]\n");
    return 1;
  }
  GeneratorSize size;
  if (argc > 2) size.positions = std::atoi(argv[2]);
  if (argc > 3) size.securities = std::atoi(argv[3]);
  if (argc > 4) size.years = std::atoi(argv[4]);
  size.movements = size.positions * 8;
  CKBXDatum today;
  today.Set(31, 12, 2024);
  const platform::FixedClock clock(today.ToTime());
  auto doc = GeneratePortfolio(clock, size);
  if (doc->Save(argv[1]) != DocumentError::None) {
    std::fprintf(stderr, "%s\n", DocumentErrorMessage(DocumentError::Save).c_str());
    return 4;
  }
  return 0;
}
