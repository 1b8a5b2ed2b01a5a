#include "dialogs/KaufDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace dialogs {

namespace {

// Whether the field's text is what the user typed, completed by the field (longer, and
// beginning with what was typed).
bool IsCompletionOf(const QString& text, const QString& typed) {
  return !typed.isEmpty() && text.size() > typed.size() && text.startsWith(typed, Qt::CaseInsensitive);
}

}  // namespace

KaufDialog::KaufDialog(const CKapibuchDoc& doc, platform::Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_form(doc), m_prompter(prompter) {
  setWindowTitle(ToQ(KaufForm::kCaption));
  auto* layout = new QFormLayout(this);
  m_date = DatePicker(doc.Clock(), m_form.date);
  m_name = ListOf(m_form.NameList(), true);
  m_wkn = ListOf(m_form.WknList(), true);
  m_quantity = new QLineEdit;
  m_price = new QLineEdit;
  m_commission = new QLineEdit;
  m_text = new QLineEdit;
  layout->addRow(QStringLiteral("Kauf&datum"), m_date);
  layout->addRow(QStringLiteral("&Bezeichnung"), m_name);
  layout->addRow(QStringLiteral("&WKN/Kürzel"), m_wkn);
  layout->addRow(QStringLiteral("&Stück"), m_quantity);
  layout->addRow(QStringLiteral("Kauf&kurs"), m_price);
  layout->addRow(QStringLiteral("&Provision etc."), m_commission);
  layout->addRow(QStringLiteral("&Text"), m_text);
  QDialogButtonBox* buttons = OkCancel(*this, KaufForm::kHelpTopic);
  layout->addRow(buttons);
  m_fields = {{forms::Field::Name, m_name},
              {forms::Field::Wkn, m_wkn},
              {forms::Field::Quantity, m_quantity},
              {forms::Field::Price, m_price},
              {forms::Field::Commission, m_commission},
              {forms::Field::Text, m_text}};

  // Typing couples the two fields; picking from a list does not. Accepting the completion
  // that the field offers while the user types ("Sie" completed to "Siemens AG") is typing.
  connect(m_name->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& typed) {
    m_typedName = typed;
    m_form.TypeName(FromQ(typed));
    m_wkn->setEditText(ToQ(m_form.wkn));
  });
  connect(m_name->lineEdit(), &QLineEdit::editingFinished, this, [this] {
    if (!IsCompletionOf(m_name->currentText(), m_typedName)) return;
    m_typedName = m_name->currentText();
    m_form.TypeName(FromQ(m_typedName));
    m_wkn->setEditText(ToQ(m_form.wkn));
  });
  connect(m_wkn->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& typed) {
    m_typedWkn = typed;
    m_form.TypeWkn(FromQ(typed));
    m_name->setEditText(ToQ(m_form.name));
  });
  connect(m_wkn->lineEdit(), &QLineEdit::editingFinished, this, [this] {
    if (!IsCompletionOf(m_wkn->currentText(), m_typedWkn)) return;
    m_typedWkn = m_wkn->currentText();
    m_form.TypeWkn(FromQ(m_typedWkn));
    m_name->setEditText(ToQ(m_form.name));
  });
  connect(m_quantity, &QLineEdit::editingFinished, this,
          [this] { Leave(m_quantity, m_form.quantityText, &KaufForm::LeaveQuantity); });
  connect(m_price, &QLineEdit::editingFinished, this,
          [this] { Leave(m_price, m_form.priceText, &KaufForm::LeavePrice); });
  connect(m_commission, &QLineEdit::editingFinished, this,
          [this] { Leave(m_commission, m_form.commissionText, &KaufForm::LeaveCommission); });
  connect(buttons, &QDialogButtonBox::accepted, this, &KaufDialog::OnOK);
}

void KaufDialog::Leave(QLineEdit* edit, std::string& text, void (KaufForm::*leave)()) {
  text = FromQ(edit->text());
  (m_form.*leave)();
  edit->setText(ToQ(text));
}

KaufDialog::~KaufDialog() {
  m_name->lineEdit()->disconnect(this);
  m_wkn->lineEdit()->disconnect(this);
}

void KaufDialog::OnOK() {
  if (!DateAccepted(*m_date, m_prompter, KaufForm::kCaption)) return;
  m_form.date = m_date->Day();
  m_form.PickName(FromQ(m_name->currentText()));
  m_form.PickWkn(FromQ(m_wkn->currentText()));
  m_form.quantityText = FromQ(m_quantity->text());
  m_form.priceText = FromQ(m_price->text());
  m_form.commissionText = FromQ(m_commission->text());
  m_form.text = FromQ(m_text->text());
  if (m_form.OnOK(m_prompter)) {
    accept();
    return;
  }
  FocusField(m_form.Focus(), m_fields);
}

}  // namespace dialogs
