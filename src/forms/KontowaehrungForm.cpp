#include "forms/KontowaehrungForm.h"

#include <algorithm>

KontowaehrungForm::KontowaehrungForm(const CKapibuchDoc& doc)
    : m_earliest(doc.Account().StartDay()), m_date(std::max(doc.Today(), m_earliest)) {}

bool KontowaehrungForm::OnOK(platform::Prompter& prompter) const {
  return forms::Confirm(prompter, kCaption, kQuestion);
}

void KontowaehrungForm::Book(CKapibuchDoc& doc) const {
  doc.Apply(Change());
}
