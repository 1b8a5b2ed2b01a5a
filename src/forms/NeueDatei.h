#pragma once
// The three pages of the new-file wizard and the holder-data dialog.

#include <array>
#include <string>

#include "base/Money.h"
#include "document/KapibuchDoc.h"
#include "forms/FormSupport.h"
#include "model/KBXDatum.h"

class CNeueDatei1PropPage {
 public:
  static constexpr const char* kCaption = "Neue Datei - Schritt 1 von 3";
  std::string holder;
  std::string address;
  std::string depotNumber;
  std::string accountNumber;
  std::string bankCode;
  // Leaving the page: the texts must be storable in the file.
  bool OnNext(platform::Prompter& prompter);
  forms::Field Focus() const { return m_focus; }

 private:
  forms::Field m_focus = forms::Field::None;
};

class CNeueDatei2PropPage {
 public:
  static constexpr const char* kCaption = "Neue Datei - Schritt 2 von 3";

  // Starts on 1 January of the current year with 0,00 EUR.
  explicit CNeueDatei2PropPage(CKBXDatum today);

  CKBXDatum startDay;
  std::string balanceText;

  // Writes the balance field from the stored amount with the currency's suffix.
  void OnShow();
  // "&Euro" or "&DM": the same number with the new suffix (not converted).
  void ChooseCurrency(Currency currency);
  // Leaving the balance field: a typed suffix decides the currency; an unreadable text
  // keeps the previous amount. Returns whether the text was read.
  bool LeaveBalance();

  std::int32_t Amount() const { return m_amount; }
  Currency SelectedCurrency() const { return m_currency; }

 private:
  std::int32_t m_amount = 0;
  Currency m_currency = kEur;
};

class CNeueDatei3PropPage {
 public:
  static constexpr const char* kCaption = "Neue Datei - Schritt 3 von 3";
  // The six texts of the page, filled with the start day.
  static std::array<std::string, 6> Texts(CKBXDatum startDay);
};

class CNeueDateiWizard {
 public:
  explicit CNeueDateiWizard(CKBXDatum today) : page2(today) {}
  CNeueDatei1PropPage page1;
  CNeueDatei2PropPage page2;
  // The wizard's result after "Fertig stellen".
  NewFileData Result() const;
};

// "Depotdaten": the five holder strings; OK copies them back into the document.
class CDepotdatenDlg {
 public:
  static constexpr const char* kCaption = "Depotdaten";
  explicit CDepotdatenDlg(const CKapibuchDoc& doc);
  std::string holder;
  std::string address;
  std::string depotNumber;
  std::string accountNumber;
  std::string bankCode;
  // The texts must be storable in the file; there are no other checks.
  bool OnOK(platform::Prompter& prompter);
  forms::Field Focus() const { return m_focus; }
  void Book(CKapibuchDoc& doc) const;

 private:
  forms::Field m_focus = forms::Field::None;
};
