#pragma once
// A price point: one day's price of a security in euro cents per share. -1 stands for
// "no price" in answers and for "remove" in SetPrice, never in a history.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/ArchiveObject.h"
#include "model/KBXDatum.h"

constexpr std::int32_t kNoPrice = -1;

class CKBXKurs : public ArchiveObject {
 public:
  static constexpr const char* kClassName = "CKBXKurs";
  static constexpr std::uint16_t kSchema = 1;

  CKBXKurs() = default;
  CKBXKurs(CKBXDatum date, std::int32_t price) : m_price(price), m_date(date) {}

  std::int32_t Price() const { return m_price; }
  void SetPrice(std::int32_t price) { m_price = price; }
  CKBXDatum Date() const { return m_date; }

  std::string_view ClassName() const override { return kClassName; }
  void Write(ArchiveWriter& archive) const override;
  void Read(ArchiveReader& archive) override;

 private:
  std::int32_t m_price = 0;
  CKBXDatum m_date;
};

// Applies the split ratio to a price: RoundTenth(price x 10 / ratio), the quotient taken in
// floating point and truncated first.
std::int32_t SplitAdjustedPrice(std::int32_t price, double ratio);
// Whether SplitAdjustedPrice gives the exact result, not one cut to the largest storable price.
bool SplitPriceFits(std::int32_t price, double ratio);
