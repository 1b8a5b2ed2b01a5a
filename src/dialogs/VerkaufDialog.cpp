#include "dialogs/VerkaufDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "dialogs/AufteilenDialog.h"
#include "dialogs/SearchableList.h"

namespace dialogs {

VerkaufDialog::VerkaufDialog(const CKapibuchDoc& doc, platform::Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_form(doc), m_prompter(prompter) {
  setWindowTitle(ToQ(VerkaufForm::kCaption));
  auto* layout = new QGridLayout(this);
  auto* fields = new QFormLayout;
  m_date = DatePicker(doc.Clock(), m_form.Date(), m_form.EarliestDate());
  m_name = new SearchableList;
  m_wkn = new SearchableList;
  m_quantity = new QLineEdit;
  m_price = new QLineEdit;
  m_commission = new QLineEdit;
  m_text = new QLineEdit;
  fields->addRow(QStringLiteral("Verkauf&datum"), m_date);
  fields->addRow(QStringLiteral("&Bezeichnung"), m_name);
  fields->addRow(QStringLiteral("&WKN/Kürzel"), m_wkn);
  fields->addRow(QStringLiteral("&Stück"), m_quantity);
  fields->addRow(QStringLiteral("Verkauf&kurs"), m_price);
  fields->addRow(QStringLiteral("&Provision etc."), m_commission);
  fields->addRow(QStringLiteral("&Text"), m_text);
  layout->addLayout(fields, 0, 0);
  m_table = CandidateTable({QStringLiteral("Pos."), QStringLiteral("Kaufdatum"), QStringLiteral("Kaufkurs"),
                            QStringLiteral("Stück"), QStringLiteral("Verkaufen")},
                           2);
  layout->addWidget(m_table, 0, 1);
  m_oldest = new QCheckBox(QStringLiteral("&älteste Positionen verkaufen"));
  m_oldest->setChecked(true);
  m_split = new QPushButton(QStringLiteral("&aufteilen..."));
  auto* options = new QHBoxLayout;
  options->addWidget(m_oldest);
  options->addWidget(m_split);
  layout->addLayout(options, 1, 1);
  // The currency the purchase prices of the list are shown in.
  auto* display = new QGroupBox(QStringLiteral("Kaufkurse anzeigen in"));
  auto* displayRow = new QHBoxLayout(display);
  m_showAsStored = new QRadioButton(QStringLiteral("DM/EU&R"));
  m_showEur = new QRadioButton(QStringLiteral("E&UR"));
  m_showDm = new QRadioButton(QStringLiteral("D&M"));
  m_showEur->setChecked(true);
  for (QRadioButton* choice : {m_showAsStored, m_showEur, m_showDm}) {
    displayRow->addWidget(choice);
    connect(choice, &QRadioButton::toggled, this, [this](bool on) {
      if (!on) return;
      m_form.SetDisplayCurrency(m_showDm->isChecked()    ? VerkaufForm::kShowDm
                                : m_showEur->isChecked() ? VerkaufForm::kShowEur
                                                         : VerkaufForm::kAsStored);
      Refresh();
    });
  }
  layout->addWidget(display, 1, 0);
  QDialogButtonBox* buttons = OkCancel(*this, VerkaufForm::kHelpTopic);
  layout->addWidget(buttons, 2, 0, 1, 2);
  m_fields = {{forms::Field::Date, m_date},     {forms::Field::Name, m_name},
              {forms::Field::Wkn, m_wkn},       {forms::Field::Quantity, m_quantity},
              {forms::Field::Price, m_price},   {forms::Field::Commission, m_commission},
              {forms::Field::Allocate, m_split}};

  connect(m_date, &DateField::DayChanged, this, [this](CKBXDatum day) {
    m_form.SetDate(day);
    Refresh();
  });
  connect(m_name, &QComboBox::textActivated, this, [this](const QString& name) {
    m_form.ChooseName(FromQ(name));
    Refresh();
  });
  connect(m_wkn, &QComboBox::textActivated, this, [this](const QString& wkn) {
    m_form.ChooseWkn(FromQ(wkn));
    Refresh();
  });
  connect(m_quantity, &QLineEdit::editingFinished, this,
          [this] { Leave(m_quantity, m_form.quantityText, &VerkaufForm::LeaveQuantity, true); });
  connect(m_price, &QLineEdit::editingFinished, this,
          [this] { Leave(m_price, m_form.priceText, &VerkaufForm::LeavePrice, false); });
  connect(m_commission, &QLineEdit::editingFinished, this,
          [this] { Leave(m_commission, m_form.commissionText, &VerkaufForm::LeaveCommission, false); });
  connect(m_oldest, &QCheckBox::toggled, this, [this](bool on) {
    m_form.SetAutoAllocate(on);
    Refresh();
  });
  connect(m_split, &QPushButton::clicked, this, &VerkaufDialog::OnSplit);
  connect(buttons, &QDialogButtonBox::accepted, this, &VerkaufDialog::OnOK);
  Refresh();
  resize(900, 380);
}

void VerkaufDialog::Refresh() {
  const QSignalBlocker blockName(m_name), blockWkn(m_wkn);
  m_name->clear();
  m_wkn->clear();
  for (const auto& name : m_form.NameList()) m_name->addItem(ToQ(name));
  for (const auto& wkn : m_form.WknList()) m_wkn->addItem(ToQ(wkn));
  SelectText(*m_name, m_form.Name());
  SelectText(*m_wkn, m_form.Wkn());
  std::vector<std::array<std::string, 5>> rows;
  for (const auto& row : m_form.Rows())
    rows.push_back({row.number, row.purchaseDate, row.purchasePrice, row.quantity, row.sell});
  FillCandidateTable(*m_table, rows);
  m_oldest->setEnabled(m_form.AutoAllocateEnabled());
  m_split->setEnabled(m_form.SplitEnabled());
}

void VerkaufDialog::ReadTexts() {
  m_form.quantityText = FromQ(m_quantity->text());
  m_form.priceText = FromQ(m_price->text());
  m_form.commissionText = FromQ(m_commission->text());
  m_form.text = FromQ(m_text->text());
}

void VerkaufDialog::Leave(QLineEdit* edit, const std::string& text, void (VerkaufForm::*leave)(),
                          bool refresh) {
  ReadTexts();
  (m_form.*leave)();
  edit->setText(ToQ(text));
  if (refresh) Refresh();
}

void VerkaufDialog::OnSplit() {
  if (!DateAccepted(*m_date, m_prompter, VerkaufForm::kCaption)) return;
  ReadTexts();
  m_form.Aufteilen(m_prompter, [this](AufteilenForm& part) {
    AufteilenDialog dialog(part, m_prompter, this);
    return dialog.exec() == QDialog::Accepted;
  });
  Refresh();
}

void VerkaufDialog::OnOK() {
  if (!DateAccepted(*m_date, m_prompter, VerkaufForm::kCaption)) return;
  ReadTexts();
  if (m_form.OnOK(m_prompter)) {
    accept();
    return;
  }
  Refresh();
  FocusField(m_form.Focus(), m_fields);
}

}  // namespace dialogs
