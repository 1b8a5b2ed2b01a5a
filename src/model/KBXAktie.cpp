#include "model/KBXAktie.h"

namespace {

void splitQuantity(std::int64_t quantity, std::int32_t& integerPart, std::int32_t& fraction) {
  integerPart = static_cast<std::int32_t>(quantity / kQuantityUnit);
  fraction = static_cast<std::int32_t>(quantity % kQuantityUnit);
}

}  // namespace

void CKBXAktie::SetQuantity(std::int64_t quantity) { splitQuantity(quantity, quantityInteger, quantityFraction); }

void CKBXAktie::SetWorkQuantity(std::int64_t quantity) { splitQuantity(quantity, workInteger, workFraction); }

bool CKBXAktie::IsHeldOn(CKBXDatum day) const {
  if (purchaseDate > day) return false;
  return state == kOpen || (state == kSold && saleDate > day);
}

std::int64_t CKBXAktie::AveragePurchaseCost(int currency) const {
  const Currency target = currency == kOwnCurrency ? purchasePriceCurrency : static_cast<Currency>(currency);
  return PerShareValue(Cost().valueIn(target), Quantity());
}

std::int64_t CKBXAktie::AverageSaleProceeds(int currency) const {
  const Currency target = currency == kOwnCurrency ? salePriceCurrency : static_cast<Currency>(currency);
  return PerShareValue(Proceeds().valueIn(target), Quantity());
}

void CKBXAktie::write(ArchiveWriter& a) const {
  a.writeInt32(number);
  a.writeByte(saleCommissionCurrency);
  a.writeInt32(saleCommission);
  a.writeByte(salePriceCurrency);
  a.writeInt32(salePrice);
  a.writeByte(purchaseCommissionCurrency);
  a.writeInt32(purchaseCommission);
  a.writeByte(purchasePriceCurrency);
  a.writeInt32(purchasePrice);
  a.writeInt32(quantityFraction);
  a.writeInt32(quantityInteger);
  a.writeString(purchaseNote);
  a.writeString(saleNote);
  a.writeString(name);
  a.writeString(wkn);
  a.writeInt32(state);
  a.writeInt32(costEur);
  a.writeInt32(costDm);
  a.writeInt32(proceedsEur);
  a.writeInt32(proceedsDm);
  a.writeInt32(dividendEur);
  a.writeInt32(dividendDm);
  saleDate.write(a);
  purchaseDate.write(a);
}

void CKBXAktie::read(ArchiveReader& a) {
  number = a.readInt32();
  saleCommissionCurrency = static_cast<Currency>(a.readByte());
  saleCommission = a.readInt32();
  salePriceCurrency = static_cast<Currency>(a.readByte());
  salePrice = a.readInt32();
  purchaseCommissionCurrency = static_cast<Currency>(a.readByte());
  purchaseCommission = a.readInt32();
  purchasePriceCurrency = static_cast<Currency>(a.readByte());
  purchasePrice = a.readInt32();
  quantityFraction = a.readInt32();
  quantityInteger = a.readInt32();
  purchaseNote = a.readString();
  saleNote = a.readString();
  name = a.readString();
  wkn = a.readString();
  state = a.readInt32();
  costEur = a.readInt32();
  costDm = a.readInt32();
  proceedsEur = a.readInt32();
  proceedsDm = a.readInt32();
  dividendEur = a.readInt32();
  dividendDm = a.readInt32();
  saleDate.read(a);
  purchaseDate.read(a);
}
