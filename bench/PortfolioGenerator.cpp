#include "bench/PortfolioGenerator.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {
// Names for small portfolios that a reader can tell apart.
const std::string kNames[] = {"Allianz Versicherung",
                              "BASF Chemie",
                              "Bayer AG",
                              "Commerzbank",
                              "Daimler Fahrzeuge",
                              "Deutsche Telekom",
                              "E.ON Energie",
                              "Fresenius Medical",
                              "Henkel KGaA",
                              "Infineon",
                              "Lufthansa",
                              "Münchener Rück",
                              "RWE",
                              "SAP Software",
                              "Siemens AG",
                              "ThyssenKrupp",
                              "Volkswagen Vz.",
                              "Öko Welt Fonds",
                              "Zukunft Rent",
                              "Schwäbische Werke"};
}  // namespace

std::unique_ptr<CKapibuchDoc> GeneratePortfolio(const platform::Clock& clock, const GeneratorSize& size) {
  std::mt19937 engine(20261208);
  const auto random = [&engine](std::uint64_t n) { return static_cast<std::int64_t>(engine() % n); };
  auto doc = std::make_unique<CKapibuchDoc>(clock);
  CKBXDatum start;
  start.Set(2, 1, 1995);
  const std::uint32_t first = start.Day();
  const std::uint32_t last = first + static_cast<std::uint32_t>(size.years * 365);

  NewFileData data;
  data.holder = "Erika Mustermann";
  data.address = "Musterweg 1\r\n12345 Musterstadt";
  data.depotNumber = "100200300";
  data.accountNumber = "4711";
  data.bankCode = "20010020";
  data.startDay = start;
  data.openingBalance = 50'000'000;
  data.currency = kDm;
  doc->SetupNew(data);
  CKBXDatum switchDay;
  switchDay.Set(1, 1, 2002);
  doc->Account().SwitchToEur(switchDay);

  // Securities with a random walk of prices on weekdays.
  struct Security {
    std::string name, wkn;
  };
  std::vector<Security> securities;
  for (int s = 0; s < size.securities; ++s) {
    securities.push_back(
        {"Wertpapier " + std::to_string(s) + (s % 7 == 0 ? " Öko" : " AG"), std::to_string(500000 + s * 37)});
    if (size.securities <= 40)
      securities.back().name = kNames[static_cast<std::size_t>(s) % std::size(kNames)] +
                               (s >= static_cast<int>(std::size(kNames)) ? " " + std::to_string(s) : "");
  }

  // Positions, bought in date order; prices come first so that purchases use them.
  std::vector<std::unique_ptr<CKBXAktie>> positions;
  for (int i = 0; i < size.positions; ++i) {
    auto p = std::make_unique<CKBXAktie>();
    const Security& s = securities[static_cast<std::size_t>(i % size.securities)];
    p->name = s.name;
    p->wkn = s.wkn;
    p->purchaseDate =
        CKBXDatum(first + static_cast<std::uint32_t>(random(std::max<std::uint32_t>(1, last - first - 400))));
    p->SetQuantity(QuantityOf(static_cast<std::int32_t>(10 + random(500)), i % 5 == 0 ? 5'000'000 : 0));
    p->state = CKBXAktie::kOpen;
    positions.push_back(std::move(p));
  }
  std::sort(positions.begin(), positions.end(),
            [](const auto& a, const auto& b) { return a->purchaseDate < b->purchaseDate; });

  for (auto& p : positions) {
    CKBXDatum day = p->purchaseDate;
    p->number = doc->IssuePositionNumber();
    p->purchasePriceCurrency = day < switchDay ? kDm : kEur;
    p->purchaseCommissionCurrency = p->purchasePriceCurrency;
    p->purchasePrice = static_cast<std::int32_t>(1000 + random(20000));
    p->purchaseCommission = static_cast<std::int32_t>(500 + random(3000));
    const std::int64_t value = ShareValue(p->Quantity(), p->purchasePrice);
    SplitAmount cost;
    cost.Add(value, p->purchasePriceCurrency).Add(p->purchaseCommission, p->purchasePriceCurrency);
    p->costEur = static_cast<std::int32_t>(cost.eur);
    p->costDm = static_cast<std::int32_t>(cost.dm);
    doc->Account().BookSecurityTransaction(day, p->number, value, p->purchasePriceCurrency,
                                           p->purchaseCommission, p->purchaseCommissionCurrency,
                                           "Kauf " + p->name, "", true);
    // About half of the positions are sold again.
    if (random(2) == 0) {
      const std::uint32_t held = 30 + static_cast<std::uint32_t>(random(3000));
      const std::uint32_t sale = std::min(day.Day() + held, last);
      p->state = CKBXAktie::kSold;
      p->saleDate = CKBXDatum(sale);
      p->salePriceCurrency = p->saleDate < switchDay ? kDm : kEur;
      p->saleCommissionCurrency = p->salePriceCurrency;
      p->salePrice = static_cast<std::int32_t>(1000 + random(20000));
      p->saleCommission = static_cast<std::int32_t>(500 + random(3000));
      const std::int64_t proceeds = ShareValue(p->Quantity(), p->salePrice);
      SplitAmount net;
      net.Add(proceeds, p->salePriceCurrency).Add(-p->saleCommission, p->saleCommissionCurrency);
      p->proceedsEur = static_cast<std::int32_t>(net.eur);
      p->proceedsDm = static_cast<std::int32_t>(net.dm);
      doc->Account().BookSecurityTransaction(p->saleDate, p->number, proceeds, p->salePriceCurrency,
                                             p->saleCommission, p->saleCommissionCurrency,
                                             "Verkauf " + p->name, "", false);
    }
    doc->AddPosition(std::move(p));
  }

  for (const Security& s : securities) {
    std::int64_t price = 1000 + random(20000);
    for (std::uint32_t d = first; d <= last; ++d) {
      if ((d + 4) % 7 >= 5) continue;  // no prices at weekends (1 January 1970 was a Thursday)
      price = std::max<std::int64_t>(10, price + static_cast<std::int64_t>(random(201)) - 100);
      doc->SetPrice(s.name, s.wkn, CKBXDatum(d), static_cast<std::int32_t>(price));
    }
  }

  static const std::int32_t kinds[] = {11, 12, 14, 21, 22, 25, 26, 27, 28, 29, 31, 32};
  std::vector<std::uint32_t> days;
  for (int i = 0; i < size.movements; ++i)
    days.push_back(first + static_cast<std::uint32_t>(random(last - first)));
  std::sort(days.begin(), days.end());
  for (std::uint32_t d : days) {
    const std::int32_t kind = kinds[static_cast<std::size_t>(random(std::size(kinds)))];
    std::int64_t amount = 100 + random(50000);
    if (kind == 22 || kind == 25 || kind == 26 || kind == 27 || kind == 29 || kind == 32) amount = -amount;
    const CKBXDatum day(d);
    doc->Account().BookMovement(day, kind, amount, doc->Account().CurrencyOn(day), CKBXKonto::KindName(kind));
  }
  doc->ClearSeriesCaches();
  return doc;
}
