#include "forms/NeueDatei1PropPage.h"

bool CNeueDatei1PropPage::OnNext(platform::Prompter& prompter) {
  const forms::CheckReporter report(&prompter, kCaption, m_focus);
  return forms::HolderTextsStorable(report, holder, address, depotNumber, accountNumber, bankCode);
}
