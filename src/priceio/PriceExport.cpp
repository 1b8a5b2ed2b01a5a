#include "priceio/PriceExport.h"

#include "base/Cp1252.h"
#include "base/Money.h"
#include "model/KBXKursverlauf.h"

namespace priceio {

namespace {

std::string FileText(const std::string& utf8) {
  return Utf8ToCp1252(utf8).value_or(utf8);
}

}  // namespace

std::string ExportPrices(const CKBXKursverlauf& history, const ExportOptions& options) {
  const std::string separator = options.separator == "<TAB>" ? "\t" : FileText(options.separator);
  std::string out;
  if (options.withName) out += FileText(history.Name()) + "\r\n";
  if (options.withWkn) out += FileText(history.Wkn()) + "\r\n";
  for (const CKBXKurs& point : history.Points()) {
    out += point.Date().Format();
    out += separator;
    out += FormatMoney(point.Price(), kEur, kOwnCurrency, false);
    out += "\r\n";
  }
  return out;
}

}  // namespace priceio
