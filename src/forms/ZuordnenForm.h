#pragma once
// "Zuordnen": how many shares of one position an account movement concerns.

#include <functional>
#include <string>
#include <vector>

#include "forms/FormSupport.h"

// "Zuordnen": how many shares of one position the movement concerns.
class ZuordnenForm {
 public:
  static constexpr const char* kCaption = "Zuordnen";
  int runningNumber = 0;
  std::string purchaseDateText;
  std::string saleDateText;  // "-" for an open position
  std::int64_t held = 0;
  std::string quantityText;  // pre-filled with the share quantity

  void LeaveQuantity();
  bool OnOK(platform::Prompter& prompter);
  std::int64_t Chosen() const { return m_chosen; }

 private:
  bool Read();
  std::int64_t m_chosen = 0;
};
