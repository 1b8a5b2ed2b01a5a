#pragma once
// "Verkauf": the sale of shares, allocated over the open positions of a security, oldest
// first or by hand through "Aufteilen".

#include <functional>
#include <string>
#include <vector>

#include "document/Changes.h"
#include "forms/AufteilenForm.h"
#include "forms/FormSupport.h"

class VerkaufForm {
 public:
  static constexpr int kHelpTopic = 2002;
  static constexpr const char* kCaption = "Verkauf";
  // Display currencies of the purchase price column: "DM/EU&R", "E&UR", "D&M".
  enum DisplayCurrency { kAsStored = 0, kShowEur = 1, kShowDm = 2 };

  struct Row {
    std::string number;
    std::string purchaseDate;
    std::string purchasePrice;
    std::string quantity;
    std::string sell;
  };

  // Starts on today (not before the account's start day) with automatic allocation.
  explicit VerkaufForm(const CKapibuchDoc& doc);

  CKBXDatum Date() const { return m_date; }
  CKBXDatum EarliestDate() const { return m_doc.Account().StartDay(); }
  const std::string& Name() const { return m_name; }
  const std::string& Wkn() const { return m_wkn; }
  std::string quantityText;
  std::string priceText;
  std::string commissionText;
  std::string text;

  void SetDate(CKBXDatum date);
  void ChooseName(const std::string& name);
  void ChooseWkn(const std::string& wkn);
  // Chooses the name, then this WKN/Kürzel from those of its listed positions, as a user
  // picks both from the lists; the WKN/Kürzel stays unchosen when no listed position
  // carries the pair.
  void ChooseSecurity(const std::string& name, const std::string& wkn);
  void LeaveQuantity();
  void LeavePrice();
  void LeaveCommission();
  void SetDisplayCurrency(DisplayCurrency currency);
  void SetAutoAllocate(bool automatic);

  bool AutoAllocate() const { return m_auto; }
  bool AutoAllocateEnabled() const { return m_autoEnabled; }
  bool SplitEnabled() const { return m_splitEnabled; }
  const std::vector<std::string>& NameList() const { return m_names; }
  const std::vector<std::string>& WknList() const { return m_wkns; }
  const std::vector<Row>& Rows() const { return m_rows; }
  const std::vector<const CKBXAktie*>& Candidates() const { return m_candidates; }
  // The quantity each candidate sells (automatic or by "Aufteilen"), in list order.
  const std::vector<std::int64_t>& Allocation() const { return m_allocation; }
  // The allocation as handed to the document: position numbers with their quantities.
  std::vector<SaleAllocation> SaleParts() const;
  // The validated price, commission, day and note.
  SaleTerms Terms() const;

  // The check routine; with a prompter the failure is reported. beforeSplit stops after
  // the quantity checks.
  bool Check(platform::Prompter* prompter, bool beforeSplit = false);
  // "&aufteilen...": shows one AufteilenForm per candidate; `show` plays the modal dialog
  // (sets its text, presses OK through AufteilenForm::OnOK) and returns false for "Abbrechen".
  void Aufteilen(platform::Prompter& prompter, const std::function<bool(AufteilenForm&)>& show);
  bool OnOK(platform::Prompter& prompter);
  forms::Field Focus() const { return m_focus; }

  // The sale as the document applies it (after a successful Check).
  SaleChange Change() const;
  // After OK: the document sells the allocated quantities, one change.
  void Book(CKapibuchDoc& doc) const;

 private:
  // Listed: open and bought on or before the sale date.
  bool Listed(const CKBXAktie& position) const;
  std::string ListedWknOfName(const std::string& name) const;
  std::string ListedNameOfWkn(const std::string& wkn) const;
  void FillLists();
  void RebuildCandidates();
  void FillRows(bool withAllocation);
  std::int64_t CandidateTotal() const;
  std::string PriceText(const CKBXAktie& position) const;

  const CKapibuchDoc& m_doc;
  CKBXDatum m_date;
  std::string m_name;
  std::string m_wkn;
  bool m_auto = true;
  bool m_autoEnabled = false;
  bool m_splitEnabled = false;
  DisplayCurrency m_display = kShowEur;
  std::vector<std::string> m_names;
  std::vector<std::string> m_wkns;
  std::vector<const CKBXAktie*> m_candidates;
  std::vector<std::int64_t> m_allocation;  // per candidate
  std::vector<Row> m_rows;
  forms::Field m_focus = forms::Field::None;
  std::int32_t m_price = 0, m_commission = 0;
  Currency m_priceCurrency = kEur, m_commissionCurrency = kEur;
};
