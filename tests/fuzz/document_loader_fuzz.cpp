// Loads arbitrary bytes as a portfolio file. A file that loads is queried, written
// again, and that encoding must load and encode to the very same bytes.
#include <cstdint>
#include <cstdlib>

#include "base/ArchiveException.h"
#include "document/KapibuchDoc.h"
#include "platform/Clock.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const platform::FixedClock clock(1'700'000'000);
  std::unique_ptr<CKapibuchDoc> doc;
  try {
    doc = CKapibuchDoc::Deserialize(std::span<const std::uint8_t>(data, size), clock);
  } catch (const ArchiveException&) {
    return 0;
  }
  const CKBXDatum day = doc->Account().StartDay();
  doc->Account().BalanceOn(CKBXDatum(day.Day() + 30), kEur);
  doc->Account().CapitalOn(CKBXDatum(day.Day() + 30), kDm);
  doc->ValueOn(CKBXDatum(day.Day() + 30));
  doc->InvestedOn(InvestedKind::PurchaseCost, kEur, CKBXDatum(day.Day() + 30));

  std::vector<std::uint8_t> first;
  try {
    first = doc->Serialize();
  } catch (const ArchiveException&) {
    return 0;  // a 16-bit text outside the code page cannot be written back
  }
  const auto again = CKapibuchDoc::Deserialize(first, clock);
  if (again->Serialize() != first) std::abort();
  return 0;
}
