#pragma once
// "Auswählen...": the positions the security chart draws, over PositionAuswahlForm. A
// row's check box and its selection always agree.

#include <QDialog>
#include <vector>

#include "forms/PositionAuswahlForm.h"

class QRadioButton;
class QTableWidget;
class QTableWidgetItem;

namespace dialogs {

class PositionAuswahlDialog : public QDialog {
  Q_OBJECT

 public:
  PositionAuswahlDialog(const CKapibuchDoc& doc, const std::vector<int>& selection,
                        QWidget* parent = nullptr);

  // After exec() returned Accepted: the marked positions, top to bottom, and whether the
  // period follows their time in the portfolio.
  std::vector<int> Selection() const { return m_form.Selection(); }
  bool TimeInPortfolio() const;

 private:
  void OnItemChanged(QTableWidgetItem* item);
  void OnSelectionChanged();

  PositionAuswahlForm m_form;
  QTableWidget* m_table;
  QRadioButton* m_timeInPortfolio;
  bool m_syncing = false;
};

}  // namespace dialogs
