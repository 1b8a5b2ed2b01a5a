#include "dialogs/KurseEingebenDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/DialogSupport.h"

namespace dialogs {

namespace {

std::size_t Index(int row) {
  return static_cast<std::size_t>(row);
}

}  // namespace

KurseEingebenDialog::KurseEingebenDialog(CKapibuchDoc& doc, platform::Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_form(doc) {
  setWindowTitle(ToQ(KurseEingebenForm::kCaption));
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  DateField* date = DatePicker(doc.Clock(), m_form.Day());
  // No OK checks the day here: a day that is none is told as the field is left.
  ReportRefusals(*date, prompter, KurseEingebenForm::kCaption);
  auto* onlyHeld = new QCheckBox(QStringLiteral("nur Wert&papiere im Depot"));
  onlyHeld->setChecked(true);
  auto* dateLabel = new QLabel(QStringLiteral("&Datum:"));
  dateLabel->setBuddy(date);
  top->addWidget(dateLabel);
  top->addWidget(date);
  top->addWidget(onlyHeld);
  layout->addLayout(top);
  auto* grid = new QGridLayout;
  for (int row = 0; row < KurseEingebenForm::kRows; ++row) {
    m_labels[Index(row)] = new QLabel;
    m_prices[Index(row)] = new QLineEdit;
    grid->addWidget(m_labels[Index(row)], row % 6, (row / 6) * 2);
    grid->addWidget(m_prices[Index(row)], row % 6, (row / 6) * 2 + 1);
    connect(m_prices[Index(row)], &QLineEdit::editingFinished, this, [this, row] { LeavePrice(row); });
  }
  layout->addLayout(grid);
  auto* splitNote = new QLabel(ToQ(KurseEingebenForm::kSplitNote));
  splitNote->setWordWrap(true);
  layout->addWidget(splitNote);
  m_pageLine = new QLabel;
  m_previous = new QPushButton(QStringLiteral("&vorherige"));
  m_next = new QPushButton(QStringLiteral("&nächste"));
  auto* byName = new QRadioButton(QStringLiteral("&Bezeichnung anzeigen"));
  auto* byWkn = new QRadioButton(QStringLiteral("&WKN/Kürzel anzeigen"));
  byName->setChecked(true);
  auto* close = new QPushButton(QStringLiteral("Schließen"));
  close->setDefault(true);
  auto* bottom = new QHBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{m_pageLine, m_previous, m_next, byName, byWkn, close,
                                                    HelpButton(KurseEingebenForm::kHelpTopic)}) {
    bottom->addWidget(w);
  }
  layout->addLayout(bottom);

  connect(date, &DateField::DayChanged, this, [this](CKBXDatum day) {
    m_form.SetDay(day);
    ShowPage();
  });
  connect(onlyHeld, &QCheckBox::toggled, this, [this](bool on) {
    m_form.SetOnlyHeld(on);
    ShowPage();
  });
  connect(byName, &QRadioButton::toggled, this, [this](bool on) {
    m_form.SetShowNames(on);
    ShowPage();
  });
  connect(m_previous, &QPushButton::clicked, this, [this] {
    m_form.PreviousPage();
    ShowPage();
    m_prices[0]->setFocus();
  });
  connect(m_next, &QPushButton::clicked, this, [this] {
    m_form.NextPage();
    ShowPage();
    m_prices[0]->setFocus();
  });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  ShowPage();
}

void KurseEingebenDialog::ShowPage() {
  m_showing = true;
  m_pageLine->setText(ToQ(m_form.PageLine()));
  m_previous->setEnabled(m_form.CanGoBack());
  m_next->setEnabled(m_form.CanGoForward());
  for (int row = 0; row < KurseEingebenForm::kRows; ++row) {
    const auto& r = m_form.Rows()[Index(row)];
    m_labels[Index(row)]->setText(ToQ(r.label));
    m_prices[Index(row)]->setText(ToQ(r.priceText));
    m_prices[Index(row)]->setVisible(r.visible);
  }
  m_showing = false;
}

void KurseEingebenDialog::LeavePrice(int row) {
  if (m_showing) return;
  m_form.SetPriceText(row, FromQ(m_prices[Index(row)]->text()));
  m_form.LeavePrice(row);
  m_prices[Index(row)]->setText(ToQ(m_form.Rows()[Index(row)].priceText));
}

void KurseEingebenDialog::done(int result) {
  // Esc and the window's close button leave no field first: the price being typed counts.
  for (int row = 0; row < KurseEingebenForm::kRows; ++row) {
    if (m_prices[Index(row)]->hasFocus()) LeavePrice(row);
  }
  QDialog::done(result);
  // The prices typed are one change, however the dialog closes (a price field is left as
  // it closes, so the last one typed counts too).
  if (m_finished) return;
  m_finished = true;
  if (m_form.HasPrices()) m_doc.Apply(m_form.Change());
}

}  // namespace dialogs
