#include "priceio/FormatMatcher.h"

#include <cctype>
#include <limits>

#include "base/Money.h"
#include "model/KBXKursverlauf.h"

namespace priceio {

namespace {

bool Skippable(unsigned char c) {
  return c <= 32 || c >= 128;
}

bool StartsWithNoCase(std::string_view text, std::string_view tag) {
  if (text.size() < tag.size()) return false;
  for (std::size_t i = 0; i < tag.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(text[i])) != tag[i]) return false;
  }
  return true;
}

struct Tag {
  std::string_view text;
  Token token;
  char literal;
};

constexpr Tag kTags[] = {
    {"<TAB>", Token::Literal, '\t'},  {"<NZ>", Token::Literal, '\n'},
    {"<TEXT>", Token::Text, 0},       {"<DATUM>", Token::Date, 0},
    {"<KURS>", Token::Price, 0},      {"<KURS_EUR>", Token::PriceEur, 0},
    {"<KURS_DM>", Token::PriceDm, 0}, {"<WIEDERHOLE:", Token::RepeatStart, 0},
};

bool IsField(Token t) {
  return t == Token::Text || t == Token::Date || t == Token::Price || t == Token::PriceEur ||
         t == Token::PriceDm;
}

}  // namespace

const std::array<PredefinedDescription, 10>& PredefinedDescriptions() {
  static const std::array<PredefinedDescription, 10> list = {{
      {"Datum und Kurs in Euro (getrennt durch Tabulator)",
       "<WIEDERHOLE:\r\n    <DATUM> <TAB>\r\n    <KURS_EUR> <NZ>\r\n>"},
      {"Datum und Kurs in Euro (getrennt durch Semikolon)",
       "<WIEDERHOLE:\r\n    <DATUM> ;\r\n    <KURS_EUR> <NZ>\r\n>"},
      {"Datum und Kurs in Euro (in Anführungsz.; getr. d. Tabulator)",
       "<WIEDERHOLE:\r\n    \"<DATUM>\" <TAB>\r\n    \"<KURS_EUR>\" <NZ>\r\n>"},
      {"Datum und Kurs in Euro (in Anführungsz.; getr. d. Semikolon)",
       "<WIEDERHOLE:\r\n    \"<DATUM>\" ;\r\n    \"<KURS_EUR>\" <NZ>\r\n>"},
      {"Datum und Kurs in DM (getrennt durch Tabulator)",
       "<WIEDERHOLE:\r\n    <DATUM> <TAB>\r\n    <KURS_DM> <NZ>\r\n>"},
      {"Datum und Kurs in DM (getrennt durch Semikolon)",
       "<WIEDERHOLE:\r\n    <DATUM> ;\r\n    <KURS_DM> <NZ>\r\n>"},
      {"Datum und Kurs in DM (in Anführungsz.; getr. d. Tabulator)",
       "<WIEDERHOLE:\r\n    \"<DATUM>\" <TAB>\r\n    \"<KURS_DM>\" <NZ>\r\n>"},
      {"Datum und Kurs in DM (in Anführungsz.; getr. d. Semikolon)",
       "<WIEDERHOLE:\r\n    \"<DATUM>\" ;\r\n    \"<KURS_DM>\" <NZ>\r\n>"},
      {"Neuer Markt; neues Format (kursdaten.example.org)",
       "<TEXT><NZ> <NZ> <TEXT><NZ>\r\n<WIEDERHOLE:\r\n    \"<DATUM>\" ; \"<KURS_EUR>\"\r\n    <TEXT> "
       "<NZ>\r\n>"},
      {"Neuer Markt; altes Format (kursdaten.example.org)",
       "<TEXT><NZ> <TEXT><NZ>\r\n<TEXT><NZ>\r\n<WIEDERHOLE:\r\n    \"<DATUM>\" ; \"<TEXT>\" ;\r\n    "
       "\"<TEXT>\" ; "
       "\"<TEXT>\" ;\r\n    \"<KURS_DM>\" <TEXT> <NZ>\r\n>"},
  }};
  return list;
}

bool ReadDate(std::string_view bytes, CKBXDatum& date) {
  long parts[3] = {0, 0, 0};
  bool digits[3] = {false, false, false};
  int part = 0;
  for (const char c : bytes) {
    if (c == '.') {
      if (++part > 2) return false;
    } else if (c >= '0' && c <= '9') {
      if (parts[part] < 100000) parts[part] = parts[part] * 10 + (c - '0');
      digits[part] = true;
    } else {
      return false;
    }
  }
  if (part != 2 || !digits[0] || !digits[1] || !digits[2]) return false;
  long year = parts[2];
  if (year < 100) year += year < 50 ? 2000 : 1900;
  return date.Set(static_cast<int>(parts[0]), static_cast<int>(parts[1]), static_cast<int>(year));
}

bool ReadPrice(std::string_view bytes, Token kind, std::int32_t& price) {
  std::uint64_t value = 0;
  bool comma = false;
  int decimals = 0;
  bool anyDigit = false;
  bool dm = kind == Token::PriceDm;
  bool currencyKnown = kind != Token::Price;
  constexpr std::uint64_t limit = std::numeric_limits<std::int32_t>::max();
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '.') continue;
    if (c >= '0' && c <= '9') {
      anyDigit = true;
      const auto digit = static_cast<std::uint64_t>(c - '0');
      if (!comma) {
        value = value * 10 + digit;
        if (value > limit) return false;
      } else if (decimals < 2) {
        value += digit * (decimals == 0 ? 10 : 1);
        ++decimals;
      }
    } else if (c == ',' && !comma) {
      comma = true;
      value *= 100;
    } else if (kind == Token::Price) {
      const std::string_view rest = bytes.substr(i);
      if (rest.substr(0, 2) == "DM") {
        dm = true;
        currencyKnown = true;
      } else if (rest.substr(0, 3) == "EUR") {
        currencyKnown = true;
      }
      break;
    }
  }
  if (!currencyKnown) return false;
  if (!anyDigit) {
    price = kNoPrice;
    return true;
  }
  if (!comma) value *= 100;
  if (value > limit) return false;
  const std::int64_t euro = dm ? DmToEur(static_cast<std::int64_t>(value)) : static_cast<std::int64_t>(value);
  price = static_cast<std::int32_t>(euro);
  return true;
}

CFormatMatcher::CFormatMatcher(CKBXKursverlauf& result, platform::Prompter* prompter)
    : m_result(result), m_prompter(prompter) {}

Token CFormatMatcher::Fail(std::string_view at) {
  m_faulty = true;
  m_errorPosition = static_cast<std::size_t>(at.data() - m_description.data());
  if (m_prompter)
    m_prompter->Tell("Kapitalbuch", "Fehler in der Formatbeschreibung!", platform::Icon::Exclamation);
  return Token::Error;
}

Token CFormatMatcher::ReadToken(std::string_view& description, char& literal, int depth, bool consume,
                                bool checkTerminator) {
  literal = 0;
  // Blanks, line breaks and non-ASCII bytes between tokens are dropped, also on look-ahead.
  while (!description.empty() && Skippable(static_cast<unsigned char>(description.front()))) {
    description.remove_prefix(1);
  }
  if (description.empty()) return Token::End;

  const char first = description.front();
  if (first != '<') {
    if (first == '>' && depth >= 1) {
      std::string_view after = description.substr(1);
      if (consume) description = after;
      if (checkTerminator) {
        char ignored = 0;
        std::string_view ahead = after;
        if (ReadToken(ahead, ignored, depth, false, false) != Token::End) return Fail(after);
      }
      return Token::RepeatEnd;
    }
    if (first > 32 && first < 127 && first != '>') {
      literal = first;
      if (consume) description.remove_prefix(1);
      return Token::Literal;
    }
    return Fail(description);
  }

  for (const Tag& tag : kTags) {
    if (!StartsWithNoCase(description, tag.text)) continue;
    if (tag.token == Token::RepeatStart && depth != 0) return Fail(description);
    std::string_view after = description.substr(tag.text.size());
    if (consume) description = after;
    if (tag.token == Token::Literal) {
      literal = tag.literal;
      return Token::Literal;
    }
    if (IsField(tag.token) && checkTerminator) {
      char next = 0;
      std::string_view ahead = after;
      if (ReadToken(ahead, next, depth, false, false) != Token::Literal) {
        return m_faulty ? Token::Error : Fail(ahead);
      }
    }
    return tag.token;
  }
  return Fail(description);
}

void CFormatMatcher::Store() {
  if (!(m_dayRead && m_priceRead)) return;
  m_result.SetPrice(m_day, m_price);
  m_dayRead = false;
  m_priceRead = false;
}

bool CFormatMatcher::MatchDescription(std::string_view description, int depth) {
  if (m_pos >= m_text.size() || description.empty()) return true;
  while (m_pos < m_text.size() && !description.empty()) {
    const auto byte = static_cast<unsigned char>(m_text[m_pos]);
    if ((byte < 32 && byte != '\t' && byte != '\n') || byte >= 128) {
      ++m_pos;
      continue;
    }
    char literal = 0;
    const Token token = ReadToken(description, literal, depth, true, true);
    switch (token) {
      case Token::End:
        return true;
      case Token::Error:
        return false;
      case Token::RepeatEnd:
        if (depth >= 1) return true;
        return false;
      case Token::Literal:
        if (m_text[m_pos] != literal) return false;
        ++m_pos;
        break;
      case Token::RepeatStart: {
        const std::string_view body = description;
        // A body that reads nothing could never use up the text: a faulty description.
        {
          char ignored = 0;
          std::string_view ahead = body;
          const Token first = ReadToken(ahead, ignored, depth + 1, false, false);
          if (first == Token::RepeatEnd || first == Token::End) {
            Fail(ahead);
            return false;
          }
          if (first == Token::Error) return false;
        }
        while (m_pos < m_text.size()) {
          const std::size_t before = m_pos;
          if (!MatchDescription(body, depth + 1)) return false;
          if (m_pos == before) break;  // no progress: stop rather than loop
        }
        description = {};
        break;
      }
      default: {
        // A field: its terminator is the literal that follows it.
        char terminator = 0;
        std::string_view ahead = description;
        if (ReadToken(ahead, terminator, depth, false, true) != Token::Literal) return false;
        const std::size_t end = m_text.find(terminator, m_pos);
        if (end == std::string_view::npos) return false;
        const std::string_view field = m_text.substr(m_pos, end - m_pos);
        if (token == Token::Date) {
          if (!ReadDate(field, m_day)) return false;
          m_dayRead = true;
        } else if (token != Token::Text) {
          if (!ReadPrice(field, token, m_price)) return false;
          m_priceRead = true;
        }
        m_pos = end;
        Store();
        break;
      }
    }
  }
  return true;
}

bool CFormatMatcher::Run(std::string_view text, std::string_view description) {
  m_description = description;
  m_text = text;
  m_pos = 0;
  m_faulty = false;
  m_errorPosition = 0;
  m_dayRead = false;
  m_priceRead = false;
  const bool matched = MatchDescription(description, 0);
  return matched && !m_faulty;
}

}  // namespace priceio
