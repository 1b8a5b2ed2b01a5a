#pragma once
// The new-file wizard: its pages and its result.

#include <array>
#include <string>

#include "base/Money.h"
#include "document/KapibuchDoc.h"
#include "forms/FormSupport.h"
#include "forms/NeueDatei1PropPage.h"
#include "forms/NeueDatei2PropPage.h"
#include "model/KBXDatum.h"

class CNeueDateiWizard {
 public:
  explicit CNeueDateiWizard(CKBXDatum today) : page2(today) {}
  CNeueDatei1PropPage page1;
  CNeueDatei2PropPage page2;
  // The wizard's result after "Fertig stellen".
  NewFileData Result() const;
};
