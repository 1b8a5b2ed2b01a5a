#include "dialogs/ImportergebnisDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "dialogs/DialogSupport.h"

namespace dialogs {

ImportergebnisDialog::ImportergebnisDialog(CImportergebnisDlg form, QWidget* parent)
    : QDialog(parent), m_form(std::move(form)) {
  setWindowTitle(ToQ(CImportergebnisDlg::kCaption));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Wertpapier: ") + ToQ(m_form.Name())));
  layout->addWidget(new QLabel(QStringLiteral("WKN/Kürzel: ") + ToQ(m_form.Wkn())));
  m_count = new QLabel;
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
  layout->addWidget(m_list);
  layout->addWidget(held);
  QDialogButtonBox* buttons = OkCancel(*this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
  ShowPrices();
}

void ImportergebnisDialog::ShowPrices() {
  m_count->setText(ToQ(m_form.CountLine()));
  const std::vector<CKBXKurs>& shown = m_form.Shown();
  m_list->setRowCount(static_cast<int>(shown.size()));
  for (std::size_t i = 0; i < shown.size(); ++i) {
    m_list->setItem(static_cast<int>(i), 0, new QTableWidgetItem(ToQ(shown[i].Date().Format())));
    m_list->setItem(static_cast<int>(i), 1,
                    new QTableWidgetItem(ToQ(FormatMoney(shown[i].Price(), kEur, kOwnCurrency, true))));
  }
  m_list->resizeColumnsToContents();
}

}  // namespace dialogs
