#include "forms/DepotdatenDlg.h"

CDepotdatenDlg::CDepotdatenDlg(const CKapibuchDoc& doc)
    : holder(doc.Account().holder),
      address(doc.Account().address),
      depotNumber(doc.depotNumber),
      accountNumber(doc.Account().accountNumber),
      bankCode(doc.Account().bankCode) {}

bool CDepotdatenDlg::OnOK(platform::Prompter& prompter) {
  const forms::CheckReporter report(&prompter, kCaption, m_focus);
  return forms::HolderTextsStorable(report, holder, address, depotNumber, accountNumber, bankCode);
}

void CDepotdatenDlg::Book(CKapibuchDoc& doc) const {
  doc.Apply(Change());
}
