#pragma once
// "&Aktiensplit...": N new shares for M old ones from the split day on, over
// AktiensplitForm.

#include <QDialog>

#include "dialogs/DialogSupport.h"
#include "forms/AktiensplitForm.h"
#include "platform/Prompter.h"

class QComboBox;
class QLineEdit;

namespace dialogs {

class AktiensplitDialog : public QDialog {
  Q_OBJECT

 public:
  AktiensplitDialog(const CKapibuchDoc& doc, platform::Prompter& prompter, QWidget* parent = nullptr);
  // After exec() returned Accepted: splits the security's positions and prices.
  void Book(CKapibuchDoc& doc) const { m_form.Book(doc); }

 private:
  void OnOK();

  AktiensplitForm m_form;
  platform::Prompter& m_prompter;
  DateField* m_date;
  QComboBox* m_name;
  QComboBox* m_wkn;
  QLineEdit* m_newShares;
  QLineEdit* m_oldShares;
  FieldWidgets m_fields;
};

}  // namespace dialogs
