#include "model/KBXAktie.h"

#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"

namespace {

void SplitQuantity(std::int64_t quantity, std::int32_t& integerPart, std::int32_t& fraction) {
  integerPart = static_cast<std::int32_t>(quantity / kQuantityUnit);
  fraction = static_cast<std::int32_t>(quantity % kQuantityUnit);
}

}  // namespace

void CKBXAktie::SetQuantity(std::int64_t quantity) {
  SplitQuantity(quantity, quantityInteger, quantityFraction);
}

bool CKBXAktie::IsHeldOn(CKBXDatum day) const {
  if (purchaseDate > day) return false;
  return state == kOpen || (state == kSold && saleDate > day);
}

std::int64_t CKBXAktie::AveragePurchaseCost(int currency) const {
  const Currency target = currency == kOwnCurrency ? purchasePriceCurrency : static_cast<Currency>(currency);
  return PerShareValue(Cost().ValueIn(target), Quantity());
}

std::int64_t CKBXAktie::AverageSaleProceeds(int currency) const {
  const Currency target = currency == kOwnCurrency ? salePriceCurrency : static_cast<Currency>(currency);
  return PerShareValue(Proceeds().ValueIn(target), Quantity());
}

void CKBXAktie::Write(ArchiveWriter& a) const {
  a.WriteInt32(number);
  a.WriteByte(saleCommissionCurrency);
  a.WriteInt32(saleCommission);
  a.WriteByte(salePriceCurrency);
  a.WriteInt32(salePrice);
  a.WriteByte(purchaseCommissionCurrency);
  a.WriteInt32(purchaseCommission);
  a.WriteByte(purchasePriceCurrency);
  a.WriteInt32(purchasePrice);
  a.WriteInt32(quantityFraction);
  a.WriteInt32(quantityInteger);
  a.WriteString(purchaseNote);
  a.WriteString(saleNote);
  a.WriteString(name);
  a.WriteString(wkn);
  a.WriteInt32(state);
  a.WriteInt32(costEur);
  a.WriteInt32(costDm);
  a.WriteInt32(proceedsEur);
  a.WriteInt32(proceedsDm);
  a.WriteInt32(dividendEur);
  a.WriteInt32(dividendDm);
  saleDate.Write(a);
  purchaseDate.Write(a);
}

void CKBXAktie::Read(ArchiveReader& a) {
  number = a.ReadInt32();
  saleCommissionCurrency = static_cast<Currency>(a.ReadByte());
  saleCommission = a.ReadInt32();
  salePriceCurrency = static_cast<Currency>(a.ReadByte());
  salePrice = a.ReadInt32();
  purchaseCommissionCurrency = static_cast<Currency>(a.ReadByte());
  purchaseCommission = a.ReadInt32();
  purchasePriceCurrency = static_cast<Currency>(a.ReadByte());
  purchasePrice = a.ReadInt32();
  quantityFraction = a.ReadInt32();
  quantityInteger = a.ReadInt32();
  purchaseNote = a.ReadString();
  saleNote = a.ReadString();
  name = a.ReadString();
  wkn = a.ReadString();
  state = a.ReadInt32();
  costEur = a.ReadInt32();
  costDm = a.ReadInt32();
  proceedsEur = a.ReadInt32();
  proceedsDm = a.ReadInt32();
  dividendEur = a.ReadInt32();
  dividendDm = a.ReadInt32();
  saleDate.Read(a);
  purchaseDate.Read(a);
}
