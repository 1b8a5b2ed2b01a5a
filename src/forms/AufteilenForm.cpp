#include "forms/AufteilenForm.h"

std::string AufteilenForm::RangeText() const {
  return "mindestens " + forms::QuantityText(lowest) + " Stück\nhöchstens " + forms::QuantityText(highest) +
         " Stück";
}

bool AufteilenForm::Read() {
  std::int64_t quantity = 0;
  if (!forms::ReadQuantity(quantityText, quantity)) return false;
  m_chosen = std::clamp(quantity, lowest, std::max(lowest, highest));
  quantityText = forms::QuantityText(m_chosen);
  return true;
}

void AufteilenForm::LeaveQuantity() {
  Read();
}

bool AufteilenForm::OnOK(platform::Prompter& prompter) {
  if (Read()) return true;
  prompter.Tell(kCaption, "Bitte geben Sie eine korrekte Stückzahl ein!");
  return false;
}
