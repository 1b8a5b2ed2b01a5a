#include "dialogs/ImportergebnisDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "dialogs/DialogSupport.h"

namespace dialogs {

ImportergebnisDialog::ImportergebnisDialog(ImportergebnisForm form, QWidget* parent)
    : QDialog(parent), m_form(std::move(form)) {
  setWindowTitle(ToQ(ImportergebnisForm::kCaption));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Wertpapier: ") + ToQ(m_form.Name())));
  layout->addWidget(new QLabel(QStringLiteral("WKN/Kürzel: ") + ToQ(m_form.Wkn())));
  m_count = new QLabel;
  // What the import passed over, as the command line reports it.
  QStringList skipped;
  for (const std::string& line : m_form.SkippedLines()) skipped << ToQ(line);
  auto* skippedLines = new QLabel(skipped.join(QLatin1Char('\n')));
  skippedLines->setTextInteractionFlags(Qt::TextSelectableByMouse);
  skippedLines->setVisible(!skipped.isEmpty());
  m_list = new QTableWidget(0, 2);
  m_list->setHorizontalHeaderLabels({QStringLiteral("Datum"), QStringLiteral("Kurs")});
  m_list->verticalHeader()->hide();
  auto* held = new QCheckBox(QStringLiteral(
      "&Kurs nur dann übernehmen, wenn sich das Wertpapier zu diesem Zeitpunkt im Depot befindet"));
  connect(held, &QCheckBox::toggled, this, [this](bool on) {
    m_form.SetOnlyHeld(on);
    ShowPrices();
  });
  layout->addWidget(m_count);
  layout->addWidget(skippedLines);
  layout->addWidget(m_list);
  // A price is taken while its day is ticked; implausible ones start unticked.
  connect(m_list, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (m_filling || item->column() != 0) return;
    m_form.SetTaken(m_form.Shown()[static_cast<std::size_t>(item->row())].Date(),
                    item->checkState() == Qt::Checked);
    m_count->setText(ToQ(m_form.CountLine()));
  });
  layout->addWidget(held);
  QDialogButtonBox* buttons = OkCancel(*this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
  ShowPrices();
}

void ImportergebnisDialog::ShowPrices() {
  m_filling = true;
  m_count->setText(ToQ(m_form.CountLine()));
  const std::vector<CKBXKurs>& shown = m_form.Shown();
  m_list->setRowCount(static_cast<int>(shown.size()));
  for (std::size_t i = 0; i < shown.size(); ++i) {
    auto* day = new QTableWidgetItem(ToQ(shown[i].Date().Format()));
    day->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    day->setCheckState(m_form.Taken(shown[i].Date()) ? Qt::Checked : Qt::Unchecked);
    const bool odd = m_form.Implausible(shown[i].Date());
    auto* price = new QTableWidgetItem(ToQ(FormatMoney(shown[i].Price(), kEur, kOwnCurrency, true)) +
                                       (odd ? QStringLiteral(" (unplausibel)") : QString()));
    price->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    price->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (odd) price->setForeground(Qt::red);
    m_list->setItem(static_cast<int>(i), 0, day);
    m_list->setItem(static_cast<int>(i), 1, price);
  }
  m_list->resizeColumnsToContents();
  m_filling = false;
}

}  // namespace dialogs
