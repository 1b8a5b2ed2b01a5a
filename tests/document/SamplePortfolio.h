#pragma once
// A small but complete portfolio built through the document's changes: a DM account
// switched to euro, positions open and sold, prices, movements.

#include <memory>

#include "document/Changes.h"
#include "document/KapibuchDoc.h"
#include "platform/Clock.h"
#include "tests/model/ModelTestUtil.h"

namespace testutil {

inline platform::FixedClock& TestClock() {
  static platform::FixedClock clock(Day(8, 12, 2026).ToTime());
  return clock;
}

inline std::unique_ptr<CKBXAktie> MakePosition(const std::string& name, const std::string& wkn,
                                               CKBXDatum bought, std::int64_t quantity, std::int32_t price,
                                               Currency currency, std::int32_t commission) {
  auto p = std::make_unique<CKBXAktie>();
  p->name = name;
  p->wkn = wkn;
  p->purchaseDate = bought;
  p->SetQuantity(quantity);
  p->purchasePrice = price;
  p->purchasePriceCurrency = currency;
  p->purchaseCommission = commission;
  p->purchaseCommissionCurrency = currency;
  p->state = CKBXAktie::kOpen;
  SplitAmount cost;
  cost.Add(ShareValue(quantity, price), currency).Add(commission, currency);
  p->costEur = static_cast<std::int32_t>(cost.eur);
  p->costDm = static_cast<std::int32_t>(cost.dm);
  return p;
}

// Every booking goes through the changes the program's forms make, in the order a user
// would type them: the file is one the program can produce.
inline std::unique_ptr<CKapibuchDoc> SamplePortfolio() {
  auto doc = std::make_unique<CKapibuchDoc>(TestClock());
  NewFileData data;
  data.holder = "Jörg Müller";
  data.address = "Hauptstraße 1\r\n12345 Öhringen";
  data.depotNumber = "4711";
  data.accountNumber = "987654";
  data.bankCode = "20010020";
  data.startDay = Day(1, 1, 1999);
  data.openingBalance = 1000000;  // 10.000,00 DM
  data.currency = kDm;
  doc->SetupNew(data);

  auto buy = [&](const char* name, const char* wkn, CKBXDatum d, std::int32_t shares, std::int32_t price,
                 Currency c, std::int32_t commission) {
    doc->Apply(BuyChange({name, wkn, d, shares, 0, price, c, commission, c, ""}));
  };
  auto movement = [&](CKBXDatum d, std::int32_t kind, const char* kindName, std::int64_t amount, Currency c,
                      const char* text) {
    MovementChange::Terms terms;
    terms.date = d;
    terms.kind = kind;
    terms.kindName = kindName;
    terms.amount = amount;
    terms.currency = c;
    terms.text = text;
    doc->Apply(MovementChange(terms));
  };
  // Bought before the account began: the start capital is adjusted, the account books nothing.
  buy("Bayer AG", "575200", Day(5, 3, 1998), 10, 12000, kDm, 990);
  buy("Siemens AG", "723610", Day(5, 3, 1999), 20, 15000, kDm, 1500);
  movement(Day(1, 7, 1999), CKBXKontoTransaktion::kKapitaleinlage, "Kapitaleinlage", 500000, kDm, "Einlage");
  doc->Apply(CurrencySwitchChange(Day(1, 1, 2002)));
  doc->Apply(BuyChange({"Öko Fonds", "A0B1C2", Day(10, 6, 2002), 12, 5'000'000, 4550, kEur, 500, kEur, ""}));
  movement(Day(15, 5, 2003), CKBXKontoTransaktion::kDividende, "Dividenden-Gutschrift", 2500, kEur,
           "Dividende Siemens");
  // The Bayer position sold in 2003.
  const std::int32_t bayer = doc->Positions().front()->number;
  doc->Apply(
      SaleChange("Bayer AG", {{bayer, QuantityOf(10, 0)}}, {7000, kEur, 1000, kEur, Day(1, 8, 2003), ""}));

  doc->Apply(PriceChange("Kurse am 01.01.1999", {{"Bayer AG", "575200", Day(1, 1, 1999), 6000}}));
  doc->Apply(PriceChange("Kurse am 01.01.2003", {{"Bayer AG", "575200", Day(1, 1, 2003), 6500}}));
  doc->Apply(PriceChange("Kurse am 02.01.2001", {{"Siemens AG", "723610", Day(2, 1, 2001), 9000}}));
  doc->Apply(PriceChange("Kurse am 01.07.2002", {{"Öko Fonds", "A0B1C2", Day(1, 7, 2002), 4600}}));
  doc->SetModified(false);
  return doc;
}

}  // namespace testutil
