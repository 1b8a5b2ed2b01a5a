#include "dialogs/KurseAktualisierenDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/DialogSupport.h"

namespace dialogs {

KurseAktualisierenDialog::KurseAktualisierenDialog(CKapibuchDoc& doc, platform::Prompter& prompter,
                                                   const platform::SettingsStore& settings,
                                                   platform::Downloader download, QWidget* parent)
    : QDialog(parent),
      m_doc(doc),
      m_form(doc, settings),
      m_prompter(prompter),
      m_download(std::move(download)) {
  setWindowTitle(ToQ(KurseAktualisierenForm::kCaption));
  auto* layout = new QVBoxLayout(this);
  auto* listLabel = new QLabel(QStringLiteral("&Wertpapiere mit Kursquelle:"));
  m_list = new QListWidget;
  listLabel->setBuddy(m_list);
  for (const KurseAktualisierenForm::Entry& e : m_form.Entries()) {
    auto* item = new QListWidgetItem(ToQ(e.name + " (" + e.wkn + ")"), m_list);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
  }
  connect(m_list, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    m_form.SetTicked(static_cast<std::size_t>(m_list->row(item)), item->checkState() == Qt::Checked);
  });
  layout->addWidget(listLabel);
  layout->addWidget(m_list);
  if (m_form.Entries().empty()) {
    auto* none =
        new QLabel(QStringLiteral("Kein Wertpapier dieses Depots hat eine Kursquelle. Legen Sie sie unter "
                                  "„Bearbeiten“ → „Kursquellen...“ fest."));
    none->setWordWrap(true);
    layout->addWidget(none);
  }
  auto* fromRow = new QHBoxLayout;
  auto* fromLabel = new QLabel(QStringLiteral("ab &Datum:"));
  m_from = new QLineEdit;
  m_from->setPlaceholderText(QStringLiteral("nach dem letzten Kurs"));
  fromLabel->setBuddy(m_from);
  fromRow->addWidget(fromLabel);
  fromRow->addWidget(m_from);
  layout->addLayout(fromRow);
  auto* buttons = new QDialogButtonBox;
  m_start = buttons->addButton(QStringLiteral("&Starten"), QDialogButtonBox::AcceptRole);
  m_start->setDefault(true);
  m_start->setEnabled(!m_form.Entries().empty());
  buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
  buttons->addButton(HelpButton(KurseAktualisierenForm::kHelpTopic), QDialogButtonBox::HelpRole);
  connect(m_start, &QPushButton::clicked, this, &KurseAktualisierenDialog::OnStart);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

void KurseAktualisierenDialog::OnStart() {
  m_form.fromText = FromQ(m_from->text());
  std::vector<forms::UpdateItem> items;
  std::vector<std::string> problems;
  if (!m_form.OnStart(m_prompter, items, problems)) return;

  QProgressDialog progress(QStringLiteral("Kurse werden geladen..."), QStringLiteral("Abbrechen"), 0,
                           static_cast<int>(items.size()), this);
  progress.setWindowTitle(ToQ(KurseAktualisierenForm::kCaption));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(0);
  progress.setValue(0);
  // Nothing here can start a second run while this one ends.
  for (QWidget* w :
       {static_cast<QWidget*>(m_start), static_cast<QWidget*>(m_list), static_cast<QWidget*>(m_from)})
    w->setEnabled(false);
  const forms::UpdateRun run =
      forms::RunUpdate(m_doc, items, problems, m_download, [&](std::size_t finished, std::size_t started) {
        progress.setValue(static_cast<int>(finished));
        if (started > 0 && started <= items.size() && finished < items.size())
          progress.setLabelText(ToQ("Kurse für „" + items[started - 1].Title() + "“ werden geladen..."));
        return progress.wasCanceled();
      });
  progress.reset();
  for (QWidget* w :
       {static_cast<QWidget*>(m_start), static_cast<QWidget*>(m_list), static_cast<QWidget*>(m_from)})
    w->setEnabled(true);
  if (run.cancelled) {
    m_prompter.Tell(KurseAktualisierenForm::kCaption,
                    "Die Aktualisierung wurde abgebrochen. Es wurden keine Kurse gespeichert.");
    return;
  }
  m_doc.Apply(*run.change);
  std::string lines;
  for (const std::string& line : run.lines) lines += (lines.empty() ? "" : "\n") + line;
  accept();
  m_prompter.Tell(KurseAktualisierenForm::kCaption, lines,
                  run.failed ? platform::Icon::Exclamation : platform::Icon::Information);
}

}  // namespace dialogs
