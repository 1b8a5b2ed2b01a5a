#pragma once
// One transaction of the cash account: a buy, a sale or a movement, in DM and EUR.

#include <cstdint>
#include <string>
#include <vector>

#include "base/ArchiveObject.h"
#include "base/Money.h"
#include "model/KBXDatum.h"

class CKBXKontoTransaktion : public ArchiveObject {
 public:
  static constexpr const char* kClassName = "CKBXKontoTransaktion";
  static constexpr std::uint16_t kSchema = 1;

  // Kinds of transactions.
  static constexpr std::int32_t kKauf = 1;
  static constexpr std::int32_t kVerkauf = 2;
  static constexpr std::int32_t kDividende = 11;
  static constexpr std::int32_t kCoupon = 12;
  static constexpr std::int32_t kBezugsrechtsverkauf = 13;
  static constexpr std::int32_t kAusschuettung = 14;
  static constexpr std::int32_t kLimitGebuehren = 18;
  static constexpr std::int32_t kHabenZins = 21;
  static constexpr std::int32_t kSollZins = 22;
  static constexpr std::int32_t kDepotgebuehren = 25;
  static constexpr std::int32_t kSteuern = 26;
  static constexpr std::int32_t kWerbungskosten = 27;
  static constexpr std::int32_t kSonstigeErtraege = 28;
  static constexpr std::int32_t kSonstigeKosten = 29;
  static constexpr std::int32_t kKapitaleinlage = 31;
  static constexpr std::int32_t kKapitalentnahme = 32;

  std::string text;
  std::int32_t positionNumber = -1;  // the position of a buy or sale; -1 for movements
  std::int32_t kind = 0;
  std::int32_t amountDm = 0;   // positive: money in
  std::int32_t amountEur = 0;  // the same amount in EUR
  CKBXDatum date;

  std::int32_t AmountIn(Currency currency) const { return currency == kDm ? amountDm : amountEur; }
  // Deposits and withdrawals change the invested capital as well as the balance.
  bool IsCapitalMovement() const { return kind == kKapitaleinlage || kind == kKapitalentnahme; }

  std::string_view ClassName() const override { return kClassName; }
  void Write(ArchiveWriter& archive) const override;
  void Read(ArchiveReader& archive) override;
};
