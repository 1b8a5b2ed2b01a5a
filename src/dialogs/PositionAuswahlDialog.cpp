#include "dialogs/PositionAuswahlDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "dialogs/DialogSupport.h"

namespace dialogs {

namespace {

constexpr int kColumns = 6;

}  // namespace

PositionAuswahlDialog::PositionAuswahlDialog(const CKapibuchDoc& doc, const std::vector<int>& selection,
                                             QWidget* parent)
    : QDialog(parent), m_form(doc, selection) {
  setWindowTitle(ToQ(PositionAuswahlForm::kCaption));
  auto* layout = new QVBoxLayout(this);
  m_table = new QTableWidget(static_cast<int>(m_form.Rows().size()), kColumns);
  m_table->setHorizontalHeaderLabels({QStringLiteral("Bezeichnung"), QStringLiteral("WKN/Kürzel"),
                                      QStringLiteral("Kaufdatum"), QStringLiteral("Verkaufdatum"),
                                      QStringLiteral("Stück"), QStringLiteral("Kaufkurs")});
  m_table->verticalHeader()->hide();
  m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_table->setSelectionMode(QAbstractItemView::MultiSelection);
  for (std::size_t r = 0; r < m_form.Rows().size(); ++r) {
    const auto& row = m_form.Rows()[r];
    const std::string cells[kColumns] = {row.name,     row.wkn,      row.purchaseDate,
                                         row.saleDate, row.quantity, row.purchasePrice};
    for (int c = 0; c < kColumns; ++c) {
      auto* item = new QTableWidgetItem(ToQ(cells[c]));
      if (c >= 4) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (c == 0) item->setCheckState(row.marked ? Qt::Checked : Qt::Unchecked);
      m_table->setItem(static_cast<int>(r), c, item);
    }
    if (row.marked) m_table->selectRow(static_cast<int>(r));
  }
  m_table->resizeColumnsToContents();
  connect(m_table, &QTableWidget::itemChanged, this, &PositionAuswahlDialog::OnItemChanged);
  connect(m_table, &QTableWidget::itemSelectionChanged, this, &PositionAuswahlDialog::OnSelectionChanged);
  layout->addWidget(m_table);
  auto* periodRow = new QHBoxLayout;
  m_timeInPortfolio = new QRadioButton(QStringLiteral("&Zeit im Depot"));
  auto* unchanged = new QRadioButton(QStringLiteral("&unverändert"));
  m_timeInPortfolio->setChecked(true);
  periodRow->addWidget(new QLabel(QStringLiteral("Darstellungszeitraum:")));
  periodRow->addWidget(m_timeInPortfolio);
  periodRow->addWidget(unchanged);
  layout->addLayout(periodRow);
  QDialogButtonBox* buttons = OkCancel(*this, PositionAuswahlForm::kHelpTopic);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
  resize(720, 420);
}

bool PositionAuswahlDialog::TimeInPortfolio() const {
  return m_timeInPortfolio->isChecked();
}

void PositionAuswahlDialog::OnItemChanged(QTableWidgetItem* item) {
  if (m_syncing || item->column() != 0) return;
  m_syncing = true;
  const bool on = item->checkState() == Qt::Checked;
  m_form.Mark(static_cast<std::size_t>(item->row()), on);
  for (int c = 0; c < kColumns; ++c) m_table->item(item->row(), c)->setSelected(on);
  m_syncing = false;
}

void PositionAuswahlDialog::OnSelectionChanged() {
  if (m_syncing) return;
  m_syncing = true;
  for (int r = 0; r < m_table->rowCount(); ++r) {
    const bool on = m_table->item(r, 0)->isSelected();
    m_form.Mark(static_cast<std::size_t>(r), on);
    m_table->item(r, 0)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
  }
  m_syncing = false;
}

}  // namespace dialogs
