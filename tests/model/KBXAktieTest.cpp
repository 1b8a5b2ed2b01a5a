#include <gtest/gtest.h>

#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"
#include "model/KBXAktie.h"
#include "model/ModelClasses.h"
#include "tests/model/ModelTestUtil.h"
#include "tests/support/ByteDiff.h"

using namespace testutil;

TEST(KBXAktie, HeldOnADay) {
  CKBXAktie p;
  p.purchaseDate = CKBXDatum(100u);
  EXPECT_FALSE(p.IsHeldOn(CKBXDatum(100u)));  // state 0 counts as neither open nor sold
  p.state = CKBXAktie::kOpen;
  EXPECT_FALSE(p.IsHeldOn(CKBXDatum(99u)));
  EXPECT_TRUE(p.IsHeldOn(CKBXDatum(100u)));
  EXPECT_TRUE(p.IsHeldOn(CKBXDatum(100000u)));
  p.state = CKBXAktie::kSold;
  p.saleDate = CKBXDatum(120u);
  EXPECT_TRUE(p.IsHeldOn(CKBXDatum(119u)));
  EXPECT_FALSE(p.IsHeldOn(CKBXDatum(120u)));
  p.saleDate = CKBXDatum(100u);  // bought and sold on the same day: never held
  for (std::uint32_t d = 95; d < 105; ++d) EXPECT_FALSE(p.IsHeldOn(CKBXDatum(d)));
}

TEST(KBXAktie, QuantityAndAverages) {
  CKBXAktie p;
  p.SetQuantity(QuantityOf(1, 5'000'000));
  EXPECT_EQ(p.quantityInteger, 1);
  EXPECT_EQ(p.quantityFraction, 5'000'000);
  EXPECT_EQ(p.Quantity(), 15'000'000);

  p.SetQuantity(QuantityOf(3, 0));
  p.costEur = 1000;
  p.purchasePriceCurrency = kEur;
  EXPECT_EQ(p.AveragePurchaseCost(), 333);
  EXPECT_EQ(p.AveragePurchaseCost(kDm), 652);  // 19,56 DM over 3 shares
  p.costEur = -1000;
  EXPECT_EQ(p.AveragePurchaseCost(), -333);

  p.proceedsDm = 195583;
  p.salePriceCurrency = kDm;
  EXPECT_EQ(p.AverageSaleProceeds(), 65194);
  EXPECT_EQ(p.AverageSaleProceeds(kEur), 33333);

  p.SetQuantity(0);  // a zero quantity answers 0
  EXPECT_EQ(p.AveragePurchaseCost(), 0);
  EXPECT_EQ(p.AverageSaleProceeds(), 0);
}

TEST(KBXAktie, ArchiveBytesInStoredOrder) {
  CKBXAktie p;
  p.number = 7;
  p.saleCommissionCurrency = kDm;
  p.saleCommission = 11;
  p.salePriceCurrency = kEur;
  p.salePrice = 12;
  p.purchaseCommissionCurrency = kDm;
  p.purchaseCommission = 990;
  p.purchasePriceCurrency = kDm;
  p.purchasePrice = 1250;
  p.SetQuantity(QuantityOf(100, 25));
  p.purchaseNote = "Kauf";
  p.saleNote = "";
  p.name = "Bäckerei AG";
  p.wkn = "BAK";
  p.state = CKBXAktie::kSold;
  p.costEur = 1;
  p.costDm = 126240;
  p.proceedsEur = 3;
  p.proceedsDm = 4;
  p.dividendEur = -5;
  p.dividendDm = 6;
  p.saleDate = CKBXDatum(11000u);
  p.purchaseDate = CKBXDatum(10000u);

  ArchiveWriter w;
  w.WriteObject(&p);
  Bytes e;
  NewClass(e, "CKBXAktie");
  I32(e, 7);
  Byte(e, 1);
  I32(e, 11);
  Byte(e, 0);
  I32(e, 12);
  Byte(e, 1);
  I32(e, 990);
  Byte(e, 1);
  I32(e, 1250);
  I32(e, 25);
  I32(e, 100);
  Str(e, "Kauf");
  Str(e, "");
  Str(e,
      "B\xE4"
      "ckerei AG");
  Str(e, "BAK");
  I32(e, 2);
  for (int v : {1, 126240, 3, 4, -5, 6}) I32(e, v);
  I32(e, 11000);
  I32(e, 10000);
  EXPECT_TRUE(SameBytes(e, w.Bytes()));

  ArchiveReader reader(w.Bytes(), ModelClassRegistry());
  auto object = reader.ReadObject(CKBXAktie::kClassName);
  auto* back = dynamic_cast<CKBXAktie*>(object.get());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->name, "Bäckerei AG");
  ArchiveWriter again;
  again.WriteObject(back);
  EXPECT_TRUE(SameBytes(e, again.Bytes()));
}
