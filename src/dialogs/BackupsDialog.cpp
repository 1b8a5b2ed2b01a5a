#include "dialogs/BackupsDialog.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dialogs {

BackupsDialog::BackupsDialog(QWidget* parent, const BackupStore& store)
    : QDialog(parent), m_entries(store.List()) {
  setWindowTitle(QStringLiteral("Sicherungskopien"));
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(
      QStringLiteral("Vor dem ersten Speichern einer Datei wird eine Kopie der alten Datei in %1 aufbewahrt "
                     "(die neuesten 20 je Datei). Eine Kopie wird als neue, ungespeicherte Datei geöffnet.")
          .arg(QString::fromStdString(store.Folder())));
  label->setWordWrap(true);
  layout->addWidget(label);

  m_list = new QTreeWidget;
  m_list->setRootIsDecorated(false);
  m_list->setHeaderLabels({QStringLiteral("Datei"), QStringLiteral("Gesichert am"), QStringLiteral("Größe")});
  for (const BackupEntry& entry : m_entries) {
    auto* item = new QTreeWidgetItem({QString::fromStdString(entry.name) + QStringLiteral(".kpz"),
                                      QString::fromStdString(entry.When()),
                                      QString::fromStdString(FileSizeText(entry.size))});
    item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    item->setToolTip(0, QString::fromStdString(entry.path));
    m_list->addTopLevelItem(item);
  }
  m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  layout->addWidget(m_list);

  auto* buttons = new QDialogButtonBox;
  m_open = buttons->addButton(QStringLiteral("Ö&ffnen"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Schlie&ßen"), QDialogButtonBox::RejectRole);
  m_open->setEnabled(false);
  layout->addWidget(buttons);
  connect(m_list, &QTreeWidget::itemSelectionChanged, this,
          [this] { m_open->setEnabled(!m_list->selectedItems().isEmpty()); });
  connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { Open(); });
  connect(buttons, &QDialogButtonBox::accepted, this, [this] { Open(); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  resize(640, 400);
}

void BackupsDialog::Open() {
  const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
  if (row < 0 || static_cast<std::size_t>(row) >= m_entries.size()) return;
  m_chosen = QFile::decodeName(QByteArray::fromStdString(m_entries[static_cast<std::size_t>(row)].path));
  accept();
}

QString BackupsDialog::Choose(QWidget* parent) {
  BackupsDialog dialog(parent, BackupStore());
  return dialog.exec() == QDialog::Accepted ? dialog.Chosen() : QString();
}

}  // namespace dialogs
