#pragma once
// A calendar day without time of day: the number of days since 1 January 1970.
// Valid days run from 2 January 1970 to 18 January 2038.

#include <compare>
#include <cstdint>
#include <ctime>
#include <string>

class ArchiveWriter;
class ArchiveReader;
namespace platform {
class Clock;
}

class CKBXDatum {
 public:
  static constexpr const char* kClassName = "CKBXDatum";
  static constexpr std::uint16_t kSchema = 1;

  // The earliest valid day, 2 January 1970.
  CKBXDatum() = default;
  // Holds the number as given, unchecked.
  explicit CKBXDatum(std::uint32_t dayNumber) : m_day(dayNumber) {}
  // The local calendar day of an instant.
  static CKBXDatum FromTime(std::time_t instant);

  static CKBXDatum Today(const platform::Clock& clock);
  // Whether (day, month, year) is a valid day of the range.
  static bool IsValid(int day, int month, int year);

  // Stores the day if the date is valid; otherwise returns false and keeps the old day.
  bool Set(int day, int month, int year);
  bool SetFromTime(std::time_t instant);
  void Split(int& day, int& month, int& year) const;
  // Local time 12:00:00 of the day, daylight saving time taken as not in effect.
  std::time_t ToTime() const;

  std::string Format() const;       // 05.03.1999
  std::string FormatShort() const;  // 05.03.99

  std::uint32_t Day() const { return m_day; }
  void SetDay(std::uint32_t dayNumber) { m_day = dayNumber; }

  void Write(ArchiveWriter& archive) const;
  void Read(ArchiveReader& archive);

  friend bool operator==(const CKBXDatum&, const CKBXDatum&) = default;
  friend auto operator<=>(const CKBXDatum&, const CKBXDatum&) = default;

  static bool IsLeapYear(int year);
  static int DaysInMonth(int month, int year);
  static int DaysInYear(int year) { return IsLeapYear(year) ? 366 : 365; }

 private:
  std::uint32_t m_day = 1;
};

// Parses "DD.MM.YYYY" (also "D.M.YYYY") into a valid day.
bool ParseDatum(const std::string& text, CKBXDatum& result);
