#pragma once
// Lines of a price file taken apart into columns, for named columns and the detection.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace priceio {

// The closing double quote of a field opened at `open` ("" inside stands for one quote);
// nothing when the line or the text ends first.
std::optional<std::size_t> ClosingQuote(std::string_view text, std::size_t open);

// The cells of one line (without its line break) between separators; a cell in double
// quotes may hold the separator. An empty line is one empty cell.
std::vector<std::string_view> SplitColumns(std::string_view line, char separator);

// A cell without its quotes and surrounding blanks.
std::string_view CellValue(std::string_view cell);

// Whether a header cell (UTF-8) names the column `name`: blanks, quotes and the case of
// letters do not count.
bool SameHeader(std::string_view cell, std::string_view name);
// A header text in lower case without blanks or quotes.
std::string HeaderKey(std::string_view text);

}  // namespace priceio
