#pragma once
// What the dialog forms share: reporting a failed check, the confirmation question, the
// selection lists of names and WKN/Kürzel, and the check that texts fit the file.

#include <optional>
#include <string>
#include <vector>

#include "document/KapibuchDoc.h"
#include "platform/Prompter.h"

namespace forms {

// The fields that can receive the focus after a failed check.
enum class Field {
  None,
  Date,
  Name,
  Wkn,
  Quantity,
  Price,
  Commission,
  Text,
  Allocate,  // "&aufteilen..." / "&zuordnen..."
  Amount,
  NewShares,
  OldShares,
  Holder,
  Address,
  DepotNumber,
  AccountNumber,
  BankCode,
};

extern const char* const kConfirmUndoable;
// The caption of file errors and of the price-file messages.
inline constexpr const char* kAppCaption = "Kapitalbuch";

// Reports a failed check (when a prompter is given) and remembers the field for the focus.
// Always returns false, so checks read `return Fail(...)`.
class CheckReporter {
 public:
  CheckReporter(platform::Prompter* prompter, const char* caption, Field& focus)
      : m_prompter(prompter), m_caption(caption), m_focus(focus) {}
  bool Fail(const std::string& message, Field focus) const;
  // Refuses a text that a portfolio file cannot store.
  bool Storable(const std::string& text, const char* fieldName, Field focus) const;

 private:
  platform::Prompter* m_prompter;
  const char* m_caption;
  Field& m_focus;
};

// Asks the question with OK and Cancel; true for OK.
bool Confirm(platform::Prompter& prompter, const char* caption, const std::string& question);

// Adds a text to a list unless it holds it already; the list stays sorted (case-insensitive,
// equal texts in order of arrival), as a sorted combo box keeps it.
void AddSortedOnce(std::vector<std::string>& list, const std::string& text);
bool Contains(const std::vector<std::string>& list, const std::string& text);

// The WKN/Kürzel of the last position with this name (and the reverse); nothing if none.
std::optional<std::string> LastWknOfName(const CKapibuchDoc& doc, const std::string& name);
std::optional<std::string> LastNameOfWkn(const CKapibuchDoc& doc, const std::string& wkn);
// Whether any position carries exactly this name and WKN/Kürzel.
bool HasSecurity(const CKapibuchDoc& doc, const std::string& name, const std::string& wkn);

// The refusal of a booking whose sums would not fit the file's 32-bit fields.
extern const char* const kAmountTooLarge;

// Replaces a typed amount by its normal form ("1.234,50 EUR") when it parses.
void NormaliseMoneyText(std::string& text);
// Replaces a typed quantity by its normal form when it parses.
void NormaliseQuantityText(std::string& text);
// Reads a typed share quantity as a 64-bit count; false when it is no quantity.
bool ReadQuantity(const std::string& text, std::int64_t& quantity);
// Text of a quantity with as many decimals as it needs.
std::string QuantityText(std::int64_t quantity, int decimals = -1);

// The price histories' names and WKN/Kürzel, each list sorted and without repeats.
void FillHistoryLists(const CKapibuchDoc& doc, std::vector<std::string>& names,
                      std::vector<std::string>& wkns);
// The last history with this name (or WKN/Kürzel); nullptr if none.
const CKBXKursverlauf* LastHistoryWithName(const CKapibuchDoc& doc, const std::string& name);
const CKBXKursverlauf* LastHistoryWithWkn(const CKapibuchDoc& doc, const std::string& wkn);
// Choosing a name (byName) or a WKN/Kürzel in a price-file dialog selects a history's pair.
void ChooseHistory(const CKapibuchDoc& doc, const std::string& name, const std::string& wkn, bool byName,
                   std::string& chosenName, std::string& chosenWkn);
// The five holder texts must be storable in the file.
bool HolderTextsStorable(const CheckReporter& report, const std::string& holder, const std::string& address,
                         const std::string& depotNumber, const std::string& accountNumber,
                         const std::string& bankCode);

}  // namespace forms
