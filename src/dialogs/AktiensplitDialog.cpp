#include "dialogs/AktiensplitDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace dialogs {

AktiensplitDialog::AktiensplitDialog(const CKapibuchDoc& doc, platform::Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_form(doc), m_prompter(prompter) {
  setWindowTitle(ToQ(AktiensplitForm::kCaption));
  auto* layout = new QFormLayout(this);
  m_date = DatePicker(doc.Clock(), m_form.date);
  m_name = ListOf(m_form.NameList(), false);
  m_wkn = ListOf(m_form.WknList(), false);
  m_newShares = new QLineEdit(ToQ(m_form.newText));
  m_oldShares = new QLineEdit(ToQ(m_form.oldText));
  layout->addRow(QStringLiteral("Split&datum"), m_date);
  layout->addRow(QStringLiteral("&Bezeichnung"), m_name);
  layout->addRow(QStringLiteral("&WKN/Kürzel"), m_wkn);
  auto* ratio = new QHBoxLayout;
  // Each label names the field before it; its letter takes the keyboard there.
  auto* newLabel = new QLabel(QStringLiteral("&neue Aktien für"));
  auto* oldLabel = new QLabel(QStringLiteral("&alte Aktie(n)"));
  newLabel->setBuddy(m_newShares);
  oldLabel->setBuddy(m_oldShares);
  ratio->addWidget(m_newShares);
  ratio->addWidget(newLabel);
  ratio->addWidget(m_oldShares);
  ratio->addWidget(oldLabel);
  layout->addRow(ratio);
  QDialogButtonBox* buttons = OkCancel(*this, AktiensplitForm::kHelpTopic);
  layout->addRow(buttons);
  m_fields = {{forms::Field::Name, m_name},
              {forms::Field::Wkn, m_wkn},
              {forms::Field::NewShares, m_newShares},
              {forms::Field::OldShares, m_oldShares}};

  PairLists(*m_name, *m_wkn, m_form);
  connect(buttons, &QDialogButtonBox::accepted, this, &AktiensplitDialog::OnOK);
}

void AktiensplitDialog::OnOK() {
  if (!DateAccepted(*m_date, m_prompter, AktiensplitForm::kCaption)) return;
  m_form.date = m_date->Day();
  m_form.newText = FromQ(m_newShares->text());
  m_form.oldText = FromQ(m_oldShares->text());
  m_form.LeaveNew();
  m_form.LeaveOld();
  m_newShares->setText(ToQ(m_form.newText));
  m_oldShares->setText(ToQ(m_form.oldText));
  if (m_form.OnOK(m_prompter)) {
    accept();
    return;
  }
  FocusField(m_form.Focus(), m_fields);
}

}  // namespace dialogs
