#pragma once
// "Aufteilen": how many shares of one candidate of a sale are sold.

#include <functional>
#include <string>
#include <vector>

#include "forms/FormSupport.h"

// "Aufteilen": how many shares of one candidate are sold.
class AufteilenForm {
 public:
  static constexpr const char* kCaption = "Aufteilen";

  int runningNumber = 0;
  std::string purchaseDateText;
  std::string purchasePriceText;
  std::int64_t held = 0;
  std::int64_t lowest = 0;
  std::int64_t highest = 0;
  std::string quantityText;  // "Stück &verkaufen", pre-filled with the highest value

  std::string HeldText() const { return forms::QuantityText(held); }
  // "mindestens %s Stück\nhöchstens %s Stück"
  std::string RangeText() const;
  // A valid quantity is raised to the lowest or lowered to the highest and written back.
  void LeaveQuantity();
  // False (with the message) while the text is no quantity.
  bool OnOK(platform::Prompter& prompter);
  std::int64_t Chosen() const { return m_chosen; }

 private:
  bool Read();
  std::int64_t m_chosen = 0;
};
