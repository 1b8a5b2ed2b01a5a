#include "forms/FormSupport.h"

#include <algorithm>

#include "base/Cp1252.h"
#include "base/TextCompare.h"
#include "model/KBXKursverlauf.h"

namespace forms {

const char* const kConfirmUndoable =
    "Haben Sie alle Daten korrekt angegeben?\n\n"
    "Sie können die Aktion mit „Bearbeiten“ → „Rückgängig“ zurücknehmen, solange die Datei geöffnet ist.";

bool CheckReporter::Fail(const std::string& message, Field focus) const {
  m_focus = focus;
  if (m_prompter) m_prompter->Tell(m_caption, message, platform::Icon::Information);
  return false;
}

bool CheckReporter::Storable(const std::string& text, const char* fieldName, Field focus) const {
  if (FitsCp1252(text)) return true;
  return Fail(std::string("Das Feld \"") + fieldName +
                  "\" enthält Zeichen, die in einer Kapitalbuch-Datei nicht gespeichert werden können. Bitte "
                  "verwenden Sie nur Zeichen des westeuropäischen Zeichensatzes.",
              focus);
}

bool Confirm(platform::Prompter& prompter, const char* caption, const std::string& question) {
  return prompter.Ask(caption, question, platform::Icon::Question, platform::Buttons::OkCancel) ==
         platform::Answer::Ok;
}

void AddSortedOnce(std::vector<std::string>& list, const std::string& text) {
  if (Contains(list, text)) return;
  const auto at = std::find_if(list.begin(), list.end(),
                               [&](const std::string& entry) { return CompareNoCase(entry, text) > 0; });
  list.insert(at, text);
}

bool Contains(const std::vector<std::string>& list, const std::string& text) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

std::optional<std::string> LastWknOfName(const CKapibuchDoc& doc, const std::string& name) {
  std::optional<std::string> wkn;
  for (const auto& p : doc.Positions()) {
    if (p->name == name) wkn = p->wkn;
  }
  return wkn;
}

std::optional<std::string> LastNameOfWkn(const CKapibuchDoc& doc, const std::string& wkn) {
  std::optional<std::string> name;
  for (const auto& p : doc.Positions()) {
    if (p->wkn == wkn) name = p->name;
  }
  return name;
}

bool HasSecurity(const CKapibuchDoc& doc, const std::string& name, const std::string& wkn) {
  return std::any_of(doc.Positions().begin(), doc.Positions().end(),
                     [&](const auto& p) { return p->Is(name, wkn); });
}

const char* const kAmountTooLarge = "Der Betrag ist zu groß, um in der Datei gespeichert zu werden.";

void NormaliseMoneyText(std::string& text) {
  std::int32_t amount = 0;
  Currency currency = kEur;
  if (ParseMoney(text, amount, currency, true)) text = FormatMoney(amount, currency, kOwnCurrency, true);
}

void NormaliseQuantityText(std::string& text) {
  std::string normal = text;
  std::int32_t integerPart = 0, fraction = 0;
  if (ParseQuantity(normal, integerPart, fraction)) text = normal;
}

bool ReadQuantity(const std::string& text, std::int64_t& quantity) {
  std::string copy = text;
  std::int32_t integerPart = 0, fraction = 0;
  if (!ParseQuantity(copy, integerPart, fraction)) return false;
  quantity = QuantityOf(integerPart, fraction);
  return true;
}

std::string QuantityText(std::int64_t quantity, int decimals) {
  return FormatQuantity(static_cast<std::int32_t>(quantity / kQuantityUnit),
                        static_cast<std::int32_t>(quantity % kQuantityUnit), decimals);
}

// The last history with this name, or the last with this WKN/Kürzel.
const CKBXKursverlauf* LastHistoryWithName(const CKapibuchDoc& doc, const std::string& name) {
  const CKBXKursverlauf* found = nullptr;
  for (const auto& h : doc.Histories()) {
    if (h->Name() == name) found = h.get();
  }
  return found;
}

const CKBXKursverlauf* LastHistoryWithWkn(const CKapibuchDoc& doc, const std::string& wkn) {
  const CKBXKursverlauf* found = nullptr;
  for (const auto& h : doc.Histories()) {
    if (h->Wkn() == wkn) found = h.get();
  }
  return found;
}

void FillHistoryLists(const CKapibuchDoc& doc, std::vector<std::string>& names,
                      std::vector<std::string>& wkns) {
  for (const auto& h : doc.Histories()) {
    AddSortedOnce(names, h->Name());
    AddSortedOnce(wkns, h->Wkn());
  }
}

void ChooseHistory(const CKapibuchDoc& doc, const std::string& name, const std::string& wkn, bool byName,
                   std::string& chosenName, std::string& chosenWkn) {
  const CKBXKursverlauf* h = byName ? LastHistoryWithName(doc, name) : LastHistoryWithWkn(doc, wkn);
  chosenName = h ? h->Name() : std::string();
  chosenWkn = h ? h->Wkn() : std::string();
}

bool HolderTextsStorable(const CheckReporter& report, const std::string& holder, const std::string& address,
                         const std::string& depotNumber, const std::string& accountNumber,
                         const std::string& bankCode) {
  return report.Storable(holder, "Name des Depotinhabers", Field::Holder) &&
         report.Storable(address, "Adresse des Depotinhabers", Field::Address) &&
         report.Storable(depotNumber, "Depotnummer", Field::DepotNumber) &&
         report.Storable(accountNumber, "Kontonummer", Field::AccountNumber) &&
         report.Storable(bankCode, "Bankleitzahl", Field::BankCode);
}

}  // namespace forms
