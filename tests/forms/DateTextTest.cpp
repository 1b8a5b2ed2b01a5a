#include <gtest/gtest.h>

#include "forms/DateText.h"

using forms::DateProblem;

namespace {

CKBXDatum Day(int d, int m, int y) {
  CKBXDatum day;
  EXPECT_TRUE(day.Set(d, m, y));
  return day;
}

const CKBXDatum kEarliest = CKBXDatum(1u);
const CKBXDatum kLatest = forms::LastDay();

// Today, as the tests' clock gives it: 8 December 2026.
CKBXDatum Today() {
  return Day(8, 12, 2026);
}

forms::DateReading ReadDate(const std::string& text, CKBXDatum earliest, CKBXDatum latest) {
  return forms::ReadDate(text, earliest, latest, Today());
}

}  // namespace

TEST(DateText, TheWaysPeopleTypeADay) {
  for (const char* text :
       {"15.01.1999", "15.1.1999", "15.01.99", "15.1.99", "15011999", "150199", " 15.01.1999 "}) {
    const auto reading = ReadDate(text, kEarliest, kLatest);
    EXPECT_EQ(reading.problem, DateProblem::None) << text;
    EXPECT_EQ(reading.day, Day(15, 1, 1999)) << text;
  }
  EXPECT_EQ(ReadDate("5.3.04", kEarliest, kLatest).day, Day(5, 3, 2004));
  EXPECT_EQ(ReadDate("29.2.2000", kEarliest, kLatest).day, Day(29, 2, 2000));
}

TEST(DateText, TwoDigitYearsAreTheYearsAPortfolioCanHold) {
  EXPECT_EQ(ReadDate("02.01.70", kEarliest, kLatest).day, Day(2, 1, 1970));
  EXPECT_EQ(ReadDate("31.12.99", kEarliest, kLatest).day, Day(31, 12, 1999));
  EXPECT_EQ(ReadDate("01.01.00", kEarliest, kLatest).day, Day(1, 1, 2000));
  EXPECT_EQ(ReadDate("18.01.38", kEarliest, kLatest).day, Day(18, 1, 2038));
  // 2038 after the 18th, 2039 to 2069 and 1 January 1970 cannot be held: refused, not moved.
  for (const char* text : {"19.01.38", "01.01.39", "01.01.69", "01.01.70", "01.01.1969", "01.01.2040"})
    EXPECT_EQ(ReadDate(text, kEarliest, kLatest).problem, DateProblem::OutOfRange) << text;
}

TEST(DateText, ADayItsMonthDoesNotHaveIsNeverMoved) {
  for (const char* text : {"31.06.1999", "29.02.1999", "30.02.2000", "00.01.1999", "15.13.1999", "15.00.1999",
                           "31061999", "310699"}) {
    EXPECT_EQ(ReadDate(text, kEarliest, kLatest).problem, DateProblem::NoSuchDay) << text;
  }
}

TEST(DateText, WhatIsNoDateAtAll) {
  for (const char* text : {"", "   ", "heute", "15", "15.", ".01.", "15.01..", "15..", "..", "15..1999",
                           "15.01.1999.", "1501999", "15.01.199", "15/01/1999", "115.01.1999", "15.001.1999",
                           "-1.01.1999", "15.01.1999x", "1501199900"}) {
    EXPECT_EQ(ReadDate(text, kEarliest, kLatest).problem, DateProblem::Unreadable) << "'" << text << "'";
  }
}

TEST(DateText, TheFieldsRangeIsKeptAndNamedInTheMessage) {
  const CKBXDatum start = Day(1, 1, 1998), end = Day(31, 12, 2000);
  EXPECT_EQ(ReadDate("01.01.1998", start, end).problem, DateProblem::None);
  EXPECT_EQ(ReadDate("31.12.2000", start, end).problem, DateProblem::None);
  EXPECT_EQ(ReadDate("31.12.1997", start, end).problem, DateProblem::OutOfRange);
  EXPECT_EQ(ReadDate("01.01.2001", start, end).problem, DateProblem::OutOfRange);
  EXPECT_EQ(forms::DateProblemMessage(DateProblem::OutOfRange, start, end),
            "Bitte geben Sie ein Datum vom 01.01.1998 bis zum 31.12.2000 ein!");
  EXPECT_EQ(forms::DateProblemMessage(DateProblem::NoSuchDay, start, end),
            "Bitte geben Sie ein gültiges Datum ein!");
  EXPECT_EQ(forms::DateProblemMessage(DateProblem::Unreadable, start, end),
            "Bitte geben Sie ein gültiges Datum ein!");
  EXPECT_EQ(forms::DateProblemMessage(DateProblem::None, start, end), "");
}

// Day and month as Germans write them on a form: that day of the year of today.
TEST(DateText, DayAndMonthAloneAreInTheYearOfToday) {
  for (const char* text : {"5.1.", "5.1", "05.01.", "05.01", " 5.1. "}) {
    const auto reading = ReadDate(text, kEarliest, kLatest);
    EXPECT_EQ(reading.problem, DateProblem::None) << text;
    EXPECT_EQ(reading.day, Day(5, 1, 2026)) << text;
  }
  // The year is today's, whatever today is; 29 February only where that year has one.
  EXPECT_EQ(forms::ReadDate("29.2.", kEarliest, kLatest, Day(31, 12, 2000)).day, Day(29, 2, 2000));
  EXPECT_EQ(forms::ReadDate("29.2.", kEarliest, kLatest, Day(1, 1, 2001)).problem, DateProblem::NoSuchDay);
  EXPECT_EQ(ReadDate("31.6.", kEarliest, kLatest).problem, DateProblem::NoSuchDay);
  EXPECT_EQ(ReadDate("5.13", kEarliest, kLatest).problem, DateProblem::NoSuchDay);
  // The field's range holds for them as for any day.
  EXPECT_EQ(ReadDate("5.1.", Day(1, 2, 2026), kLatest).problem, DateProblem::OutOfRange);
  EXPECT_EQ(forms::ReadDate("19.1.", kEarliest, kLatest, Day(1, 1, 2038)).problem, DateProblem::OutOfRange);
  // Three digits, or a third dot with nothing between, are no day and month.
  for (const char* text : {"5.001", "005.1.", "5.1..", "5,1.", "5.1.x", "51."})
    EXPECT_EQ(ReadDate(text, kEarliest, kLatest).problem, DateProblem::Unreadable) << text;
}

// The command line reads only the short form through this; full dates are its own.
TEST(DateText, DayAndMonthOnlyForTheCommandLine) {
  EXPECT_EQ(forms::ReadDayAndMonth("5.1.", Today()).day, Day(5, 1, 2026));
  EXPECT_EQ(forms::ReadDayAndMonth("31.12", Today()).day, Day(31, 12, 2026));
  EXPECT_EQ(forms::ReadDayAndMonth("30.2.", Today()).problem, DateProblem::NoSuchDay);
  for (const char* text : {"05.01.2026", "5.1.26", "05012026", "", "5."})
    EXPECT_EQ(forms::ReadDayAndMonth(text, Today()).problem, DateProblem::Unreadable) << text;
}
