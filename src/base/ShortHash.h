#pragma once
// A short, stable name for a longer text (a file's full path): 32-bit FNV-1a as eight
// lower-case hex digits. Not for security; two texts sharing it are merely unlikely.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

inline std::string ShortHash(std::string_view text) {
  std::uint32_t hash = 2166136261u;
  for (const char c : text) {
    hash ^= static_cast<std::uint8_t>(c);
    hash *= 16777619u;
  }
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(hash));
  return hex;
}
