#pragma once
// "Sicherungskopien...": the copies kept of portfolio files before they were saved over,
// newest first, with the day and time they were made and their size; one of them is
// chosen to be opened (as a new, unsaved document).

#include <QDialog>
#include <vector>

#include "document/BackupStore.h"

class QPushButton;
class QTreeWidget;

namespace dialogs {

class BackupsDialog : public QDialog {
 public:
  BackupsDialog(QWidget* parent, const BackupStore& store);

  // The copy chosen with "Ö&ffnen" (empty before).
  const QString& Chosen() const { return m_chosen; }

  // Shows the dialog; the chosen copy, or empty.
  static QString Choose(QWidget* parent);

 private:
  void Open();

  std::vector<BackupEntry> m_entries;
  QTreeWidget* m_list = nullptr;
  QPushButton* m_open = nullptr;
  QString m_chosen;
};

}  // namespace dialogs
