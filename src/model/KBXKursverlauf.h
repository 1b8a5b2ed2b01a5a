#pragma once
// The price history of one security: price points ascending by day.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/ArchiveObject.h"
#include "model/KBXDatum.h"
#include "model/KBXKurs.h"

class CKBXKursverlauf : public ArchiveObject {
 public:
  static constexpr const char* kClassName = "CKBXKursverlauf";
  static constexpr std::uint16_t kSchema = 1;

  CKBXKursverlauf() = default;
  CKBXKursverlauf(std::string name, std::string wkn) : m_wkn(std::move(wkn)), m_name(std::move(name)) {}

  const std::string& Name() const { return m_name; }
  const std::string& Wkn() const { return m_wkn; }
  bool Is(const std::string& name, const std::string& wkn) const { return m_name == name && m_wkn == wkn; }
  // Ascending by day, at most one point a day.
  const std::vector<CKBXKurs>& Points() const { return m_points; }

  struct FindResult {
    bool found;
    std::size_t index;  // the point's index, or where a point of that day belongs
  };
  FindResult Find(CKBXDatum date) const;
  std::int32_t PriceOn(CKBXDatum date) const;
  // The price of the latest point on or before the day, or -1.
  std::int32_t PriceOnOrBefore(std::uint32_t day) const;
  std::int32_t FirstPrice() const;
  // Inserts, replaces or (with -1) removes the price of a day; whether anything changed.
  bool SetPrice(CKBXDatum date, std::int32_t price);
  // Divides every price before the split day by the ratio (one share became ratio shares).
  void AdjustForSplit(CKBXDatum splitDay, double ratio);

  std::string_view ClassName() const override { return kClassName; }
  void Write(ArchiveWriter& archive) const override;
  void Read(ArchiveReader& archive) override;

 private:
  std::string m_wkn;
  std::string m_name;
  std::vector<CKBXKurs> m_points;
};
