#include "dialogs/KontowaehrungDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>

#include "dialogs/DialogSupport.h"

namespace dialogs {

KontowaehrungDialog::KontowaehrungDialog(const CKapibuchDoc& doc, platform::Prompter& prompter,
                                         QWidget* parent)
    : QDialog(parent), m_form(doc), m_prompter(prompter) {
  setWindowTitle(QString::fromUtf8(KontowaehrungForm::kCaption));
  auto* layout = new QFormLayout(this);
  m_date = DatePicker(doc.Clock(), m_form.Date(), m_form.EarliestDate());
  layout->addRow(QStringLiteral("Konto von DM auf Euro umstellen &am:"), m_date);
  QDialogButtonBox* buttons = OkCancel(*this, KontowaehrungForm::kHelpTopic);
  layout->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &KontowaehrungDialog::OnOK);
}

void KontowaehrungDialog::OnOK() {
  if (!DateAccepted(*m_date, m_prompter, KontowaehrungForm::kCaption)) return;
  m_form.SetDate(m_date->Day());
  if (m_form.OnOK(m_prompter)) accept();
}

}  // namespace dialogs
