#pragma once
// "&Verkauf...": the sale of shares over the open positions of a security, over
// VerkaufForm; "&aufteilen..." allocates by hand through the AufteilenDialog.

#include <QDialog>

#include "dialogs/DialogSupport.h"
#include "forms/VerkaufForm.h"
#include "platform/Prompter.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace dialogs {

class VerkaufDialog : public QDialog {
  Q_OBJECT

 public:
  VerkaufDialog(const CKapibuchDoc& doc, platform::Prompter& prompter, QWidget* parent = nullptr);
  // After exec() returned Accepted: sells the allocated quantities.
  void Book(CKapibuchDoc& doc) const { m_form.Book(doc); }

 private:
  // Shows the form: the lists, the candidates with their allocation, what is enabled.
  void Refresh();
  void ReadTexts();
  // Leaving a field shows the form's normal form of the text.
  void Leave(QLineEdit* edit, const std::string& text, void (VerkaufForm::*leave)(), bool refresh);
  void OnSplit();
  void OnOK();

  VerkaufForm m_form;
  platform::Prompter& m_prompter;
  DateField* m_date;
  QComboBox* m_name;
  QComboBox* m_wkn;
  QLineEdit* m_quantity;
  QLineEdit* m_price;
  QLineEdit* m_commission;
  QLineEdit* m_text;
  QTableWidget* m_table;
  QCheckBox* m_oldest;
  QPushButton* m_split;
  QRadioButton* m_showAsStored;
  QRadioButton* m_showEur;
  QRadioButton* m_showDm;
  FieldWidgets m_fields;
};

}  // namespace dialogs
