#include "dialogs/KursquellenDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "dialogs/DialogSupport.h"

namespace dialogs {

namespace {

enum Column { kName, kWkn, kAddress, kSymbol, kFormat, kColumns };

}  // namespace

KursquellenDialog::KursquellenDialog(const CKapibuchDoc& doc, platform::Prompter& prompter,
                                     platform::SettingsStore& settings, platform::Downloader download,
                                     QWidget* parent)
    : QDialog(parent),
      m_doc(doc),
      m_form(doc, settings),
      m_prompter(prompter),
      m_download(std::move(download)) {
  setWindowTitle(ToQ(KursquellenForm::kCaption));
  auto* layout = new QVBoxLayout(this);
  auto* tableLabel =
      new QLabel(QStringLiteral("&Kursquellen der Wertpapiere ({SYMBOL}, {WKN}, {VON:JJJJ-MM-TT}, "
                                "{BIS:JJJJ-MM-TT} in der Adresse):"));
  tableLabel->setWordWrap(true);
  m_table = new QTableWidget(static_cast<int>(m_form.rows.size()), kColumns);
  tableLabel->setBuddy(m_table);
  m_table->setHorizontalHeaderLabels({QStringLiteral("Bezeichnung"), QStringLiteral("WKN/Kürzel"),
                                      QStringLiteral("Adresse"), QStringLiteral("Symbol"),
                                      QStringLiteral("Format")});
  m_table->verticalHeader()->hide();
  m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_table->setSelectionMode(QAbstractItemView::SingleSelection);
  m_table->horizontalHeader()->setSectionResizeMode(kAddress, QHeaderView::Stretch);
  for (int r = 0; r < m_table->rowCount(); ++r) {
    const KursquellenForm::Row& row = m_form.rows[static_cast<std::size_t>(r)];
    for (const auto& [column, text] : {std::pair{kName, row.name}, std::pair{kWkn, row.source.wkn}}) {
      auto* item = new QTableWidgetItem(ToQ(text));
      item->setFlags(item->flags() & ~Qt::ItemIsEditable);
      m_table->setItem(r, column, item);
    }
    m_table->setItem(r, kAddress, new QTableWidgetItem(ToQ(row.source.address)));
    m_table->setItem(r, kSymbol, new QTableWidgetItem(ToQ(row.source.symbol)));
    auto* format = new QComboBox;
    format->addItem(ToQ(KursquellenForm::kAutomatic), QString());
    for (const auto& [title, description] : m_form.Formats()) format->addItem(ToQ(title), ToQ(description));
    if (!row.source.format.empty()) {
      int at = format->findData(ToQ(row.source.format));
      if (at < 0) {
        format->addItem(QStringLiteral("(eigene Beschreibung)"), ToQ(row.source.format));
        at = format->count() - 1;
      }
      format->setCurrentIndex(at);
    }
    m_table->setCellWidget(r, kFormat, format);
  }
  if (m_table->rowCount() > 0) m_table->selectRow(0);
  layout->addWidget(tableLabel);
  layout->addWidget(m_table);

  auto* exampleRow = new QHBoxLayout;
  auto* exampleLabel = new QLabel(QStringLiteral("&Vorlage:"));
  m_examples = new QComboBox;
  for (const forms::AddressExample& e : forms::AddressExamples())
    m_examples->addItem(QString::fromUtf8(e.name), QString::fromUtf8(e.address));
  exampleLabel->setBuddy(m_examples);
  auto* use = new QPushButton(QStringLiteral("&Einsetzen"));
  connect(use, &QPushButton::clicked, this, &KursquellenDialog::OnExample);
  auto* test = new QPushButton(QStringLiteral("&Testen"));
  connect(test, &QPushButton::clicked, this, &KursquellenDialog::OnTest);
  exampleRow->addWidget(exampleLabel);
  exampleRow->addWidget(m_examples, 1);
  exampleRow->addWidget(use);
  exampleRow->addWidget(test);
  layout->addLayout(exampleRow);
  QDialogButtonBox* buttons = OkCancel(*this, KursquellenForm::kHelpTopic);
  connect(buttons, &QDialogButtonBox::accepted, this, &KursquellenDialog::accept);
  layout->addWidget(buttons);
  SizeWithinScreen(*this, QSize(900, 420));
}

void KursquellenDialog::TakeRows() {
  for (int r = 0; r < m_table->rowCount(); ++r) {
    forms::PriceSource& s = m_form.rows[static_cast<std::size_t>(r)].source;
    s.address = FromQ(m_table->item(r, kAddress)->text().trimmed());
    s.symbol = FromQ(m_table->item(r, kSymbol)->text().trimmed());
    s.format = FromQ(qobject_cast<QComboBox*>(m_table->cellWidget(r, kFormat))->currentData().toString());
  }
}

void KursquellenDialog::OnExample() {
  const int r = m_table->currentRow();
  if (r < 0) return;
  m_table->item(r, kAddress)->setText(m_examples->currentData().toString());
  m_table->setCurrentCell(r, kAddress);
}

void KursquellenDialog::OnTest() {
  const int r = m_table->currentRow();
  if (r < 0) return;
  TakeRows();
  const std::optional<forms::UpdateItem> item = m_form.TestItem(static_cast<std::size_t>(r), m_prompter);
  if (!item) return;
  // The dialog waits while its test runs: nothing in it can be pressed twice.
  setEnabled(false);
  const std::vector<platform::Download> got = m_download({item->url}, {});
  setEnabled(true);
  const forms::UpdateOutcome outcome =
      got.at(0).ok ? forms::ReadAnswer(m_doc, *item, got[0].body, false) : forms::Failed(*item, got[0].error);
  std::string text = "Die letzten 30 Tage von " + forms::ShownAddress(item->url) + ":\n\n" + outcome.line;
  if (!outcome.prices.empty()) {
    const PriceChange::Entry& last = outcome.prices.back();
    text += "\nletzter Kurs: " + last.date.Format() + " " + FormatMoney(last.price, kEur, kOwnCurrency, true);
  }
  text += "\n\nEs wurde nichts gespeichert.";
  m_prompter.Tell(KursquellenForm::kCaption, text,
                  outcome.failed ? platform::Icon::Exclamation : platform::Icon::Information);
}

void KursquellenDialog::accept() {
  TakeRows();
  std::size_t failed = 0;
  if (!m_form.OnOK(m_prompter, failed)) {
    m_table->setCurrentCell(static_cast<int>(failed), kAddress);
    return;
  }
  QDialog::accept();
}

}  // namespace dialogs
