#include "forms/PriceUpdate.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "model/KBXKursverlauf.h"
#include "priceio/FormatDetector.h"
#include "priceio/FormatMatcher.h"
#include "priceio/ImportReport.h"

namespace forms {

namespace {

std::string Key(int i, const char* field) {
  char key[32];
  std::snprintf(key, sizeof key, "Quelle%03d%s", i, field);
  return key;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  return lower;
}

// A day in one of the forms of {VON:...} and {BIS:...}; empty for an unknown form.
std::string DayIn(CKBXDatum day, std::string_view form) {
  int d = 0, m = 0, y = 0;
  day.Split(d, m, y);
  char text[32] = "";
  if (form == "JJJJ-MM-TT") {
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", y, m, d);
  } else if (form == "JJJJMMTT") {
    std::snprintf(text, sizeof text, "%04d%02d%02d", y, m, d);
  } else if (form == "TT.MM.JJJJ") {
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", d, m, y);
  } else if (form == "UNIX") {
    // Day numbers count from 1 January 1970: 00:00 UTC of the day.
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(day.Day()) * 86400LL);
  }
  return text;
}

// The non-empty lines of an answer, without their line ends.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.find_first_not_of(" \t") != std::string_view::npos) lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

UpdateOutcome NothingReadable(const UpdateItem& item, std::string_view firstLine) {
  std::string shown = priceio::LineAsUtf8(firstLine.substr(0, 80));
  if (firstLine.size() > 80) shown += "…";
  return Failed(item, "keine Kurse gefunden (Zeile 1: „" + shown + "“)");
}

}  // namespace

// ------------------------------------------------------------------------------ sources

std::vector<PriceSource> PriceSources::Load(const platform::SettingsStore& settings) {
  std::vector<PriceSource> sources;
  const int count = std::clamp(settings.GetInt(kSection, "Anzahl").value_or(0), 0, 10000);
  for (int i = 1; i <= count; ++i) {
    PriceSource s;
    s.wkn = settings.GetString(kSection, Key(i, "Wkn")).value_or("");
    s.address = settings.GetString(kSection, Key(i, "Adresse")).value_or("");
    s.symbol = settings.GetString(kSection, Key(i, "Symbol")).value_or("");
    s.format = settings.GetString(kSection, Key(i, "Format")).value_or("");
    s.column = settings.GetString(kSection, Key(i, "Spalte")).value_or("");
    if (s.wkn.empty() || s.address.empty()) continue;
    const auto same =
        std::find_if(sources.begin(), sources.end(), [&](const PriceSource& o) { return o.wkn == s.wkn; });
    if (same == sources.end()) sources.push_back(std::move(s));
  }
  std::sort(sources.begin(), sources.end(),
            [](const PriceSource& a, const PriceSource& b) { return a.wkn < b.wkn; });
  return sources;
}

std::optional<PriceSource> PriceSources::Find(const platform::SettingsStore& settings,
                                              const std::string& wkn) {
  for (PriceSource& s : Load(settings)) {
    if (s.wkn == wkn) return std::move(s);
  }
  return std::nullopt;
}

void PriceSources::StoreAll(platform::SettingsStore& settings, const std::vector<PriceSource>& sources) {
  const int before = settings.GetInt(kSection, "Anzahl").value_or(0);
  int i = 0;
  for (const PriceSource& s : sources) {
    ++i;
    settings.SetString(kSection, Key(i, "Wkn"), s.wkn);
    settings.SetString(kSection, Key(i, "Adresse"), s.address);
    settings.SetString(kSection, Key(i, "Symbol"), s.symbol);
    settings.SetString(kSection, Key(i, "Format"), s.format);
    settings.SetString(kSection, Key(i, "Spalte"), s.column);
  }
  // Entries past the new end are emptied: nothing is read from them again.
  for (int j = i + 1; j <= before; ++j) {
    for (const char* field : {"Wkn", "Adresse", "Symbol", "Format", "Spalte"})
      settings.SetString(kSection, Key(j, field), "");
  }
  settings.SetInt(kSection, "Anzahl", i);
}

void PriceSources::Store(platform::SettingsStore& settings, const PriceSource& source) {
  std::vector<PriceSource> sources = Load(settings);
  std::erase_if(sources, [&](const PriceSource& s) { return s.wkn == source.wkn; });
  sources.push_back(source);
  std::sort(sources.begin(), sources.end(),
            [](const PriceSource& a, const PriceSource& b) { return a.wkn < b.wkn; });
  StoreAll(settings, sources);
}

bool PriceSources::Remove(platform::SettingsStore& settings, const std::string& wkn) {
  std::vector<PriceSource> sources = Load(settings);
  if (std::erase_if(sources, [&](const PriceSource& s) { return s.wkn == wkn; }) == 0) return false;
  StoreAll(settings, sources);
  return true;
}

const std::vector<AddressExample>& AddressExamples() {
  static const std::vector<AddressExample> examples = {
      {"Tageskurse als CSV (stooq-artig)",
       "https://stooq.com/q/d/l/?s={SYMBOL}&d1={VON:JJJJMMTT}&d2={BIS:JJJJMMTT}&i=d"},
      {"Kurshistorie als CSV (Yahoo-artig)",
       "https://query1.finance.yahoo.com/v7/finance/download/{SYMBOL}?period1={VON:UNIX}&period2={BIS:UNIX}"
       "&interval=1d&events=history"},
      {"Datei in einem synchronisierten Ordner", "file:///home/benutzer/Kurse/{WKN}.csv"},
  };
  return examples;
}

// ------------------------------------------------------------------------------ addresses

bool AllowedAddress(std::string_view address) {
  const std::string lower = Lower(address.substr(0, 8));
  return lower.rfind("https://", 0) == 0 || lower.rfind("http://", 0) == 0 || lower.rfind("file:", 0) == 0;
}

std::string ShownAddress(std::string_view address) {
  const std::size_t scheme = address.find("://");
  if (scheme == std::string_view::npos) return std::string(address);
  const std::size_t hostStart = scheme + 3;
  const std::size_t hostEnd = address.find_first_of("/?#", hostStart);
  const std::string_view authority =
      address.substr(hostStart, hostEnd == std::string_view::npos ? hostEnd : hostEnd - hostStart);
  const std::size_t at = authority.rfind('@');
  if (at == std::string_view::npos) return std::string(address);
  const std::size_t colon = authority.substr(0, at).find(':');
  if (colon == std::string_view::npos) return std::string(address);
  return std::string(address.substr(0, hostStart + colon + 1)) + "***" +
         std::string(address.substr(hostStart + at));
}

std::string PercentEncode(std::string_view text) {
  static const char* const kHex = "0123456789ABCDEF";
  std::string out;
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

std::optional<std::string> ExpandAddress(const PriceSource& source, CKBXDatum from, CKBXDatum to,
                                         std::string& error) {
  const std::string& t = source.address;
  std::string out;
  for (std::size_t i = 0; i < t.size();) {
    if (t[i] != '{') {
      out += t[i++];
      continue;
    }
    const std::size_t close = t.find('}', i);
    if (close == std::string::npos) {
      error = "Die Adresse enthält eine „{“ ohne „}“.";
      return std::nullopt;
    }
    const std::string name = t.substr(i + 1, close - i - 1);
    std::string value;
    if (name == "SYMBOL") {
      value = source.symbol.empty() ? source.wkn : source.symbol;
    } else if (name == "WKN") {
      value = source.wkn;
    } else if (name.rfind("VON:", 0) == 0 || name.rfind("BIS:", 0) == 0) {
      value = DayIn(name[0] == 'V' ? from : to, std::string_view(name).substr(4));
      if (value.empty()) {
        error = "Unbekannte Datumsform in „{" + name + "}“ (JJJJ-MM-TT, JJJJMMTT, TT.MM.JJJJ oder UNIX).";
        return std::nullopt;
      }
    } else {
      error = "Unbekannter Platzhalter „{" + name + "}“ (SYMBOL, WKN, VON:..., BIS:...).";
      return std::nullopt;
    }
    out += PercentEncode(value);
    i = close + 1;
  }
  return out;
}

// ------------------------------------------------------------------------------ a run

std::vector<UpdateItem> PlanUpdate(const CKapibuchDoc& doc, const platform::SettingsStore& settings,
                                   std::optional<CKBXDatum> from, const std::string& name,
                                   const std::string& wkn, std::vector<std::string>& problems) {
  const std::vector<PriceSource> sources = PriceSources::Load(settings);
  const CKBXDatum today = doc.Today();
  std::vector<UpdateItem> items;
  for (const auto& history : doc.Histories()) {
    if ((!name.empty() && history->Name() != name) || (!wkn.empty() && history->Wkn() != wkn)) continue;
    const auto source = std::find_if(sources.begin(), sources.end(),
                                     [&](const PriceSource& s) { return s.wkn == history->Wkn(); });
    if (source == sources.end()) continue;
    UpdateItem item{history->Name(), history->Wkn(), *source, today, ""};
    if (from) {
      item.from = *from;
    } else if (!history->Points().empty()) {
      item.from = CKBXDatum(history->Points().back().Date().Day() + 1);
    } else {
      std::optional<CKBXDatum> bought;
      for (const auto& p : doc.Positions()) {
        if (p->Is(history->Name(), history->Wkn()) && (!bought || p->purchaseDate < *bought))
          bought = p->purchaseDate;
      }
      item.from = bought ? *bought : CKBXDatum(today.Day() > 365 ? today.Day() - 365 : 1);
    }
    item.from = std::min(item.from, today);
    std::string error;
    const std::optional<std::string> url = ExpandAddress(item.source, item.from, today, error);
    if (!url) {
      problems.push_back(item.Title() + ": Fehler – " + error);
      continue;
    }
    if (!AllowedAddress(*url)) {
      problems.push_back(item.Title() + ": Fehler – nur https:-, http:- und file:-Adressen sind erlaubt");
      continue;
    }
    item.url = *url;
    items.push_back(std::move(item));
  }
  return items;
}

UpdateOutcome Failed(const UpdateItem& item, const std::string& reason) {
  UpdateOutcome outcome;
  outcome.failed = true;
  outcome.line = item.Title() + ": Fehler – " + reason;
  return outcome;
}

UpdateOutcome ReadAnswer(const CKapibuchDoc& doc, const UpdateItem& item, std::string_view answer,
                         bool onlyNew) {
  UpdateOutcome outcome;
  const std::vector<std::string_view> lines = Lines(answer);
  // Nothing, or a header line alone (column names: separated, without a digit): the source
  // has no prices for those days. One line of anything else is read as any answer is, and
  // a message such as "No data" is no price.
  const auto isHeader = [](std::string_view line) {
    return line.find_first_of(",;\t|") != std::string_view::npos &&
           line.find_first_of("0123456789") == std::string_view::npos;
  };
  if (lines.empty() || (lines.size() == 1 && isHeader(lines.front()))) {
    outcome.line = item.Title() + ": keine neuen Kurse";
    return outcome;
  }
  std::string description = item.source.format;
  if (description.empty()) {
    const priceio::Detection detection = priceio::DetectFormat(answer, {item.source.column, false});
    if (!detection.format) return NothingReadable(item, lines.front());
    description = priceio::DescriptionFor(*detection.format);
  }
  CKBXKursverlauf found(item.name, item.wkn);
  priceio::CFormatMatcher matcher(found, nullptr);
  if (!matcher.Run(answer, description) || matcher.Faulty())
    return Failed(item, "die Formatbeschreibung der Kursquelle ist fehlerhaft");
  if (found.Points().empty()) return NothingReadable(item, lines.front());

  const CKBXKursverlauf* history = doc.FindHistory(item.name, item.wkn);
  const CKBXDatum today = doc.Today();
  for (const CKBXKurs& point : found.Points()) {
    // A provider that ignores the days asked for never writes over older prices.
    if (point.Date() < item.from || today < point.Date()) continue;
    if (onlyNew && history && history->PriceOn(point.Date()) == point.Price()) continue;
    outcome.prices.push_back({item.name, item.wkn, point.Date(), point.Price()});
  }
  const std::size_t n = outcome.prices.size();
  outcome.line =
      item.Title() + ": " +
      (n == 0 ? std::string("keine neuen Kurse") : std::to_string(n) + (n == 1 ? " Kurs" : " Kurse"));
  return outcome;
}

UpdateRun RunUpdate(const CKapibuchDoc& doc, const std::vector<UpdateItem>& items,
                    const std::vector<std::string>& problems, const platform::Downloader& download,
                    const platform::DownloadProgress& progress) {
  UpdateRun run;
  std::vector<std::string> addresses;
  for (const UpdateItem& item : items) addresses.push_back(item.url);
  bool cancelled = false;
  const std::vector<platform::Download> downloads =
      addresses.empty() ? std::vector<platform::Download>()
                        : download(addresses, [&](std::size_t finished, std::size_t started) {
                            cancelled = cancelled || (progress && progress(finished, started));
                            return cancelled;
                          });
  if (cancelled) {
    run.cancelled = true;
    return run;
  }
  std::vector<UpdateOutcome> outcomes;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const platform::Download& d = downloads.at(i);
    outcomes.push_back(d.ok ? ReadAnswer(doc, items[i], d.body) : Failed(items[i], d.error));
    run.lines.push_back(outcomes.back().line);
    run.failed |= outcomes.back().failed;
  }
  run.lines.insert(run.lines.end(), problems.begin(), problems.end());
  run.failed |= !problems.empty();
  run.change = UpdateChange(outcomes);
  return run;
}

PriceChange UpdateChange(const std::vector<UpdateOutcome>& outcomes) {
  std::vector<PriceChange::Entry> entries;
  for (const UpdateOutcome& o : outcomes) entries.insert(entries.end(), o.prices.begin(), o.prices.end());
  return PriceChange("Kurse aktualisieren", std::move(entries));
}

}  // namespace forms

KurseAktualisierenForm::KurseAktualisierenForm(const CKapibuchDoc& doc,
                                               const platform::SettingsStore& settings)
    : m_doc(doc), m_settings(settings) {
  // Every security with a source, whatever its address holds: a faulty one is told at the start.
  const std::vector<forms::PriceSource> sources = forms::PriceSources::Load(settings);
  for (const auto& history : doc.Histories()) {
    if (std::any_of(sources.begin(), sources.end(),
                    [&](const forms::PriceSource& s) { return s.wkn == history->Wkn(); }))
      m_entries.push_back({history->Name(), history->Wkn(), true});
  }
}

bool KurseAktualisierenForm::OnStart(platform::Prompter& prompter, std::vector<forms::UpdateItem>& items,
                                     std::vector<std::string>& problems) const {
  std::optional<CKBXDatum> from;
  if (fromText.find_first_not_of(' ') != std::string::npos) {
    CKBXDatum day;
    if (!ParseDatum(fromText, day) || m_doc.Today() < day) {
      prompter.Tell(kCaption,
                    "Bitte geben Sie ein gültiges Datum ein, das nicht nach dem heutigen Tag liegt.",
                    platform::Icon::Exclamation);
      return false;
    }
    from = day;
  }
  items.clear();
  problems.clear();
  for (const Entry& e : m_entries) {
    if (!e.ticked) continue;
    std::vector<forms::UpdateItem> one = forms::PlanUpdate(m_doc, m_settings, from, e.name, e.wkn, problems);
    items.insert(items.end(), one.begin(), one.end());
  }
  if (items.empty() && problems.empty()) {
    prompter.Tell(kCaption, "Bitte wählen Sie mindestens ein Wertpapier aus.", platform::Icon::Exclamation);
    return false;
  }
  return true;
}

KursquellenForm::KursquellenForm(const CKapibuchDoc& doc, platform::SettingsStore& settings)
    : m_doc(doc), m_settings(settings), m_formats(forms::LoadStoredFormats(settings).formats) {
  const std::vector<forms::PriceSource> sources = forms::PriceSources::Load(settings);
  for (const auto& history : doc.Histories()) {
    Row row{history->Name(), {history->Wkn(), "", "", "", ""}};
    for (const forms::PriceSource& s : sources) {
      if (s.wkn == history->Wkn()) row.source = s;
    }
    // A security held under two names has one source: listed once.
    if (std::none_of(rows.begin(), rows.end(), [&](const Row& r) { return r.source.wkn == history->Wkn(); }))
      rows.push_back(std::move(row));
  }
}

bool KursquellenForm::Acceptable(const Row& row, platform::Prompter& prompter) const {
  std::string error;
  if (!forms::ExpandAddress(row.source, CKBXDatum(), CKBXDatum(), error)) {
    prompter.Tell(kCaption, row.name + ": " + error, platform::Icon::Exclamation);
    return false;
  }
  if (!forms::AllowedAddress(row.source.address)) {
    prompter.Tell(kCaption, row.name + ": Nur https:-, http:- und file:-Adressen sind erlaubt.",
                  platform::Icon::Exclamation);
    return false;
  }
  return true;
}

std::optional<forms::UpdateItem> KursquellenForm::TestItem(std::size_t row,
                                                           platform::Prompter& prompter) const {
  const Row& r = rows.at(row);
  if (r.source.address.empty()) {
    prompter.Tell(kCaption, "Bitte geben Sie zuerst eine Adresse ein.", platform::Icon::Exclamation);
    return std::nullopt;
  }
  if (!Acceptable(r, prompter)) return std::nullopt;
  const CKBXDatum today = m_doc.Today();
  forms::UpdateItem item{r.name, r.source.wkn, r.source, CKBXDatum(today.Day() > 30 ? today.Day() - 30 : 1),
                         ""};
  std::string error;
  item.url = *forms::ExpandAddress(item.source, item.from, today, error);
  return item;
}

bool KursquellenForm::OnOK(platform::Prompter& prompter, std::size_t& failedRow) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (!rows[i].source.address.empty() && !Acceptable(rows[i], prompter)) {
      failedRow = i;
      return false;
    }
  }
  for (const Row& row : rows) {
    if (row.source.address.empty()) {
      forms::PriceSources::Remove(m_settings, row.source.wkn);
    } else if (forms::PriceSources::Find(m_settings, row.source.wkn) != row.source) {
      forms::PriceSources::Store(m_settings, row.source);
    }
  }
  return true;
}
