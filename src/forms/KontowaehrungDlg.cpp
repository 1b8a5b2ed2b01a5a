#include "forms/KontowaehrungDlg.h"

#include <algorithm>

CKontowaehrungDlg::CKontowaehrungDlg(const CKapibuchDoc& doc)
    : m_earliest(doc.Account().StartDay()), m_date(std::max(doc.Today(), m_earliest)) {}

bool CKontowaehrungDlg::OnOK(platform::Prompter& prompter) const {
  return forms::Confirm(prompter, kCaption, kQuestion);
}

void CKontowaehrungDlg::Book(CKapibuchDoc& doc) const {
  doc.Apply(Change());
}
