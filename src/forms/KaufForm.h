#pragma once
// "Kauf": the purchase of a security.

#include <string>
#include <vector>

#include "document/Changes.h"
#include "forms/FormSupport.h"

class KaufForm {
 public:
  static constexpr int kHelpTopic = 2001;
  static constexpr const char* kCaption = "Kauf";

  // Starts on today with empty fields; the lists offer every name and WKN/Kürzel.
  explicit KaufForm(const CKapibuchDoc& doc);

  CKBXDatum date;
  std::string name;
  std::string wkn;
  std::string quantityText;
  std::string priceText;
  std::string commissionText;
  std::string text;

  const std::vector<std::string>& NameList() const { return m_names; }
  const std::vector<std::string>& WknList() const { return m_wkns; }

  // Typing couples name and WKN/Kürzel; picking from a list does not.
  void TypeName(const std::string& typed);
  void TypeWkn(const std::string& typed);
  void PickName(const std::string& picked) { name = picked; }
  void PickWkn(const std::string& picked) { wkn = picked; }

  void LeaveQuantity() { forms::NormaliseQuantityText(quantityText); }
  void LeavePrice() { forms::NormaliseMoneyText(priceText); }
  void LeaveCommission() { forms::NormaliseMoneyText(commissionText); }

  // The checks in their order; with a prompter the first failure is reported.
  bool Check(platform::Prompter* prompter);
  // Checks, then asks for confirmation; true when the dialog closes with OK.
  bool OnOK(platform::Prompter& prompter);
  forms::Field Focus() const { return m_focus; }

  // The validated values as the document books them (after a successful Check).
  PurchaseTerms Terms() const;
  // The buy as the document applies it (after a successful Check).
  BuyChange Change() const { return BuyChange(Terms()); }
  // After OK: the document books the buy, one change.
  void Book(CKapibuchDoc& doc) const;

 private:
  // The purchase value and the position's purchase-cost sum of the validated values.
  std::int64_t Value() const;
  SplitAmount Cost() const;

  const CKapibuchDoc& m_doc;
  std::vector<std::string> m_names;
  std::vector<std::string> m_wkns;
  forms::Field m_focus = forms::Field::None;
  // Validated values.
  std::int32_t m_integer = 0, m_fraction = 0;
  std::int32_t m_price = 0, m_commission = 0;
  Currency m_priceCurrency = kEur, m_commissionCurrency = kEur;
};
