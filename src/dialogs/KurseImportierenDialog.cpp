#include "dialogs/KurseImportierenDialog.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

#include "dialogs/DateiformatErkennenDialog.h"
#include "dialogs/DialogSupport.h"
#include "dialogs/FileFolder.h"
#include "dialogs/FormatSpeichernDialog.h"
#include "dialogs/ImportergebnisDialog.h"
#include "forms/FormSupport.h"
#include "forms/StoredFormats.h"

namespace dialogs {

KurseImportierenDialog::KurseImportierenDialog(CKapibuchDoc& doc, platform::Prompter& prompter,
                                               platform::SettingsStore& settings, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_form(doc, settings), m_prompter(prompter), m_settings(settings) {
  // Stored descriptions that cannot be read back are kept as they are; say so once.
  if (m_form.FormatsDamaged()) {
    if (const std::string notice = forms::TakeDamagedFormatsNotice(); !notice.empty())
      m_prompter.Tell(forms::kAppCaption, notice, platform::Icon::Exclamation);
  }
  setWindowTitle(ToQ(KurseImportierenForm::kCaption));
  auto* layout = new QFormLayout(this);
  m_name = ListOf(m_form.NameList(), false);
  m_wkn = ListOf(m_form.WknList(), false);
  SelectText(*m_name, m_form.Name());
  SelectText(*m_wkn, m_form.Wkn());
  m_file = new QLineEdit(ToQ(m_form.fileName));
  auto* browse = new QPushButton(QStringLiteral("Durch&suchen..."));
  auto* detect = new QPushButton(QStringLiteral("&Erkennen..."));
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(m_file);
  fileRow->addWidget(browse);
  fileRow->addWidget(detect);
  m_formats = new QComboBox;
  m_description = new QPlainTextEdit(ToQ(m_form.Description()));
  m_save = new QPushButton(QStringLiteral("S&peichern..."));
  m_remove = new QPushButton(QStringLiteral("&Löschen"));
  auto* start = new QPushButton(QStringLiteral("&Import starten..."));
  start->setDefault(true);  // Enter in the file name starts the import
  auto* close = new QPushButton(QStringLiteral("Schlie&ßen"));
  layout->addRow(QStringLiteral("&Bezeichnung"), m_name);
  layout->addRow(QStringLiteral("&WKN/Kürzel"), m_wkn);
  auto* fileLabel = new QLabel(QStringLiteral("&Dateiname"));
  fileLabel->setBuddy(m_file);
  layout->addRow(fileLabel, fileRow);
  layout->addRow(QStringLiteral("Datei&format"), m_formats);
  layout->addRow(QStringLiteral("F&ormatbeschreibung:"), m_description);
  auto* buttons = new QHBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{m_save, m_remove, start,
                                                    HelpButton(KurseImportierenForm::kHelpTopic), close})
    buttons->addWidget(w);
  layout->addRow(buttons);

  PairLists(*m_name, *m_wkn, m_form);
  connect(browse, &QPushButton::clicked, this, &KurseImportierenDialog::OnBrowse);
  connect(detect, &QPushButton::clicked, this, &KurseImportierenDialog::OnDetect);
  connect(m_formats, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (m_filling) return;
    m_form.ChooseFormat(index);
    m_description->setPlainText(ToQ(m_form.Description()));
    ShowFormats();
  });
  connect(m_description, &QPlainTextEdit::textChanged, this, [this] {
    if (m_filling) return;
    m_form.SetDescription(FromQLines(m_description->toPlainText()));
    ShowFormats();
  });
  connect(m_save, &QPushButton::clicked, this, &KurseImportierenDialog::OnSave);
  connect(m_remove, &QPushButton::clicked, this, [this] {
    m_form.DeleteFormat(m_prompter);
    ShowFormats();
  });
  connect(start, &QPushButton::clicked, this, &KurseImportierenDialog::OnStart);
  connect(close, &QPushButton::clicked, this, &KurseImportierenDialog::OnClose);
  ShowFormats();
  resize(700, 480);
}

void KurseImportierenDialog::ShowFormats() {
  m_filling = true;
  m_formats->clear();
  for (const auto& [title, text] : m_form.Formats()) m_formats->addItem(ToQ(title));
  m_formats->setCurrentIndex(m_form.SelectedFormat());
  m_remove->setEnabled(m_form.DeleteEnabled());
  m_save->setEnabled(m_form.SaveEnabled());
  m_filling = false;
}

void KurseImportierenDialog::OnBrowse() {
  const QString path =
      QFileDialog::getOpenFileName(this, QStringLiteral("Durchsuchen"), StartPath(m_settings, m_file->text()),
                                   QStringLiteral("Textdateien (*.txt);;Alle Dateien (*)"));
  if (path.isEmpty()) return;
  RememberFolder(m_settings, path);
  m_file->setText(path);
}

void KurseImportierenDialog::OnDetect() {
  const std::string path = FromQ(m_file->text());
  if (path.empty()) {
    m_prompter.Tell(
        forms::kAppCaption,
        "Bitte geben Sie den Dateinamen einer Textdatei an, aus der Sie die Kursdaten importieren möchten!");
    m_file->setFocus();
    return;
  }
  std::optional<DateiformatErkennenForm> form = DateiformatErkennenForm::FromFile(path, {}, m_prompter);
  if (!form) return;
  DateiformatErkennenDialog dialog(std::move(*form), this);
  if (dialog.exec() != QDialog::Accepted) return;
  // The field shows line breaks; the form keeps them as "\r\n".
  m_description->setPlainText(ToQ(dialog.Description()).remove(QLatin1Char('\r')));
}

void KurseImportierenDialog::OnSave() {
  FormatSpeichernDialog dialog(this);
  if (dialog.exec() == QDialog::Accepted) m_form.SaveFormat(dialog.Title());
  ShowFormats();
}

void KurseImportierenDialog::OnStart() {
  m_form.fileName = FromQ(m_file->text());
  std::optional<ImportergebnisForm> result = m_form.StartImport(m_prompter);
  if (!result) {
    // A faulty description: its rest from the fault on is selected.
    if (m_form.ErrorPosition() > 0) {
      QTextCursor cursor = m_description->textCursor();
      cursor.setPosition(static_cast<int>(std::min<std::size_t>(
          m_form.ErrorPosition(), static_cast<std::size_t>(m_description->toPlainText().size()))));
      cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
      m_description->setTextCursor(cursor);
      m_description->setFocus();
    }
    return;
  }
  ImportergebnisDialog dialog(std::move(*result), this);
  // Each import taken is one change ("Kursimport Siemens AG"): the views follow at once.
  if (dialog.exec() == QDialog::Accepted) dialog.Book(m_doc);
}

void KurseImportierenDialog::OnClose() {
  accept();
}

void KurseImportierenDialog::done(int result) {
  // The stored descriptions are kept however the dialog closes: "Schließen", Esc or the
  // window's close button.
  m_form.fileName = FromQ(m_file->text());
  m_form.Close();
  QDialog::done(result);
}

}  // namespace dialogs
