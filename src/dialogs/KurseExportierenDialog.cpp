#include "dialogs/KurseExportierenDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/DialogSupport.h"
#include "dialogs/FileFolder.h"

namespace dialogs {

KurseExportierenDialog::KurseExportierenDialog(const CKapibuchDoc& doc, platform::Prompter& prompter,
                                               platform::SettingsStore& settings, QWidget* parent)
    : QDialog(parent), m_form(doc), m_prompter(prompter), m_settings(settings) {
  setWindowTitle(ToQ(KurseExportierenForm::kCaption));
  auto* layout = new QFormLayout(this);
  m_name = ListOf(m_form.NameList(), false);
  m_wkn = ListOf(m_form.WknList(), false);
  m_file = new QLineEdit;
  auto* browse = new QPushButton(QStringLiteral("&Speichern unter..."));
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(m_file);
  fileRow->addWidget(browse);
  m_withName = new QCheckBox(QStringLiteral("Be&zeichnung speichern"));
  m_withWkn = new QCheckBox(QStringLiteral("W&KN/Kürzel speichern"));
  m_separator = new QLineEdit(ToQ(m_form.separator));
  auto* start = new QPushButton(QStringLiteral("&Export starten..."));
  auto* close = new QPushButton(QStringLiteral("Schlie&ßen"));
  layout->addRow(QStringLiteral("&Bezeichnung"), m_name);
  layout->addRow(QStringLiteral("&WKN/Kürzel"), m_wkn);
  auto* fileLabel = new QLabel(QStringLiteral("&Dateiname"));
  fileLabel->setBuddy(m_file);
  layout->addRow(fileLabel, fileRow);
  layout->addRow(m_withName);
  layout->addRow(m_withWkn);
  layout->addRow(QStringLiteral("&Trennzeichen:"), m_separator);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(start);
  buttons->addWidget(HelpButton(KurseExportierenForm::kHelpTopic));
  buttons->addWidget(close);
  layout->addRow(buttons);

  PairLists(*m_name, *m_wkn, m_form);
  connect(browse, &QPushButton::clicked, this, &KurseExportierenDialog::OnBrowse);
  connect(start, &QPushButton::clicked, this, &KurseExportierenDialog::OnStart);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void KurseExportierenDialog::OnBrowse() {
  QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Speichern unter"),
                                              StartPath(m_settings, m_file->text()),
                                              QStringLiteral("Textdateien (*.txt)"));
  if (path.isEmpty()) return;
  if (!path.endsWith(QStringLiteral(".txt"))) path += QStringLiteral(".txt");
  RememberFolder(m_settings, path);
  m_file->setText(path);
}

void KurseExportierenDialog::OnStart() {
  m_form.fileName = FromQ(m_file->text());
  m_form.withName = m_withName->isChecked();
  m_form.withWkn = m_withWkn->isChecked();
  m_form.separator = FromQ(m_separator->text());
  m_form.StartExport(m_prompter);
}

}  // namespace dialogs
