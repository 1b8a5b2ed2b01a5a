#include "dialogs/DialogSupport.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QShortcut>

#include "dialogs/Help.h"

namespace dialogs {

QDate ToQDate(CKBXDatum day) {
  int d = 0, month = 0, year = 0;
  day.Split(d, month, year);
  return QDate(year, month, d);
}

CKBXDatum FromQDate(const QDate& date) {
  CKBXDatum d;
  d.Set(date.day(), date.month(), date.year());
  return d;
}

QDateEdit* DatePicker(CKBXDatum value, CKBXDatum earliest) {
  auto* picker = new QDateEdit(ToQDate(value));
  picker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
  picker->setCalendarPopup(true);
  picker->setDateRange(ToQDate(earliest), QDate(2038, 1, 18));
  return picker;
}

QComboBox* ListOf(const std::vector<std::string>& items, bool editable) {
  auto* combo = new QComboBox;
  combo->setEditable(editable);
  for (const auto& item : items) combo->addItem(ToQ(item));
  combo->setCurrentIndex(-1);
  return combo;
}

QDialogButtonBox* OkCancel(QDialog& dialog, int helpTopic) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
  if (helpTopic > 0) {
    QPushButton* help = buttons->addButton(QStringLiteral("Hilfe"), QDialogButtonBox::HelpRole);
    QObject::connect(help, &QPushButton::clicked, &dialog, [helpTopic] { ShowHelp(helpTopic); });
    // F1 too, as in the main window.
    auto* f1 = new QShortcut(QKeySequence::HelpContents, &dialog);
    QObject::connect(f1, &QShortcut::activated, &dialog, [helpTopic] { ShowHelp(helpTopic); });
  }
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  return buttons;
}

QPushButton* HelpButton(int topic) {
  auto* help = new QPushButton(QStringLiteral("Hilfe"));
  QObject::connect(help, &QPushButton::clicked, help, [topic] { ShowHelp(topic); });
  return help;
}

}  // namespace dialogs
