#include <gtest/gtest.h>

#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"
#include "model/KBXKonto.h"
#include "model/ModelClasses.h"
#include "tests/model/ModelTestUtil.h"
#include "tests/support/ByteDiff.h"

using namespace testutil;

namespace {

constexpr std::int32_t kDeposit = CKBXKontoTransaktion::kKapitaleinlage;

CKBXKonto DmAccount(std::uint32_t start, std::int32_t opening) {
  CKBXKonto k;
  EXPECT_TRUE(k.Initialise(CKBXDatum(start), false, opening));
  return k;
}

}  // namespace

TEST(KBXKonto, InitialiseOnce) {
  CKBXKonto k;
  ASSERT_TRUE(k.Initialise(CKBXDatum(100u), true, 5000));
  EXPECT_EQ(k.InitialCurrency(), kEur);
  EXPECT_TRUE(k.IsSwitched());
  EXPECT_EQ(k.SwitchDay(), CKBXDatum(100u));
  EXPECT_FALSE(k.Initialise(CKBXDatum(200u), false, 1));
  EXPECT_EQ(k.StartDay(), CKBXDatum(100u));
  EXPECT_FALSE(k.SwitchToEur(CKBXDatum(300u)));
  EXPECT_EQ(k.SwitchDay(), CKBXDatum(100u));
}

TEST(KBXKonto, EuroAccountNeverConverts) {
  CKBXKonto k;
  ASSERT_TRUE(k.Initialise(CKBXDatum(100u), true, 100001));
  k.BookMovement(CKBXDatum(150u), CKBXKontoTransaktion::kDividende, 333, kEur, "Dividende");
  EXPECT_EQ(k.BalanceOn(CKBXDatum(99u), kEur), 100001);
  EXPECT_EQ(k.BalanceOn(CKBXDatum(100u), kEur), 100001);
  EXPECT_EQ(k.BalanceOn(CKBXDatum(150u), kEur), 100334);
  EXPECT_EQ(k.BalanceOn(CKBXDatum(9000u), kEur), 100334);
  EXPECT_EQ(k.BalanceOn(CKBXDatum(150u), kDm), 196236);  // 1.003,34 EUR x 1,95583 = 1.962,3624 DM
  EXPECT_EQ(k.CapitalOn(CKBXDatum(150u), kEur), 100001);
}

TEST(KBXKonto, SwitchToEuroConvertsOnceOnTheSwitchDay) {
  CKBXKonto k = DmAccount(100, 100000);  // 1.000,00 DM
  k.BookMovement(CKBXDatum(110u), CKBXKontoTransaktion::kDividende, 101, kDm, "");
  ASSERT_TRUE(k.SwitchToEur(CKBXDatum(120u)));
  k.BookMovement(CKBXDatum(120u), CKBXKontoTransaktion::kDividende, 1000, kEur, "");
  k.BookMovement(CKBXDatum(130u), CKBXKontoTransaktion::kSteuern, -7, kEur, "");

  EXPECT_EQ(k.BalanceOn(CKBXDatum(119u), kDm), 100101);
  EXPECT_EQ(k.BalanceOn(CKBXDatum(119u), kEur), 51181);  // 1.001,01 DM / 1,95583 = 511,8083 EUR
  const std::int64_t converted = 51181;
  EXPECT_EQ(k.BalanceOn(CKBXDatum(120u), kEur), converted + 1000);
  EXPECT_EQ(k.BalanceOn(CKBXDatum(130u), kEur), converted + 993);
  // A DM query after the switch converts the euro balance back.
  EXPECT_EQ(k.BalanceOn(CKBXDatum(130u), kDm), 102043);  // 521,74 EUR x 1,95583 = 1.020,4347 DM
  EXPECT_EQ(k.CurrencyOn(CKBXDatum(119u)), kDm);
  EXPECT_EQ(k.CurrencyOn(CKBXDatum(120u)), kEur);
  EXPECT_EQ(k.CurrentCurrency(), kEur);
}

TEST(KBXKonto, BalanceAndCapital) {
  CKBXKonto k = DmAccount(100, 50000);
  // A buy before the start day raises the capital, not the balance, and books nothing.
  EXPECT_FALSE(k.BookSecurityTransaction(CKBXDatum(90u), 1, 10000, kDm, 500, kDm, "Kauf", "", true));
  EXPECT_TRUE(k.Transactions().empty());
  EXPECT_EQ(k.StartCapitalAdjustment(), (SplitAmount{0, 10500}));
  EXPECT_EQ(k.BalanceOn(CKBXDatum(100u), kDm), 50000);
  EXPECT_EQ(k.CapitalOn(CKBXDatum(100u), kDm), 60500);
  EXPECT_EQ(k.CapitalOn(CKBXDatum(50u), kDm), 60500);  // before the start day: the start day
  EXPECT_EQ(k.BalanceOn(CKBXDatum(50u), kDm), 50000);

  // A deposit raises both, a dividend only the balance.
  k.BookMovement(CKBXDatum(105u), kDeposit, 20000, kDm, "Einlage");
  k.BookMovement(CKBXDatum(106u), CKBXKontoTransaktion::kDividende, 300, kDm, "Dividende");
  k.BookMovement(CKBXDatum(107u), CKBXKontoTransaktion::kKapitalentnahme, -1000, kDm, "Entnahme");
  EXPECT_EQ(k.BalanceOn(CKBXDatum(105u), kDm), 70000);
  EXPECT_EQ(k.CapitalOn(CKBXDatum(105u), kDm), 80500);
  EXPECT_EQ(k.BalanceOn(CKBXDatum(106u), kDm), 70300);
  EXPECT_EQ(k.CapitalOn(CKBXDatum(106u), kDm), 80500);
  EXPECT_EQ(k.BalanceOn(CKBXDatum(107u), kDm), 69300);
  EXPECT_EQ(k.CapitalOn(CKBXDatum(400u), kDm), 79500);
  // Before the start: the opening balance, 500,00 DM / 1,95583 = 255,6459 EUR.
  EXPECT_EQ(k.BalanceOn(CKBXDatum(99u), kEur), 25565);
}

TEST(KBXKonto, SecurityTransactionAmounts) {
  CKBXKonto k = DmAccount(100, 0);
  k.SwitchToEur(CKBXDatum(200u));
  struct Case {
    std::uint32_t day;
    Currency price;
    Currency commission;
    bool buy;
    std::int64_t dm;
    std::int64_t eur;
  };
  // Amount 10000, commission 101; the DM period before day 200, the EUR period from it.
  // The part in the other currency is converted first, then the total (1 EUR = 1,95583 DM):
  // 1,01 EUR = 1,9754 DM -> 1,98; 100,00 EUR = 195,583 DM -> 195,58; 1,01 DM = 0,5164 EUR -> 0,52;
  // 100,00 DM = 51,1292 EUR -> 51,13.
  const Case cases[] = {
      {150, kDm, kDm, true, -10101, -5165},     // 101,01 DM = 51,6456 EUR
      {150, kDm, kEur, true, -10198, -5214},    // 100,00 + 1,98 = 101,98 DM = 52,1415 EUR
      {150, kEur, kDm, true, -19659, -10051},   // 195,58 + 1,01 = 196,59 DM = 100,5149 EUR
      {150, kEur, kEur, false, 19361, 9899},    // 98,99 EUR = 193,6076 DM; 193,61 DM = 98,9912 EUR
      {200, kEur, kEur, true, -19756, -10101},  // 101,01 EUR = 197,5584 DM
      {200, kEur, kDm, true, -19660, -10052},   // 100,00 + 0,52 = 100,52 EUR = 196,6000 DM
      {200, kDm, kDm, false, 9898, 5061},       // 98,99 DM = 50,6128 EUR; 50,61 EUR = 98,9846 DM
      {200, kDm, kEur, true, -10198, -5214},    // 51,13 + 1,01 = 52,14 EUR = 101,9770 DM
  };
  for (const Case& c : cases) {
    CKBXKonto account = DmAccount(100, 0);
    account.SwitchToEur(CKBXDatum(200u));
    ASSERT_TRUE(account.BookSecurityTransaction(CKBXDatum(c.day), 4, 10000, c.price, 101, c.commission,
                                                "Kauf", c.buy ? "Notiz" : "", c.buy));
    const auto& t = *account.Transactions().front();
    EXPECT_EQ(t.amountDm, c.dm) << c.day << c.price << c.commission;
    EXPECT_EQ(t.amountEur, c.eur) << c.day << c.price << c.commission;
    EXPECT_EQ(t.kind, c.buy ? 1 : 2);
    EXPECT_EQ(t.positionNumber, 4);
    EXPECT_EQ(t.text, c.buy ? "Kauf: Notiz" : "Kauf");
  }
}

TEST(KBXKonto, ARebateIsMoneyInAsInThePositionsSums) {
  CKBXKonto k = DmAccount(100, 0);
  // Buy of 5,00 with a rebate of 1,00: 4,00 out; sale of 12,00 with 0,50 back: 12,50 in.
  k.BookSecurityTransaction(CKBXDatum(150u), 1, 500, kDm, -100, kDm, "Kauf", "", true);
  k.BookSecurityTransaction(CKBXDatum(151u), 1, 1200, kDm, -50, kDm, "Verkauf", "", false);
  EXPECT_EQ(k.Transactions()[0]->amountDm, -400);
  EXPECT_EQ(k.Transactions()[1]->amountDm, 1250);
  // Before the start day the adjustment grows by the cost: value less the rebate.
  k.BookSecurityTransaction(CKBXDatum(50u), 2, 500, kEur, -100, kDm, "Kauf", "", true);
  EXPECT_EQ(k.StartCapitalAdjustment(), (SplitAmount{500, -100}));
}

TEST(KBXKonto, PlannedBookingsShowWhatWouldNotFit) {
  CKBXKonto k = DmAccount(100, 0);
  k.SwitchToEur(CKBXDatum(200u));
  // 15.000.000,00 DM fit in DM and in EUR; 15.000.000,00 EUR do not fit in DM.
  EXPECT_TRUE(FitsStored(CKBXKonto::MovementAmounts(1'500'000'000, kDm)));
  EXPECT_FALSE(FitsStored(CKBXKonto::MovementAmounts(1'500'000'000, kEur)));
  // 20.000.000,00 DM fit in either period; 20.000.000,00 EUR do not, for the DM amount beside them.
  EXPECT_TRUE(k.PlanSecurityTransaction(CKBXDatum(150u), 2'000'000'000, kDm, 0, kDm, true).Fits());
  EXPECT_TRUE(k.PlanSecurityTransaction(CKBXDatum(250u), 2'000'000'000, kDm, 0, kDm, true).Fits());
  EXPECT_FALSE(k.PlanSecurityTransaction(CKBXDatum(250u), 2'000'000'000, kEur, 0, kEur, true).Fits());
  // The value and a large commission together leave the range even when each fits.
  EXPECT_FALSE(k.PlanSecurityTransaction(CKBXDatum(150u), 2'000'000'000, kDm, 200'000'000, kDm, true).Fits());
  // Before the start day the sum is the adjustment so far plus this trade.
  for (int i = 0; i < 2; ++i)
    k.BookSecurityTransaction(CKBXDatum(50u), 1, 1'000'000'000, kEur, 0, kEur, "", "", true);
  const CKBXKonto::SecurityBooking third =
      k.PlanSecurityTransaction(CKBXDatum(50u), 1'000'000'000, kEur, 0, kEur, true);
  EXPECT_TRUE(third.beforeStart);
  EXPECT_EQ(third.stored.eur, 3'000'000'000);
  EXPECT_FALSE(third.Fits());
}

TEST(KBXKonto, SameDayTransactionsKeepBookingOrder) {
  CKBXKonto k = DmAccount(100, 0);
  k.BookMovement(CKBXDatum(110u), kDeposit, 1, kDm, "erste");
  k.BookMovement(CKBXDatum(105u), kDeposit, 2, kDm, "frueher");
  k.BookMovement(CKBXDatum(110u), kDeposit, 3, kDm, "zweite");
  k.BookMovement(CKBXDatum(110u), kDeposit, 4, kDm, "dritte");
  std::vector<std::string> texts;
  for (const auto& t : k.Transactions()) texts.push_back(t->text);
  EXPECT_EQ(texts, (std::vector<std::string>{"frueher", "erste", "zweite", "dritte"}));
  EXPECT_EQ(k.LastBookingDay(), CKBXDatum(110u));
}

TEST(KBXKonto, KindNames) {
  EXPECT_EQ(CKBXKonto::KindName(1), "Kauf");
  EXPECT_EQ(CKBXKonto::KindName(14), "Ausschüttung");
  EXPECT_EQ(CKBXKonto::KindName(21), "Zinserträge (Haben-Zins)");
  EXPECT_EQ(CKBXKonto::KindName(25), "Depotgebühren");
  EXPECT_EQ(CKBXKonto::KindName(99), "");
}

TEST(KBXKonto, ArchiveBytes) {
  CKBXKonto k = DmAccount(10000, 123456);
  k.bankCode = "20010020";
  k.holder = "Jörg";
  k.address = "Weg 1\r\nOrt";
  k.accountNumber = "4711";
  k.SwitchToEur(CKBXDatum(11323u));
  k.BookSecurityTransaction(CKBXDatum(9000u), 1, 500, kEur, 0, kDm, "Kauf", "", true);
  k.BookMovement(CKBXDatum(10001u), 31, 1000, kDm, "Einlage");

  ArchiveWriter w;
  k.Write(w);
  Bytes e;
  I32(e, 1);       // switched
  Byte(e, 1);      // DM
  I32(e, 1);       // initialised
  I32(e, 123456);  // opening balance
  I32(e, 0);       // adjustment DM
  I32(e, 500);     // adjustment EUR
  Str(e, "20010020");
  Str(e, "J\xF6rg");
  Str(e, "Weg 1\r\nOrt");
  Str(e, "4711");
  I32(e, 10000);
  I32(e, 11323);
  U16(e, 1);
  NewClass(e, "CKBXKontoTransaktion");
  I32(e, -1);
  I32(e, 31);
  I32(e, 1000);
  I32(e, 511);
  Str(e, "Einlage");
  I32(e, 10001);
  EXPECT_TRUE(SameBytes(e, w.Bytes()));

  CKBXKonto back;
  ArchiveReader reader(w.Bytes(), ModelClassRegistry());
  back.Read(reader);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(back.holder, "Jörg");
  EXPECT_EQ(back.BalanceOn(CKBXDatum(10001u), kDm), 124456);
  EXPECT_EQ(back.LastBookingDay(), CKBXDatum(10001u));
  ArchiveWriter again;
  back.Write(again);
  EXPECT_TRUE(SameBytes(e, again.Bytes()));
}
