#include "forms/KurseEingebenForm.h"

#include <algorithm>

#include "base/Money.h"
#include "model/KBXKursverlauf.h"

KurseEingebenForm::KurseEingebenForm(const CKapibuchDoc& doc) : m_doc(doc), m_day(doc.Today()) {
  Rebuild();
}

void KurseEingebenForm::SetDay(CKBXDatum day) {
  m_day = day;
  Rebuild();
}

void KurseEingebenForm::SetOnlyHeld(bool onlyHeld) {
  m_onlyHeld = onlyHeld;
  Rebuild();
}

void KurseEingebenForm::SetShowNames(bool showNames) {
  m_showNames = showNames;
  Rebuild();
}

int KurseEingebenForm::PageCount() const {
  return std::max(1, static_cast<int>((m_entries.size() + kRows - 1) / kRows));
}

std::string KurseEingebenForm::PageLine() const {
  return "Seite " + std::to_string(m_page + 1) + " von " + std::to_string(PageCount());
}

void KurseEingebenForm::NextPage() {
  if (CanGoForward()) ++m_page;
  ShowPage();
}

void KurseEingebenForm::PreviousPage() {
  if (CanGoBack()) --m_page;
  ShowPage();
}

void KurseEingebenForm::Rebuild() {
  m_entries.clear();
  if (m_onlyHeld) {
    m_doc.SecuritiesHeldOn(m_day, m_entries, m_showNames);
  } else {
    m_doc.AllSecurities(m_entries, m_showNames);
  }
  m_page = std::min(m_page, PageCount() - 1);
  ShowPage();
}

const CKBXKursverlauf* KurseEingebenForm::EntryOfRow(int row) const {
  if (row < 0 || row >= kRows) return nullptr;
  const std::size_t index = static_cast<std::size_t>(m_page * kRows + row);
  return index < m_entries.size() ? m_entries[index] : nullptr;
}

std::string KurseEingebenForm::StoredPriceText(const CKBXKursverlauf& history) const {
  const auto typed = m_typed.find({history.Name(), history.Wkn(), m_day.Day()});
  const std::int32_t price = typed != m_typed.end() ? typed->second : history.PriceOn(m_day);
  return price == kNoPrice ? std::string() : FormatMoney(price, kEur, kOwnCurrency, true);
}

void KurseEingebenForm::ShowPage() {
  for (int row = 0; row < kRows; ++row) {
    Row& r = m_rows[static_cast<std::size_t>(row)];
    const CKBXKursverlauf* history = EntryOfRow(row);
    if (history) {
      r.label = m_showNames ? history->Name() : history->Wkn();
      r.priceText = StoredPriceText(*history);
      r.visible = true;
    } else {
      r = Row{};
    }
  }
}

void KurseEingebenForm::SetPriceText(int row, const std::string& text) {
  if (row >= 0 && row < kRows) m_rows[static_cast<std::size_t>(row)].priceText = text;
}

void KurseEingebenForm::LeavePrice(int row) {
  const CKBXKursverlauf* history = EntryOfRow(row);
  if (!history) return;
  Row& r = m_rows[static_cast<std::size_t>(row)];
  if (r.priceText.empty()) {
    m_typed[{history->Name(), history->Wkn(), m_day.Day()}] = kNoPrice;
    m_lastTypedDay = m_day;
    return;
  }
  std::int32_t amount = 0;
  Currency currency = kEur;
  // A negative price is no price (and -1 would delete the day's point): treated as unreadable.
  if (!ParseMoney(r.priceText, amount, currency, true) || amount < 0) {
    r.priceText = StoredPriceText(*history);
    return;
  }
  const auto euro = static_cast<std::int32_t>(ConvertAmount(amount, currency, kEur));
  r.priceText = FormatMoney(euro, kEur, kOwnCurrency, true);
  m_typed[{history->Name(), history->Wkn(), m_day.Day()}] = euro;
  m_lastTypedDay = m_day;
}

PriceChange KurseEingebenForm::Change() const {
  std::vector<PriceChange::Entry> entries;
  for (const auto& [key, price] : m_typed)
    entries.push_back({std::get<0>(key), std::get<1>(key), CKBXDatum(std::get<2>(key)), price});
  return PriceChange("Kurse am " + m_lastTypedDay.Format(), std::move(entries));
}

int KurseEingebenForm::ShowEntry(const CKBXKursverlauf* history) {
  const auto it = std::find(m_entries.begin(), m_entries.end(), history);
  if (it == m_entries.end()) return -1;
  const auto index = static_cast<int>(it - m_entries.begin());
  m_page = index / kRows;
  ShowPage();
  return index % kRows;
}
