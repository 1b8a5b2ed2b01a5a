#include "forms/NeueDatei2PropPage.h"

CNeueDatei2PropPage::CNeueDatei2PropPage(CKBXDatum today) {
  int day = 0, month = 0, year = 0;
  today.Split(day, month, year);
  if (!startDay.Set(1, 1, year)) startDay = today;
  OnShow();
}

void CNeueDatei2PropPage::OnShow() {
  balanceText = FormatMoney(m_amount, m_currency, kOwnCurrency, true);
}

void CNeueDatei2PropPage::ChooseCurrency(Currency currency) {
  m_currency = currency;
  OnShow();
}

bool CNeueDatei2PropPage::LeaveBalance() {
  std::int32_t amount = 0;
  Currency currency = m_currency;
  const bool ok = ParseMoney(balanceText, amount, currency, false);
  if (ok) {
    m_amount = amount;
    m_currency = currency;
  }
  OnShow();
  return ok;
}
