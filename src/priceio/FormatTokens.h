#pragma once
// What reading a format description and matching it share: tags compared without case and
// the kinds of field a tag stands for.

#include <cctype>
#include <string_view>

#include "priceio/FormatMatcher.h"

namespace priceio {

inline bool StartsWithNoCase(std::string_view text, std::string_view tag) {
  if (text.size() < tag.size()) return false;
  for (std::size_t i = 0; i < tag.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(text[i])) != tag[i]) return false;
  }
  return true;
}

// `upper` is written in capitals.
inline bool EqualsNoCase(std::string_view text, std::string_view upper) {
  return text.size() == upper.size() && StartsWithNoCase(text, upper);
}

inline bool IsField(Token t) {
  return t == Token::Text || t == Token::Date || t == Token::Price || t == Token::PriceEur ||
         t == Token::PriceDm || t == Token::Skip || t == Token::Symbol;
}

inline bool IsPrice(Token t) {
  return t == Token::Price || t == Token::PriceEur || t == Token::PriceDm;
}

}  // namespace priceio
