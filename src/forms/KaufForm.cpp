#include "forms/KaufForm.h"

using forms::Field;

KaufForm::KaufForm(const CKapibuchDoc& doc) : date(doc.Today()), m_doc(doc) {
  for (const auto& p : doc.Positions()) {
    forms::AddSortedOnce(m_names, p->name);
    forms::AddSortedOnce(m_wkns, p->wkn);
  }
}

void KaufForm::TypeName(const std::string& typed) {
  name = typed;
  if (name.empty()) return;
  if (const auto known = forms::LastWknOfName(m_doc, name)) {
    wkn = *known;
  } else if (forms::LastNameOfWkn(m_doc, wkn)) {
    wkn.clear();  // it belonged to another security
  }
}

void KaufForm::TypeWkn(const std::string& typed) {
  wkn = typed;
  if (wkn.empty()) return;
  if (const auto known = forms::LastNameOfWkn(m_doc, wkn)) {
    name = *known;
  } else if (forms::LastWknOfName(m_doc, name)) {
    name.clear();
  }
}

bool KaufForm::Check(platform::Prompter* prompter) {
  const forms::CheckReporter report(prompter, kCaption, m_focus);
  if (name.empty())
    return report.Fail("Bitte geben Sie eine Bezeichnung für das gekaufte Wertpapier ein!", Field::Name);
  if (wkn.empty()) {
    return report.Fail(
        "Bitte geben Sie eine Wertpapier-Kennummer bzw. ein Kürzel für das gekaufte Wertpapier ein!",
        Field::Wkn);
  }
  std::string quantity = quantityText;
  if (!ParseQuantity(quantity, m_integer, m_fraction)) {
    return report.Fail("Bitte geben Sie eine korrekte Stückzahl an!", Field::Quantity);
  }
  // A position without shares has no meaning in any evaluation: refused as by the sale.
  if (QuantityOf(m_integer, m_fraction) == 0) {
    return report.Fail("Bitte geben Sie eine positive Stückzahl ein!", Field::Quantity);
  }
  // A negative price would lower the position's cost but still be paid from the account.
  if (!ParseMoney(priceText, m_price, m_priceCurrency, true) || m_price < 0) {
    return report.Fail("Bitte geben Sie einen korrekten Kaufkurs ein!", Field::Price);
  }
  if (!ParseMoney(commissionText, m_commission, m_commissionCurrency, true)) {
    return report.Fail("Bitte geben Sie einen Wert für die Transaktionskosten ein!", Field::Commission);
  }
  // Every sum the purchase stores must fit the file's 32-bit fields; nothing is wrapped.
  const CKBXKonto::SecurityBooking booking = m_doc.Account().PlanSecurityTransaction(
      date, Value(), m_priceCurrency, m_commission, m_commissionCurrency, true);
  if (!FitsStored(Cost()) || !booking.Fits()) return report.Fail(forms::kAmountTooLarge, Field::Price);
  return report.Storable(name, "Bezeichnung", Field::Name) &&
         report.Storable(wkn, "WKN/Kürzel", Field::Wkn) && report.Storable(text, "Text", Field::Text);
}

std::int64_t KaufForm::Value() const {
  return ShareValue(QuantityOf(m_integer, m_fraction), m_price);
}

SplitAmount KaufForm::Cost() const {
  SplitAmount cost;
  return cost.Add(Value(), m_priceCurrency).Add(m_commission, m_commissionCurrency);
}

bool KaufForm::OnOK(platform::Prompter& prompter) {
  return Check(&prompter) && forms::Confirm(prompter, kCaption, forms::kConfirmUndoable);
}

PurchaseTerms KaufForm::Terms() const {
  return {
      name, wkn, date, m_integer, m_fraction, m_price, m_priceCurrency, m_commission, m_commissionCurrency,
      text};
}

void KaufForm::Book(CKapibuchDoc& doc) const {
  doc.Apply(Change());
}
