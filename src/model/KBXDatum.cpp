#include "model/KBXDatum.h"

#include <cstdio>

#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"
#include "platform/Clock.h"

bool CKBXDatum::IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int CKBXDatum::DaysInMonth(int month, int year) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool CKBXDatum::IsValid(int day, int month, int year) {
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(month, year)) return false;
  if (year < 1970) return false;
  if (year == 1970) return !(month == 1 && day == 1);
  if (year <= 2037) return true;
  return year == 2038 && month == 1 && day <= 18;
}

CKBXDatum CKBXDatum::FromTime(std::time_t instant) {
  CKBXDatum d;
  d.SetFromTime(instant);
  return d;
}

CKBXDatum CKBXDatum::Today(const platform::Clock& clock) {
  return FromTime(clock.Now());
}

bool CKBXDatum::Set(int day, int month, int year) {
  if (!IsValid(day, month, year)) return false;
  std::uint32_t n = static_cast<std::uint32_t>(day - 1);
  for (int m = 1; m < month; ++m) n += static_cast<std::uint32_t>(DaysInMonth(m, year));
  for (int y = 1970; y < year; ++y) n += static_cast<std::uint32_t>(DaysInYear(y));
  m_day = n;
  return true;
}

bool CKBXDatum::SetFromTime(std::time_t instant) {
  std::tm local{};
  if (!localtime_r(&instant, &local)) return false;
  return Set(local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
}

void CKBXDatum::Split(int& day, int& month, int& year) const {
  std::uint32_t n = m_day;
  year = 1970;
  while (n >= static_cast<std::uint32_t>(DaysInYear(year))) {
    n -= static_cast<std::uint32_t>(DaysInYear(year));
    ++year;
  }
  month = 1;
  while (n >= static_cast<std::uint32_t>(DaysInMonth(month, year))) {
    n -= static_cast<std::uint32_t>(DaysInMonth(month, year));
    ++month;
  }
  day = static_cast<int>(n) + 1;
}

std::time_t CKBXDatum::ToTime() const {
  int day = 0, month = 0, year = 0;
  Split(day, month, year);
  std::tm local{};
  local.tm_mday = day;
  local.tm_mon = month - 1;
  local.tm_year = year - 1900;
  local.tm_hour = 12;
  local.tm_isdst = 0;
  return std::mktime(&local);
}

std::string CKBXDatum::Format() const {
  int day = 0, month = 0, year = 0;
  Split(day, month, year);
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", day, month, year);
  return text;
}

std::string CKBXDatum::FormatShort() const {
  int day = 0, month = 0, year = 0;
  Split(day, month, year);
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%02d", day, month, year % 100);
  return text;
}

void CKBXDatum::Write(ArchiveWriter& archive) const {
  archive.WriteDword(m_day);
}

void CKBXDatum::Read(ArchiveReader& archive) {
  m_day = archive.ReadDword();
}

bool ParseDatum(const std::string& text, CKBXDatum& result) {
  int day = 0, month = 0, year = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%d.%d.%d%c", &day, &month, &year, &tail) != 3) return false;
  return result.Set(day, month, year);
}
