#include "dialogs/DialogSupport.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>

#include "dialogs/Help.h"

namespace dialogs {

std::string FromQLines(const QString& text) {
  QString lines = text;
  return FromQ(lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

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

void SelectText(QComboBox& list, const std::string& text) {
  list.setCurrentIndex(list.findText(ToQ(text)));
}

QTableWidget* CandidateTable(const QStringList& headers) {
  auto* table = new QTableWidget(0, static_cast<int>(headers.size()));
  table->setHorizontalHeaderLabels(headers);
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  return table;
}

void FillCandidateTable(QTableWidget& table, const std::vector<std::array<std::string, 5>>& rows) {
  table.setRowCount(static_cast<int>(rows.size()));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < 5; ++c)
      table.setItem(static_cast<int>(r), static_cast<int>(c), new QTableWidgetItem(ToQ(rows[r][c])));
  }
  table.resizeColumnsToContents();
}

QDialogButtonBox* OkCancel(QDialog& dialog, int helpTopic) {
  if (helpTopic <= 0) return OkCancel(dialog, std::function<int()>());
  return OkCancel(dialog, [helpTopic] { return helpTopic; });
}

QDialogButtonBox* OkCancel(QDialog& dialog, const std::function<int()>& helpTopic) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
  if (helpTopic) {
    QPushButton* help = buttons->addButton(QStringLiteral("Hilfe"), QDialogButtonBox::HelpRole);
    QObject::connect(help, &QPushButton::clicked, &dialog, [helpTopic] { ShowHelp(helpTopic()); });
    // F1 too, as in the main window.
    auto* f1 = new QShortcut(QKeySequence::HelpContents, &dialog);
    QObject::connect(f1, &QShortcut::activated, &dialog, [helpTopic] { ShowHelp(helpTopic()); });
  }
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  return buttons;
}

QPushButton* HelpButton(int topic) {
  auto* help = new QPushButton(QStringLiteral("Hilfe"));
  QObject::connect(help, &QPushButton::clicked, help, [topic] { ShowHelp(topic); });
  // F1 in the button's window too.
  auto* f1 = new QShortcut(QKeySequence::HelpContents, help);
  QObject::connect(f1, &QShortcut::activated, help, [topic] { ShowHelp(topic); });
  return help;
}

void FocusField(forms::Field field, const FieldWidgets& widgets) {
  for (const auto& [f, widget] : widgets) {
    if (f == field && widget) widget->setFocus();
  }
}

}  // namespace dialogs
