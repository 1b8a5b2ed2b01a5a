#pragma once
// The text file of the price export: optional name and WKN/Kürzel lines, then one line
// per price, "DD.MM.YYYY", the separator, the price in euro ("1.234,56"); lines end \r\n.

#include <string>

#include "model/KBXKurs.h"
#include "model/KBXKursverlauf.h"

namespace priceio {

struct ExportOptions {
  bool withName = false;
  bool withWkn = false;
  // Written as typed; exactly "<TAB>" (upper case) stands for one tab character.
  std::string separator = "<TAB>";
};

// The bytes of the file (texts in code page 1252).
std::string ExportPrices(const CKBXKursverlauf& history, const ExportOptions& options);

}  // namespace priceio
