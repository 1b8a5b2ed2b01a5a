#include "forms/NeueDatei.h"

#include <cstdio>

namespace {

std::string Fill(const char* pattern, const std::string& day) {
  std::string text = pattern;
  const std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, day);
  return text;
}

}  // namespace

CNeueDatei2PropPage::CNeueDatei2PropPage(CKBXDatum today) {
  int day = 0, month = 0, year = 0;
  today.Split(day, month, year);
  if (!startDay.Set(1, 1, year)) startDay = today;
  OnShow();
}

void CNeueDatei2PropPage::OnShow() { balanceText = FormatMoney(m_amount, m_currency, kOwnCurrency, true); }

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

std::array<std::string, 6> CNeueDatei3PropPage::Texts(CKBXDatum startDay) {
  const std::string day = startDay.Format();
  return {
      "Nachdem Sie jetzt auf 'Fertig stellen' geklickt haben, müssen Sie folgende Aktionen durchführen:",
      Fill("Wenn sich am %s bereits Wertpapiere in Ihrem Depot befunden haben, müssen Sie diese mit "
           "'Bearbeiten | Kauf...' dem Programm bekanntmachen.",
           day),
      Fill("Sämtliche Depottransaktionen, für die Sie ein Datum vor dem %s angeben, wirken sich nicht auf "
           "Ihren Kontostand aus.",
           day),
      Fill("Anschließend müssen Sie alle Depot- und Kontotransaktionen vom %s bis zum heutigen Tag über die "
           "entsprechenden Befehle im Menü 'Bearbeiten' eingeben.",
           day),
      Fill("Sollten Sie Ihr Konto zwischen dem %s und dem heutigen Tag von DM auf Euro umgestellt haben, "
           "müssen Sie dies auch im Programm mit 'Bearbeiten | Kontowährung umstellen...' machen, bevor Sie "
           "weitere Transaktionen eingeben.",
           day),
      "Zuletzt müssen Sie noch die aktuellen Kurse Ihrer Wertpapiere eingeben. Wenn Sie für Ihre Wertpapiere "
      "auch Kursdaten aus der Vergangenheit besitzen, können Sie diese ebenfalls eingeben oder importieren.",
  };
}

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

CDepotdatenDlg::CDepotdatenDlg(const CKapibuchDoc& doc)
    : holder(doc.Account().holder),
      address(doc.Account().address),
      depotNumber(doc.depotNumber),
      accountNumber(doc.Account().accountNumber),
      bankCode(doc.Account().bankCode) {}

namespace {

bool HolderTextsStorable(const forms::CheckReporter& report, const std::string& holder, const std::string& address,
                         const std::string& depotNumber, const std::string& accountNumber,
                         const std::string& bankCode) {
  using forms::Field;
  return report.Storable(holder, "Name des Depotinhabers", Field::Holder) &&
         report.Storable(address, "Adresse des Depotinhabers", Field::Address) &&
         report.Storable(depotNumber, "Depotnummer", Field::DepotNumber) &&
         report.Storable(accountNumber, "Kontonummer", Field::AccountNumber) &&
         report.Storable(bankCode, "Bankleitzahl", Field::BankCode);
}

}  // namespace

bool CNeueDatei1PropPage::OnNext(platform::Prompter& prompter) {
  const forms::CheckReporter report(&prompter, kCaption, m_focus);
  return HolderTextsStorable(report, holder, address, depotNumber, accountNumber, bankCode);
}

bool CDepotdatenDlg::OnOK(platform::Prompter& prompter) {
  const forms::CheckReporter report(&prompter, kCaption, m_focus);
  return HolderTextsStorable(report, holder, address, depotNumber, accountNumber, bankCode);
}

void CDepotdatenDlg::Book(CKapibuchDoc& doc) const {
  doc.depotNumber = depotNumber;
  doc.Account().holder = holder;
  doc.Account().address = address;
  doc.Account().accountNumber = accountNumber;
  doc.Account().bankCode = bankCode;
  doc.SetModified();
  doc.UpdateAllViews();
}
