#include "forms/KontobewegungForm.h"

#include <algorithm>

#include "base/TextCompare.h"
#include "forms/ZuordnenForm.h"

using forms::Field;

namespace {

// The position sum chosen under "Verbuchen unter:".
MovementChange::Target TargetOf(KontobewegungForm::BookTo bookTo) {
  return bookTo == KontobewegungForm::kKaufpreis        ? MovementChange::Target::PurchaseCost
         : bookTo == KontobewegungForm::kVerkaufserloes ? MovementChange::Target::Proceeds
                                                        : MovementChange::Target::Dividend;
}

}  // namespace

const std::vector<KontobewegungForm::Kind>& KontobewegungForm::Kinds() {
  static const std::vector<Kind> kinds = [] {
    std::vector<Kind> k = {
        {"Kapitaleinlage", 31, +1, false},         {"Kapitalentnahme", 32, -1, false},
        {"Dividenden-Gutschrift", 11, +1, true},   {"Coupon-Gutschrift", 12, +1, true},
        {"Bezugsrechtsverkauf", 13, +1, true},     {"Ausschüttung", 14, +1, true},
        {"Limit-Gebühren", 18, -1, true},          {"Zinserträge (Haben-Zins)", 21, +1, false},
        {"Zinskosten (Soll-Zins)", 22, -1, false}, {"Steuern", 26, -1, true},
        {"Werbungskosten", 27, -1, true},          {"Sonstige Erträge", 28, +1, true},
        {"Sonstige Kosten", 29, -1, true},         {"Depotgebühren", 25, -1, false},
    };
    std::stable_sort(k.begin(), k.end(),
                     [](const Kind& a, const Kind& b) { return CompareNoCase(a.name, b.name) < 0; });
    return k;
  }();
  return kinds;
}

KontobewegungForm::KontobewegungForm(const CKapibuchDoc& doc)
    : m_doc(doc), m_date(std::max(doc.Today(), doc.Account().StartDay())) {
  for (const auto& p : doc.Positions()) {
    forms::AddSortedOnce(m_names, p->name);
    forms::AddSortedOnce(m_wkns, p->wkn);
  }
  Refresh(nullptr);
}

void KontobewegungForm::SetDate(CKBXDatum date) {
  m_date = std::max(date, EarliestDate());
  Refresh(nullptr);
}

void KontobewegungForm::SetKind(std::size_t index) {
  if (index < Kinds().size()) m_kind = index;
  Refresh(nullptr);
}

bool KontobewegungForm::SetKindByName(const std::string& name) {
  const auto& kinds = Kinds();
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    if (name == kinds[i].name) {
      SetKind(i);
      return true;
    }
  }
  return false;
}

void KontobewegungForm::SetRelation(bool related) {
  m_related = related;
  Refresh(nullptr);
}

void KontobewegungForm::ChooseName(const std::string& name) {
  m_name = forms::Contains(m_names, name) ? name : std::string();
  const auto wkn = forms::LastWknOfName(m_doc, m_name);
  m_wkn = wkn && !m_name.empty() ? *wkn : std::string();
  RebuildCandidates();
  Refresh(nullptr);
}

void KontobewegungForm::ChooseWkn(const std::string& wkn) {
  m_wkn = forms::Contains(m_wkns, wkn) ? wkn : std::string();
  const auto name = forms::LastNameOfWkn(m_doc, m_wkn);
  m_name = name && !m_wkn.empty() ? *name : std::string();
  RebuildCandidates();
  Refresh(nullptr);
}

void KontobewegungForm::ChooseSecurity(const std::string& name, const std::string& wkn) {
  m_name = forms::Contains(m_names, name) ? name : std::string();
  m_wkn = !m_name.empty() && forms::HasSecurity(m_doc, name, wkn) ? wkn : std::string();
  RebuildCandidates();
  Refresh(nullptr);
}

void KontobewegungForm::SetAutoAssign(bool automatic) {
  m_auto = automatic;
  Refresh(nullptr);
}

void KontobewegungForm::RebuildCandidates() {
  m_candidates.clear();
  if (!m_name.empty()) {
    for (const auto& p : m_doc.Positions()) {
      if (p->name == m_name && (p->IsOpen() || p->IsSold())) m_candidates.push_back(p.get());
    }
  }
  m_assignment.assign(m_candidates.size(), 0);
}

void KontobewegungForm::FillRows() {
  std::int64_t total = 0;
  int decimals = 0;
  for (std::size_t i = 0; i < m_candidates.size(); ++i) {
    total += m_assignment[i];
    decimals = std::max(decimals, QuantityDecimals(m_candidates[i]->quantityFraction));
  }
  m_rows.clear();
  for (std::size_t i = 0; i < m_candidates.size(); ++i) {
    const CKBXAktie& p = *m_candidates[i];
    std::string share;
    if (total != 0) {
      share = FormatPercent(SharePercent(m_assignment[i], total), 2);
    } else if (m_assignment[i] == 0) {
      share = "0,00%";
    }
    m_rows.push_back({std::to_string(i + 1), p.purchaseDate.Format(), p.IsSold() ? p.saleDate.Format() : "-",
                      forms::QuantityText(p.Quantity(), decimals), share});
  }
}

bool KontobewegungForm::Refresh(platform::Prompter* prompter) {
  const forms::CheckReporter report(prompter, kCaption, m_focus);
  const bool active = RelationActive();
  const bool several = m_candidates.size() >= 2;
  m_autoEnabled = active && several;
  m_assignEnabled = active && several && !m_auto;

  if (m_candidates.size() == 1) {
    m_assignment.front() = m_candidates.front()->Quantity();
  } else if (several && m_auto) {
    for (std::size_t i = 0; i < m_candidates.size(); ++i) {
      const CKBXAktie& p = *m_candidates[i];
      const bool bought = p.purchaseDate <= m_date;
      const bool held = p.IsOpen() ? bought : bought && p.saleDate >= m_date;
      m_assignment[i] = held ? p.Quantity() : 0;
    }
  }
  std::int64_t total = 0;
  for (const std::int64_t q : m_assignment) total += q;
  FillRows();

  // The amount in the currency the account keeps on that day, with the kind's sign. It is
  // stored in both currencies: each must fit the file.
  const Currency accountCurrency = m_doc.Account().CurrencyOn(m_date);
  std::int32_t amount = 0;
  Currency currency = accountCurrency;
  m_amountValid = ParseMoney(amountText, amount, currency, false);
  bool fits = true;
  if (m_amountValid) {
    std::int64_t converted = ConvertAmount(amount, currency, accountCurrency);
    if ((SelectedKind().sign > 0) != (converted >= 0) && converted != 0) converted = -converted;
    fits = FitsStored(converted) && FitsStored(CKBXKonto::MovementAmounts(converted, accountCurrency));
    if (FitsStored(converted)) {
      m_amount = static_cast<std::int32_t>(converted);
      m_currency = accountCurrency;
      amountText = FormatMoney(m_amount, m_currency, kOwnCurrency, true);
    }
  }

  if (!m_amountValid) return report.Fail("Bitte geben Sie einen korrekten Betrag ein!", Field::Amount);
  if (!fits) return report.Fail(forms::kAmountTooLarge, Field::Amount);
  if (active && (m_name.empty() || m_wkn.empty()))
    return report.Fail("Bitte wählen Sie ein Wertpapier aus!", Field::Name);
  if (active && total == 0) {
    return report.Fail("Bitte ordnen Sie den Betrag den Wertpapierpositionen zu!", Field::Allocate);
  }
  if (active && !PartsFit()) return report.Fail(forms::kAmountTooLarge, Field::Amount);
  return report.Storable(text, "Text", Field::Text);
}

std::vector<std::int64_t> KontobewegungForm::Parts() const {
  std::vector<std::int64_t> parts;
  const bool negative = m_amount < 0;
  std::int64_t rest = negative ? -std::int64_t{m_amount} : m_amount;
  std::int64_t total = 0;
  for (const std::int64_t q : m_assignment) total += q;
  for (const std::int64_t q : m_assignment) {
    const std::int64_t part = q == total ? rest : Prorate(rest, q, total).part;
    rest -= part;
    total -= q;
    parts.push_back(negative ? -part : part);
  }
  return parts;
}

std::int64_t KontobewegungForm::TargetChange(std::int64_t part) const {
  // Income lowers the purchase cost, an expense raises it; the other sums take the sign.
  return m_bookTo == kKaufpreis ? -part : part;
}

bool KontobewegungForm::PartsFit() const {
  const std::vector<std::int64_t> parts = Parts();
  for (std::size_t i = 0; i < m_candidates.size(); ++i) {
    const std::int32_t sum = MovementChange::SumOf(*m_candidates[i], TargetOf(m_bookTo), m_currency);
    if (!FitsStored(std::int64_t{sum} + TargetChange(parts[i]))) return false;
  }
  return true;
}

void KontobewegungForm::Zuordnen(const std::function<bool(ZuordnenForm&)>& show) {
  for (std::size_t i = 0; i < m_candidates.size(); ++i) {
    const CKBXAktie& p = *m_candidates[i];
    ZuordnenForm dlg;
    dlg.runningNumber = static_cast<int>(i + 1);
    dlg.purchaseDateText = p.purchaseDate.Format();
    dlg.saleDateText = p.IsSold() ? p.saleDate.Format() : "-";
    dlg.held = p.Quantity();
    dlg.quantityText = forms::QuantityText(dlg.held);
    if (!show(dlg)) break;
    m_assignment[i] = dlg.Chosen();
  }
  Refresh(nullptr);
}

bool KontobewegungForm::OnOK(platform::Prompter& prompter) {
  return Refresh(&prompter) && forms::Confirm(prompter, kCaption, forms::kConfirmUndoable);
}

MovementChange KontobewegungForm::Change() const {
  MovementChange::Terms terms;
  terms.date = m_date;
  terms.kind = SelectedKind().code;
  terms.kindName = SelectedKind().name;
  terms.amount = m_amount;
  terms.currency = m_currency;
  terms.text = text;
  terms.target = TargetOf(m_bookTo);
  if (RelationActive()) {
    const std::vector<std::int64_t> parts = Parts();
    for (std::size_t i = 0; i < m_candidates.size(); ++i)
      terms.parts.push_back({m_candidates[i]->number, TargetChange(parts[i])});
  }
  return MovementChange(std::move(terms));
}

void KontobewegungForm::Book(CKapibuchDoc& doc) const {
  doc.Apply(Change());
}
