#pragma once
// Page 2 of the new-file wizard: start day, opening balance and currency.

#include <array>
#include <string>

#include "base/Money.h"
#include "document/KapibuchDoc.h"
#include "forms/FormSupport.h"
#include "model/KBXDatum.h"

class CNeueDatei2PropPage {
 public:
  static constexpr int kHelpTopic = 1502;
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
