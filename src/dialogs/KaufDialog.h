#pragma once
// "&Kauf...": the purchase of a security, over KaufForm.

#include <QDialog>

#include "dialogs/DialogSupport.h"
#include "forms/KaufForm.h"
#include "platform/Prompter.h"

class QComboBox;
class QLineEdit;

namespace dialogs {

class KaufDialog : public QDialog {
  Q_OBJECT

 public:
  KaufDialog(const CKapibuchDoc& doc, platform::Prompter& prompter, QWidget* parent = nullptr);
  // The fields lose the keyboard while the dialog goes: nothing may answer that any more.
  ~KaufDialog() override;
  // After exec() returned Accepted: the new position and its booking.
  void Book(CKapibuchDoc& doc) const { m_form.Book(doc); }

 private:
  // Leaving an amount or quantity field shows the form's normal form of the text.
  void Leave(QLineEdit* edit, std::string& text, void (KaufForm::*leave)());
  void OnOK();

  KaufForm m_form;
  platform::Prompter& m_prompter;
  DateField* m_date;
  QComboBox* m_name;
  QComboBox* m_wkn;
  QString m_typedName;  // what the user last typed into each of the two
  QString m_typedWkn;
  QLineEdit* m_quantity;
  QLineEdit* m_price;
  QLineEdit* m_commission;
  QLineEdit* m_text;
  FieldWidgets m_fields;
};

}  // namespace dialogs
