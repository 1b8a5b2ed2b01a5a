#pragma once
// "Dateiformat erkennen": the assistant of "Kurse importieren" over DateiformatErkennenForm.
// The file's first rows in their columns (date and price column marked), the choices the
// user may change, and the days and prices the description reads, skipped lines marked.

#include <QDialog>

#include "forms/DateiformatErkennenForm.h"

class QComboBox;
class QLabel;
class QSpinBox;
class QTableWidget;

namespace dialogs {

class DateiformatErkennenDialog : public QDialog {
  Q_OBJECT

 public:
  explicit DateiformatErkennenDialog(DateiformatErkennenForm form, QWidget* parent = nullptr);
  // After exec() returned Accepted: the description to put into the description field.
  std::string Description() const { return m_form.Description(); }

 private:
  void FillChoices();
  void ShowPreview();

  DateiformatErkennenForm m_form;
  bool m_filling = false;
  QComboBox* m_price;
  QComboBox* m_date;
  QComboBox* m_dateForm;
  QComboBox* m_decimal;
  QSpinBox* m_header;
  QComboBox* m_currency;
  QLabel* m_note;
  QTableWidget* m_rows;
  QLabel* m_count;
  QTableWidget* m_prices;
  QLabel* m_skipped;
};

}  // namespace dialogs
