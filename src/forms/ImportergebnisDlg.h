#pragma once
// "Importergebnis": the prices an import found, merged into the history on OK.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "forms/FormSupport.h"
#include "model/KBXKursverlauf.h"
#include "platform/SettingsStore.h"

// "Importergebnis": the prices found, merged into the security's history on OK.
class CImportergebnisDlg {
 public:
  static constexpr const char* kCaption = "Importergebnis";
  CImportergebnisDlg(const CKapibuchDoc& doc, CKBXKursverlauf result);

  const std::string& Name() const { return m_result.Name(); }
  const std::string& Wkn() const { return m_result.Wkn(); }
  // "&Kurs nur dann übernehmen, wenn sich das Wertpapier zu diesem Zeitpunkt im Depot befindet"
  void SetOnlyHeld(bool onlyHeld) { m_onlyHeld = onlyHeld; }
  bool OnlyHeld() const { return m_onlyHeld; }
  const std::vector<CKBXKurs>& Shown() const { return m_onlyHeld ? m_held : m_result.Points(); }
  std::string CountLine() const;  // "%d Kurse gefunden"
  // Sets each shown price in the document; whether any price changed.
  bool OnOK(CKapibuchDoc& doc) const;

 private:
  CKBXKursverlauf m_result;
  std::vector<CKBXKurs> m_held;
  bool m_onlyHeld = false;
};
