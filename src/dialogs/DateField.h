#pragma once
// The date field of every dialog, the period bar and the option pages: a text field that
// takes a day as people type it ("15.01.1999", "15.1.99", "15011999", "15.1." in the year of
// today as the clock gives it), with a calendar to pick from. A typed day counts when the
// field is left or Enter is pressed; a text that is no day of the field's range stays as
// typed and is marked, never replaced by another day. Escape brings back the last day the
// field accepted.

#include <QLineEdit>
#include <string>

#include "forms/DateText.h"
#include "model/KBXDatum.h"
#include "platform/Clock.h"

class QCalendarWidget;

namespace dialogs {

class DateField : public QLineEdit {
  Q_OBJECT

 public:
  // The clock gives the year of a day typed without one; it outlives the field.
  DateField(const platform::Clock& clock, CKBXDatum value, CKBXDatum earliest = CKBXDatum(1u),
            CKBXDatum latest = forms::LastDay(), QWidget* parent = nullptr);

  void SetRange(CKBXDatum earliest, CKBXDatum latest);
  // Shows a day without reporting it as a change.
  void SetDay(CKBXDatum day);
  // The last day the field accepted.
  CKBXDatum Day() const { return m_day; }
  CKBXDatum Earliest() const { return m_earliest; }
  CKBXDatum Latest() const { return m_latest; }
  // Reads the text as it stands now: the day it gives, or its problem.
  forms::DateReading Reading() const;
  // Takes the text as typed (as leaving the field does); false, and the field marked, when it
  // is no day of the range.
  bool Accept();
  // What to tell the user about the text ("" when it is a day of the range).
  std::string Problem() const;
  bool IsMarkedInvalid() const { return m_invalid; }

 signals:
  // A different day was typed and the field left (or Enter pressed), or a day picked.
  void DayChanged(CKBXDatum day);
  // The field was left (or Enter pressed) with a text that is no day of its range.
  void Refused();

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Show(CKBXDatum day);
  void Mark(bool invalid);
  void ShowCalendar();

  const platform::Clock& m_clock;
  CKBXDatum m_day;
  CKBXDatum m_earliest;
  CKBXDatum m_latest;
  bool m_invalid = false;
  QCalendarWidget* m_calendar = nullptr;
};

}  // namespace dialogs
