#pragma once
// "Dateiformat erkennen": finds the shape of a price file (encoding, separator, header
// lines, date form, decimal mark, closing-price column) and writes the description that
// reads it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace priceio {

enum class Encoding { Utf8, Utf8WithBom, Windows1252 };

struct DetectedFormat {
  Encoding encoding = Encoding::Utf8;
  char separator = ';';  // ';' ',' '\t' '|' or ' '
  int headerLines = 0;
  int columns = 0;                  // the most common number of columns of a row
  std::vector<std::string> header;  // the column names (UTF-8), where a header line has them
  int dateColumn = 0;
  std::string dateForm;  // empty: TT.MM.JJJJ or JJJJ-MM-TT, else a form such as "MM/TT/JJ"
  // Both TT/MM and MM/TT fit every day of the file; TT/MM was taken.
  bool dateAmbiguous = false;
  int priceColumn = 1;
  bool decimalPoint = false;
  bool dm = false;
  bool moreColumns = false;  // some rows go on after the last column read
};

struct DetectOptions {
  std::string column;  // a column number from 1, or a header text; empty: the closing price
  bool dm = false;
};

struct Detection {
  std::optional<DetectedFormat> format;
  std::string error;  // why no format fits, when none does
};

Detection DetectFormat(std::string_view text, const DetectOptions& options);

// The description that reads a detected format.
std::string DescriptionFor(const DetectedFormat& format);

// The date forms offered besides the plain one, in the order the detection tries them.
const std::vector<std::string>& DateForms();

// The first rows of the file split into their columns (UTF-8, without quotes).
std::vector<std::vector<std::string>> PreviewRows(std::string_view text, const DetectedFormat& format,
                                                  std::size_t rows);

}  // namespace priceio
