#include "forms/NeueDateiWizard.h"

NewFileData CNeueDateiWizard::Result() const {
  NewFileData data;
  data.holder = page1.holder;
  data.address = page1.address;
  data.depotNumber = page1.depotNumber;
  data.accountNumber = page1.accountNumber;
  data.bankCode = page1.bankCode;
  data.startDay = page2.startDay;
  data.openingBalance = page2.Amount();
  data.currency = page2.SelectedCurrency();
  return data;
}
