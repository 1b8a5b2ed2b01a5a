#include "priceio/ColumnSplit.h"

#include <cctype>

namespace priceio {

std::optional<std::size_t> ClosingQuote(std::string_view text, std::size_t open) {
  for (std::size_t q = open + 1; q < text.size(); ++q) {
    if (text[q] == '\n') return std::nullopt;
    if (text[q] != '"') continue;
    if (q + 1 < text.size() && text[q + 1] == '"') {
      ++q;
      continue;
    }
    return q;
  }
  return std::nullopt;
}

std::vector<std::string_view> SplitColumns(std::string_view line, char separator) {
  std::vector<std::string_view> cells;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == '"' &&
        (i == start || line.substr(start, i - start).find_first_not_of(' ') == std::string_view::npos)) {
      if (const auto close = ClosingQuote(line, i)) {
        i = *close + 1;
        continue;
      }
    }
    if (line[i] == separator) {
      cells.push_back(line.substr(start, i - start));
      // A run of blanks is one separator.
      while (separator == ' ' && i + 1 < line.size() && line[i + 1] == ' ') ++i;
      start = i + 1;
    }
    ++i;
  }
  cells.push_back(line.substr(start));
  return cells;
}

std::string_view CellValue(std::string_view cell) {
  while (!cell.empty() && (cell.front() == ' ' || cell.front() == '\t')) cell.remove_prefix(1);
  while (!cell.empty() && (cell.back() == ' ' || cell.back() == '\t' || cell.back() == '\r'))
    cell.remove_suffix(1);
  if (cell.size() >= 2 && cell.front() == '"' && cell.back() == '"') cell = cell.substr(1, cell.size() - 2);
  return cell;
}

std::string HeaderKey(std::string_view text) {
  std::string key;
  for (const char c : text) {
    if (c == ' ' || c == '\t' || c == '"' || c == '\r') continue;
    key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  // Upper-case umlauts of UTF-8 to lower case: Ä Ö Ü are C3 84/96/9C, ä ö ü C3 A4/B6/BC.
  for (std::size_t i = 0; i + 1 < key.size(); ++i) {
    if (key[i] == '\xC3' && (key[i + 1] == '\x84' || key[i + 1] == '\x96' || key[i + 1] == '\x9C'))
      key[i + 1] = static_cast<char>(key[i + 1] + 0x20);
  }
  return key;
}

bool SameHeader(std::string_view cell, std::string_view name) {
  return !name.empty() && HeaderKey(cell) == HeaderKey(name);
}

}  // namespace priceio
