#include "views/AccountRow.h"
#include "views/TableViews.h"

namespace views {

void BuildAccountRows(CKBXDatum start, CKBXDatum end, std::vector<AccountRow>& rows,
                      const CKapibuchDoc& doc) {
  rows.clear();
  const CKBXKonto& account = doc.Account();
  const bool switched = account.IsSwitched();
  const CKBXDatum switchDay = account.SwitchDay();
  Currency running = (!switched || !(switchDay < start)) ? kDm : kEur;
  // An account opened in euro never ran in DM.
  if (account.InitialCurrency() == kEur) running = kEur;
  const CKBXDatum dayBefore(start.Day() == 0 ? 0u : start.Day() - 1);
  std::int64_t balance = account.BalanceOn(dayBefore, running);
  for (const auto& t : account.Transactions()) {
    if (t->date < start || t->date > end) continue;
    if (switched && running == kDm && t->date >= switchDay) {
      balance = DmToEur(balance);
      running = kEur;
    }
    const std::int64_t amount = t->AmountIn(running);
    balance += amount;
    rows.push_back({t->date, CKBXKonto::KindName(*t), t->text, amount, balance, running});
  }
}

Table AccountTable(const CKapibuchDoc& doc, CKBXDatum start, CKBXDatum end,
                   const std::vector<AccountRow>& rows) {
  const AccountSettings& s = doc.settings.account;
  Table t;
  t.sumsRow = false;
  t.geometry = GeometryOf(s);
  t.tableStyle = doc.settings.general.tableDisplay;
  t.columnFlags = static_cast<unsigned>(s.columnFlags);
  t.title = ReplacePlaceholders(s.titleTemplate, {{"<STARTDATUM>", start.Format()},
                                                  {"<ENDDATUM>", end.Format()},
                                                  {"<KONTONUMMER>", doc.Account().accountNumber},
                                                  {"<INHABER>", doc.Account().holder}});
  t.captions = {"Datum", "Vorgang", "Text", "Betrag", "Kontostand"};
  t.rightAligned = {false, false, false, true, true};
  for (const AccountRow& r : rows) {
    t.cells.push_back({r.date.Format(), r.kindName, r.text,
                       FormatMoney(r.amount, r.currency, kOwnCurrency, true),
                       FormatMoney(r.balance, r.currency, kOwnCurrency, true)});
    t.loss.push_back(r.amount < 0);
  }
  return t;
}

ColumnLayout MeasureAccountColumns(platform::Surface& surface, const CKapibuchDoc& doc,
                                   const std::vector<AccountRow>& rows) {
  return MeasureColumns(surface, AccountTable(doc, CKBXDatum(), CKBXDatum(), rows));
}

void DrawAccountView(platform::Surface& surface, const CKapibuchDoc& doc, CKBXDatum start, CKBXDatum end,
                     const ColumnLayout& layout, const std::vector<AccountRow>& rows) {
  DrawTable(surface, AccountTable(doc, start, end, rows), layout);
}

}  // namespace views
