#pragma once
// "&Depotdaten...": the holder particulars, over DepotdatenForm.

#include <QDialog>

#include "forms/DepotdatenForm.h"
#include "platform/Prompter.h"

class QLineEdit;
class QPlainTextEdit;

namespace dialogs {

class DepotdatenDialog : public QDialog {
  Q_OBJECT

 public:
  DepotdatenDialog(const CKapibuchDoc& doc, platform::Prompter& prompter, QWidget* parent = nullptr);
  // After exec() returned Accepted: copies the texts into the document.
  void Book(CKapibuchDoc& doc) const { m_form.Book(doc); }

 private:
  void OnOK();

  DepotdatenForm m_form;
  platform::Prompter& m_prompter;
  QLineEdit* m_holder;
  QPlainTextEdit* m_address;
  QLineEdit* m_depot;
  QLineEdit* m_account;
  QLineEdit* m_bank;
};

}  // namespace dialogs
