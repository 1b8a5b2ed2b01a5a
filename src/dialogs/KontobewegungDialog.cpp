#include "dialogs/KontobewegungDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <algorithm>

#include "dialogs/SearchableList.h"
#include "dialogs/ZuordnenDialog.h"

namespace dialogs {

KontobewegungDialog::KontobewegungDialog(const CKapibuchDoc& doc, platform::Prompter& prompter,
                                         QWidget* parent)
    : QDialog(parent), m_form(doc), m_prompter(prompter) {
  setWindowTitle(ToQ(KontobewegungForm::kCaption));
  auto* layout = new QGridLayout(this);
  auto* fields = new QFormLayout;
  m_date = DatePicker(doc.Clock(), m_form.Date(), m_form.EarliestDate());
  m_kind = new SearchableList;
  for (const auto& kind : KontobewegungForm::Kinds()) m_kind->addItem(QString::fromUtf8(kind.name));
  m_amount = new QLineEdit;
  m_text = new QLineEdit;
  m_related = new QCheckBox(QStringLiteral("Wert&papierbezug:"));
  m_name = ListOf(m_form.NameList(), false);
  m_wkn = ListOf(m_form.WknList(), false);
  fields->addRow(QStringLiteral("&Datum"), m_date);
  fields->addRow(QStringLiteral("&Vorgang"), m_kind);
  fields->addRow(QStringLiteral("B&etrag"), m_amount);
  fields->addRow(QStringLiteral("&Text"), m_text);
  fields->addRow(m_related);
  fields->addRow(QStringLiteral("&Bezeichnung"), m_name);
  fields->addRow(QStringLiteral("&WKN/Kürzel"), m_wkn);
  layout->addLayout(fields, 0, 0);
  m_table =
      CandidateTable({QStringLiteral("Pos."), QStringLiteral("Kaufdatum"), QStringLiteral("Verkaufdatum"),
                      QStringLiteral("Stück"), QStringLiteral("Zuordnung")},
                     3);
  layout->addWidget(m_table, 0, 1);
  m_automatic = new QCheckBox(QStringLiteral("&automatisch zuordnen"));
  m_automatic->setChecked(true);
  m_assign = new QPushButton(QStringLiteral("&zuordnen..."));
  m_toCost = new QRadioButton(QStringLiteral("&Kaufpreis"));
  m_toDividend = new QRadioButton(QStringLiteral("D&ividende etc."));
  m_toProceeds = new QRadioButton(QStringLiteral("Verkaufserl&ös"));
  m_toDividend->setChecked(true);
  auto* options = new QHBoxLayout;
  options->addWidget(m_automatic);
  options->addWidget(m_assign);
  options->addWidget(new QLabel(QStringLiteral("Verbuchen unter:")));
  options->addWidget(m_toCost);
  options->addWidget(m_toDividend);
  options->addWidget(m_toProceeds);
  layout->addLayout(options, 1, 0, 1, 2);
  QDialogButtonBox* buttons = OkCancel(*this, KontobewegungForm::kHelpTopic);
  layout->addWidget(buttons, 2, 0, 1, 2);
  m_fields = {{forms::Field::Amount, m_amount},
              {forms::Field::Name, m_name},
              {forms::Field::Allocate, m_assign},
              {forms::Field::Text, m_text}};

  connect(m_date, &DateField::DayChanged, this, [this](CKBXDatum day) {
    m_form.SetDate(day);
    Refresh();
  });
  connect(m_kind, &QComboBox::currentIndexChanged, this, [this](int index) {
    m_form.SetKind(static_cast<std::size_t>(std::max(index, 0)));
    Refresh();
  });
  connect(m_amount, &QLineEdit::editingFinished, this, [this] {
    m_form.amountText = FromQ(m_amount->text());
    m_form.LeaveAmount();
    Refresh();
  });
  connect(m_related, &QCheckBox::toggled, this, [this](bool on) {
    m_form.SetRelation(on);
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
  connect(m_automatic, &QCheckBox::toggled, this, [this](bool on) {
    m_form.SetAutoAssign(on);
    Refresh();
  });
  connect(m_assign, &QPushButton::clicked, this, &KontobewegungDialog::OnAssign);
  connect(buttons, &QDialogButtonBox::accepted, this, &KontobewegungDialog::OnOK);
  Refresh();
  resize(900, 380);
}

void KontobewegungDialog::Refresh() {
  const bool active = m_form.RelationActive();
  m_related->setEnabled(m_form.RelationEnabled());
  for (QWidget* w :
       std::initializer_list<QWidget*>{m_name, m_wkn, m_table, m_toCost, m_toDividend, m_toProceeds})
    w->setEnabled(active);
  m_automatic->setEnabled(m_form.AutoAssignEnabled());
  m_assign->setEnabled(m_form.AssignEnabled());
  m_amount->setText(ToQ(m_form.amountText));
  const QSignalBlocker blockName(m_name), blockWkn(m_wkn);
  SelectText(*m_name, m_form.Name());
  SelectText(*m_wkn, m_form.Wkn());
  std::vector<std::array<std::string, 5>> rows;
  for (const auto& row : m_form.Rows())
    rows.push_back({row.number, row.purchaseDate, row.saleDate, row.quantity, row.share});
  FillCandidateTable(*m_table, rows);
}

void KontobewegungDialog::OnAssign() {
  if (!DateAccepted(*m_date, m_prompter, KontobewegungForm::kCaption)) return;
  m_form.Zuordnen([this](ZuordnenForm& part) {
    ZuordnenDialog dialog(part, m_prompter, this);
    return dialog.exec() == QDialog::Accepted;
  });
  Refresh();
}

void KontobewegungDialog::OnOK() {
  if (!DateAccepted(*m_date, m_prompter, KontobewegungForm::kCaption)) return;
  m_form.amountText = FromQ(m_amount->text());
  m_form.text = FromQ(m_text->text());
  m_form.SetBookTo(m_toCost->isChecked()       ? KontobewegungForm::kKaufpreis
                   : m_toProceeds->isChecked() ? KontobewegungForm::kVerkaufserloes
                                               : KontobewegungForm::kDividende);
  if (m_form.OnOK(m_prompter)) {
    accept();
    return;
  }
  Refresh();
  FocusField(m_form.Focus(), m_fields);
}

}  // namespace dialogs
