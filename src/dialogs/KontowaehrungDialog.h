#pragma once
// "Konto&währung umstellen...": the day the account switches from DM to euro, over
// KontowaehrungForm.

#include <QDialog>

#include "forms/KontowaehrungForm.h"
#include "platform/Prompter.h"

namespace dialogs {

class DateField;

class KontowaehrungDialog : public QDialog {
  Q_OBJECT

 public:
  KontowaehrungDialog(const CKapibuchDoc& doc, platform::Prompter& prompter, QWidget* parent = nullptr);
  // After exec() returned Accepted: switches the account.
  void Book(CKapibuchDoc& doc) const { m_form.Book(doc); }

 private:
  void OnOK();

  KontowaehrungForm m_form;
  platform::Prompter& m_prompter;
  DateField* m_date;
};

}  // namespace dialogs
