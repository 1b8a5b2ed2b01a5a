#include "forms/ZuordnenDlg.h"

bool CZuordnenDlg::Read() {
  std::int64_t quantity = 0;
  if (!forms::ReadQuantity(quantityText, quantity)) return false;
  m_chosen = std::min(quantity, held);
  quantityText = forms::QuantityText(m_chosen);
  return true;
}

void CZuordnenDlg::LeaveQuantity() {
  Read();
}

bool CZuordnenDlg::OnOK(platform::Prompter& prompter) {
  if (Read()) return true;
  prompter.Tell(kCaption, "Bitte geben Sie eine korrekte Stückzahl ein!");
  return false;
}
