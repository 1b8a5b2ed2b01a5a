#pragma once
// "Importergebnis": the prices an import found, over ImportergebnisForm; on OK the caller
// stores them with Book().

#include <QDialog>

#include "forms/ImportergebnisForm.h"

class QLabel;
class QTableWidget;

namespace dialogs {

class ImportergebnisDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ImportergebnisDialog(ImportergebnisForm form, QWidget* parent = nullptr);
  // After exec() returned Accepted: sets the shown prices; whether any price changed.
  bool Book(CKapibuchDoc& doc) const { return m_form.OnOK(doc); }
  const std::string& Name() const { return m_form.Name(); }

 private:
  void ShowPrices();

  ImportergebnisForm m_form;
  QLabel* m_count;
  QTableWidget* m_list;
  bool m_filling = false;
};

}  // namespace dialogs
