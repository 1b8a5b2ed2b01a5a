#include "forms/ZuordnenForm.h"

bool ZuordnenForm::Read() {
  std::int64_t quantity = 0;
  if (!forms::ReadQuantity(quantityText, quantity)) return false;
  m_chosen = std::min(quantity, held);
  quantityText = forms::QuantityText(m_chosen);
  return true;
}

void ZuordnenForm::LeaveQuantity() {
  Read();
}

bool ZuordnenForm::OnOK(platform::Prompter& prompter) {
  if (Read()) return true;
  prompter.Tell(kCaption, "Bitte geben Sie eine korrekte Stückzahl ein!");
  return false;
}
