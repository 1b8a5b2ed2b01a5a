#include "document/Changes.h"

#include "document/UndoHistory.h"
#include "model/KBXKursverlauf.h"

std::string BuyChange::Label() const {
  return "Kauf " + m_terms.name + " am " + m_terms.date.Format();
}

bool BuyChange::ApplyTo(CKapibuchDoc& doc) const {
  doc.BuyPosition(m_terms);
  return true;
}

std::string SaleChange::Label() const {
  return "Verkauf " + m_name + " am " + m_terms.date.Format();
}

bool SaleChange::ApplyTo(CKapibuchDoc& doc) const {
  doc.SellPositions(m_allocation, m_terms);
  return true;
}

std::string MovementChange::Label() const {
  return "Kontobewegung " + m_terms.kindName + " am " + m_terms.date.Format();
}

std::int32_t& MovementChange::SumOf(CKBXAktie& p, Target target, Currency currency) {
  const bool dm = currency == kDm;
  switch (target) {
    case Target::PurchaseCost:
      return dm ? p.costDm : p.costEur;
    case Target::Proceeds:
      return dm ? p.proceedsDm : p.proceedsEur;
    case Target::Dividend:
      break;
  }
  return dm ? p.dividendDm : p.dividendEur;
}

bool MovementChange::ApplyTo(CKapibuchDoc& doc) const {
  for (const Part& part : m_terms.parts) {
    CKBXAktie* p = doc.FindPosition(part.positionNumber);
    if (!p) continue;
    // The form checked that every sum still fits the file's 32-bit field.
    std::int32_t& sum = SumOf(*p, m_terms.target, m_terms.currency);
    sum = static_cast<std::int32_t>(sum + part.change);
  }
  doc.Account().BookMovement(m_terms.date, m_terms.kind, m_terms.amount, m_terms.currency, m_terms.text);
  return true;
}

bool PriceChange::ApplyTo(CKapibuchDoc& doc) const {
  bool changed = false;
  for (const Entry& e : m_entries) changed |= doc.SetPrice(e.name, e.wkn, e.date, e.price);
  return changed;
}

std::string SplitChange::Label() const {
  return "Aktiensplit " + m_name + " am " + m_date.Format();
}

bool SplitChange::ApplyTo(CKapibuchDoc& doc) const {
  doc.StockSplit(m_name, m_wkn, m_date, m_ratio);
  return true;
}

bool CurrencySwitchChange::ApplyTo(CKapibuchDoc& doc) const {
  return doc.Account().SwitchToEur(m_date);
}

bool HolderDataChange::ApplyTo(CKapibuchDoc& doc) const {
  CKBXKonto& account = doc.Account();
  const bool same = doc.depotNumber == m_data.depotNumber && account.holder == m_data.holder &&
                    account.address == m_data.address && account.accountNumber == m_data.accountNumber &&
                    account.bankCode == m_data.bankCode;
  doc.depotNumber = m_data.depotNumber;
  account.holder = m_data.holder;
  account.address = m_data.address;
  account.accountNumber = m_data.accountNumber;
  account.bankCode = m_data.bankCode;
  return !same;
}

bool SettingsChange::ApplyTo(CKapibuchDoc& doc) const {
  doc.settings = m_settings;
  return true;
}

// The one door: every change of a document is applied here, and taken back or made again.

bool CKapibuchDoc::Apply(const DocumentChange& change) {
  if (m_undo) m_undo->Ready();  // its first state is a copy of the document before
  if (!change.ApplyTo(*this)) return false;
  Changed(change.Label());
  return true;
}

void CKapibuchDoc::Changed(std::string label) {
  SetModified();
  ClearSeriesCaches();
  if (m_undo) m_undo->Record(*this, std::move(label));
  UpdateAllViews();
}

void CKapibuchDoc::KeepUndoHistory() {
  m_undo = std::make_unique<UndoHistory>(*this);
}

bool CKapibuchDoc::UndoChange() {
  if (!m_undo || !m_undo->Undo(*this)) return false;
  SetModified(!m_undo->AtSaved());
  UpdateAllViews();
  return true;
}

bool CKapibuchDoc::RedoChange() {
  if (!m_undo || !m_undo->Redo(*this)) return false;
  SetModified(!m_undo->AtSaved());
  UpdateAllViews();
  return true;
}
