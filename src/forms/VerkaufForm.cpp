#include "forms/VerkaufForm.h"

#include <algorithm>

#include "forms/AufteilenForm.h"

using forms::Field;

namespace {

int DecimalsOf(const std::vector<std::int64_t>& quantities) {
  int decimals = 0;
  for (std::int64_t q : quantities) {
    decimals = std::max(decimals, QuantityDecimals(static_cast<std::int32_t>(q % kQuantityUnit)));
  }
  return decimals;
}

}  // namespace

VerkaufForm::VerkaufForm(const CKapibuchDoc& doc)
    : m_doc(doc), m_date(std::max(doc.Today(), doc.Account().StartDay())) {
  FillLists();
  Check(nullptr);
}

void VerkaufForm::FillLists() {
  m_names.clear();
  m_wkns.clear();
  for (const auto& p : m_doc.Positions()) {
    if (Listed(*p)) {
      forms::AddSortedOnce(m_names, p->name);
      forms::AddSortedOnce(m_wkns, p->wkn);
    }
  }
}

void VerkaufForm::RebuildCandidates() {
  m_candidates.clear();
  m_allocation.clear();
  if (!m_name.empty()) {
    for (const auto& p : m_doc.Positions()) {
      if (p->name == m_name && Listed(*p)) {
        m_candidates.push_back(p.get());
      }
    }
  }
  m_allocation.assign(m_candidates.size(), 0);
  FillRows(false);
}

std::int64_t VerkaufForm::CandidateTotal() const {
  std::int64_t total = 0;
  for (const CKBXAktie* p : m_candidates) total += p->Quantity();
  return total;
}

std::string VerkaufForm::PriceText(const CKBXAktie& p) const {
  const int target = m_display == kShowEur ? kEur : m_display == kShowDm ? kDm : kOwnCurrency;
  return FormatMoney(p.purchasePrice, p.purchasePriceCurrency, target, true);
}

void VerkaufForm::FillRows(bool withAllocation) {
  std::vector<std::int64_t> held, sold;
  for (const CKBXAktie* p : m_candidates) held.push_back(p->Quantity());
  sold = m_allocation;
  const int heldDecimals = DecimalsOf(held);
  const int soldDecimals = DecimalsOf(sold);
  m_rows.clear();
  for (std::size_t i = 0; i < m_candidates.size(); ++i) {
    const CKBXAktie& p = *m_candidates[i];
    m_rows.push_back({std::to_string(i + 1), p.purchaseDate.Format(), PriceText(p),
                      forms::QuantityText(held[i], heldDecimals),
                      withAllocation ? forms::QuantityText(sold[i], soldDecimals) : std::string()});
  }
}

bool VerkaufForm::Listed(const CKBXAktie& position) const {
  return position.IsOpen() && position.purchaseDate <= m_date;
}

// The last listed position with the name (or the WKN/Kürzel): the lists offer only those,
// so a sold position's WKN/Kürzel is never selected.
std::string VerkaufForm::ListedWknOfName(const std::string& name) const {
  std::string wkn;
  for (const auto& p : m_doc.Positions()) {
    if (Listed(*p) && p->name == name) wkn = p->wkn;
  }
  return wkn;
}

std::string VerkaufForm::ListedNameOfWkn(const std::string& wkn) const {
  std::string name;
  for (const auto& p : m_doc.Positions()) {
    if (Listed(*p) && p->wkn == wkn) name = p->name;
  }
  return name;
}

void VerkaufForm::SetDate(CKBXDatum date) {
  m_date = std::max(date, EarliestDate());
  FillLists();
  if (!forms::Contains(m_names, m_name)) m_name.clear();
  m_wkn = m_name.empty() ? std::string() : ListedWknOfName(m_name);
  RebuildCandidates();
  Check(nullptr);
}

void VerkaufForm::ChooseName(const std::string& name) {
  m_name = forms::Contains(m_names, name) ? name : std::string();
  m_wkn = m_name.empty() ? std::string() : ListedWknOfName(m_name);
  RebuildCandidates();
  Check(nullptr);
}

void VerkaufForm::ChooseWkn(const std::string& wkn) {
  m_wkn = forms::Contains(m_wkns, wkn) ? wkn : std::string();
  m_name = m_wkn.empty() ? std::string() : ListedNameOfWkn(m_wkn);
  RebuildCandidates();
  Check(nullptr);
}

void VerkaufForm::ChooseSecurity(const std::string& name, const std::string& wkn) {
  m_name = forms::Contains(m_names, name) ? name : std::string();
  const bool listed = std::any_of(m_doc.Positions().begin(), m_doc.Positions().end(),
                                  [&](const auto& p) { return Listed(*p) && p->Is(name, wkn); });
  m_wkn = !m_name.empty() && listed ? wkn : std::string();
  RebuildCandidates();
  Check(nullptr);
}

void VerkaufForm::LeaveQuantity() {
  std::int64_t quantity = 0;
  if (!forms::ReadQuantity(quantityText, quantity)) return;
  const std::int64_t total = CandidateTotal();
  if (quantity > total) quantityText = forms::QuantityText(total);
  Check(nullptr);
}

void VerkaufForm::LeavePrice() {
  forms::NormaliseMoneyText(priceText);
  Check(nullptr);
}

void VerkaufForm::LeaveCommission() {
  forms::NormaliseMoneyText(commissionText);
  Check(nullptr);
}

void VerkaufForm::SetDisplayCurrency(DisplayCurrency currency) {
  m_display = currency;
  FillRows(false);
  Check(nullptr);
}

void VerkaufForm::SetAutoAllocate(bool automatic) {
  m_auto = automatic;
  Check(nullptr);
}

bool VerkaufForm::Check(platform::Prompter* prompter, bool beforeSplit) {
  const forms::CheckReporter report(prompter, kCaption, m_focus);
  const bool several = m_candidates.size() >= 2;
  m_autoEnabled = several;
  m_splitEnabled = several && !m_auto;

  if (m_names.empty()) {
    return report.Fail("An diesem Tag befinden sich keine Wertpapiere im Depot, die verkauft werden können!",
                       Field::Date);
  }
  if (m_name.empty()) return report.Fail("Bitte wählen Sie eine Wertpapierbezeichnung aus!", Field::Name);
  if (m_wkn.empty())
    return report.Fail("Bitte wählen Sie eine Wertpapier-Kennummer bzw. ein Kürzel aus!", Field::Wkn);
  std::int64_t requested = 0;
  if (!forms::ReadQuantity(quantityText, requested)) {
    return report.Fail("Bitte geben Sie eine korrekte Stückzahl ein!", Field::Quantity);
  }
  if (requested == 0) return report.Fail("Bitte geben Sie eine positive Stückzahl ein!", Field::Quantity);
  if (requested > CandidateTotal()) {
    return report.Fail("So viele Wertpapiere befinden sich nicht im Depot!", Field::Quantity);
  }
  if (beforeSplit) return true;

  if (m_candidates.size() == 1 || (several && m_auto)) {
    std::int64_t remaining = requested;
    for (std::size_t i = 0; i < m_candidates.size(); ++i) {
      m_allocation[i] = std::min(m_candidates[i]->Quantity(), remaining);
      remaining -= m_allocation[i];
    }
  }
  std::int64_t allocated = 0;
  for (const std::int64_t q : m_allocation) allocated += q;
  if (allocated != requested) {
    FillRows(false);
    if (m_splitEnabled) {
      return report.Fail("Bitte teilen Sie die verkauften Stücke auf die verschiedenen Positionen auf!",
                         Field::Allocate);
    }
    return report.Fail("Bitte geben Sie eine korrekte Stückzahl ein!", Field::Quantity);
  }
  FillRows(true);
  // A negative price would lower the proceeds but still be paid into the account.
  if (!ParseMoney(priceText, m_price, m_priceCurrency, true) || m_price < 0) {
    return report.Fail("Bitte geben Sie einen korrekten Verkaufkurs ein!", Field::Price);
  }
  if (!ParseMoney(commissionText, m_commission, m_commissionCurrency, true)) {
    return report.Fail("Bitte geben Sie einen Wert für die Transaktionskosten ein!", Field::Commission);
  }
  if (!m_doc.SaleFits(SaleParts(), Terms())) return report.Fail(forms::kAmountTooLarge, Field::Price);
  return report.Storable(text, "Text", Field::Text);
}

void VerkaufForm::Aufteilen(platform::Prompter& prompter, const std::function<bool(AufteilenForm&)>& show) {
  if (!Check(&prompter, true)) return;
  std::int64_t requested = 0;
  forms::ReadQuantity(quantityText, requested);
  std::int64_t rest = CandidateTotal();
  for (std::size_t i = 0; i < m_candidates.size(); ++i) {
    const CKBXAktie& p = *m_candidates[i];
    const std::int64_t held = p.Quantity();
    const std::int64_t after = rest - held;
    AufteilenForm dlg;
    dlg.runningNumber = static_cast<int>(i + 1);
    dlg.purchaseDateText = p.purchaseDate.Format();
    dlg.purchasePriceText = PriceText(p);
    dlg.held = held;
    dlg.highest = std::min(requested, held);
    dlg.lowest = after < requested ? requested - after : 0;
    dlg.quantityText = forms::QuantityText(dlg.highest);
    if (!show(dlg)) break;
    m_allocation[i] = dlg.Chosen();
    rest = after;
    requested -= dlg.Chosen();
  }
  Check(nullptr);
}

bool VerkaufForm::OnOK(platform::Prompter& prompter) {
  return Check(&prompter) && forms::Confirm(prompter, kCaption, forms::kConfirmUndoable);
}

std::vector<SaleAllocation> VerkaufForm::SaleParts() const {
  std::vector<SaleAllocation> parts;
  for (std::size_t i = 0; i < m_candidates.size(); ++i) {
    if (m_allocation[i] != 0) parts.push_back({m_candidates[i]->number, m_allocation[i]});
  }
  return parts;
}

SaleTerms VerkaufForm::Terms() const {
  return {m_price, m_priceCurrency, m_commission, m_commissionCurrency, m_date, text};
}

SaleChange VerkaufForm::Change() const {
  return SaleChange(m_name, SaleParts(), Terms());
}

void VerkaufForm::Book(CKapibuchDoc& doc) const {
  doc.Apply(Change());
}
