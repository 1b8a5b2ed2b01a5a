#pragma once
// What every dialog of the desktop program shares: texts and days between the forms and
// Qt, the date picker, the candidate lists, and the button box with OK, "Abbrechen" and
// "Hilfe" wired to the form's help topic.

#include <QDate>
#include <QString>
#include <string>
#include <vector>

#include "model/KBXDatum.h"

class QComboBox;
class QDateEdit;
class QDialog;
class QDialogButtonBox;
class QPushButton;

namespace dialogs {

inline QString ToQ(const std::string& text) {
  return QString::fromStdString(text);
}
inline std::string FromQ(const QString& text) {
  return text.toStdString();
}

QDate ToQDate(CKBXDatum day);
CKBXDatum FromQDate(const QDate& date);

// A date field from the earliest day to the last day a portfolio can hold.
QDateEdit* DatePicker(CKBXDatum value, CKBXDatum earliest = CKBXDatum(1u));
// A selection list (editable for names that may be new), nothing chosen.
QComboBox* ListOf(const std::vector<std::string>& items, bool editable);

// OK, "Abbrechen" and, with a help topic, "Hilfe"; "Abbrechen" rejects the dialog. OK is
// for the dialog to connect: its form checks first.
QDialogButtonBox* OkCancel(QDialog& dialog, int helpTopic = 0);
// A "Hilfe" button of its own, for dialogs with other buttons.
QPushButton* HelpButton(int topic);

}  // namespace dialogs
