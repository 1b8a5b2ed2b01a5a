#pragma once
// Texts compared in tests (recordings, reports): on a mismatch the first line that differs,
// with its number, two lines before it and the lines from there on in both texts, so the
// reader sees what changed rather than two pages of text.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <sstream>
#include <string>
#include <vector>

namespace testutil {

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

inline ::testing::AssertionResult SameText(const std::string& expected, const std::string& actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  const std::vector<std::string> e = Lines(expected), a = Lines(actual);
  std::size_t at = 0;
  while (at < e.size() && at < a.size() && e[at] == a[at]) ++at;
  ::testing::AssertionResult failure = ::testing::AssertionFailure();
  failure << e.size() << " lines expected, " << a.size() << " lines actual; first difference in line "
          << at + 1 << (at == e.size() && at == a.size() ? " (at the end of a line or of the text)" : "")
          << ":\n";
  const std::size_t from = at < 2 ? 0 : at - 2;
  for (std::size_t i = from; i < at; ++i) failure << "    " << e[i] << "\n";
  for (std::size_t i = at; i < std::min(e.size(), at + 4); ++i) failure << "  - " << e[i] << "\n";
  for (std::size_t i = at; i < std::min(a.size(), at + 4); ++i) failure << "  + " << a[i] << "\n";
  return failure;
}

}  // namespace testutil
