#pragma once
// A cursor that walks one price history along ascending days.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/KBXDatum.h"
#include "model/KBXKursverlauf.h"

// Walks one history along ascending days: the first day is searched for, each later step
// costs amortised constant time, instead of a search per day.
class PriceCursor {
 public:
  explicit PriceCursor(const CKBXKursverlauf* history) : m_history(history) {}
  // The price on or before the day; days must not decrease between calls.
  std::int32_t PriceOnOrBefore(std::uint32_t day);
  // The price of exactly that day, or -1; days must not decrease between calls.
  std::int32_t PriceOn(std::uint32_t day);

 private:
  // Moves past every point up to the day.
  void Advance(std::uint32_t day);

  const CKBXKursverlauf* m_history;
  std::size_t m_next = 0;  // the first point not yet passed
  bool m_started = false;
};
