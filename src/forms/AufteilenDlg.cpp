#include "forms/AufteilenDlg.h"

std::string CAufteilenDlg::RangeText() const {
  return "mindestens " + forms::QuantityText(lowest) + " Stück\nhöchstens " + forms::QuantityText(highest) +
         " Stück";
}

bool CAufteilenDlg::Read() {
  std::int64_t quantity = 0;
  if (!forms::ReadQuantity(quantityText, quantity)) return false;
  m_chosen = std::clamp(quantity, lowest, std::max(lowest, highest));
  quantityText = forms::QuantityText(m_chosen);
  return true;
}

void CAufteilenDlg::LeaveQuantity() {
  Read();
}

bool CAufteilenDlg::OnOK(platform::Prompter& prompter) {
  if (Read()) return true;
  prompter.Tell(kCaption, "Bitte geben Sie eine korrekte Stückzahl ein!");
  return false;
}
