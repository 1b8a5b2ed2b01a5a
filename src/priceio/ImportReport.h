#pragma once
// What an import passed over, said the same way by the dialog and the command line.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/KBXKurs.h"

namespace priceio {

struct SkippedLine {
  std::size_t line = 0;  // counted from 1, header lines included
  std::string text;      // the line as UTF-8, without its line break
  bool implausible = false;
};

// "%d Zeilen übersprungen:" and up to ten "Zeile %d: „TEXT“" lines (TEXT cut at 60
// characters with "…", " (unplausibel)" behind an implausible price); nothing when no
// line was skipped.
std::vector<std::string> SkippedReport(const std::vector<SkippedLine>& skipped);

// A line of a file as UTF-8: kept when it is UTF-8 already, else read as Windows-1252.
std::string LineAsUtf8(std::string_view bytes);

// Whether a price lies more than 20 times above or below both its neighbours. Prices of
// the first and the last day have one neighbour; they count when that neighbour agrees
// with its own other neighbour.
std::vector<bool> ImplausiblePrices(const std::vector<CKBXKurs>& points);

}  // namespace priceio
