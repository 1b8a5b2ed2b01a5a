#pragma once
// A small but complete portfolio built through the document's operations: a DM account
// switched to euro, positions open and sold, prices, movements.

#include <memory>

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

  auto bought = [&](const char* name, const char* wkn, CKBXDatum d, std::int64_t qty, std::int32_t price,
                    Currency c, std::int32_t commission) {
    auto p = MakePosition(name, wkn, d, qty, price, c, commission);
    p->number = doc->IssuePositionNumber();
    doc->Account().BookSecurityTransaction(d, p->number, ShareValue(qty, price), c, commission, c,
                                           "Kauf " + p->name, "", true);
    doc->AddPosition(std::move(p));
  };
  bought("Bayer AG", "575200", Day(5, 3, 1998), QuantityOf(10, 0), 12000, kDm, 990);
  bought("Siemens AG", "723610", Day(5, 3, 1999), QuantityOf(20, 0), 15000, kDm, 1500);
  bought("Öko Fonds", "A0B1C2", Day(10, 6, 2002), QuantityOf(12, 5'000'000), 4550, kEur, 500);
  doc->Account().BookMovement(Day(1, 7, 1999), CKBXKontoTransaktion::kKapitaleinlage, 500000, kDm, "Einlage");
  doc->Account().SwitchToEur(Day(1, 1, 2002));
  doc->Account().BookMovement(Day(15, 5, 2003), CKBXKontoTransaktion::kDividende, 2500, kEur,
                              "Dividende Siemens");

  // Sell the Bayer position in 2003.
  CKBXAktie* bayer = doc->MutablePositions().front().get();
  bayer->state = CKBXAktie::kSold;
  bayer->saleDate = Day(1, 8, 2003);
  bayer->salePrice = 7000;
  bayer->salePriceCurrency = kEur;
  bayer->saleCommission = 1000;
  bayer->saleCommissionCurrency = kEur;
  bayer->proceedsEur = 69000;
  doc->Account().BookSecurityTransaction(bayer->saleDate, bayer->number, 70000, kEur, 1000, kEur, "Verkauf",
                                         "", false);

  doc->SetPrice("Bayer AG", "575200", Day(1, 1, 1999), 6000);
  doc->SetPrice("Bayer AG", "575200", Day(1, 1, 2003), 6500);
  doc->SetPrice("Siemens AG", "723610", Day(2, 1, 2001), 9000);
  doc->SetPrice("Öko Fonds", "A0B1C2", Day(1, 7, 2002), 4600);
  doc->ClearSeriesCaches();
  doc->SetModified(false);
  return doc;
}

}  // namespace testutil
