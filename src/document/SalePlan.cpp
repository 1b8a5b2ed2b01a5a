#include "document/SalePlan.h"

#include <algorithm>

SalePlan::SalePlan(const CKapibuchDoc& doc, const std::vector<SaleAllocation>& allocation,
                   const SaleTerms& terms)
    : m_terms(terms) {
  for (const SaleAllocation& a : allocation) {
    CKBXAktie* p = doc.FindPosition(a.positionNumber);
    if (!p || !p->IsOpen() || a.quantity <= 0 || a.quantity > p->Quantity()) continue;
    m_parts.push_back({p, a.quantity, 0});
    m_total += a.quantity;
  }
  // Shares of the commission by quantity; the last position takes what remains, so the
  // parts add up exactly (a negative commission is divided by the same rule, sign kept).
  std::int64_t remaining = terms.commission;
  for (std::size_t j = 0; j < m_parts.size(); ++j) {
    Part& part = m_parts[j];
    part.commission = j + 1 < m_parts.size() ? Prorate(terms.commission, part.sold, m_total).part : remaining;
    remaining -= part.commission;
  }
}

std::int64_t SalePlan::Value() const {
  return ShareValue(m_total, m_terms.price);
}

SplitAmount SalePlan::Proceeds(const Part& part) const {
  SplitAmount proceeds = part.position->Proceeds();
  return proceeds.Add(ShareValue(part.sold, m_terms.price), m_terms.priceCurrency)
      .Add(-part.commission, m_terms.commissionCurrency);
}

bool SalePlan::Fits(const CKBXKonto& account) const {
  if (m_parts.empty()) return true;
  const CKBXKonto::SecurityBooking booking = account.PlanSecurityTransaction(
      m_terms.date, Value(), m_terms.priceCurrency, m_terms.commission, m_terms.commissionCurrency, false);
  return booking.Fits() && std::all_of(m_parts.begin(), m_parts.end(),
                                       [&](const Part& part) { return FitsStored(Proceeds(part)); });
}
