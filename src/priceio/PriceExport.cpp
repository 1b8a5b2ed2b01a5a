#include "priceio/PriceExport.h"

#include "base/Cp1252.h"
#include "base/Money.h"

namespace priceio {

namespace {

std::string fileText(const std::string& utf8) { return Utf8ToCp1252(utf8).value_or(utf8); }

}  // namespace

std::string ExportPrices(const CKBXKursverlauf& history, const ExportOptions& options) {
  const std::string separator = options.separator == "<TAB>" ? "\t" : fileText(options.separator);
  std::string out;
  if (options.withName) out += fileText(history.name()) + "\r\n";
  if (options.withWkn) out += fileText(history.wkn()) + "\r\n";
  for (const CKBXKurs& point : history.points()) {
    out += point.date().Format();
    out += separator;
    out += FormatMoney(point.price(), kEur, kOwnCurrency, false);
    out += "\r\n";
  }
  return out;
}

}  // namespace priceio
