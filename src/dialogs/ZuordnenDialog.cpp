#include "dialogs/ZuordnenDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/DialogSupport.h"

namespace dialogs {

ZuordnenDialog::ZuordnenDialog(ZuordnenForm& form, platform::Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_form(form), m_prompter(prompter) {
  setWindowTitle(ToQ(ZuordnenForm::kCaption));
  auto* layout = new QVBoxLayout(this);
  for (const QString& line : {QStringLiteral("Position: %1").arg(m_form.runningNumber),
                              QStringLiteral("Kaufdatum: ") + ToQ(m_form.purchaseDateText),
                              QStringLiteral("Verkaufdatum: ") + ToQ(m_form.saleDateText),
                              QStringLiteral("Stück: ") + ToQ(forms::QuantityText(m_form.held))}) {
    layout->addWidget(new QLabel(line));
  }
  m_quantity = PositionQuantityField(m_form);
  auto* sentence = new QHBoxLayout;
  sentence->addWidget(new QLabel(QStringLiteral("Die Kontobewegung betrifft")));
  sentence->addWidget(m_quantity);
  sentence->addWidget(new QLabel(QStringLiteral("Stück dieser Position.")));
  layout->addLayout(sentence);
  QDialogButtonBox* buttons = OkCancel(*this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &ZuordnenDialog::OnOK);
}

void ZuordnenDialog::OnOK() {
  m_form.quantityText = FromQ(m_quantity->text());
  if (m_form.OnOK(m_prompter)) accept();
  m_quantity->setText(ToQ(m_form.quantityText));
  m_quantity->setFocus();
}

}  // namespace dialogs
