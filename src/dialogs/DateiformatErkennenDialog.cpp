#include "dialogs/DateiformatErkennenDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <set>

#include "base/Money.h"
#include "dialogs/DialogSupport.h"

namespace dialogs {

namespace {

const char* const kPlainDateForm = "TT.MM.JJJJ oder JJJJ-MM-TT";

QString ColumnName(const priceio::DetectedFormat& f, int column) {
  QString name = QStringLiteral("Spalte %1").arg(column + 1);
  if (column < static_cast<int>(f.header.size()) && !f.header[static_cast<std::size_t>(column)].empty())
    name += QStringLiteral(" „%1“").arg(ToQ(f.header[static_cast<std::size_t>(column)]));
  return name;
}

QTableWidget* Table(int columns) {
  auto* table = new QTableWidget(0, columns);
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  return table;
}

}  // namespace

DateiformatErkennenDialog::DateiformatErkennenDialog(DateiformatErkennenForm form, QWidget* parent)
    : QDialog(parent), m_form(std::move(form)) {
  setWindowTitle(ToQ(DateiformatErkennenForm::kCaption));
  auto* layout = new QVBoxLayout(this);
  auto* choices = new QFormLayout;
  m_price = new QComboBox;
  m_date = new QComboBox;
  m_dateForm = new QComboBox;
  m_decimal = new QComboBox;
  m_decimal->addItems({QStringLiteral("Komma"), QStringLiteral("Punkt")});
  m_header = new QSpinBox;
  m_header->setRange(0, 9999);
  m_currency = new QComboBox;
  m_currency->addItems({QStringLiteral("Euro"), QStringLiteral("DM")});
  m_dateForm->addItem(QString::fromUtf8(kPlainDateForm));
  for (const std::string& f : priceio::DateForms()) m_dateForm->addItem(ToQ(f));
  choices->addRow(QStringLiteral("Kurs&spalte:"), m_price);
  choices->addRow(QStringLiteral("&Datumsspalte:"), m_date);
  choices->addRow(QStringLiteral("Datums&form:"), m_dateForm);
  choices->addRow(QStringLiteral("Dezimal&zeichen:"), m_decimal);
  choices->addRow(QStringLiteral("&Kopfzeilen:"), m_header);
  choices->addRow(QStringLiteral("&Währung:"), m_currency);
  m_note = new QLabel;
  m_note->setWordWrap(true);
  m_rows = Table(0);
  m_count = new QLabel;
  m_prices = Table(2);
  m_prices->setHorizontalHeaderLabels({QStringLiteral("Datum"), QStringLiteral("Kurs")});
  m_skipped = new QLabel;
  m_skipped->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* top = new QHBoxLayout;
  top->addLayout(choices);
  top->addWidget(m_note, 1);
  layout->addLayout(top);
  layout->addWidget(
      new QLabel(QStringLiteral("Datei (die ersten %1 Zeilen):").arg(DateiformatErkennenForm::kPreviewRows)));
  layout->addWidget(m_rows, 3);
  auto* result = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(m_count);
  left->addWidget(m_prices);
  result->addLayout(left, 1);
  result->addWidget(m_skipped, 2, Qt::AlignTop);
  layout->addLayout(result, 2);

  auto* buttons = new QDialogButtonBox;
  QPushButton* take = buttons->addButton(QStringLiteral("&Übernehmen"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
  take->setDefault(true);
  take->setEnabled(m_form.Detected());
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  FillChoices();
  auto changed = [this] {
    if (m_filling || !m_form.Detected()) return;
    m_form.SetDateColumn(m_date->currentIndex());
    m_form.SetPriceColumn(m_price->currentIndex());
    m_form.SetDateForm(m_dateForm->currentIndex() <= 0
                           ? std::string()
                           : priceio::DateForms()[static_cast<std::size_t>(m_dateForm->currentIndex() - 1)]);
    m_form.SetDecimalPoint(m_decimal->currentIndex() == 1);
    m_form.SetHeaderLines(m_header->value());
    m_form.SetDm(m_currency->currentIndex() == 1);
    FillChoices();
  };
  for (QComboBox* box : {m_price, m_date, m_dateForm, m_decimal, m_currency})
    connect(box, &QComboBox::currentIndexChanged, this, changed);
  connect(m_header, &QSpinBox::valueChanged, this, changed);
  resize(900, 640);
}

void DateiformatErkennenDialog::FillChoices() {
  m_filling = true;
  if (!m_form.Detected()) {
    m_note->setText(ToQ(m_form.Error()));
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_price, m_date, m_dateForm, m_decimal, m_header, m_currency})
      w->setEnabled(false);
    m_filling = false;
    return;
  }
  const priceio::DetectedFormat& f = m_form.Format();
  const auto rows = m_form.Rows();
  int columns = f.columns;
  for (const auto& row : rows) columns = std::max(columns, static_cast<int>(row.size()));
  if (m_price->count() != columns) {
    m_price->clear();
    m_date->clear();
    for (int c = 0; c < columns; ++c) {
      m_price->addItem(ColumnName(f, c));
      m_date->addItem(ColumnName(f, c));
    }
  }
  m_price->setCurrentIndex(f.priceColumn);
  m_date->setCurrentIndex(f.dateColumn);
  const auto& forms = priceio::DateForms();
  const auto form = std::find(forms.begin(), forms.end(), f.dateForm);
  m_dateForm->setCurrentIndex(f.dateForm.empty() ? 0 : static_cast<int>(form - forms.begin()) + 1);
  m_decimal->setCurrentIndex(f.decimalPoint ? 1 : 0);
  m_header->setValue(f.headerLines);
  m_currency->setCurrentIndex(f.dm ? 1 : 0);
  m_note->setText(ToQ(m_form.Found() + (m_form.DateNote().empty() ? "" : "\n\n" + m_form.DateNote())));

  // The file in its columns: header lines grey, the date and price column marked.
  m_rows->clear();
  m_rows->setColumnCount(columns);
  QStringList titles;
  for (int c = 0; c < columns; ++c)
    titles << (c == f.dateColumn    ? QStringLiteral("Datum")
               : c == f.priceColumn ? QStringLiteral("Kurs")
                                    : QString::number(c + 1));
  m_rows->setHorizontalHeaderLabels(titles);
  m_rows->setRowCount(static_cast<int>(rows.size()));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < rows[r].size(); ++c) {
      auto* item = new QTableWidgetItem(ToQ(rows[r][c]));
      const int column = static_cast<int>(c);
      if (static_cast<int>(r) < f.headerLines)
        item->setForeground(Qt::gray);
      else if (column == f.dateColumn || column == f.priceColumn)
        item->setBackground(QColor(0xE0, 0xEE, 0xFF));
      m_rows->setItem(static_cast<int>(r), column, item);
    }
  }
  m_rows->resizeColumnsToContents();
  m_filling = false;
  ShowPreview();
}

void DateiformatErkennenDialog::ShowPreview() {
  const DateiformatErkennenForm::Preview preview = m_form.Read();
  // Lines of the file that are skipped show red in the file's table.
  for (const priceio::SkippedLine& line : preview.skipped) {
    const int row = static_cast<int>(line.line) - 1;
    for (int c = 0; row < m_rows->rowCount() && c < m_rows->columnCount(); ++c) {
      if (QTableWidgetItem* item = m_rows->item(row, c)) item->setForeground(Qt::red);
    }
  }
  std::set<std::uint32_t> implausible;
  for (const CKBXDatum& d : preview.implausible) implausible.insert(d.Day());
  m_count->setText(QStringLiteral("%1 Kurse gefunden").arg(preview.prices.size() - implausible.size()));
  m_prices->setRowCount(static_cast<int>(preview.prices.size()));
  for (std::size_t i = 0; i < preview.prices.size(); ++i) {
    const CKBXKurs& p = preview.prices[i];
    const bool odd = implausible.count(p.Date().Day()) != 0;
    auto* day = new QTableWidgetItem(ToQ(p.Date().Format()));
    auto* price = new QTableWidgetItem(ToQ(FormatMoney(p.Price(), kEur, kOwnCurrency, true)) +
                                       (odd ? QStringLiteral(" (unplausibel)") : QString()));
    price->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (odd) price->setForeground(Qt::red);
    m_prices->setItem(static_cast<int>(i), 0, day);
    m_prices->setItem(static_cast<int>(i), 1, price);
  }
  m_prices->resizeColumnsToContents();
  QStringList skipped;
  for (const std::string& line : priceio::SkippedReport(preview.skipped)) skipped << ToQ(line);
  m_skipped->setText(skipped.join(QLatin1Char('\n')));
}

}  // namespace dialogs
