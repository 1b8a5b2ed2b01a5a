#pragma once
// "Depotdaten": the holder particulars of the portfolio.

#include <array>
#include <string>

#include "base/Money.h"
#include "document/Changes.h"
#include "document/KapibuchDoc.h"
#include "forms/FormSupport.h"
#include "model/KBXDatum.h"

// "Depotdaten": the five holder strings; OK copies them back into the document.
class DepotdatenForm {
 public:
  static constexpr int kHelpTopic = 2031;
  static constexpr const char* kCaption = "Depotdaten";
  explicit DepotdatenForm(const CKapibuchDoc& doc);
  std::string holder;
  std::string address;
  std::string depotNumber;
  std::string accountNumber;
  std::string bankCode;
  // The texts must be storable in the file; there are no other checks.
  bool OnOK(platform::Prompter& prompter);
  forms::Field Focus() const { return m_focus; }
  HolderDataChange Change() const {
    return HolderDataChange({holder, address, depotNumber, accountNumber, bankCode});
  }
  void Book(CKapibuchDoc& doc) const;

 private:
  forms::Field m_focus = forms::Field::None;
};
