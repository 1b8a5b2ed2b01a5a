#pragma once
// Prices from the internet: where each security's prices come from (a source, kept in the
// settings by WKN/Kürzel, so that one source serves every portfolio that holds the
// security), which days a run asks for, and what a downloaded answer brings. The downloads
// themselves are the platform's (qt/PriceDownloads); everything a run decides is here, so
// the desktop program and kapibuch-cli decide alike.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/Changes.h"
#include "document/KapibuchDoc.h"
#include "forms/StoredFormats.h"
#include "platform/Downloads.h"
#include "platform/Prompter.h"
#include "platform/SettingsStore.h"

namespace forms {

// One security's source: an address template, the provider's symbol for the security
// (empty: the WKN/Kürzel), and a stored format description or none ("automatisch": the
// file's shape is detected, the price taken from `column` when one is given).
struct PriceSource {
  std::string wkn;
  std::string address;
  std::string symbol;
  std::string format;  // empty: automatisch
  std::string column;  // with automatisch: a column number from 1 or a header text

  bool operator==(const PriceSource&) const = default;
};

class PriceSources {
 public:
  static constexpr const char* kSection = "Kursquellen";

  // Sorted by WKN/Kürzel; entries without a WKN/Kürzel or an address are passed over.
  static std::vector<PriceSource> Load(const platform::SettingsStore& settings);
  static std::optional<PriceSource> Find(const platform::SettingsStore& settings, const std::string& wkn);
  // Adds the source, or replaces the one of its WKN/Kürzel.
  static void Store(platform::SettingsStore& settings, const PriceSource& source);
  // False when the WKN/Kürzel has no source.
  static bool Remove(platform::SettingsStore& settings, const std::string& wkn);

 private:
  static void StoreAll(platform::SettingsStore& settings, const std::vector<PriceSource>& sources);
};

// Starting points for a source's address (examples of free CSV sources, not promises).
struct AddressExample {
  const char* name;
  const char* address;
};
const std::vector<AddressExample>& AddressExamples();

// Whether an address may be fetched: only "https:", "http:" and "file:".
bool AllowedAddress(std::string_view address);
// The address with a password it holds replaced by "***", for messages.
std::string ShownAddress(std::string_view address);
// RFC 3986: every byte but letters, digits and "-._~" as %XX.
std::string PercentEncode(std::string_view text);

// The address of a source for the days from `from` to `to`: {SYMBOL} (the symbol, or the
// WKN/Kürzel when none is set), {WKN}, {VON:form} and {BIS:form} with the forms
// JJJJ-MM-TT, JJJJMMTT, TT.MM.JJJJ and UNIX (seconds at 00:00 UTC of the day); every value
// percent-encoded. Nothing, with `error` set, for an unknown placeholder or form.
std::optional<std::string> ExpandAddress(const PriceSource& source, CKBXDatum from, CKBXDatum to,
                                         std::string& error);

// One security of a run: its source and the first day asked for.
struct UpdateItem {
  std::string name;
  std::string wkn;
  PriceSource source;
  CKBXDatum from;
  std::string url;  // the address for the days from `from` to today
  std::string Title() const { return name + " (" + wkn + ")"; }
};

// The document's securities that have a source (each security once, in the order of the
// document's price histories), limited to a name or WKN/Kürzel when given. `from`: the first
// day for every security; without it, for each the day after its last price, for a security
// without prices its first purchase day, else 365 days before today. A security whose
// address cannot be made is left out with a line in `problems`.
std::vector<UpdateItem> PlanUpdate(const CKapibuchDoc& doc, const platform::SettingsStore& settings,
                                   std::optional<CKBXDatum> from, const std::string& name,
                                   const std::string& wkn, std::vector<std::string>& problems);

// What one download brought.
struct UpdateOutcome {
  bool failed = false;
  std::vector<PriceChange::Entry> prices;  // added or changed, from the first day asked for to today
  std::string line;  // "Siemens AG (723610): 23 Kurse", "...: keine neuen Kurse", "...: Fehler – <Grund>"
};

// Reads a downloaded answer: with the source's description, or detected. An empty or
// header-only answer brings nothing and is no failure; lines without a readable price are.
// `onlyNew`: prices the document holds already are left out (a test of a source counts
// them all).
UpdateOutcome ReadAnswer(const CKapibuchDoc& doc, const UpdateItem& item, std::string_view answer,
                         bool onlyNew = true);
// A download that failed: "SAP (716460): Fehler – Server antwortet 404".
UpdateOutcome Failed(const UpdateItem& item, const std::string& reason);

// The prices of a whole run as one change of the document ("Kurse aktualisieren").
PriceChange UpdateChange(const std::vector<UpdateOutcome>& outcomes);

// A whole run, as "Kurse aktualisieren" and update-prices make it: every download first, then
// one change with what they brought (none when the run was cancelled).
struct UpdateRun {
  std::vector<std::string> lines;  // one per security, then the securities left out
  bool failed = false;             // a download or an address failed
  bool cancelled = false;
  std::optional<PriceChange> change;  // the prices of the run; none when cancelled
};
UpdateRun RunUpdate(const CKapibuchDoc& doc, const std::vector<UpdateItem>& items,
                    const std::vector<std::string>& problems, const platform::Downloader& download,
                    const platform::DownloadProgress& progress);

}  // namespace forms

// "Kurse aktualisieren": the securities that have a source, each ticked, and the first day.
class KurseAktualisierenForm {
 public:
  static constexpr const char* kCaption = "Kurse aktualisieren";
  static constexpr int kHelpTopic = 2014;

  KurseAktualisierenForm(const CKapibuchDoc& doc, const platform::SettingsStore& settings);

  struct Entry {
    std::string name, wkn;
    bool ticked = true;
  };
  const std::vector<Entry>& Entries() const { return m_entries; }
  void SetTicked(std::size_t index, bool ticked) { m_entries.at(index).ticked = ticked; }
  // "ab &Datum:": empty, for each security the day after its last price.
  std::string fromText;

  // Checks the day; the securities ticked with their addresses (problems for those whose
  // address cannot be made). False, with the message told, for a day that is none or when
  // nothing is ticked.
  bool OnStart(platform::Prompter& prompter, std::vector<forms::UpdateItem>& items,
               std::vector<std::string>& problems) const;

 private:
  const CKapibuchDoc& m_doc;
  const platform::SettingsStore& m_settings;
  std::vector<Entry> m_entries;
};

// "Kursquellen": the source of each of the document's securities, edited in a table.
class KursquellenForm {
 public:
  static constexpr const char* kCaption = "Kursquellen";
  static constexpr int kHelpTopic = 2015;
  static constexpr const char* kAutomatic = "automatisch";

  KursquellenForm(const CKapibuchDoc& doc, platform::SettingsStore& settings);

  struct Row {
    std::string name;
    forms::PriceSource source;  // an empty address: no source
  };
  std::vector<Row> rows;
  // The stored format descriptions a row may name (title, description).
  const forms::FormatList& Formats() const { return m_formats; }

  // The row's day range and address for "&Testen": the last 30 days.
  std::optional<forms::UpdateItem> TestItem(std::size_t row, platform::Prompter& prompter) const;
  // Checks every address and stores the sources: rows with an address replace their
  // security's source, rows without one remove it. False, with the message told, when an
  // address is refused (nothing is stored then); `failedRow` names it.
  bool OnOK(platform::Prompter& prompter, std::size_t& failedRow);

 private:
  bool Acceptable(const Row& row, platform::Prompter& prompter) const;

  const CKapibuchDoc& m_doc;
  platform::SettingsStore& m_settings;
  forms::FormatList m_formats;
};
