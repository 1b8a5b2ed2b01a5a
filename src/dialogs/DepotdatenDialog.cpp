#include "dialogs/DepotdatenDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "dialogs/DialogSupport.h"

namespace dialogs {

DepotdatenDialog::DepotdatenDialog(const CKapibuchDoc& doc, platform::Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_form(doc), m_prompter(prompter) {
  setWindowTitle(QString::fromUtf8(DepotdatenForm::kCaption));
  auto* layout = new QFormLayout(this);
  m_holder = new QLineEdit(ToQ(m_form.holder));
  m_address = new QPlainTextEdit(ToQ(m_form.address));
  m_address->setTabChangesFocus(true);
  m_depot = new QLineEdit(ToQ(m_form.depotNumber));
  m_account = new QLineEdit(ToQ(m_form.accountNumber));
  m_bank = new QLineEdit(ToQ(m_form.bankCode));
  layout->addRow(QStringLiteral("&Name des Depotinhabers"), m_holder);
  layout->addRow(QStringLiteral("&Adresse des Depotinhabers"), m_address);
  layout->addRow(QStringLiteral("&Depotnummer"), m_depot);
  layout->addRow(QStringLiteral("&Kontonummer"), m_account);
  layout->addRow(QStringLiteral("&Bankleitzahl"), m_bank);
  QDialogButtonBox* buttons = OkCancel(*this, DepotdatenForm::kHelpTopic);
  layout->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &DepotdatenDialog::OnOK);
}

void DepotdatenDialog::OnOK() {
  m_form.holder = FromQ(m_holder->text());
  m_form.address = FromQLines(m_address->toPlainText());
  m_form.depotNumber = FromQ(m_depot->text());
  m_form.accountNumber = FromQ(m_account->text());
  m_form.bankCode = FromQ(m_bank->text());
  if (m_form.OnOK(m_prompter)) accept();
}

}  // namespace dialogs
