#pragma once
// The period bar ("Darstellungszeitraum"): the day pickers of the active window's mode,
// and the chart series and position selection where the mode has them. It shows a
// window's days and reports what the user picks; the main frame hands that on. A typed day
// counts when its field is left or Enter is pressed.

#include <QToolBar>

#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "views/FrameState.h"

class QComboBox;
namespace dialogs {
class DateField;
}
class QLabel;
class QPushButton;
class QSpinBox;

class PeriodBar : public QToolBar {
  Q_OBJECT

 public:
  // A typed text that is no day of a field's range is told through the prompter.
  // The clock gives the year of a day typed without one.
  PeriodBar(platform::Prompter& prompter, const platform::Clock& clock, QWidget* parent = nullptr);

  // Shows a window's mode and days (nullptr: no window is open).
  void ShowFrame(const views::FrameState* state, CKBXDatum accountStart);

  dialogs::DateField& FirstPicker() { return *m_first; }
  dialogs::DateField& SecondPicker() { return *m_second; }
  QLabel& FirstLabel() { return *m_firstLabel; }
  // The year fields of a mode that shows whole years.
  QSpinBox& FirstYear() { return *m_firstYear; }
  QSpinBox& SecondYear() { return *m_secondYear; }

 signals:
  void FirstDateChanged(CKBXDatum day);
  void SecondDateChanged(CKBXDatum day);
  void PortfolioSeriesChanged(int series);
  void SecuritySeriesChanged(int series);
  void SelectRequested();

 private:
  void ShowWidget(QWidget* widget, bool visible);
  void SetPicker(dialogs::DateField& picker, CKBXDatum minimum, CKBXDatum value, CKBXDatum maximum);
  static void SetYear(QSpinBox& field, CKBXDatum minimum, CKBXDatum value, CKBXDatum maximum);

  QLabel* m_firstLabel = nullptr;
  QLabel* m_secondLabel = nullptr;
  dialogs::DateField* m_first = nullptr;
  dialogs::DateField* m_second = nullptr;
  QSpinBox* m_firstYear = nullptr;
  QSpinBox* m_secondYear = nullptr;
  QComboBox* m_portfolioSeries = nullptr;
  QComboBox* m_securitySeries = nullptr;
  QPushButton* m_select = nullptr;
  bool m_showing = false;  // set while the bar shows a window: no reports then
};
