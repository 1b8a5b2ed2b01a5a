#include "forms/DateText.h"

#include <cctype>
#include <cstddef>
#include <vector>

namespace forms {

namespace {

bool AllDigits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

int Number(const std::string& digits) {
  int value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// Day, month and year as typed (the year with two or four digits, or none after "15.1." and
// "15.1"); false if unreadable.
bool SplitParts(const std::string& text, std::string& day, std::string& month, std::string& year) {
  if (text.find('.') == std::string::npos) {
    // Digits only: DDMMYYYY or DDMMYY.
    if (!AllDigits(text) || (text.size() != 8 && text.size() != 6)) return false;
    day = text.substr(0, 2);
    month = text.substr(2, 2);
    year = text.substr(4);
    return true;
  }
  std::vector<std::string> parts(1);
  for (char c : text) {
    if (c == '.') {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  if (parts.size() == 2) parts.emplace_back();  // "15.1"
  if (parts.size() != 3) return false;
  day = parts[0];
  month = parts[1];
  year = parts[2];
  const auto fits = [](const std::string& part, std::size_t a, std::size_t b) {
    return AllDigits(part) && (part.size() == a || part.size() == b);
  };
  return fits(day, 1, 2) && fits(month, 1, 2) && (year.empty() || fits(year, 2, 4));
}

int YearOf(CKBXDatum day) {
  int d = 0, m = 0, y = 0;
  day.Split(d, m, y);
  return y;
}

}  // namespace

CKBXDatum LastDay() {
  CKBXDatum last;
  last.Set(18, 1, 2038);
  return last;
}

DateReading ReadDate(const std::string& text, CKBXDatum earliest, CKBXDatum latest, CKBXDatum today) {
  std::string dayText, monthText, yearText;
  if (!SplitParts(Trimmed(text), dayText, monthText, yearText)) return {DateProblem::Unreadable, {}};
  const int day = Number(dayText);
  const int month = Number(monthText);
  int year = yearText.empty() ? YearOf(today) : Number(yearText);
  if (yearText.size() == 2) year += year >= 70 ? 1900 : 2000;
  if (month < 1 || month > 12 || day < 1 || day > CKBXDatum::DaysInMonth(month, year))
    return {DateProblem::NoSuchDay, {}};
  CKBXDatum result;
  if (!result.Set(day, month, year) || result < earliest || result > latest) {
    return {DateProblem::OutOfRange, {}};
  }
  return {DateProblem::None, result};
}

DateReading ReadDayAndMonth(const std::string& text, CKBXDatum today) {
  std::string dayText, monthText, yearText;
  if (!SplitParts(Trimmed(text), dayText, monthText, yearText) || !yearText.empty())
    return {DateProblem::Unreadable, {}};
  return ReadDate(text, CKBXDatum(1u), LastDay(), today);
}

std::string DateProblemMessage(DateProblem problem, CKBXDatum earliest, CKBXDatum latest) {
  switch (problem) {
    case DateProblem::None:
      return {};
    case DateProblem::OutOfRange:
      return "Bitte geben Sie ein Datum vom " + earliest.Format() + " bis zum " + latest.Format() + " ein!";
    case DateProblem::Unreadable:
    case DateProblem::NoSuchDay:
      break;
  }
  return "Bitte geben Sie ein gültiges Datum ein!";
}

}  // namespace forms
