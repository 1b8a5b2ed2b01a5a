#include "forms/PositionAuswahlForm.h"

#include <algorithm>

#include "base/TextCompare.h"
#include "forms/FormSupport.h"

PositionAuswahlForm::PositionAuswahlForm(const CKapibuchDoc& doc, const std::vector<int>& selection) {
  const auto& positions = doc.Positions();
  int decimals = 0;
  for (const auto& p : positions) decimals = std::max(decimals, QuantityDecimals(p->quantityFraction));
  for (std::size_t i = 0; i < positions.size(); ++i) {
    const CKBXAktie& p = *positions[i];
    Row row;
    row.position = p.number;
    row.name = p.name;
    row.wkn = p.wkn;
    row.purchaseDate = p.purchaseDate.Format();
    row.saleDate = p.IsSold() ? p.saleDate.Format() : "-";
    row.quantity = forms::QuantityText(p.Quantity(), decimals);
    row.purchasePrice = FormatMoney(p.purchasePrice, p.purchasePriceCurrency == kDm ? kDm : kEur, kEur, true);
    row.marked = std::find(selection.begin(), selection.end(), row.position) != selection.end();
    m_rows.push_back(std::move(row));
  }
  std::stable_sort(m_rows.begin(), m_rows.end(),
                   [](const Row& a, const Row& b) { return CompareNoCase(a.name, b.name) < 0; });
}

void PositionAuswahlForm::Mark(std::size_t row, bool marked) {
  if (row < m_rows.size()) m_rows[row].marked = marked;
}

std::vector<int> PositionAuswahlForm::Selection() const {
  std::vector<int> selection;
  for (const Row& row : m_rows) {
    if (row.marked) selection.push_back(row.position);
  }
  return selection;
}
