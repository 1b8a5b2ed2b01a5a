#include "forms/AktiensplitForm.h"

#include <algorithm>
#include <cstdio>

using forms::Field;

AktiensplitForm::AktiensplitForm(const CKapibuchDoc& doc) : date(doc.Today()), m_doc(doc) {
  for (const auto& p : doc.Positions()) {
    forms::AddSortedOnce(m_names, p->name);
    forms::AddSortedOnce(m_wkns, p->wkn);
  }
}

void AktiensplitForm::ChooseName(const std::string& name) {
  m_name = forms::Contains(m_names, name) ? name : std::string();
  const auto wkn = forms::LastWknOfName(m_doc, m_name);
  m_wkn = wkn && !m_name.empty() ? *wkn : std::string();
}

void AktiensplitForm::ChooseWkn(const std::string& wkn) {
  m_wkn = forms::Contains(m_wkns, wkn) ? wkn : std::string();
  const auto name = forms::LastNameOfWkn(m_doc, m_wkn);
  m_name = name && !m_wkn.empty() ? *name : std::string();
}

void AktiensplitForm::ChooseSecurity(const std::string& name, const std::string& wkn) {
  m_name = forms::Contains(m_names, name) ? name : std::string();
  m_wkn = !m_name.empty() && forms::HasSecurity(m_doc, name, wkn) ? wkn : std::string();
}

bool AktiensplitForm::Check(platform::Prompter* prompter) {
  const forms::CheckReporter report(prompter, kCaption, m_focus);
  if (m_name.empty()) return report.Fail("Bitte wählen Sie eine Wertpapierbezeichnung aus!", Field::Name);
  if (m_wkn.empty())
    return report.Fail("Bitte wählen Sie eine Wertpapier-Kennummer bzw. ein Kürzel aus!", Field::Wkn);
  const char* positive = "Bitte geben Sie hier einen positiven Wert ein!";
  std::string n = newText, m = oldText;
  std::int32_t ni = 0, nf = 0, mi = 0, mf = 0;
  if (!ParseQuantity(n, ni, nf)) return report.Fail(positive, Field::NewShares);
  if (!ParseQuantity(m, mi, mf)) return report.Fail(positive, Field::OldShares);
  if (QuantityOf(ni, nf) == 0) return report.Fail(positive, Field::NewShares);
  if (QuantityOf(mi, mf) == 0) return report.Fail(positive, Field::OldShares);
  m_factor = static_cast<double>(QuantityOf(ni, nf)) / static_cast<double>(QuantityOf(mi, mf));
  switch (m_doc.CheckStockSplit(m_name, m_wkn, date, m_factor)) {
    case CKapibuchDoc::SplitProblem::None:
      return true;
    case CKapibuchDoc::SplitProblem::QuantityTooLarge:
      return report.Fail(kQuantityTooLarge, Field::NewShares);
    case CKapibuchDoc::SplitProblem::NoSharesLeft:
      return report.Fail(kNoSharesLeft, Field::OldShares);
    case CKapibuchDoc::SplitProblem::PriceTooLarge:
      return report.Fail(kPriceTooLarge, Field::OldShares);
  }
  return true;
}

std::string AktiensplitForm::Question() const {
  char factor[64];
  std::snprintf(factor, sizeof factor, "%f", m_factor);
  std::string f = factor;
  std::replace(f.begin(), f.end(), '.', ',');
  return "Haben Sie alle Daten korrekt angegeben?\n\nWenn Sie auf OK klicken, werden alle Kurse für " +
         m_name + " (" + m_wkn + ") vor dem " + date.Format() + " durch " + f +
         " geteilt und Stückzahlen mit " + f +
         " multipliziert!\n\nSie können die Aktion mit „Bearbeiten“ → „Rückgängig“ zurücknehmen, solange die "
         "Datei geöffnet ist.";
}

bool AktiensplitForm::OnOK(platform::Prompter& prompter) {
  return Check(&prompter) && forms::Confirm(prompter, kCaption, Question());
}

void AktiensplitForm::Book(CKapibuchDoc& doc) const {
  doc.Apply(Change());
}
