#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "base/Money.h"

TEST(Money, RoundTenthRoundsHalfUpOnTheFirstDroppedDigit) {
  EXPECT_EQ(RoundTenth(0), 0u);
  EXPECT_EQ(RoundTenth(24), 2u);
  EXPECT_EQ(RoundTenth(25), 3u);
  EXPECT_EQ(RoundTenth(249), 25u);  // only one digit is looked at
  EXPECT_EQ(RoundTenth(std::numeric_limits<std::uint64_t>::max()), 1844674407370955162u);
}

TEST(Money, ConversionAtTheFixedRate) {
  EXPECT_EQ(DmToEur(195583), 100000);
  EXPECT_EQ(EurToDm(100000), 195583);
  EXPECT_EQ(DmToEur(1), 1);
  EXPECT_EQ(DmToEur(-1), -1);
  EXPECT_EQ(EurToDm(1), 2);
  EXPECT_EQ(DmToEur(100), 51);
  EXPECT_EQ(EurToDm(51), 100);
  // Back and forth need not return the start value.
  EXPECT_EQ(DmToEur(101), 52);
  EXPECT_EQ(EurToDm(52), 102);
  EXPECT_EQ(DmToEur(0), 0);
  EXPECT_EQ(EurToDm(-100000), -195583);
  // 12,50 DM is stored as 6,39 EUR.
  EXPECT_EQ(DmToEur(1250), 639);
  // Amounts past 32 bits do not wrap.
  EXPECT_EQ(EurToDm(std::int64_t{2'000'000'000}), 3'911'660'000);
  EXPECT_EQ(ConvertAmount(500, kEur, kEur), 500);
  EXPECT_EQ(ConvertAmount(195583, kDm, kEur), 100000);
}

TEST(Money, ShareValueTruncatesTowardsZero) {
  EXPECT_EQ(ShareValue(QuantityOf(0, 5'000'000), 101), 50);
  EXPECT_EQ(ShareValue(QuantityOf(0, 5'000'000), -101), -50);
  EXPECT_EQ(ShareValue(QuantityOf(100, 0), 1250), 125000);
  // A large holding at a large price stays exact.
  EXPECT_EQ(ShareValue(QuantityOf(2'000'000'000, 0), 2'000'000'000), 4'000'000'000'000'000'000);
}

TEST(Money, PerShareValues) {
  EXPECT_EQ(PerShareValue(1000, QuantityOf(3, 0)), 333);
  EXPECT_EQ(PerShareValue(2000, QuantityOf(3, 0)), 667);
  EXPECT_EQ(PerShareValue(-2000, QuantityOf(3, 0)), -667);
  EXPECT_EQ(PerShareValue(1000, 0), 0);
  const SplitAmount mixed{100, 195583};  // 1,00 EUR + 1.955,83 DM
  EXPECT_EQ(PerShareValue(mixed, QuantityOf(2, 0), false), 50050);
  EXPECT_EQ(PerShareValue(mixed, QuantityOf(1, 0), true), 195583 + 196);
  EXPECT_EQ(PerShareValue(mixed, 1, false), 100100);  // a divisor of 1: the converted sum
}

TEST(Money, ProratingAlwaysAddsUp) {
  const ProratedAmount a = Prorate(100, QuantityOf(1, 0), QuantityOf(3, 0));
  EXPECT_EQ(a.part, 33);
  EXPECT_EQ(a.rest, 67);
  const ProratedAmount b = Prorate(-100, QuantityOf(2, 0), QuantityOf(3, 0));
  EXPECT_EQ(b.part, -67);
  EXPECT_EQ(b.rest, -33);
  // 100,000 shares and 10 million cents overflow 64 bits in the intermediate product.
  const ProratedAmount big = Prorate(10'000'000, QuantityOf(30'000, 0), QuantityOf(100'000, 0));
  EXPECT_EQ(big.part, 3'000'000);
  EXPECT_EQ(big.rest, 7'000'000);
  for (std::int64_t amount : {1, 7, 99, 12345, -5, -999999}) {
    for (std::int64_t part = 1; part < 7; ++part) {
      const ProratedAmount p = Prorate(amount, QuantityOf(0, static_cast<std::int32_t>(part)), 7);
      EXPECT_EQ(p.part + p.rest, amount);
    }
  }
}

TEST(Money, SplitAmountValue) {
  SplitAmount sum;
  sum.Add(100, kEur).Add(195583, kDm);
  EXPECT_EQ(sum.ValueIn(kEur), 100100);
  EXPECT_EQ(sum.ValueIn(kDm), 195583 + 196);
}

TEST(Money, PercentComputations) {
  EXPECT_DOUBLE_EQ(ChangePercent(150, 100), 50.0);
  EXPECT_DOUBLE_EQ(ChangePercent(150, 0), 0.0);
  EXPECT_DOUBLE_EQ(SharePercent(1, 4), 25.0);
  EXPECT_DOUBLE_EQ(SharePercent(1, 0), 0.0);
}

TEST(MoneyText, GroupThousands) {
  EXPECT_EQ(GroupThousands(0), "0");
  EXPECT_EQ(GroupThousands(999), "999");
  EXPECT_EQ(GroupThousands(1000), "1.000");
  EXPECT_EQ(GroupThousands(1234567), "1.234.567");
  EXPECT_EQ(GroupThousands(-1001001), "-1.001.001");
  EXPECT_EQ(GroupThousands(0, true), "-0");
  EXPECT_EQ(GroupThousands(std::numeric_limits<std::int64_t>::min()), "-9.223.372.036.854.775.808");
}

TEST(MoneyText, FormatMoney) {
  EXPECT_EQ(FormatMoney(123456, kEur, kOwnCurrency, true), "1.234,56 EUR");
  EXPECT_EQ(FormatMoney(-5, kEur, kOwnCurrency, false), "-0,05");
  EXPECT_EQ(FormatMoney(-99, kEur, kOwnCurrency, true), "-0,99 EUR");
  EXPECT_EQ(FormatMoney(100000, kDm, kEur, true), "511,29 EUR");
  EXPECT_EQ(FormatMoney(100000, kEur, kDm, true), "1.955,83 DM");
  EXPECT_EQ(FormatMoney(1250, kDm, kOwnCurrency, true), "12,50 DM");
  EXPECT_EQ(FormatMoney(-123456789, kDm, kDm, false), "-1.234.567,89");
  EXPECT_EQ(FormatMoney(0, kEur, kEur, false), "0,00");
  EXPECT_EQ(FormatSignedMoney(150), "+1,50");
  EXPECT_EQ(FormatSignedMoney(-150), "-1,50");
  EXPECT_EQ(FormatSignedMoney(0), "0,00");
  EXPECT_EQ(FormatPerShare(SplitAmount{1000, 0}, QuantityOf(3, 0), false, true), "3,33 EUR");
  EXPECT_EQ(FormatPerShare(SplitAmount{1000, 0}, QuantityOf(3, 0), true, false), "6,52");
}

TEST(MoneyText, FormatQuantity) {
  EXPECT_EQ(FormatQuantity(3, 0, -1), "3");
  EXPECT_EQ(FormatQuantity(1, 5'000'000, -1), "1,5");
  EXPECT_EQ(FormatQuantity(2, 125, -1), "2,0000125");
  EXPECT_EQ(FormatQuantity(3, 1234567, 2), "3,12");
  EXPECT_EQ(FormatQuantity(3, 1234567, 0), "3");
  EXPECT_EQ(FormatQuantity(3, 1234567, -5), "3");
  EXPECT_EQ(FormatQuantity(3, 0, 3), "3,000");
  EXPECT_EQ(FormatQuantity(1234567, 1, 7), "1234567,0000001");
  EXPECT_EQ(QuantityDecimals(0), 0);
  EXPECT_EQ(QuantityDecimals(5'000'000), 1);
  EXPECT_EQ(QuantityDecimals(125), 7);
  EXPECT_EQ(QuantityDecimals(1'230'000), 3);
}

TEST(MoneyText, Percentages) {
  EXPECT_EQ(FormatChangePercent(150, 100, 2), "+50,00%");
  EXPECT_EQ(FormatChangePercent(50, 100, 2), "-50,00%");
  EXPECT_EQ(FormatChangePercent(5, 0, 2), "");
  EXPECT_EQ(FormatChangePercent(0, 0, 1), "+0,0%");
  EXPECT_EQ(FormatChangePercent(100, 100, 0), "+0%");
  EXPECT_EQ(FormatSignedPercent(-3.25, 1), "-3,2%");
  EXPECT_EQ(FormatSignedPercent(12.0, 1), "+12,0%");
  EXPECT_EQ(FormatPercent(12.346, 2), "12,35%");
  EXPECT_EQ(FormatSharePercent(1, 3, 3), "33,333%");
  EXPECT_EQ(FormatSharePercent(1, 0, 3), "");
  EXPECT_EQ(FormatSharePercent(0, 0, 1), "0,0%");
  EXPECT_EQ(FormatPercent(1e300, 2).substr(0, 5), "10000");
}

// Percentages are written as printf writes "%+.Nf" (exactly rounded, ties to even), with a
// decimal comma and a percent sign; amounts with grouped thousands. Compared with printf
// over values that hit rounding ties, signs of zero and the extremes.
TEST(MoneyText, TextsAgreeWithPrintfForAnyValue) {
  const auto printfPercent = [](double value, int decimals, bool withSign) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, withSign ? "%+.*f%%" : "%.*f%%", decimals, value);
    std::string text = buffer;
    for (char& c : text) {
      if (c == '.') c = ',';
    }
    return text;
  };
  std::vector<double> values = {0.0,
                                -0.0,
                                0.125,
                                -0.125,
                                0.005,
                                2.5,
                                -2.5,
                                0.0049999,
                                -0.001,
                                99.995,
                                1e-300,
                                5e-324,
                                1e300,
                                -1e300,
                                123.455,
                                0.375,
                                1.0 / 3,
                                2.0 / 3,
                                std::numeric_limits<double>::max()};
  std::mt19937_64 random(16);
  std::uniform_real_distribution<double> wide(-1e6, 1e6);
  for (int i = 0; i < 20000; ++i) {
    values.push_back(wide(random));
    // Values with few binary digits hit exact ties of the decimal rounding.
    values.push_back(static_cast<double>(static_cast<std::int64_t>(random() % 2000001) - 1000000) / 1024.0);
  }
  for (const double v : values) {
    for (const int decimals : {0, 1, 2, 3, 15}) {
      ASSERT_EQ(FormatSignedPercent(v, decimals), printfPercent(v, decimals, true)) << v;
      ASSERT_EQ(FormatPercent(v, decimals), printfPercent(v, decimals, false)) << v;
    }
  }
  EXPECT_EQ(FormatSignedPercent(std::nan(""), 1), "+nan%");
  EXPECT_EQ(FormatPercent(-std::numeric_limits<double>::infinity(), 1), "-inf%");

  const auto printfMoney = [](std::int64_t amount) {
    const std::uint64_t magnitude =
        amount < 0 ? 0 - static_cast<std::uint64_t>(amount) : static_cast<std::uint64_t>(amount);
    std::string digits = std::to_string(magnitude / 100);
    for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ".");
    char cents[8];
    std::snprintf(cents, sizeof cents, ",%02u", static_cast<unsigned>(magnitude % 100));
    return (amount < 0 ? "-" : "") + digits + cents;
  };
  std::vector<std::int64_t> amounts = {0,
                                       1,
                                       -1,
                                       99,
                                       -99,
                                       100,
                                       99999,
                                       100000,
                                       -100000,
                                       std::numeric_limits<std::int64_t>::max(),
                                       std::numeric_limits<std::int64_t>::min()};
  for (int i = 0; i < 20000; ++i) amounts.push_back(static_cast<std::int64_t>(random()) >> (random() % 63));
  for (const std::int64_t a : amounts) {
    ASSERT_EQ(FormatMoney(a, kEur, kOwnCurrency, false), printfMoney(a)) << a;
    ASSERT_EQ(FormatMoney(a, kDm, kOwnCurrency, true), printfMoney(a) + " DM") << a;
  }
}

TEST(MoneyText, FormatScaled) {
  EXPECT_EQ(FormatScaled(1234567, 100, true), "1.234,5");
  EXPECT_EQ(FormatScaled(1234567, 10, true), "1.234,56");
  EXPECT_EQ(FormatScaled(1234567, 1, true), "1.234,567");
  EXPECT_EQ(FormatScaled(1234567, 1000, true), "1.234");
  EXPECT_EQ(FormatScaled(-500, 100, true), "-0,5");
  EXPECT_EQ(FormatScaled(123456, 1, false), "1.234,56");
  EXPECT_EQ(FormatScaled(-5, 1, false), "-0,05");
  EXPECT_EQ(FormatScaled(123456789, 1000, false), "123.456");
  EXPECT_EQ(FormatScaled(-123456789, 1000, false), "-123.456");
}

TEST(MoneyParse, AcceptedAmounts) {
  struct Case {
    const char* text;
    std::int32_t amount;
    Currency currency;
  };
  const Case cases[] = {
      {"1.234,5 DM", 123450, kDm},
      {"12", 1200, kEur},
      {"-0,07EUR", -7, kEur},
      {"12,999", 1299, kEur},
      {"12,50 DM", 1250, kDm},
      {"3", 300, kEur},
      {"12,50DM", 1250, kDm},
      {"12 EUR.", 1200, kEur},
      {"0,5", 50, kEur},
      {"1.000.000", 100000000, kEur},
      {"21.474.836,47", 2147483647, kEur},
      {"12 ", 1200, kEur},
      {",5", 50, kEur},
  };
  for (const Case& c : cases) {
    std::int32_t amount = -1;
    Currency currency = kDm;
    EXPECT_TRUE(ParseMoney(c.text, amount, currency, true)) << c.text;
    EXPECT_EQ(amount, c.amount) << c.text;
    EXPECT_EQ(currency, c.currency) << c.text;
  }
  // Without the default flag the caller's currency stays unless the text names one.
  std::int32_t amount = 0;
  Currency currency = kDm;
  ASSERT_TRUE(ParseMoney("5", amount, currency, false));
  EXPECT_EQ(currency, kDm);
  ASSERT_TRUE(ParseMoney("5 EUR", amount, currency, false));
  EXPECT_EQ(currency, kEur);
}

TEST(MoneyParse, RefusedTextsChangeNothing) {
  for (const char* text : {"12 DM x",
                           "DM 12",
                           "1,2,3",
                           ",",
                           "",
                           "-",
                           "abc",
                           "12 3",
                           "1 ,5",
                           "12 D",
                           "12 EU",
                           "12 DMDM",
                           "12 DM 5",
                           "--1",
                           "1-",
                           "12 DM ",
                           "21.474.836,48",
                           "99999999999999999999",
                           "21474837",
                           "1e5"}) {
    std::int32_t amount = 4711;
    Currency currency = kDm;
    EXPECT_FALSE(ParseMoney(text, amount, currency, true)) << text;
    EXPECT_EQ(amount, 4711) << text;
    EXPECT_EQ(currency, kDm) << text;
  }
}

TEST(MoneyParse, Quantities) {
  std::string text = "2,50";
  std::int32_t integerPart = 0, fraction = 0;
  ASSERT_TRUE(ParseQuantity(text, integerPart, fraction));
  EXPECT_EQ(integerPart, 2);
  EXPECT_EQ(fraction, 5'000'000);
  EXPECT_EQ(text, "2,5");

  text = "1,123456789";  // digits past the seventh are ignored
  ASSERT_TRUE(ParseQuantity(text, integerPart, fraction));
  EXPECT_EQ(fraction, 1'234'567);
  EXPECT_EQ(text, "1,1234567");

  text = "007";
  ASSERT_TRUE(ParseQuantity(text, integerPart, fraction));
  EXPECT_EQ(text, "7");

  for (const char* bad : {"", ",", "1,2,3", "1.5", "-1", "2147483648", "99999999999999999999", "1 5"}) {
    std::string t = bad;
    integerPart = 11;
    fraction = 22;
    EXPECT_FALSE(ParseQuantity(t, integerPart, fraction)) << bad;
    EXPECT_EQ(t, bad);
    EXPECT_EQ(integerPart, 11);
    EXPECT_EQ(fraction, 22);
  }
}
