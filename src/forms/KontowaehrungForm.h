#pragma once
// "Kontowährung umstellen": the one switch of the account from DM to euro.

#include <string>
#include <vector>

#include "document/Changes.h"
#include "forms/FormSupport.h"

// "Kontowährung umstellen": the day from which the account runs in euro.
class KontowaehrungForm {
 public:
  static constexpr int kHelpTopic = 2022;
  static constexpr const char* kCaption = "Kontowährung umstellen";
  static constexpr const char* kQuestion =
      "Haben Sie das korrekte Umstellungsdatum angegeben?\n\nDie Umstellung von DM auf Euro kann nur einmal "
      "durchgeführt werden. Sie können sie mit „Bearbeiten“ → „Rückgängig“ zurücknehmen, solange die Datei "
      "geöffnet ist.";

  explicit KontowaehrungForm(const CKapibuchDoc& doc);
  // The command is available only while the account is kept in DM.
  static bool Enabled(const CKapibuchDoc& doc) { return !doc.Account().IsSwitched(); }

  CKBXDatum Date() const { return m_date; }
  CKBXDatum EarliestDate() const { return m_earliest; }
  void SetDate(CKBXDatum date) { m_date = std::max(date, m_earliest); }
  bool OnOK(platform::Prompter& prompter) const;
  CurrencySwitchChange Change() const { return CurrencySwitchChange(m_date); }
  void Book(CKapibuchDoc& doc) const;

 private:
  CKBXDatum m_earliest;
  CKBXDatum m_date;
};
