#include "forms/DepotdatenForm.h"

DepotdatenForm::DepotdatenForm(const CKapibuchDoc& doc)
    : holder(doc.Account().holder),
      address(doc.Account().address),
      depotNumber(doc.depotNumber),
      accountNumber(doc.Account().accountNumber),
      bankCode(doc.Account().bankCode) {}

bool DepotdatenForm::OnOK(platform::Prompter& prompter) {
  const forms::CheckReporter report(&prompter, kCaption, m_focus);
  return forms::HolderTextsStorable(report, holder, address, depotNumber, accountNumber, bankCode);
}

void DepotdatenForm::Book(CKapibuchDoc& doc) const {
  doc.Apply(Change());
}
