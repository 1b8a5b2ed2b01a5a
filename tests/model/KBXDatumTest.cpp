#include <gtest/gtest.h>

#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"
#include "model/KBXDatum.h"
#include "platform/Clock.h"

TEST(KBXDatum, DefaultIsTheEarliestValidDay) {
  CKBXDatum d;
  EXPECT_EQ(d.Day(), 1u);
  EXPECT_EQ(d.Format(), "02.01.1970");
}

TEST(KBXDatum, ValidityRules) {
  CKBXDatum d(4711u);
  EXPECT_FALSE(d.Set(1, 1, 1970));
  EXPECT_EQ(d.Day(), 4711u);  // a refused date keeps the old value
  ASSERT_TRUE(d.Set(2, 1, 1970));
  EXPECT_EQ(d.Day(), 1u);
  EXPECT_TRUE(d.Set(18, 1, 2038));
  EXPECT_FALSE(d.Set(19, 1, 2038));
  EXPECT_FALSE(d.Set(1, 2, 2038));
  EXPECT_FALSE(d.Set(1, 1, 2039));
  EXPECT_TRUE(d.Set(29, 2, 2000));
  EXPECT_FALSE(d.Set(29, 2, 1999));
  EXPECT_TRUE(d.Set(29, 2, 1996));
  EXPECT_FALSE(d.Set(31, 4, 1999));
  EXPECT_FALSE(d.Set(0, 5, 1999));
  EXPECT_FALSE(d.Set(1, 13, 1999));
  EXPECT_FALSE(d.Set(1, 0, 1999));
  EXPECT_FALSE(d.Set(31, 12, 1969));
  EXPECT_TRUE(d.Set(31, 12, 2037));
}

TEST(KBXDatum, DayNumbersAndTextForms) {
  CKBXDatum d;
  ASSERT_TRUE(d.Set(31, 12, 1999));
  EXPECT_EQ(d.Day(), 10956u);
  ASSERT_TRUE(d.Set(1, 1, 2000));
  EXPECT_EQ(d.Day(), 10957u);
  ASSERT_TRUE(d.Set(1, 1, 1971));
  EXPECT_EQ(d.Day(), 365u);
  ASSERT_TRUE(d.Set(5, 3, 1999));
  EXPECT_EQ(d.Format(), "05.03.1999");
  EXPECT_EQ(d.FormatShort(), "05.03.99");
  ASSERT_TRUE(d.Set(7, 11, 2005));
  EXPECT_EQ(d.FormatShort(), "07.11.05");
  EXPECT_EQ(CKBXDatum(10957u).Format(), "01.01.2000");
}

TEST(KBXDatum, SplitAndSetAreInverseOverTheWholeRange) {
  CKBXDatum last;
  ASSERT_TRUE(last.Set(18, 1, 2038));
  int previousDay = 1, previousMonth = 1, previousYear = 1970;
  for (std::uint32_t n = 1; n <= last.Day(); ++n) {
    int day = 0, month = 0, year = 0;
    CKBXDatum(n).Split(day, month, year);
    CKBXDatum back;
    ASSERT_TRUE(back.Set(day, month, year)) << n;
    ASSERT_EQ(back.Day(), n);
    // Consecutive numbers are consecutive calendar days.
    const bool nextDay = day == previousDay + 1 && month == previousMonth && year == previousYear;
    const bool nextMonth =
        day == 1 && (month == previousMonth + 1 || (month == 1 && year == previousYear + 1));
    ASSERT_TRUE(nextDay || nextMonth) << CKBXDatum(n).Format();
    previousDay = day;
    previousMonth = month;
    previousYear = year;
  }
}

TEST(KBXDatum, ComparesByDayNumber) {
  CKBXDatum a(100u), b(101u), c(100u);
  EXPECT_TRUE(a < b);
  EXPECT_TRUE(b > a);
  EXPECT_TRUE(a <= c);
  EXPECT_TRUE(a >= c);
  EXPECT_TRUE(a == c);
  EXPECT_TRUE(a != b);
}

TEST(KBXDatum, LocalTimeIsNoonOfTheDay) {
  CKBXDatum d;
  ASSERT_TRUE(d.Set(31, 3, 2002));  // a day in summer time in central Europe
  const std::time_t noon = d.ToTime();
  EXPECT_EQ(CKBXDatum::FromTime(noon), d);
  std::tm local{};
  ASSERT_NE(localtime_r(&noon, &local), nullptr);
  EXPECT_EQ(local.tm_mday, 31);
  EXPECT_EQ(local.tm_mon, 2);

  platform::FixedClock clock(noon + 11 * 3600);
  EXPECT_EQ(CKBXDatum::Today(clock), d);
}

TEST(KBXDatum, ParseDatum) {
  CKBXDatum d;
  ASSERT_TRUE(ParseDatum("05.03.1999", d));
  EXPECT_EQ(d.Format(), "05.03.1999");
  EXPECT_FALSE(ParseDatum("31.02.1999", d));
  EXPECT_FALSE(ParseDatum("05.03.1999x", d));
  EXPECT_FALSE(ParseDatum("heute", d));
  EXPECT_EQ(d.Format(), "05.03.1999");
}

TEST(KBXDatum, ArchiveFormIsTheDayNumber) {
  ArchiveWriter writer;
  CKBXDatum(0x01020304).Write(writer);
  EXPECT_EQ(writer.Bytes(), (std::vector<std::uint8_t>{0x04, 0x03, 0x02, 0x01}));
  ClassRegistry registry;
  ArchiveReader reader(writer.Bytes(), registry);
  CKBXDatum read;
  read.Read(reader);
  EXPECT_EQ(read.Day(), 0x01020304u);  // stored unchecked
}
