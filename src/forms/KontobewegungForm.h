#pragma once
// "Kontobewegung": a cash movement (deposit, dividend, fee, tax ...), optionally related
// to a security and divided over its positions.

#include <functional>
#include <string>
#include <vector>

#include "document/Changes.h"
#include "forms/FormSupport.h"
#include "forms/ZuordnenForm.h"

class KontobewegungForm {
 public:
  static constexpr int kHelpTopic = 2021;
  static constexpr const char* kCaption = "Kontobewegung";
  // "Verbuchen unter:"
  enum BookTo { kKaufpreis = 0, kDividende = 1, kVerkaufserloes = 2 };

  struct Kind {
    const char* name;
    std::int32_t code;
    int sign;       // +1 or -1: the sign the amount is forced to
    bool relation;  // "Wert&papierbezug:" available
  };
  // The kinds in the order the list shows them (alphabetical).
  static const std::vector<Kind>& Kinds();

  struct Row {
    std::string number;
    std::string purchaseDate;
    std::string saleDate;
    std::string quantity;
    std::string share;  // "Zuordnung"
  };

  explicit KontobewegungForm(const CKapibuchDoc& doc);

  CKBXDatum Date() const { return m_date; }
  CKBXDatum EarliestDate() const { return m_doc.Account().StartDay(); }
  std::string amountText;
  std::string text;

  void SetDate(CKBXDatum date);
  // Index into Kinds(); false when there is no such kind name.
  void SetKind(std::size_t index);
  bool SetKindByName(const std::string& name);
  void SetRelation(bool related);
  void ChooseName(const std::string& name);
  void ChooseWkn(const std::string& wkn);
  // Chooses the name, then this WKN/Kürzel of one of its positions; the WKN/Kürzel stays
  // unchosen when no position carries the pair.
  void ChooseSecurity(const std::string& name, const std::string& wkn);
  void SetAutoAssign(bool automatic);
  void SetBookTo(BookTo target) { m_bookTo = target; }
  void LeaveAmount() { Refresh(nullptr); }

  const Kind& SelectedKind() const { return Kinds()[m_kind]; }
  bool RelationEnabled() const { return SelectedKind().relation; }
  bool RelationActive() const { return RelationEnabled() && m_related; }
  bool AutoAssignEnabled() const { return m_autoEnabled; }
  bool AssignEnabled() const { return m_assignEnabled; }
  bool AutoAssign() const { return m_auto; }
  BookTo Target() const { return m_bookTo; }
  const std::string& Name() const { return m_name; }
  const std::string& Wkn() const { return m_wkn; }
  const std::vector<std::string>& NameList() const { return m_names; }
  const std::vector<std::string>& WknList() const { return m_wkns; }
  const std::vector<Row>& Rows() const { return m_rows; }
  const std::vector<const CKBXAktie*>& Candidates() const { return m_candidates; }
  // The quantity of each candidate that the amount is divided by, in list order.
  const std::vector<std::int64_t>& Assignment() const { return m_assignment; }
  // The amount as it will be booked (converted and signed) and its currency.
  std::int32_t Amount() const { return m_amount; }
  Currency AmountCurrency() const { return m_currency; }

  // The refresh routine: enabling, automatic assignment, amount; with a prompter the
  // failed check is reported.
  bool Refresh(platform::Prompter* prompter);
  // "&zuordnen...": one ZuordnenForm per candidate; `show` returns false for "Abbrechen".
  void Zuordnen(const std::function<bool(ZuordnenForm&)>& show);
  bool OnOK(platform::Prompter& prompter);
  forms::Field Focus() const { return m_focus; }

  // The movement as the document applies it, with the amount divided over the positions
  // when it relates to them (after a successful check).
  MovementChange Change() const;
  // After OK: the document books the movement, one change.
  void Book(CKapibuchDoc& doc) const;

 private:
  void RebuildCandidates();
  void FillRows();
  // The amount divided over the candidates by their assigned quantities, each part signed
  // as the amount; the parts add up to it exactly.
  std::vector<std::int64_t> Parts() const;
  // What a part changes the sum chosen under "Verbuchen unter:" by.
  std::int64_t TargetChange(std::int64_t part) const;
  bool PartsFit() const;

  const CKapibuchDoc& m_doc;
  CKBXDatum m_date;
  std::size_t m_kind = 0;
  bool m_related = false;
  bool m_auto = true;
  bool m_autoEnabled = false;
  bool m_assignEnabled = false;
  BookTo m_bookTo = kDividende;
  std::string m_name;
  std::string m_wkn;
  std::vector<std::string> m_names;
  std::vector<std::string> m_wkns;
  std::vector<const CKBXAktie*> m_candidates;
  std::vector<std::int64_t> m_assignment;  // per candidate
  std::vector<Row> m_rows;
  forms::Field m_focus = forms::Field::None;
  std::int32_t m_amount = 0;
  Currency m_currency = kEur;
  bool m_amountValid = false;
};
