#include "model/KBXKurs.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"
#include "base/Money.h"

void CKBXKurs::Write(ArchiveWriter& archive) const {
  archive.WriteInt32(m_price);
  m_date.Write(archive);
}

void CKBXKurs::Read(ArchiveReader& archive) {
  m_price = archive.ReadInt32();
  m_date.Read(archive);
}

namespace {

// The largest truncated quotient whose RoundTenth still fits 32 bits.
constexpr double kLargestQuotient =
    static_cast<double>(std::numeric_limits<std::int32_t>::max()) * 10.0 + 4.0;

}  // namespace

std::int32_t SplitAdjustedPrice(std::int32_t price, double ratio) {
  if (!(ratio > 0) || !std::isfinite(ratio)) return price;
  const double quotient = std::fabs(static_cast<double>(price)) * 10.0 / ratio;
  const double capped = std::min(quotient, kLargestQuotient);
  const auto rounded = static_cast<std::int64_t>(RoundTenth(static_cast<std::uint64_t>(capped)));
  return static_cast<std::int32_t>(price < 0 ? -rounded : rounded);
}

bool SplitPriceFits(std::int32_t price, double ratio) {
  if (!(ratio > 0) || !std::isfinite(ratio)) return true;
  return std::fabs(static_cast<double>(price)) * 10.0 / ratio < kLargestQuotient + 1.0;
}
