#pragma once
// "Importergebnis": the prices an import found, merged into the history on OK.

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "document/Changes.h"
#include "forms/FormSupport.h"
#include "model/KBXKursverlauf.h"
#include "platform/SettingsStore.h"
#include "priceio/ImportReport.h"

// "Importergebnis": the prices found, merged into the security's history on OK. Prices the
// import found implausible are shown unticked; the user may tick them.
class ImportergebnisForm {
 public:
  static constexpr const char* kCaption = "Importergebnis";
  ImportergebnisForm(const CKapibuchDoc& doc, CKBXKursverlauf result,
                     const std::vector<CKBXDatum>& implausible = {},
                     std::vector<priceio::SkippedLine> skipped = {});

  const std::string& Name() const { return m_result.Name(); }
  const std::string& Wkn() const { return m_result.Wkn(); }
  // "&Kurs nur dann übernehmen, wenn sich das Wertpapier zu diesem Zeitpunkt im Depot befindet"
  void SetOnlyHeld(bool onlyHeld) { m_onlyHeld = onlyHeld; }
  bool OnlyHeld() const { return m_onlyHeld; }
  const std::vector<CKBXKurs>& Shown() const { return m_onlyHeld ? m_held : m_result.Points(); }
  bool Implausible(CKBXDatum day) const { return m_implausible.count(day.Day()) != 0; }
  bool Taken(CKBXDatum day) const { return m_untaken.count(day.Day()) == 0; }
  void SetTaken(CKBXDatum day, bool taken);
  std::string CountLine() const;  // "%d Kurse gefunden": the ticked prices shown
  // "%d Zeilen übersprungen:" and the lines, as the import reported them.
  std::vector<std::string> SkippedLines() const { return priceio::SkippedReport(m_skipped); }
  // The shown and ticked prices, as one change: "Kursimport Siemens AG".
  PriceChange Change() const;
  // Applies the change; whether any price changed.
  bool OnOK(CKapibuchDoc& doc) const { return doc.Apply(Change()); }

 private:
  CKBXKursverlauf m_result;
  std::vector<CKBXKurs> m_held;
  std::set<std::uint32_t> m_implausible;
  std::set<std::uint32_t> m_untaken;
  std::vector<priceio::SkippedLine> m_skipped;
  bool m_onlyHeld = false;
};
