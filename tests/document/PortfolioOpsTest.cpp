#include <gtest/gtest.h>

#include "base/TextCompare.h"
#include "document/Changes.h"
#include "document/KapibuchDoc.h"
#include "tests/document/SamplePortfolio.h"

using namespace testutil;

namespace {

struct CountingObserver : DocumentObserver {
  int updates = 0;
  DocumentUpdate last;
  void OnDocumentUpdate(const DocumentUpdate& update) override {
    ++updates;
    last = update;
  }
};

std::unique_ptr<CKapibuchDoc> EuroPortfolio(CKBXDatum start) {
  auto doc = std::make_unique<CKapibuchDoc>(TestClock());
  NewFileData data;
  data.startDay = start;
  data.currency = kEur;
  doc->SetupNew(data);
  return doc;
}

std::vector<std::string> Names(const HistoryList& list) {
  std::vector<std::string> out;
  for (const auto* h : list) out.push_back(h->Name());
  return out;
}

}  // namespace

TEST(PortfolioOps, ValueSeries) {
  auto doc = EuroPortfolio(Day(1, 1, 2000));
  // Bought before the start day, in DM, never priced: counts from the start day at the
  // purchase price converted to euro.
  doc->AddPosition(MakePosition("Alt", "1", Day(1, 6, 1999), QuantityOf(10, 0), 1250, kDm, 0));
  EXPECT_EQ(doc->ValueOn(Day(1, 1, 2000)), 10 * 639);
  EXPECT_EQ(doc->ValueOn(Day(31, 12, 1999)), 10 * 639);  // before the start: the start day
  EXPECT_EQ(doc->ValueOn(Day(1, 1, 2010)), 10 * 639);

  // A price takes over from its day on.
  doc->SetPrice("Alt", "1", Day(1, 3, 2000), 700);
  EXPECT_EQ(doc->ValueOn(Day(29, 2, 2000)), 6390);
  EXPECT_EQ(doc->ValueOn(Day(1, 3, 2000)), 7000);

  // A sold position counts up to the day before its sale.
  auto sold = MakePosition("Neu", "2", Day(1, 2, 2000), QuantityOf(0, 5'000'000), 101, kEur, 0);
  sold->state = CKBXAktie::kSold;
  sold->saleDate = Day(10, 2, 2000);
  doc->AddPosition(std::move(sold));
  EXPECT_EQ(doc->ValueOn(Day(31, 1, 2000)), 6390);
  EXPECT_EQ(doc->ValueOn(Day(1, 2, 2000)), 6390 + 50);  // 0,5 shares at 1,01: 0,50
  EXPECT_EQ(doc->ValueOn(Day(9, 2, 2000)), 6390 + 50);
  EXPECT_EQ(doc->ValueOn(Day(10, 2, 2000)), 6390);

  // A day after the cached range rebuilds it.
  EXPECT_EQ(doc->ValueOn(Day(1, 2, 2000), Day(1, 2, 2000), Day(5, 2, 2000)), 6440);
  EXPECT_EQ(doc->ValueOn(Day(1, 1, 2030), Day(1, 2, 2000), Day(5, 2, 2000)), 7000);
}

TEST(PortfolioOps, InvestedSeries) {
  auto doc = EuroPortfolio(Day(1, 1, 2000));
  auto p = MakePosition("A", "1", Day(1, 2, 2000), QuantityOf(10, 0), 1250, kDm, 990);  // cost 13.490 DM
  p->state = CKBXAktie::kSold;
  p->saleDate = Day(1, 3, 2000);
  doc->AddPosition(std::move(p));
  doc->AddPosition(MakePosition("B", "2", Day(1, 2, 2000), QuantityOf(2, 0), 1000, kEur, 100));  // 21,00 EUR

  const CKBXDatum feb = Day(15, 2, 2000);
  // 21,00 EUR = 41,0724 DM; 134,90 DM = 68,9733 EUR; 125,00 DM = 63,9115 EUR; 20,00 EUR = 39,1166 DM.
  EXPECT_EQ(doc->InvestedOn(InvestedKind::PurchaseCost, kDm, feb), 17597);   // 134,90 + 41,07 DM
  EXPECT_EQ(doc->InvestedOn(InvestedKind::PurchaseCost, kEur, feb), 8997);   // 68,97 + 21,00 EUR
  EXPECT_EQ(doc->InvestedOn(InvestedKind::PurchaseValue, kEur, feb), 8391);  // 63,91 + 20,00 EUR
  EXPECT_EQ(doc->InvestedOn(InvestedKind::PurchaseValue, kDm, feb), 16412);  // 125,00 + 39,12 DM
  EXPECT_EQ(doc->InvestedOn(InvestedKind::PurchaseValue, kEur, Day(1, 3, 2000)), 2000);
  EXPECT_EQ(doc->InvestedOn(InvestedKind::PurchaseCost, kEur, Day(31, 1, 2000)), 0);
}

TEST(PortfolioOps, StockSplit) {
  auto doc = EuroPortfolio(Day(1, 1, 2000));
  doc->AddPosition(MakePosition("A", "1", Day(1, 2, 2000), QuantityOf(3, 0), 1001, kEur, 0));
  doc->AddPosition(MakePosition("A", "1", Day(1, 6, 2000), QuantityOf(5, 0), 999, kEur, 0));
  doc->AddPosition(MakePosition("B", "2", Day(1, 2, 2000), QuantityOf(5, 0), 999, kEur, 0));
  doc->SetPrice("A", "1", Day(1, 3, 2000), 1001);
  doc->SetPrice("A", "1", Day(1, 6, 2000), 500);
  const std::int32_t costBefore = doc->Positions()[0]->costEur;
  doc->SetModified(false);

  ASSERT_TRUE(doc->Apply(SplitChange("A", "1", Day(1, 6, 2000), 2.0)));
  EXPECT_TRUE(doc->IsModified());
  const auto& ps = doc->Positions();
  EXPECT_EQ(ps[0]->Quantity(), QuantityOf(6, 0));
  EXPECT_EQ(ps[0]->purchasePrice, 501);  // 500,5 rounded half up
  EXPECT_EQ(ps[0]->costEur, costBefore);
  EXPECT_EQ(ps[1]->name, "B");
  EXPECT_EQ(ps[1]->Quantity(), QuantityOf(5, 0));  // another security
  EXPECT_EQ(ps[2]->Quantity(), QuantityOf(5, 0));  // bought on the split day: unchanged
  EXPECT_EQ(ps[2]->purchasePrice, 999);
  EXPECT_EQ(doc->PriceOnOrBefore("A", "1", Day(1, 3, 2000)), 501);
  EXPECT_EQ(doc->PriceOnOrBefore("A", "1", Day(1, 6, 2000)), 500);
}

TEST(PortfolioOps, SplitsAreCheckedAgainstTheStoredRange) {
  // Whole shares are 32 bits: 2^31 - 1 shares are the most a position can hold.
  EXPECT_EQ(CKapibuchDoc::SplitQuantity(QuantityOf(1, 0), 2147483647.0), QuantityOf(2147483647, 0));
  EXPECT_FALSE(CKapibuchDoc::SplitQuantity(QuantityOf(1, 0), 2147483648.0).has_value());

  using Problem = CKapibuchDoc::SplitProblem;
  auto doc = EuroPortfolio(Day(1, 1, 2000));
  doc->AddPosition(MakePosition("A", "1", Day(1, 2, 2000), QuantityOf(1, 0), 1000, kEur, 0));
  doc->SetPrice("A", "1", Day(1, 3, 2000), 2'000'000'000);
  const CKBXDatum day = Day(1, 6, 2000);
  EXPECT_EQ(doc->CheckStockSplit("A", "1", day, 2.0), Problem::None);
  EXPECT_EQ(doc->CheckStockSplit("A", "1", day, 0.5), Problem::PriceTooLarge);  // the history's price
  EXPECT_EQ(doc->CheckStockSplit("A", "1", day, 1e-8), Problem::NoSharesLeft);
  EXPECT_EQ(doc->CheckStockSplit("A", "1", day, 3e9), Problem::QuantityTooLarge);
  // A sold position may end with no shares; prices on or after the split day stay.
  doc->MutablePositions()[0]->state = CKBXAktie::kSold;
  EXPECT_EQ(doc->CheckStockSplit("A", "1", day, 1e-8), Problem::PriceTooLarge);
  EXPECT_EQ(doc->CheckStockSplit("A", "1", Day(1, 3, 2000), 1e-5), Problem::None);
}

TEST(PortfolioOps, PositionsAndHistories) {
  auto doc = EuroPortfolio(Day(1, 1, 2000));
  CountingObserver observer;
  doc->AddObserver(&observer);
  doc->AddPosition(MakePosition("A", "1", Day(5, 2, 2000), QuantityOf(1, 0), 100, kEur, 0));
  doc->AddPosition(MakePosition("B", "2", Day(1, 2, 2000), QuantityOf(1, 0), 100, kEur, 0));
  doc->AddPosition(MakePosition("C", "3", Day(5, 2, 2000), QuantityOf(1, 0), 100, kEur, 0));
  doc->AddPosition(MakePosition("A", "9", Day(5, 2, 2000), QuantityOf(1, 0), 100, kEur, 0));
  std::vector<std::string> order;
  for (const auto& p : doc->Positions()) order.push_back(p->name + p->wkn);
  EXPECT_EQ(order, (std::vector<std::string>{"B2", "A1", "C3", "A9"}));
  // One history per (name, WKN/Kürzel), in order of first appearance.
  ASSERT_EQ(doc->Histories().size(), 4u);
  EXPECT_EQ(doc->Histories()[3]->Wkn(), "9");
  EXPECT_TRUE(doc->IsHeldOn("A", "9", Day(5, 2, 2000)));
  EXPECT_FALSE(doc->IsHeldOn("A", "9", Day(4, 2, 2000)));

  // A change is applied, marks the document modified and tells the views once; a change
  // that changes nothing does none of it.
  doc->SetModified(false);
  EXPECT_FALSE(
      doc->Apply(PriceChange("Kurse am 01.01.2001", {{"X", "1", Day(1, 1, 2001), 5}})));  // no history
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(observer.updates, 0);
  const PriceChange price("Kurse am 01.01.2001", {{"A", "1", Day(1, 1, 2001), 5}});
  EXPECT_TRUE(doc->Apply(price));
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(observer.updates, 1);
  EXPECT_EQ(observer.last.what, DocumentUpdate::What::Document);
  doc->SetModified(false);
  EXPECT_FALSE(doc->Apply(price));  // the same price again
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(observer.updates, 1);
  EXPECT_EQ(doc->FirstPrice("A", "1"), 5);
  EXPECT_EQ(doc->FirstPrice("B", "2"), kNoPrice);

  int frame = 0, other = 0;
  doc->UpdateAllViews(DocumentUpdate::OfWindow(&frame));
  EXPECT_EQ(observer.last.what, DocumentUpdate::What::WindowState);
  EXPECT_TRUE(observer.last.Concerns(&frame));
  EXPECT_FALSE(observer.last.Concerns(&other));
  doc->RemoveObserver(&observer);
  doc->Apply(PriceChange("Kurse am 02.01.2001", {{"A", "1", Day(2, 1, 2001), 6}}));
  EXPECT_EQ(observer.updates, 2);
}

TEST(PortfolioOps, SortedSecurityLists) {
  auto doc = EuroPortfolio(Day(1, 1, 2000));
  for (const char* name : {"zeta", "Äpfel AG", "apfel", "Bank", "Öl", "ober", "Apfel"}) {
    doc->AddPosition(
        MakePosition(name, std::string("W") + name, Day(1, 2, 2000), QuantityOf(1, 0), 100, kEur, 0));
  }
  auto sold = MakePosition("Verkauft", "V", Day(1, 2, 2000), QuantityOf(1, 0), 100, kEur, 0);
  sold->state = CKBXAktie::kSold;
  sold->saleDate = Day(3, 2, 2000);
  doc->AddPosition(std::move(sold));

  HistoryList all;
  doc->AllSecurities(all, true);
  // Case and umlauts do not separate; equal keys keep their order of insertion.
  EXPECT_EQ(Names(all), (std::vector<std::string>{"apfel", "Apfel", "Äpfel AG", "Bank", "ober", "Öl",
                                                  "Verkauft", "zeta"}));
  doc->AllSecurities(all, true);  // nothing twice
  EXPECT_EQ(all.size(), 8u);

  HistoryList held;
  doc->SecuritiesHeldOn(Day(3, 2, 2000), held, true);
  EXPECT_EQ(held.size(), 7u);  // sold on that day: no longer held
  held.clear();
  doc->SecuritiesHeldOn(Day(2, 2, 2000), held, false);
  EXPECT_EQ(held.size(), 8u);
  EXPECT_EQ(held.front()->Wkn(), "V");
  EXPECT_EQ(held[1]->Wkn(), "Wapfel");

  EXPECT_LT(CompareNoCase("Müller", "Mulzer"), 0);
  EXPECT_LT(CompareNoCase("Strasse", "Straße x"), 0);
  EXPECT_EQ(CompareNoCase("ABC", "ABC"), 0);
  EXPECT_GT(CompareNoCase("b", "A"), 0);
}

TEST(PortfolioOps, SampleAccountThroughTheSwitch) {
  auto doc = SamplePortfolio();
  const CKBXKonto& k = doc->Account();
  // Opening 10.000 DM; Siemens bought 05.03.1999 for 3.000 DM + 15 DM; deposit 5.000 DM.
  EXPECT_EQ(k.BalanceOn(Day(5, 3, 1999), kDm), 1000000 - 301500);
  EXPECT_EQ(k.BalanceOn(Day(1, 7, 1999), kDm), 1000000 - 301500 + 500000);
  EXPECT_EQ(k.CapitalOn(Day(1, 7, 1999), kDm), 1000000 + 500000 + 120990);  // Bayer bought before the start
  const std::int64_t switched = 612783;  // 11.985,00 DM / 1,95583 = 6.127,8332 EUR
  EXPECT_EQ(k.BalanceOn(Day(1, 1, 2002), kEur), switched);
  EXPECT_EQ(k.BalanceOn(Day(31, 12, 2001), kDm), 1000000 - 301500 + 500000);
}
