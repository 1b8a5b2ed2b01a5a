#pragma once
// Byte strings compared in tests (files, serialized documents): on a mismatch the sizes,
// the first offset where they differ and 16 bytes around it from both, in hex. A plain
// EXPECT_EQ prints only the first 32 bytes of each, which are mostly the same.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace testutil {

// "  expected 0x000410: 00 11 [22] 33 ..." with the byte at `at` in brackets.
inline std::string HexRow(const char* label, const std::vector<std::uint8_t>& bytes, std::size_t from,
                          std::size_t at) {
  char text[32];
  std::snprintf(text, sizeof text, "  %-8s 0x%06zx:", label, from);
  std::string row = text;
  for (std::size_t i = from; i < from + 16 && i < bytes.size(); ++i) {
    std::snprintf(text, sizeof text, i == at ? " [%02x]" : " %02x", bytes[i]);
    row += text;
  }
  if (from + 16 > bytes.size()) row += " (end)";
  return row;
}

inline ::testing::AssertionResult SameBytes(const std::vector<std::uint8_t>& expected,
                                            const std::vector<std::uint8_t>& actual) {
  const auto differs = std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
  if (differs.first == expected.end() && differs.second == actual.end()) return ::testing::AssertionSuccess();
  const auto at = static_cast<std::size_t>(differs.first - expected.begin());
  const std::size_t from = at < 8 ? 0 : at - 8;
  char offset[64];
  std::snprintf(offset, sizeof offset, "first difference at offset 0x%zx (%zu)", at, at);
  return ::testing::AssertionFailure()
         << expected.size() << " bytes expected, " << actual.size() << " bytes actual; " << offset << ":\n"
         << HexRow("expected", expected, from, at) << "\n"
         << HexRow("actual", actual, from, at);
}

}  // namespace testutil
