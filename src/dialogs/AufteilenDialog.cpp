#include "dialogs/AufteilenDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/DialogSupport.h"

namespace dialogs {

AufteilenDialog::AufteilenDialog(AufteilenForm& form, platform::Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_form(form), m_prompter(prompter) {
  setWindowTitle(ToQ(AufteilenForm::kCaption));
  auto* layout = new QVBoxLayout(this);
  for (const QString& line : {QStringLiteral("Position: %1").arg(m_form.runningNumber),
                              QStringLiteral("Kaufdatum: ") + ToQ(m_form.purchaseDateText),
                              QStringLiteral("Kaufkurs: ") + ToQ(m_form.purchasePriceText),
                              QStringLiteral("Stück: ") + ToQ(m_form.HeldText()), ToQ(m_form.RangeText())}) {
    layout->addWidget(new QLabel(line));
  }
  m_quantity = PositionQuantityField(m_form);
  auto* quantityLabel = new QLabel(QStringLiteral("Stück &verkaufen"));
  quantityLabel->setBuddy(m_quantity);
  layout->addWidget(quantityLabel);
  layout->addWidget(m_quantity);
  QDialogButtonBox* buttons = OkCancel(*this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &AufteilenDialog::OnOK);
}

void AufteilenDialog::OnOK() {
  m_form.quantityText = FromQ(m_quantity->text());
  if (m_form.OnOK(m_prompter)) accept();
  m_quantity->setText(ToQ(m_form.quantityText));
  m_quantity->setFocus();
}

}  // namespace dialogs
