#pragma once
// The format-description language of the price import: literals, fields (<DATUM>,
// <KURS>, <KURS_EUR>, <KURS_DM>, <TEXT>, <FELD>, <SYMBOL:...>), <SPALTE:...>,
// <KOPFZEILEN:n> and one repeat group (<WIEDERHOLE: ... >). The matcher walks the file
// text and the description together and collects every date-and-price pair. Inside the
// repeat group a line that does not fit is skipped and reported; it never ends the import
// and never yields a price.

#include <array>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/KBXKurs.h"
#include "model/KBXKursverlauf.h"
#include "platform/Prompter.h"
#include "priceio/ImportReport.h"
#include "priceio/PriceText.h"

namespace priceio {

struct PredefinedDescription {
  const char* title;
  const char* description;
};
// The ten descriptions offered while the user has none stored.
const std::array<PredefinedDescription, 10>& PredefinedDescriptions();

struct TokenRead {
  Token kind = Token::End;
  char literal = 0;
  std::string_view arg;  // the text after the colon of <DATUM:...>, <SPALTE:...> and the like
};

class CFormatMatcher {
 public:
  // Pairs go into `result`; a faulty description is reported through the prompter.
  CFormatMatcher(CKBXKursverlauf& result, platform::Prompter* prompter);

  // Matches the whole text against the description. False for a faulty description.
  bool Run(std::string_view text, std::string_view description);

  bool Faulty() const { return m_faulty; }
  // Where reading of the description stopped at the fault (an offset into it).
  std::size_t ErrorPosition() const { return m_errorPosition; }
  // "Fehler in der Formatbeschreibung! (Zeile 2, Zeichen 14)"
  std::string FaultMessage() const;

  // Lines skipped inside the repeat group and prices found implausible, by line.
  const std::vector<SkippedLine>& Skipped() const { return m_skipped; }
  // Days of the result whose price is implausible (kept in the result, marked).
  const std::vector<CKBXDatum>& Implausible() const { return m_implausible; }
  // Why the first line that did not fit failed; empty when every line fitted.
  std::string FirstMismatch() const;

  TokenRead ReadToken(std::string_view& description, int depth, bool consume, bool checkTerminator);

 private:
  struct Pair {
    CKBXDatum day;
    std::int32_t price;
    std::size_t lineStart;
    bool groupOnly;
    bool dayAmbiguous;  // day and month both up to 12, read through an explicit form
  };
  struct FieldText {
    std::string_view value;
    std::size_t end = 0;
    bool atLineEnd = false;
  };

  bool MatchDescription(std::string_view description, int depth);
  bool MatchRepeat(std::string_view body, int depth);
  bool MatchField(const TokenRead& token, std::string_view& description, int depth);
  bool SkipToColumn(const TokenRead& token, std::string_view description, int depth);
  std::optional<FieldText> ReadField(char terminator, bool lineLimited, bool quoted) const;
  bool SkipsToLineEnd(std::string_view& description, int depth);
  int HeaderColumn(std::string_view name, char separator);
  bool Mismatch();
  TokenRead Fail(std::string_view at);
  void Store();
  void Finish();
  std::size_t LineStartOf(std::size_t pos) const;
  std::size_t LineNumberOf(std::size_t pos) const;
  std::string_view LineAt(std::size_t lineStart) const;

  CKBXKursverlauf& m_result;
  platform::Prompter* m_prompter;
  std::string_view m_description;  // the whole description: offsets are measured in it
  std::string_view m_text;
  std::size_t m_pos = 0;
  bool m_faulty = false;
  std::size_t m_errorPosition = 0;
  std::size_t m_tokenAt = 0;  // where the token being matched starts in the description
  bool m_quiet = false;       // the last mismatch passes a row over without a report
  bool m_dayRead = false;
  bool m_priceRead = false;
  bool m_groupOnly = false;
  bool m_groupAsDecimal = false;
  bool m_dayAmbiguous = false;
  bool m_dayMonthSwapped = false;
  CKBXDatum m_day;
  std::int32_t m_price = 0;
  std::vector<std::size_t> m_lineStarts;  // offsets of every line's first byte
  std::vector<Pair> m_pairs;
  std::vector<SkippedLine> m_skipped;
  std::vector<CKBXDatum> m_implausible;
  std::map<std::pair<std::string, char>, int> m_headerColumns;
  std::optional<std::pair<std::size_t, std::size_t>> m_firstMismatch;  // text, description
};

}  // namespace priceio
