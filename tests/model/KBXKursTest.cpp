#include <gtest/gtest.h>

#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"
#include "base/Money.h"
#include "model/KBXKurs.h"
#include "model/KBXKursverlauf.h"
#include "model/ModelClasses.h"
#include "model/PriceCursor.h"
#include "tests/model/ModelTestUtil.h"
#include "tests/support/ByteDiff.h"

using namespace testutil;

namespace {

CKBXKursverlauf History(std::initializer_list<std::pair<std::uint32_t, std::int32_t>> points) {
  CKBXKursverlauf h("Aktie", "123456");
  for (const auto& [d, price] : points) h.SetPrice(CKBXDatum(d), price);
  return h;
}

}  // namespace

TEST(KBXKursverlauf, FindGivesTheIndexOrTheInsertionPoint) {
  const CKBXKursverlauf empty;
  EXPECT_FALSE(empty.Find(CKBXDatum(5u)).found);
  EXPECT_EQ(empty.Find(CKBXDatum(5u)).index, 0u);

  const CKBXKursverlauf h = History({{10, 1}, {20, 2}, {30, 3}, {40, 4}, {50, 5}});
  for (std::uint32_t d = 0; d <= 60; ++d) {
    const auto r = h.Find(CKBXDatum(d));
    EXPECT_EQ(r.found, d % 10 == 0 && d >= 10 && d <= 50) << d;
    const std::size_t expected = d <= 10 ? 0 : std::min<std::size_t>((d + 9) / 10 - 1, 5);
    EXPECT_EQ(r.index, expected) << d;
  }
}

TEST(KBXKursverlauf, PriceLookups) {
  const CKBXKursverlauf h = History({{100, 500}, {103, 510}, {110, 490}});
  EXPECT_EQ(h.PriceOnOrBefore(99), kNoPrice);
  EXPECT_EQ(h.PriceOnOrBefore(100), 500);
  EXPECT_EQ(h.PriceOnOrBefore(102), 500);
  EXPECT_EQ(h.PriceOnOrBefore(103), 510);
  EXPECT_EQ(h.PriceOnOrBefore(109), 510);
  EXPECT_EQ(h.PriceOnOrBefore(5000), 490);
  EXPECT_EQ(h.PriceOn(CKBXDatum(103u)), 510);
  EXPECT_EQ(h.PriceOn(CKBXDatum(104u)), kNoPrice);
  EXPECT_EQ(h.FirstPrice(), 500);
  EXPECT_EQ(CKBXKursverlauf().FirstPrice(), kNoPrice);
  EXPECT_EQ(CKBXKursverlauf().PriceOnOrBefore(100), kNoPrice);

  // The cursors answer like the searches along ascending days, whichever day they start on.
  for (std::uint32_t first = 90; first < 120; first += 3) {
    PriceCursor onOrBefore(&h), exact(&h);
    for (std::uint32_t d = first; d < 120; d += 1 + d % 2) {
      EXPECT_EQ(onOrBefore.PriceOnOrBefore(d), h.PriceOnOrBefore(d)) << first << " " << d;
      EXPECT_EQ(exact.PriceOn(d), h.PriceOn(CKBXDatum(d))) << first << " " << d;
    }
  }
  EXPECT_EQ(PriceCursor(nullptr).PriceOn(100), kNoPrice);
}

TEST(KBXKursverlauf, SetPriceReportsChanges) {
  CKBXKursverlauf h = History({{100, 500}});
  EXPECT_FALSE(h.SetPrice(CKBXDatum(100u), 500));  // same price: unchanged
  EXPECT_TRUE(h.SetPrice(CKBXDatum(100u), 501));
  EXPECT_EQ(h.PriceOn(CKBXDatum(100u)), 501);
  EXPECT_FALSE(h.SetPrice(CKBXDatum(101u), kNoPrice));  // nothing to remove
  EXPECT_TRUE(h.SetPrice(CKBXDatum(90u), 480));
  EXPECT_TRUE(h.SetPrice(CKBXDatum(95u), 490));
  ASSERT_EQ(h.Points().size(), 3u);
  EXPECT_EQ(h.Points()[1].Date().Day(), 95u);
  EXPECT_TRUE(h.SetPrice(CKBXDatum(95u), kNoPrice));
  EXPECT_EQ(h.Points().size(), 2u);
  EXPECT_EQ(h.PriceOn(CKBXDatum(95u)), kNoPrice);

  // A price typed in DM is stored in euro cents.
  std::int32_t amount = 0;
  Currency currency = kEur;
  ASSERT_TRUE(ParseMoney("12,50 DM", amount, currency));
  EXPECT_TRUE(h.SetPrice(CKBXDatum(200u), static_cast<std::int32_t>(ConvertAmount(amount, currency, kEur))));
  EXPECT_EQ(h.PriceOn(CKBXDatum(200u)), 639);
}

TEST(KBXKursverlauf, SplitAdjustsEarlierPricesOnly) {
  CKBXKursverlauf h = History({{100, 1001}, {101, 999}, {102, 1000}});
  h.AdjustForSplit(CKBXDatum(102u), 2.0);
  EXPECT_EQ(h.PriceOn(CKBXDatum(100u)), 501);  // 500,5 rounded half up
  EXPECT_EQ(h.PriceOn(CKBXDatum(101u)), 500);  // 499,5
  EXPECT_EQ(h.PriceOn(CKBXDatum(102u)), 1000);
  EXPECT_EQ(SplitAdjustedPrice(1000, 3.0), 333);
  EXPECT_EQ(SplitAdjustedPrice(1000, 0.5), 2000);
  EXPECT_EQ(SplitAdjustedPrice(1000, 0.0), 1000);  // no ratio, no change
}

TEST(KBXKursverlauf, ArchiveBytes) {
  CKBXKursverlauf h("Müller", "A1");
  h.SetPrice(CKBXDatum(10957u), 639);
  h.SetPrice(CKBXDatum(10958u), 700);
  ArchiveWriter w;
  w.WriteObject(&h);

  Bytes expected;
  NewClass(expected, "CKBXKursverlauf");  // class 1, history 2
  Str(expected, "M\xFCller");
  Str(expected, "A1");
  U16(expected, 2);
  NewClass(expected, "CKBXKurs");  // class 3, point 4
  I32(expected, 639);
  I32(expected, 10957);
  U16(expected, 0x8003);  // point 5
  I32(expected, 700);
  I32(expected, 10958);
  EXPECT_TRUE(SameBytes(expected, w.Bytes()));

  ArchiveReader reader(w.Bytes(), ModelClassRegistry());
  auto read = reader.ReadObject(CKBXKursverlauf::kClassName);
  auto* back = dynamic_cast<CKBXKursverlauf*>(read.get());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->Name(), "Müller");
  EXPECT_EQ(back->PriceOnOrBefore(20000), 700);
  ArchiveWriter again;
  again.WriteObject(back);
  EXPECT_TRUE(SameBytes(expected, again.Bytes()));
}

TEST(KBXKursverlauf, SecuritiesAreNameAndWknPairs) {
  const CKBXKursverlauf a("Bank AG", "111"), b("Bank AG", "222");
  EXPECT_TRUE(a.Is("Bank AG", "111"));
  EXPECT_FALSE(a.Is("Bank AG", "222"));
  EXPECT_FALSE(b.Is("bank ag", "222"));
}
