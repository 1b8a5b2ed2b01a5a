#pragma once
// The format-description language of the price import: literals, fields (<DATUM>,
// <KURS>, <KURS_EUR>, <KURS_DM>, <TEXT>) and one repeat group (<WIEDERHOLE: ... >).
// The matcher walks the file text and the description together and collects every
// date-and-price pair into a result history; it stops quietly at the first mismatch.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "model/KBXKurs.h"
#include "model/KBXKursverlauf.h"
#include "platform/Prompter.h"

namespace priceio {

enum class Token { End, Literal, Text, Date, Price, PriceEur, PriceDm, RepeatStart, RepeatEnd, Error };

struct PredefinedDescription {
  const char* title;
  const char* description;
};
// The ten descriptions offered while the user has none stored.
const std::array<PredefinedDescription, 10>& PredefinedDescriptions();

// Reads a date of the text ("1.2.99", "01.02.1999"); false when unreadable.
bool ReadDate(std::string_view bytes, CKBXDatum& date);
// Reads a price field in euro cents; kNoPrice when it holds no digit. False when it cannot
// be read (a <KURS> without a currency, a value past 32 bits).
bool ReadPrice(std::string_view bytes, Token kind, std::int32_t& price);

class CFormatMatcher {
 public:
  // Pairs go into `result`; a faulty description is reported through the prompter.
  CFormatMatcher(CKBXKursverlauf& result, platform::Prompter* prompter);

  // Matches the whole text against the description. False for a faulty description (or a
  // mismatch); either way the pairs read so far stay in the result.
  bool Run(std::string_view text, std::string_view description);

  bool Faulty() const { return m_faulty; }
  // Where reading of the description stopped at the fault (an offset into it).
  std::size_t ErrorPosition() const { return m_errorPosition; }

  Token ReadToken(std::string_view& description, char& literal, int depth, bool consume,
                  bool checkTerminator);
  bool MatchDescription(std::string_view description, int depth);

 private:
  Token Fail(std::string_view at);
  void Store();

  CKBXKursverlauf& m_result;
  platform::Prompter* m_prompter;
  std::string_view m_description;  // the whole description: offsets are measured in it
  std::string_view m_text;
  std::size_t m_pos = 0;
  bool m_faulty = false;
  std::size_t m_errorPosition = 0;
  bool m_dayRead = false;
  bool m_priceRead = false;
  CKBXDatum m_day;
  std::int32_t m_price = 0;
};

}  // namespace priceio
