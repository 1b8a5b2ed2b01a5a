#pragma once
// A position: one purchase of one security, open or sold. A security is the pair
// (name, WKN/Kürzel), compared exactly.

#include <cstdint>
#include <string>

#include "base/ArchiveObject.h"
#include "base/Money.h"
#include "model/KBXDatum.h"

class CKBXAktie : public ArchiveObject {
 public:
  static constexpr const char* kClassName = "CKBXAktie";
  static constexpr std::uint16_t kSchema = 1;

  static constexpr std::int32_t kOpen = 1;
  static constexpr std::int32_t kSold = 2;

  // Purchase-cost sum: purchase value plus commission, each in its own currency's part.
  std::int32_t costEur = 0;
  std::int32_t costDm = 0;
  // Net sale proceeds: sale value minus commission (0 while open).
  std::int32_t proceedsEur = 0;
  std::int32_t proceedsDm = 0;
  // Dividends and like income (positive) or costs (negative) assigned to the position.
  std::int32_t dividendEur = 0;
  std::int32_t dividendDm = 0;
  std::int32_t number = 0;
  Currency saleCommissionCurrency = kEur;
  std::int32_t saleCommission = 0;
  Currency salePriceCurrency = kEur;
  std::int32_t salePrice = 0;
  CKBXDatum saleDate;
  Currency purchaseCommissionCurrency = kEur;
  std::int32_t purchaseCommission = 0;
  Currency purchasePriceCurrency = kEur;
  std::int32_t purchasePrice = 0;
  CKBXDatum purchaseDate;
  std::int32_t quantityFraction = 0;
  std::int32_t quantityInteger = 0;
  std::string purchaseNote;
  std::string saleNote;
  std::string name;
  std::string wkn;
  std::int32_t state = 0;

  std::int64_t Quantity() const { return QuantityOf(quantityInteger, quantityFraction); }
  void SetQuantity(std::int64_t quantity);

  bool IsOpen() const { return state == kOpen; }
  bool IsSold() const { return state == kSold; }
  bool Is(const std::string& securityName, const std::string& securityWkn) const {
    return name == securityName && wkn == securityWkn;
  }
  // Bought on or before the day, and open or sold after it.
  bool IsHeldOn(CKBXDatum day) const;

  SplitAmount Cost() const { return {costEur, costDm}; }
  SplitAmount Proceeds() const { return {proceedsEur, proceedsDm}; }
  SplitAmount Dividends() const { return {dividendEur, dividendDm}; }

  // Average purchase price and sale price per share, commissions included, in hundredths
  // of the currency (the purchase or sale price currency by default); 0 for no shares.
  std::int64_t AveragePurchaseCost(int currency = kOwnCurrency) const;
  std::int64_t AverageSaleProceeds(int currency = kOwnCurrency) const;

  std::string_view ClassName() const override { return kClassName; }
  void Write(ArchiveWriter& archive) const override;
  void Read(ArchiveReader& archive) override;
};
