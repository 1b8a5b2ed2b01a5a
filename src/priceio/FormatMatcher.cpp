#include "priceio/FormatMatcher.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "model/KBXKursverlauf.h"
#include "priceio/ColumnSplit.h"
#include "priceio/FormatTokens.h"

namespace priceio {

namespace {

std::string_view Trimmed(std::string_view v) {
  while (!v.empty() && (v.front() == ' ' || v.front() == '\t')) v.remove_prefix(1);
  while (!v.empty() && (v.back() == ' ' || v.back() == '\t' || v.back() == '\r')) v.remove_suffix(1);
  return v;
}

}  // namespace

CFormatMatcher::CFormatMatcher(CKBXKursverlauf& result, platform::Prompter* prompter)
    : m_result(result), m_prompter(prompter) {}

std::size_t CFormatMatcher::LineNumberOf(std::size_t pos) const {
  return static_cast<std::size_t>(std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), pos) -
                                  m_lineStarts.begin());
}

std::size_t CFormatMatcher::LineStartOf(std::size_t pos) const {
  return m_lineStarts[LineNumberOf(pos) - 1];
}

std::string_view CFormatMatcher::LineAt(std::size_t lineStart) const {
  std::string_view line = m_text.substr(lineStart);
  line = line.substr(0, line.find('\n'));
  while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

bool CFormatMatcher::Mismatch() {
  if (!m_firstMismatch) m_firstMismatch = std::make_pair(m_pos, m_tokenAt);
  return false;
}

std::string CFormatMatcher::FirstMismatch() const {
  if (!m_firstMismatch) return {};
  const auto [pos, at] = *m_firstMismatch;
  const std::string_view before = m_description.substr(0, at);
  const std::size_t lineStart = before.rfind('\n') == std::string_view::npos ? 0 : before.rfind('\n') + 1;
  std::size_t column = 1;
  for (std::size_t i = lineStart; i < before.size(); ++i) {
    if ((static_cast<unsigned char>(before[i]) & 0xC0) != 0x80 && before[i] != '\r') ++column;
  }
  const auto descLine = static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n')) + 1;
  std::vector<SkippedLine> one{{LineNumberOf(pos), LineAsUtf8(LineAt(LineStartOf(pos))), false}};
  const std::string shown = SkippedReport(one).back();  // "Zeile %d: „TEXT“"
  const std::size_t colon = shown.find(':');
  return shown.substr(0, colon) + " der Datei passt nicht (Formatbeschreibung Zeile " +
         std::to_string(descLine) + ", Zeichen " + std::to_string(column) + ")" + shown.substr(colon);
}

std::optional<CFormatMatcher::FieldText> CFormatMatcher::ReadField(char terminator, bool lineLimited,
                                                                   bool quoted) const {
  FieldText f;
  std::size_t p = m_pos;
  if (quoted && p < m_text.size() && m_text[p] == '"') {
    const std::optional<std::size_t> close = ClosingQuote(m_text, p);
    if (!close) return std::nullopt;
    f.value = m_text.substr(p + 1, *close - p - 1);
    p = *close + 1;
    while (p < m_text.size() && m_text[p] == '\r') ++p;
    if (p < m_text.size() && m_text[p] == terminator) {
      f.end = p;
    } else if (p == m_text.size() || m_text[p] == '\n') {
      f.end = p;
      f.atLineEnd = true;
    } else {
      return std::nullopt;
    }
    return f;
  }
  std::size_t end = p;
  while (end < m_text.size() && m_text[end] != terminator && !(lineLimited && m_text[end] == '\n')) ++end;
  if (end == m_text.size() && terminator != '\n' && !lineLimited) return std::nullopt;
  f.end = end;
  f.atLineEnd = end == m_text.size() || m_text[end] == '\n';
  f.value = m_text.substr(p, end - p);
  while (!f.value.empty() && f.value.back() == '\r') f.value.remove_suffix(1);
  return f;
}

bool CFormatMatcher::SkipsToLineEnd(std::string_view& description, int depth) {
  // Columns missing at the end of a line are allowed while nothing is read from them:
  // the description goes on at its next <NZ> (or the end of the row).
  std::string_view ahead = description;
  const std::size_t tokenAt = m_tokenAt;  // a mismatch is reported where the row failed
  while (true) {
    std::string_view here = ahead;
    const TokenRead t = ReadToken(ahead, depth, true, false);
    if (t.kind == Token::End || t.kind == Token::RepeatEnd ||
        (t.kind == Token::Literal && t.literal == '\n')) {
      description = here;
      return true;
    }
    if (t.kind != Token::Literal && t.kind != Token::Text && t.kind != Token::Skip) {
      m_tokenAt = tokenAt;
      return false;
    }
  }
}

int CFormatMatcher::HeaderColumn(std::string_view name, char separator) {
  const auto key = std::make_pair(std::string(name), separator);
  if (const auto it = m_headerColumns.find(key); it != m_headerColumns.end()) return it->second;
  int found = -1;
  std::size_t start = 0;
  for (int line = 0; line < 100 && start < m_text.size() && found < 0; ++line) {
    const std::string_view text = LineAt(start);
    const std::vector<std::string_view> cells = SplitColumns(text, separator);
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (SameHeader(LineAsUtf8(cells[i]), name)) {
        found = static_cast<int>(i);
        break;
      }
    }
    const std::size_t nl = m_text.find('\n', start);
    start = nl == std::string_view::npos ? m_text.size() : nl + 1;
  }
  m_headerColumns.emplace(key, found);
  return found;
}

bool CFormatMatcher::SkipToColumn(const TokenRead& token, std::string_view description, int depth) {
  // The field after <SPALTE:...> and its terminator, the separator of the columns.
  std::string_view ahead = description;
  const TokenRead field = ReadToken(ahead, depth, false, true);
  if (m_faulty) return false;
  if (!IsField(field.kind)) {
    Fail(ahead);
    return false;
  }
  ReadToken(ahead, depth, true, false);
  const TokenRead separator = ReadToken(ahead, depth, false, false);
  const int want = HeaderColumn(token.arg, separator.literal);
  if (want < 0) return Mismatch();
  const std::size_t lineStart = LineStartOf(m_pos);
  int have =
      static_cast<int>(SplitColumns(m_text.substr(lineStart, m_pos - lineStart), separator.literal).size()) -
      1;
  while (have < want) {
    const std::optional<FieldText> skipped = ReadField(separator.literal, true, true);
    if (!skipped || skipped->atLineEnd) return Mismatch();
    m_pos = skipped->end + 1;
    ++have;
  }
  return have == want || Mismatch();
}

bool CFormatMatcher::MatchField(const TokenRead& token, std::string_view& description, int depth) {
  // A field: its terminator is the literal that follows it.
  std::string_view ahead = description;
  const TokenRead terminator = ReadToken(ahead, depth, false, true);
  if (terminator.kind != Token::Literal) return false;
  // A field never reads past its line's end, but for <TEXT> before the repeat group.
  const bool lineLimited = depth >= 1 || token.kind != Token::Text;
  const std::optional<FieldText> field =
      ReadField(terminator.literal, lineLimited, token.kind != Token::Text);
  if (!field) return Mismatch();
  if (field->atLineEnd && terminator.literal != '\n' && (depth == 0 || !SkipsToLineEnd(description, depth)))
    return Mismatch();
  if (token.kind == Token::Date) {
    if (!(token.arg.empty() ? ReadDate(field->value, m_day) : ReadDateForm(field->value, token.arg, m_day))) {
      // A day that reads only with day and month swapped: the form has them the wrong way
      // round, so that any day of the file could be another one.
      CKBXDatum swapped;
      if (!token.arg.empty() && ReadDateForm(field->value, SwappedDayAndMonth(token.arg), swapped))
        m_dayMonthSwapped = true;
      return Mismatch();
    }
    int day = 0, month = 0, year = 0;
    m_day.Split(day, month, year);
    m_dayAmbiguous = !token.arg.empty() && day <= 12 && month <= 12 && day != month;
    m_dayRead = true;
  } else if (IsPrice(token.kind)) {
    const PriceReading price = ReadPrice(field->value, token.kind, EqualsNoCase(token.arg, "PUNKT"));
    if (price.status == PriceReading::Unreadable) {
      m_groupAsDecimal |= price.groupAsDecimal;
      return Mismatch();
    }
    m_price = price.cents;
    m_groupOnly = price.groupOnly;
    m_priceRead = true;
  } else if (token.kind == Token::Symbol && Trimmed(field->value) != token.arg) {
    m_quiet = true;  // a row of another security
    return false;
  }
  m_pos = field->end;
  Store();
  return true;
}

void CFormatMatcher::Store() {
  if (!(m_dayRead && m_priceRead)) return;
  m_pairs.push_back({m_day, m_price, LineStartOf(m_pos), m_groupOnly, m_dayAmbiguous});
  m_dayRead = false;
  m_priceRead = false;
}

bool CFormatMatcher::MatchRepeat(std::string_view body, int depth) {
  // A body that reads nothing could never use up the text: a faulty description.
  {
    std::string_view ahead = body;
    const TokenRead first = ReadToken(ahead, depth + 1, false, false);
    if (first.kind == Token::RepeatEnd || first.kind == Token::End) {
      Fail(ahead);
      return false;
    }
    if (first.kind == Token::Error) return false;
  }
  while (m_pos < m_text.size()) {
    const std::size_t passStart = m_pos;
    const std::size_t pairsBefore = m_pairs.size();
    // Blank lines carry nothing: passed over without a word.
    const std::size_t nl = m_text.find('\n', m_pos);
    const std::string_view rest =
        m_text.substr(m_pos, nl == std::string_view::npos ? std::string_view::npos : nl - m_pos);
    if (Trimmed(rest).empty()) {
      m_pos = nl == std::string_view::npos ? m_text.size() : nl + 1;
      continue;
    }
    m_quiet = false;
    if (!MatchDescription(body, depth + 1)) {
      if (m_faulty) return false;
      // The line that did not fit is skipped with all that its pass read.
      m_pairs.resize(pairsBefore);
      m_dayRead = m_priceRead = false;
      const std::size_t failedAt = std::max(m_pos, passStart);
      if (!m_quiet)
        m_skipped.push_back({LineNumberOf(failedAt), LineAsUtf8(LineAt(LineStartOf(failedAt))), false});
      const std::size_t next = m_text.find('\n', std::min(failedAt, m_text.size()));
      m_pos = next == std::string_view::npos ? m_text.size() : next + 1;
      continue;
    }
    if (m_pos == passStart) break;  // no progress: stop rather than loop
  }
  return true;
}

bool CFormatMatcher::MatchDescription(std::string_view description, int depth) {
  if (m_pos >= m_text.size() || description.empty()) return true;
  while (m_pos < m_text.size() && !description.empty()) {
    const auto byte = static_cast<unsigned char>(m_text[m_pos]);
    if ((byte < 32 && byte != '\t' && byte != '\n') || byte >= 128) {
      ++m_pos;
      continue;
    }
    const TokenRead token = ReadToken(description, depth, true, true);
    switch (token.kind) {
      case Token::End:
        return true;
      case Token::Error:
        return false;
      case Token::RepeatEnd:
        return depth >= 1;
      case Token::Literal:
        if (m_text[m_pos] == token.literal) {
          ++m_pos;
          // <LEER> stands for one blank or more.
          while (token.literal == ' ' && m_pos < m_text.size() && m_text[m_pos] == ' ') ++m_pos;
          break;
        }
        if (depth >= 1 && m_text[m_pos] == '\n' && SkipsToLineEnd(description, depth)) break;
        return Mismatch();
      case Token::HeaderLines:
        for (long n = std::atol(std::string(token.arg).c_str()); n > 0 && m_pos < m_text.size(); --n) {
          const std::size_t nl = m_text.find('\n', m_pos);
          m_pos = nl == std::string_view::npos ? m_text.size() : nl + 1;
        }
        break;
      case Token::RepeatStart:
        if (!MatchRepeat(description, depth)) return false;
        description = {};
        break;
      case Token::Column:
        if (!SkipToColumn(token, description, depth)) return false;
        break;
      default:
        if (!MatchField(token, description, depth)) return false;
        break;
    }
  }
  return true;
}

void CFormatMatcher::Finish() {
  // When the file shows that its grouping mark is really a decimal mark, a price such as
  // "1.125" cannot be trusted either.
  // Likewise a day such as 01/02/24 once another day showed that the form swaps day and
  // month.
  const auto doubtful = [this](const Pair& p) {
    return (m_groupAsDecimal && p.groupOnly) || (m_dayMonthSwapped && p.dayAmbiguous);
  };
  for (const Pair& p : m_pairs) {
    if (doubtful(p)) m_skipped.push_back({LineNumberOf(p.lineStart), LineAsUtf8(LineAt(p.lineStart)), false});
  }
  std::erase_if(m_pairs, doubtful);
  // The later of two prices of a day wins; an empty price removes the day.
  std::stable_sort(m_pairs.begin(), m_pairs.end(),
                   [](const Pair& a, const Pair& b) { return a.day < b.day; });
  std::vector<CKBXKurs> points;
  std::vector<std::size_t> lines;
  for (std::size_t i = 0; i < m_pairs.size(); ++i) {
    if (i + 1 < m_pairs.size() && m_pairs[i + 1].day == m_pairs[i].day) continue;
    if (m_pairs[i].price == kNoPrice) {
      m_result.SetPrice(m_pairs[i].day, kNoPrice);
      continue;
    }
    points.emplace_back(m_pairs[i].day, m_pairs[i].price);
    lines.push_back(m_pairs[i].lineStart);
  }
  const std::vector<bool> implausible = ImplausiblePrices(points);
  for (std::size_t i = 0; i < points.size(); ++i) {
    m_result.SetPrice(points[i].Date(), points[i].Price());
    if (!implausible[i]) continue;
    m_implausible.push_back(points[i].Date());
    m_skipped.push_back({LineNumberOf(lines[i]), LineAsUtf8(LineAt(lines[i])), true});
  }
  std::stable_sort(m_skipped.begin(), m_skipped.end(),
                   [](const SkippedLine& a, const SkippedLine& b) { return a.line < b.line; });
}

bool CFormatMatcher::Run(std::string_view text, std::string_view description) {
  m_description = description;
  m_text = text;
  m_pos = 0;
  m_faulty = false;
  m_errorPosition = 0;
  m_dayRead = m_priceRead = m_groupAsDecimal = m_dayMonthSwapped = false;
  m_pairs.clear();
  m_skipped.clear();
  m_implausible.clear();
  m_firstMismatch.reset();
  m_lineStarts.assign(1, 0);
  for (std::size_t nl = text.find('\n'); nl != std::string_view::npos; nl = text.find('\n', nl + 1))
    m_lineStarts.push_back(nl + 1);
  MatchDescription(description, 0);
  Finish();
  return !m_faulty;
}

}  // namespace priceio
