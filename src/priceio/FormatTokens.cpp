// Reading a format description token by token: the tags, their arguments, and where a
// description is at fault.
#include "priceio/FormatTokens.h"

#include <algorithm>
#include <cctype>

#include "priceio/FormatMatcher.h"

namespace priceio {

namespace {

bool Skippable(unsigned char c) {
  return c <= 32 || c >= 128;
}

struct Tag {
  std::string_view text;
  Token token;
  char literal;
  bool withArgument;  // "<DATUM:" ... ">"
};

constexpr Tag kTags[] = {
    {"<TAB>", Token::Literal, '\t', false},
    {"<NZ>", Token::Literal, '\n', false},
    {"<LEER>", Token::Literal, ' ', false},
    {"<TEXT>", Token::Text, 0, false},
    {"<FELD>", Token::Skip, 0, false},
    {"<DATUM>", Token::Date, 0, false},
    {"<KURS>", Token::Price, 0, false},
    {"<KURS_EUR>", Token::PriceEur, 0, false},
    {"<KURS_DM>", Token::PriceDm, 0, false},
    {"<WIEDERHOLE:", Token::RepeatStart, 0, false},
    {"<DATUM:", Token::Date, 0, true},
    {"<KURS:", Token::Price, 0, true},
    {"<KURS_EUR:", Token::PriceEur, 0, true},
    {"<KURS_DM:", Token::PriceDm, 0, true},
    {"<SYMBOL:", Token::Symbol, 0, true},
    {"<SPALTE:", Token::Column, 0, true},
    {"<KOPFZEILEN:", Token::HeaderLines, 0, true},
};

// Whether the argument of a tag is one the tag can use.
bool ValidArgument(Token kind, std::string_view arg) {
  switch (kind) {
    case Token::Date:
      return ValidDateForm(arg);
    case Token::Price:
    case Token::PriceEur:
    case Token::PriceDm:
      return EqualsNoCase(arg, "PUNKT") || EqualsNoCase(arg, "KOMMA");
    case Token::HeaderLines:
      return !arg.empty() && arg.size() <= 6 &&
             std::all_of(arg.begin(), arg.end(), [](char c) { return c >= '0' && c <= '9'; });
    default:
      return !arg.empty();
  }
}

}  // namespace

std::string CFormatMatcher::FaultMessage() const {
  const std::string_view before = m_description.substr(0, std::min(m_errorPosition, m_description.size()));
  const std::size_t lineStart = before.rfind('\n') == std::string_view::npos ? 0 : before.rfind('\n') + 1;
  std::size_t column = 1;
  for (std::size_t i = lineStart; i < before.size(); ++i) {
    if ((static_cast<unsigned char>(before[i]) & 0xC0) != 0x80 && before[i] != '\r') ++column;
  }
  const auto line = static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n')) + 1;
  return "Fehler in der Formatbeschreibung! (Zeile " + std::to_string(line) + ", Zeichen " +
         std::to_string(column) + ")";
}

TokenRead CFormatMatcher::Fail(std::string_view at) {
  m_faulty = true;
  m_errorPosition = static_cast<std::size_t>(at.data() - m_description.data());
  if (m_prompter) m_prompter->Tell("Kapitalbuch", FaultMessage(), platform::Icon::Exclamation);
  return {Token::Error, 0, {}};
}

TokenRead CFormatMatcher::ReadToken(std::string_view& description, int depth, bool consume,
                                    bool checkTerminator) {
  // Blanks, line breaks and non-ASCII bytes between tokens are dropped, also on look-ahead.
  while (!description.empty() && Skippable(static_cast<unsigned char>(description.front()))) {
    description.remove_prefix(1);
  }
  if (description.empty()) return {};
  if (consume) m_tokenAt = static_cast<std::size_t>(description.data() - m_description.data());

  const char first = description.front();
  if (first != '<') {
    if (first == '>' && depth >= 1) {
      std::string_view after = description.substr(1);
      if (consume) description = after;
      if (checkTerminator) {
        std::string_view ahead = after;
        if (ReadToken(ahead, depth, false, false).kind != Token::End) return Fail(after);
      }
      return {Token::RepeatEnd, 0, {}};
    }
    if (first > 32 && first < 127 && first != '>') {
      if (consume) description.remove_prefix(1);
      return {Token::Literal, first, {}};
    }
    return Fail(description);
  }

  for (const Tag& tag : kTags) {
    if (!StartsWithNoCase(description, tag.text)) continue;
    if (tag.token == Token::RepeatStart && depth != 0) return Fail(description);
    std::string_view after = description.substr(tag.text.size());
    TokenRead read{tag.token, tag.literal, {}};
    if (tag.withArgument) {
      const std::size_t close = after.find('>');
      if (close == std::string_view::npos) return Fail(description);
      read.arg = after.substr(0, close);
      if (!ValidArgument(tag.token, read.arg)) return Fail(description);
      // A header block stands before the repeat group; a column names the field of a row.
      if ((tag.token == Token::HeaderLines && depth != 0) || (tag.token == Token::Column && depth == 0))
        return Fail(description);
      after.remove_prefix(close + 1);
    }
    if (consume) description = after;
    if (IsField(tag.token) && checkTerminator) {
      std::string_view ahead = after;
      if (ReadToken(ahead, depth, false, false).kind != Token::Literal) {
        return m_faulty ? TokenRead{Token::Error, 0, {}} : Fail(ahead);
      }
    }
    return read;
  }
  return Fail(description);
}

}  // namespace priceio
