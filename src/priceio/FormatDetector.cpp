#include "priceio/FormatDetector.h"

#include <algorithm>
#include <array>
#include <map>

#include "base/Cp1252.h"
#include "priceio/ColumnSplit.h"
#include "priceio/ImportReport.h"
#include "priceio/PriceText.h"

namespace priceio {

namespace {

constexpr std::array<char, 5> kSeparators = {';', '\t', ',', '|', ' '};
constexpr std::size_t kSample = 400;  // rows looked at from the top and from the end

struct Line {
  std::size_t number;  // from 0
  std::string_view text;
};

std::vector<Line> NonBlankLines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t number = 0;
  for (std::size_t start = 0; start < text.size(); ++number) {
    const std::size_t nl = text.find('\n', start);
    std::string_view line =
        text.substr(start, nl == std::string_view::npos ? std::string_view::npos : nl - start);
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.find_first_not_of(" \t") != std::string_view::npos) lines.push_back({number, line});
    start = nl == std::string_view::npos ? text.size() : nl + 1;
  }
  return lines;
}

// The first and the last rows: enough to see the shape, quick on any file.
std::vector<Line> Sample(const std::vector<Line>& lines) {
  if (lines.size() <= 2 * kSample) return lines;
  std::vector<Line> sample(lines.begin(), lines.begin() + kSample);
  sample.insert(sample.end(), lines.end() - kSample, lines.end());
  return sample;
}

bool ReadsAsDate(std::string_view cell, const std::string& form) {
  CKBXDatum day;
  cell = CellValue(cell);
  return form.empty() ? ReadDate(cell, day) : ReadDateForm(cell, form, day);
}

bool Missing(std::string_view value) {
  return value.empty() || value == "null" || value == "N/A" || value == "n/a" || value == "." ||
         value == "-" || value == "NaN";
}

std::string_view Cell(const std::vector<std::string_view>& cells, int column) {
  return column < static_cast<int>(cells.size()) ? CellValue(cells[static_cast<std::size_t>(column)])
                                                 : std::string_view();
}

// The separator that splits the most rows into the same number (two or more) of columns;
// the earlier in kSeparators wins a tie.
std::pair<char, int> FindSeparator(const std::vector<Line>& sample) {
  char best = 0;
  int bestColumns = 0;
  std::size_t bestScore = 0;
  for (const char sep : kSeparators) {
    std::map<std::size_t, std::size_t> counts;
    for (const Line& l : sample) ++counts[SplitColumns(l.text, sep).size()];
    for (const auto& [columns, lines] : counts) {
      if (columns >= 2 && lines > bestScore) {
        best = sep;
        bestColumns = static_cast<int>(columns);
        bestScore = lines;
      }
    }
  }
  return {best, bestColumns};
}

// Votes of the cells for a decimal point (+) or a decimal comma (-).
int DecimalVote(std::string_view v) {
  const std::size_t point = v.rfind('.'), comma = v.rfind(',');
  if (point != std::string_view::npos && comma != std::string_view::npos) return point > comma ? 1 : -1;
  const std::size_t mark = point != std::string_view::npos ? point : comma;
  if (mark == std::string_view::npos) return 0;
  std::size_t digits = 0;
  while (mark + 1 + digits < v.size() && v[mark + 1 + digits] >= '0' && v[mark + 1 + digits] <= '9') ++digits;
  if (digits == 3 || digits == 0) return 0;  // "1.125" could be either
  return point != std::string_view::npos ? 1 : -1;
}

const char* const kCloseWords[] = {"close", "schluss", "schlusskurs", "kurs", "zuletzt", "rücknahmepreis"};

}  // namespace

const std::vector<std::string>& DateForms() {
  static const std::vector<std::string> forms = {"TT/MM/JJJJ", "MM/TT/JJJJ", "TT/MM/JJ", "MM/TT/JJ",
                                                 "JJJJ/MM/TT", "TT-MM-JJJJ", "JJJJMMTT"};
  return forms;
}

Detection DetectFormat(std::string_view text, const DetectOptions& options) {
  DetectedFormat f;
  f.dm = options.dm;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") {
    f.encoding = Encoding::Utf8WithBom;
    text.remove_prefix(3);
  } else if (!DecodeUtf8(text)) {
    f.encoding = Encoding::Windows1252;
  }
  const std::vector<Line> lines = NonBlankLines(text);
  const std::vector<Line> sample = Sample(lines);
  const auto found = FindSeparator(sample);
  const char separator = found.first;
  const int columns = found.second;
  if (separator == 0)
    return {std::nullopt, "Kein Dateiformat erkannt: Die Datei enthält keine Zeilen mit einem Datum."};
  f.separator = separator;
  f.columns = columns;
  std::vector<std::vector<std::string_view>> rows;
  for (const Line& l : sample) rows.push_back(SplitColumns(l.text, separator));

  // The date column and its form: the pair that reads the most rows.
  std::vector<std::string> forms = {""};
  forms.insert(forms.end(), DateForms().begin(), DateForms().end());
  std::size_t bestCount = 0;
  for (int c = 0; c < columns; ++c) {
    for (const std::string& form : forms) {
      const auto count = static_cast<std::size_t>(std::count_if(
          rows.begin(), rows.end(), [&](const auto& r) { return ReadsAsDate(Cell(r, c), form); }));
      if (count > bestCount) {
        bestCount = count;
        f.dateColumn = c;
        f.dateForm = form;
      }
    }
  }
  if (bestCount == 0)
    return {std::nullopt, "Kein Dateiformat erkannt: Die Datei enthält keine Zeilen mit einem Datum."};

  // Day and month both up to 12 in every row: either order fits, the day first is taken.
  if (f.dateForm.rfind("TT/MM", 0) == 0) {
    std::string swapped = f.dateForm;
    swapped.replace(0, 5, "MM/TT");
    f.dateAmbiguous = std::all_of(lines.begin(), lines.end(), [&](const Line& l) {
      const std::string_view cell = Cell(SplitColumns(l.text, separator), f.dateColumn);
      return ReadsAsDate(cell, f.dateForm) == ReadsAsDate(cell, swapped);
    });
  }

  // Header lines: all before the first row with a day. A day a portfolio cannot hold
  // (1968-12-31) still makes a row: the import skips and reports it.
  std::vector<std::vector<std::string_view>> data;
  std::vector<std::vector<std::string_view>> headers;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    auto cells = SplitColumns(lines[i].text, separator);
    if (LooksLikeDate(Cell(cells, f.dateColumn), f.dateForm)) {
      if (data.empty()) f.headerLines = static_cast<int>(lines[i].number);
      if (data.size() < 2 * kSample) data.push_back(std::move(cells));
    } else if (data.empty()) {
      headers.push_back(std::move(cells));
    }
  }
  for (const auto& h : headers) {
    if (static_cast<int>(h.size()) < 2) continue;
    f.header.clear();
    for (const std::string_view cell : h) f.header.push_back(LineAsUtf8(CellValue(cell)));
  }

  int votes = 0;
  for (const auto& r : data) {
    for (int c = 0; c < static_cast<int>(r.size()); ++c)
      if (c != f.dateColumn) votes += DecimalVote(Cell(r, c));
  }
  f.decimalPoint = votes > 0 || (votes == 0 && separator == ',');

  // Columns that read as prices, and those among them that mostly have decimals.
  int widest = 0;
  std::vector<int> prices, withDecimals;
  for (const auto& r : data) widest = std::max(widest, static_cast<int>(r.size()));
  for (int c = 0; c < widest; ++c) {
    if (c == f.dateColumn) continue;
    std::size_t ok = 0, bad = 0, decimals = 0;
    for (const auto& r : data) {
      const std::string_view v = Cell(r, c);
      if (Missing(v)) continue;
      if (ReadPrice(v, Token::PriceEur, f.decimalPoint).status == PriceReading::Ok) {
        ++ok;
        decimals += v.find(f.decimalPoint ? '.' : ',') != std::string_view::npos;
      } else {
        ++bad;
      }
    }
    if (ok == 0 || bad * 5 > ok) continue;
    prices.push_back(c);
    if (decimals * 2 >= ok) withDecimals.push_back(c);
  }

  // The closing price: a column asked for, a header that names it, else the last column of
  // prices (with decimals, where there are such).
  int chosen = -1;
  if (!options.column.empty()) {
    if (options.column.find_first_not_of("0123456789") == std::string::npos) {
      chosen = std::atoi(options.column.c_str()) - 1;
      if (chosen < 0 || chosen >= widest) chosen = -2;
    } else {
      for (const auto& h : headers)
        for (std::size_t i = 0; i < h.size() && chosen < 0; ++i)
          if (SameHeader(LineAsUtf8(CellValue(h[i])), options.column)) chosen = static_cast<int>(i);
      if (chosen < 0) chosen = -2;
    }
    if (chosen == -2)
      return {std::nullopt, "Die Spalte „" + options.column + "“ gibt es in der Datei nicht."};
  }
  for (int pass = 0; pass < 2 && chosen < 0; ++pass) {
    for (const auto& h : headers) {
      for (const int c : prices) {
        if (c >= static_cast<int>(h.size())) continue;
        const std::string key = HeaderKey(LineAsUtf8(CellValue(h[static_cast<std::size_t>(c)])));
        for (const char* word : kCloseWords) {
          const bool fits = pass == 0
                                ? key == word
                                : key.find(word) != std::string::npos && key.find("adj") == std::string::npos;
          if (fits && chosen < 0) chosen = c;
        }
      }
    }
  }
  if (chosen < 0 && !withDecimals.empty()) chosen = withDecimals.back();
  if (chosen < 0 && !prices.empty()) chosen = prices.back();
  if (chosen < 0 || chosen == f.dateColumn)
    return {std::nullopt, "Kein Dateiformat erkannt: Keine Spalte enthält Kurse."};
  f.priceColumn = chosen;
  const int last = std::max(f.dateColumn, f.priceColumn);
  f.moreColumns = std::any_of(data.begin(), data.end(),
                              [&](const auto& r) { return static_cast<int>(r.size()) > last + 1; });
  return {f, {}};
}

std::string DescriptionFor(const DetectedFormat& f) {
  std::string separator(1, f.separator);
  if (f.separator == '\t') separator = "<TAB>";
  if (f.separator == ' ') separator = "<LEER>";
  std::string row;
  const int last = std::max(f.dateColumn, f.priceColumn);
  for (int c = 0; c <= last; ++c) {
    if (c == f.dateColumn) {
      row += f.dateForm.empty() ? "<DATUM>" : "<DATUM:" + f.dateForm + ">";
    } else if (c == f.priceColumn) {
      row += std::string(f.dm ? "<KURS_DM" : "<KURS_EUR") + (f.decimalPoint ? ":PUNKT>" : ">");
    } else {
      row += "<FELD>";
    }
    if (c < last) row += separator;
  }
  if (f.moreColumns) row += separator + "<TEXT>";
  row += "<NZ>";
  std::string description;
  if (f.headerLines > 0) description += "<KOPFZEILEN:" + std::to_string(f.headerLines) + ">\r\n";
  return description + "<WIEDERHOLE:\r\n  " + row + "\r\n>";
}

std::vector<std::vector<std::string>> PreviewRows(std::string_view text, const DetectedFormat& format,
                                                  std::size_t rows) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::vector<std::vector<std::string>> out;
  std::size_t start = 0;
  while (start < text.size() && out.size() < rows) {
    const std::size_t nl = text.find('\n', start);
    std::string_view line =
        text.substr(start, nl == std::string_view::npos ? std::string_view::npos : nl - start);
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::vector<std::string> cells;
    for (const std::string_view cell : SplitColumns(line, format.separator))
      cells.push_back(LineAsUtf8(CellValue(cell)));
    out.push_back(std::move(cells));
    start = nl == std::string_view::npos ? text.size() : nl + 1;
  }
  return out;
}

}  // namespace priceio
