#include "dialogs/DateField.h"

#include <QAction>
#include <QCalendarWidget>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QPainter>
#include <QPixmap>

#include "dialogs/DialogSupport.h"

namespace dialogs {

namespace {

// A small calendar leaf: the button of the calendar.
QIcon CalendarIcon() {
  QPixmap leaf(16, 16);
  leaf.fill(Qt::transparent);
  QPainter p(&leaf);
  p.setPen(QColor(0x55, 0x55, 0x55));
  p.setBrush(Qt::white);
  p.drawRect(1, 2, 13, 12);
  p.fillRect(2, 3, 12, 3, QColor(0x1f, 0x5f, 0xa8));
  for (int y = 8; y <= 12; y += 2) {
    for (int x = 3; x <= 11; x += 3) p.fillRect(x, y, 2, 1, QColor(0x55, 0x55, 0x55));
  }
  return QIcon(leaf);
}

}  // namespace

DateField::DateField(const platform::Clock& clock, CKBXDatum value, CKBXDatum earliest, CKBXDatum latest,
                     QWidget* parent)
    : QLineEdit(parent), m_clock(clock), m_day(value), m_earliest(earliest), m_latest(latest) {
  setPlaceholderText(QStringLiteral("TT.MM.JJJJ"));
  QFontMetrics metrics(font());
  setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("00.00.00000")) + 36);
  QAction* pick = addAction(CalendarIcon(), QLineEdit::TrailingPosition);
  pick->setToolTip(QStringLiteral("Kalender"));
  connect(pick, &QAction::triggered, this, &DateField::ShowCalendar);
  connect(this, &QLineEdit::textEdited, this, [this] { Mark(false); });
  Show(value);
}

void DateField::SetRange(CKBXDatum earliest, CKBXDatum latest) {
  m_earliest = earliest;
  m_latest = latest;
}

void DateField::SetDay(CKBXDatum day) {
  m_day = day;
  Show(day);
}

void DateField::Show(CKBXDatum day) {
  setText(ToQ(day.Format()));
  Mark(false);
}

forms::DateReading DateField::Reading() const {
  return forms::ReadDate(FromQ(text()), m_earliest, m_latest, CKBXDatum::Today(m_clock));
}

std::string DateField::Problem() const {
  return forms::DateProblemMessage(Reading().problem, m_earliest, m_latest);
}

bool DateField::Accept() {
  const forms::DateReading reading = Reading();
  if (reading.problem != forms::DateProblem::None) {
    Mark(true);
    return false;
  }
  const bool changed = reading.day != m_day;
  SetDay(reading.day);
  if (changed) emit DayChanged(m_day);
  return true;
}

void DateField::Mark(bool invalid) {
  if (invalid == m_invalid) return;
  m_invalid = invalid;
  QPalette colours = palette();
  colours.setColor(QPalette::Base, invalid ? QColor(0xff, 0xd6, 0xd6) : QPalette().color(QPalette::Base));
  setPalette(colours);
  setToolTip(invalid ? ToQ(Problem()) : QString());
}

void DateField::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  // Coming to the field by keyboard or with its dialog, typing replaces the whole day; a
  // click places the cursor.
  if (event->reason() != Qt::MouseFocusReason && event->reason() != Qt::PopupFocusReason) selectAll();
}

void DateField::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // A message box or menu taking the keyboard is no leaving of the field.
  const Qt::FocusReason reason = event->reason();
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
  if (!Accept()) emit Refused();
}

void DateField::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
      // A new day is taken and the key ends there; a day already taken goes on to the
      // dialog's default button, and so does a refused text unless the field reports
      // refusals itself (where there is no OK to do it).
      const CKBXDatum before = m_day;
      const QString typed = text();
      if (Accept()) {
        if (m_day != before || text() != typed) return;
        break;
      }
      emit Refused();
      if (isSignalConnected(QMetaMethod::fromSignal(&DateField::Refused))) return;
      break;
    }
    case Qt::Key_Escape:
      if (text() != ToQ(m_day.Format())) {
        Show(m_day);
        return;  // taken back: the dialog stays open
      }
      break;
    case Qt::Key_F4:
      ShowCalendar();
      return;
    default:
      break;
  }
  QLineEdit::keyPressEvent(event);
}

void DateField::ShowCalendar() {
  if (!m_calendar) {
    m_calendar = new QCalendarWidget(this);
    m_calendar->setWindowFlags(Qt::Popup);
    m_calendar->setGridVisible(true);
    connect(m_calendar, &QCalendarWidget::clicked, this, [this](const QDate& date) {
      m_calendar->hide();
      setText(ToQ(FromQDate(date).Format()));
      if (!Accept()) emit Refused();
      setFocus(Qt::OtherFocusReason);
    });
    connect(m_calendar, &QCalendarWidget::activated, m_calendar, &QCalendarWidget::clicked);
  }
  m_calendar->setDateRange(ToQDate(m_earliest), ToQDate(m_latest));
  const forms::DateReading typed = Reading();
  m_calendar->setSelectedDate(ToQDate(typed.problem == forms::DateProblem::None ? typed.day : m_day));
  m_calendar->adjustSize();
  m_calendar->move(mapToGlobal(QPoint(0, height())));
  m_calendar->show();
  m_calendar->setFocus();
}

}  // namespace dialogs
