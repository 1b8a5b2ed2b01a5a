#pragma once
// Page 3 of the new-file wizard: what is made.

#include <array>
#include <string>

#include "base/Money.h"
#include "document/KapibuchDoc.h"
#include "forms/FormSupport.h"
#include "model/KBXDatum.h"

class CNeueDatei3PropPage {
 public:
  static constexpr int kHelpTopic = 1503;
  static constexpr const char* kCaption = "Neue Datei - Schritt 3 von 3";
  // The six texts of the page, filled with the start day.
  static std::array<std::string, 6> Texts(CKBXDatum startDay);
};
