#pragma once
// "Aktiensplit": N new shares for M old ones from the split day on.

#include <string>
#include <vector>

#include "document/Changes.h"
#include "forms/FormSupport.h"

class AktiensplitForm {
 public:
  static constexpr int kHelpTopic = 2003;
  static constexpr const char* kCaption = "Aktiensplit";
  // Refusals of a ratio whose results the file cannot hold.
  static constexpr const char* kQuantityTooLarge =
      "Bei diesem Verhältnis werden die Stückzahlen zu groß, um in der Datei gespeichert zu werden!";
  static constexpr const char* kPriceTooLarge =
      "Bei diesem Verhältnis werden die Kurse zu groß, um in der Datei gespeichert zu werden!";
  static constexpr const char* kNoSharesLeft =
      "Bei diesem Verhältnis würde die Stückzahl einer Position im Depot auf 0 gerundet!";

  explicit AktiensplitForm(const CKapibuchDoc& doc);

  CKBXDatum date;
  std::string newText = "2";  // N "&neue Aktien für"
  std::string oldText = "1";  // M "&alte Aktie(n)"

  void ChooseName(const std::string& name);
  void ChooseWkn(const std::string& wkn);
  // Chooses the name, then this WKN/Kürzel of one of its positions; the WKN/Kürzel stays
  // unchosen when no position carries the pair.
  void ChooseSecurity(const std::string& name, const std::string& wkn);
  void LeaveNew() { forms::NormaliseQuantityText(newText); }
  void LeaveOld() { forms::NormaliseQuantityText(oldText); }

  const std::string& Name() const { return m_name; }
  const std::string& Wkn() const { return m_wkn; }
  const std::vector<std::string>& NameList() const { return m_names; }
  const std::vector<std::string>& WknList() const { return m_wkns; }
  // f = N / M.
  double Factor() const { return m_factor; }

  bool Check(platform::Prompter* prompter);
  // The confirmation question with name, WKN/Kürzel, day and factor filled in.
  std::string Question() const;
  bool OnOK(platform::Prompter& prompter);
  forms::Field Focus() const { return m_focus; }
  SplitChange Change() const { return SplitChange(m_name, m_wkn, date, m_factor); }
  void Book(CKapibuchDoc& doc) const;

 private:
  const CKapibuchDoc& m_doc;
  std::string m_name;
  std::string m_wkn;
  std::vector<std::string> m_names;
  std::vector<std::string> m_wkns;
  double m_factor = 2.0;
  forms::Field m_focus = forms::Field::None;
};
