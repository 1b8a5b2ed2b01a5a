// Random descriptions against random texts: the matcher must end, never crash, and keep
// its result a valid history (ascending days, no "no price" entries).
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/KBXKursverlauf.h"
#include "priceio/FormatMatcher.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first byte splits the input into description and text.
  if (size == 0) return 0;
  const std::size_t split = std::min<std::size_t>(data[0], size - 1);
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string_view description = rest.substr(0, split);
  const std::string_view text = rest.substr(split);
  CKBXKursverlauf result("x", "y");
  priceio::CFormatMatcher matcher(result, nullptr);
  matcher.Run(text, description);
  if (matcher.Faulty() && matcher.ErrorPosition() > description.size()) std::abort();
  const auto& points = result.Points();
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (points[i].Price() == kNoPrice) std::abort();
    if (i > 0 && !(points[i - 1].Date() < points[i].Date())) std::abort();
  }
  return 0;
}
