#pragma once
// Helpers for assembling expected archive bytes by hand.

#include <cstdint>
#include <string>
#include <vector>

#include "model/KBXDatum.h"

namespace testutil {

using Bytes = std::vector<std::uint8_t>;

inline void I32(Bytes& b, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int s = 0; s < 32; s += 8) b.push_back(static_cast<std::uint8_t>((u >> s) & 0xFF));
}
inline void U16(Bytes& b, std::uint16_t v) {
  b.push_back(static_cast<std::uint8_t>(v & 0xFF));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void Byte(Bytes& b, std::uint8_t v) {
  b.push_back(v);
}
// A short string given in code page 1252.
inline void Str(Bytes& b, const std::string& cp1252) {
  b.push_back(static_cast<std::uint8_t>(cp1252.size()));
  b.insert(b.end(), cp1252.begin(), cp1252.end());
}
inline void NewClass(Bytes& b, const std::string& name) {
  U16(b, 0xFFFF);
  U16(b, 1);
  U16(b, static_cast<std::uint16_t>(name.size()));
  b.insert(b.end(), name.begin(), name.end());
}
inline CKBXDatum Day(int d, int m, int y) {
  CKBXDatum date;
  date.Set(d, m, y);
  return date;
}

}  // namespace testutil
