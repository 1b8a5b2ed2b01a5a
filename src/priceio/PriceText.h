#pragma once
// Reading the date and price fields of an imported price file.

#include <cstdint>
#include <string>
#include <string_view>

#include "model/KBXDatum.h"

namespace priceio {

enum class Token {
  End,
  Literal,
  Text,
  Date,
  Price,
  PriceEur,
  PriceDm,
  Skip,         // <FELD>: one field, whatever it holds
  Symbol,       // <SYMBOL:...>: a field that must hold a given text
  Column,       // <SPALTE:...>: the next field is taken from a named column
  HeaderLines,  // <KOPFZEILEN:n>
  RepeatStart,
  RepeatEnd,
  Error
};

// A day as "1.2.99", "01.02.1999" or "1999-02-01"; false when unreadable or outside the
// days a portfolio can hold. Two-digit years 70-99 are 19xx, 00-38 are 20xx.
bool ReadDate(std::string_view bytes, CKBXDatum& date);
// A day in an explicit form of TT (or T), MM (or M), JJ, JJJJ and separators, as in
// "MM/TT/JJ" or "JJJJMMTT". A component next to another one has its full width.
bool ReadDateForm(std::string_view bytes, std::string_view form, CKBXDatum& date);
// Whether the bytes have the shape of a day as ReadDate (an empty form) or ReadDateForm
// reads it, whether or not a portfolio can hold that day ("1968-12-31" has it).
bool LooksLikeDate(std::string_view bytes, std::string_view form);
// The form with day and month changing places ("MM/TT/JJ" for "TT/MM/JJ").
std::string SwappedDayAndMonth(std::string_view form);
// Whether a form is one ReadDateForm can read (a day, a month and a year, nothing else
// but separators).
bool ValidDateForm(std::string_view form);

struct PriceReading {
  enum Status { Ok, Empty, Unreadable } status = Unreadable;
  std::int32_t cents = 0;  // euro cents (DM converted)
  // Ok, but with a grouping mark and no decimal mark ("1.125"): the mark could have been
  // meant as a decimal mark.
  bool groupOnly = false;
  // Unreadable because a grouping mark stood where only a decimal mark can ("75.11"): the
  // file uses that mark for decimals.
  bool groupAsDecimal = false;
};

// A price field in euro cents. With a decimal comma "." groups thousands, with a decimal
// point ","; a grouping mark is followed by exactly three digits. A third decimal rounds
// half up. <KURS> needs an attached "DM" or "EUR"; <KURS_EUR> and <KURS_DM> pass over other
// bytes. A field of blanks only is Empty (it removes the day's price); one with no digit
// ("null", "N/A", ".", "-") is Unreadable.
PriceReading ReadPrice(std::string_view bytes, Token kind, bool decimalPoint = false);

}  // namespace priceio
