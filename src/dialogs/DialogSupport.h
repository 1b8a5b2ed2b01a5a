#pragma once
// What every dialog of the desktop program shares: texts and days between the forms and
// Qt, the date picker, the candidate lists and tables, the button box with OK, "Abbrechen"
// and "Hilfe" wired to the form's help topic, and the focus after a failed check.

#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/DateField.h"
#include "forms/FormSupport.h"
#include "model/KBXDatum.h"
#include "platform/Prompter.h"

class QDialog;
class QDialogButtonBox;
class QPushButton;
class QTableWidget;
class QWidget;

namespace dialogs {

inline QString ToQ(const std::string& text) {
  return QString::fromStdString(text);
}
inline std::string FromQ(const QString& text) {
  return text.toStdString();
}
// Line breaks of a multi-line field as the forms keep them ("\r\n").
std::string FromQLines(const QString& text);

QDate ToQDate(CKBXDatum day);
CKBXDatum FromQDate(const QDate& date);

// A date field from the earliest day to the last day a portfolio can hold; the clock (the
// document's) gives the year of a day typed without one.
DateField* DatePicker(const platform::Clock& clock, CKBXDatum value, CKBXDatum earliest = CKBXDatum(1u));
// Before a dialog's own checks: a date field whose text is no day of its range is reported
// (with the dialog's caption) and gets the focus back; false then.
bool DateAccepted(DateField& field, platform::Prompter& prompter, const char* caption);
// Where no OK button checks the field (period bar, price entry), leaving it with a text that
// is no day of its range is reported at once, and the field gets the focus back.
void ReportRefusals(DateField& field, platform::Prompter& prompter, const char* caption);
// A selection list (editable for names that may be new), nothing chosen; one that is not
// editable is searched by typing, blanks included.
QComboBox* ListOf(const std::vector<std::string>& items, bool editable);
// Selects the entry with this text in a list, or none.
void SelectText(QComboBox& list, const std::string& text);

// The name and WKN/Kürzel lists of a security: choosing in one list selects the pair the form
// makes of it in the other.
template <typename Form>
void PairLists(QComboBox& names, QComboBox& wkns, Form& form) {
  QObject::connect(&names, &QComboBox::textActivated, &names, [&wkns, &form](const QString& name) {
    form.ChooseName(FromQ(name));
    SelectText(wkns, form.Wkn());
  });
  QObject::connect(&wkns, &QComboBox::textActivated, &wkns, [&names, &form](const QString& wkn) {
    form.ChooseWkn(FromQ(wkn));
    SelectText(names, form.Name());
  });
}

// The quantity field of a dialog that divides a sale or a movement over one position: it
// shows the form's suggestion selected, so that typing replaces it, and leaving it shows
// the quantity as the form takes it.
template <typename Form>
QLineEdit* PositionQuantityField(Form& form) {
  auto* field = new QLineEdit(ToQ(form.quantityText));
  QObject::connect(field, &QLineEdit::editingFinished, field, [field, &form] {
    form.quantityText = FromQ(field->text());
    form.LeaveQuantity();
    field->setText(ToQ(form.quantityText));
  });
  field->setFocus();
  field->selectAll();
  return field;
}

// The read-only table of candidate positions (sale, account movement), and its rows; the
// columns from firstRight on hold amounts and quantities and are aligned to the right.
QTableWidget* CandidateTable(const QStringList& headers, int firstRight);
void FillCandidateTable(QTableWidget& table, const std::vector<std::array<std::string, 5>>& rows);

// OK, "Abbrechen" and, with a help topic, "Hilfe" (and F1); "Abbrechen" rejects the dialog.
// OK is for the dialog to connect: its form checks first.
QDialogButtonBox* OkCancel(QDialog& dialog, int helpTopic = 0);
// The same with a help topic that depends on what the dialog shows (the page of a sheet).
QDialogButtonBox* OkCancel(QDialog& dialog, const std::function<int()>& helpTopic);
// A "Hilfe" button of its own, for dialogs with other buttons; F1 in its dialog as well.
QPushButton* HelpButton(int topic);

// Sizes a window as wanted, but leaves it no larger than the screen it opens on has room for,
// its frame and title bar included (kFrameAllowance); its layout's minimum still holds.
constexpr int kFrameAllowance = 30;
void SizeWithinScreen(QWidget& window, QSize wanted);

// The widgets of a form's fields: after a failed check the one the form names gets the focus.
using FieldWidgets = std::vector<std::pair<forms::Field, QWidget*>>;
void FocusField(forms::Field field, const FieldWidgets& widgets);

}  // namespace dialogs
