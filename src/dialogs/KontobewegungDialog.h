#pragma once
// "Konto&bewegung...": a cash movement, optionally related to a security and divided over
// its positions, over KontobewegungForm; "&zuordnen..." divides by hand through the
// ZuordnenDialog.

#include <QDialog>

#include "dialogs/DialogSupport.h"
#include "forms/KontobewegungForm.h"
#include "platform/Prompter.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace dialogs {

class KontobewegungDialog : public QDialog {
  Q_OBJECT

 public:
  KontobewegungDialog(const CKapibuchDoc& doc, platform::Prompter& prompter, QWidget* parent = nullptr);
  // After exec() returned Accepted: books the movement (and its share of each position).
  void Book(CKapibuchDoc& doc) const { m_form.Book(doc); }

 private:
  // Shows the form: what is enabled, the amount, the security, the candidates.
  void Refresh();
  void OnAssign();
  void OnOK();

  KontobewegungForm m_form;
  platform::Prompter& m_prompter;
  DateField* m_date;
  QComboBox* m_kind;
  QLineEdit* m_amount;
  QLineEdit* m_text;
  QCheckBox* m_related;
  QComboBox* m_name;
  QComboBox* m_wkn;
  QTableWidget* m_table;
  QCheckBox* m_automatic;
  QPushButton* m_assign;
  QRadioButton* m_toCost;
  QRadioButton* m_toDividend;
  QRadioButton* m_toProceeds;
  FieldWidgets m_fields;
};

}  // namespace dialogs
