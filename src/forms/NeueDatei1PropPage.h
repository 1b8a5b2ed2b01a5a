#pragma once
// Page 1 of the new-file wizard: the holder particulars.

#include <array>
#include <string>

#include "base/Money.h"
#include "document/KapibuchDoc.h"
#include "forms/FormSupport.h"
#include "model/KBXDatum.h"

class CNeueDatei1PropPage {
 public:
  static constexpr int kHelpTopic = 1501;
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
