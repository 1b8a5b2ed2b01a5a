#pragma once
// Reading a day as people type it into a date field: "15.01.1999", "15.1.1999", "15.01.99",
// "15011999" or "150199", and day and month alone, "15.1." or "15.1", as that day of the
// current year (the year of today). Two-digit years 70-99 are 19xx, 00-69 are 20xx (of
// which only 2000-2038 are days a portfolio can hold). A day that its month does not have is
// never moved to another day: it is refused, as is a day outside the field's range.

#include <string>

#include "model/KBXDatum.h"

namespace forms {

// The last day a portfolio can hold, 18 January 2038.
CKBXDatum LastDay();

enum class DateProblem {
  None,        // a valid day within the range
  Unreadable,  // not a date at all (or empty)
  NoSuchDay,   // day or month that does not exist, such as 31.06.1999 or 15.13.1999
  OutOfRange,  // a real date, but before the earliest or after the latest day of the field
};

struct DateReading {
  DateProblem problem = DateProblem::Unreadable;
  CKBXDatum day;  // the day read; meaningful when problem is None
};

// Reads a typed date; leading and trailing blanks are ignored. Of today only the year counts:
// it is the year of a day typed without one.
DateReading ReadDate(const std::string& text, CKBXDatum earliest, CKBXDatum latest, CKBXDatum today);

// Reads day and month alone ("15.1." or "15.1") as that day of today's year, within the days a
// portfolio can hold; any other text is Unreadable.
DateReading ReadDayAndMonth(const std::string& text, CKBXDatum today);

// What a dialog tells the user about a refused date ("" when there is no problem).
std::string DateProblemMessage(DateProblem problem, CKBXDatum earliest, CKBXDatum latest);

}  // namespace forms
