#include "dialogs/DialogSupport.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTableWidget>
#include <QTimer>

#include "dialogs/Help.h"
#include "dialogs/SearchableList.h"

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

DateField* DatePicker(const platform::Clock& clock, CKBXDatum value, CKBXDatum earliest) {
  return new DateField(clock, value, earliest);
}

bool DateAccepted(DateField& field, platform::Prompter& prompter, const char* caption) {
  if (field.Accept()) return true;
  prompter.Tell(caption, field.Problem(), platform::Icon::Information);
  field.setFocus(Qt::OtherFocusReason);
  field.selectAll();
  return false;
}

void ReportRefusals(DateField& field, platform::Prompter& prompter, const char* caption) {
  // Reported once the focus has settled, not in the middle of its move.
  QObject::connect(&field, &DateField::Refused, &field, [&field, &prompter, caption] {
    QTimer::singleShot(0, &field, [&field, &prompter, caption] {
      if (!field.isVisible() || !field.IsMarkedInvalid() || field.property("reporting").toBool()) return;
      field.setProperty("reporting", true);
      prompter.Tell(caption, field.Problem(), platform::Icon::Information);
      field.setProperty("reporting", false);
      field.setFocus(Qt::OtherFocusReason);
      field.selectAll();
    });
  });
}

QComboBox* ListOf(const std::vector<std::string>& items, bool editable) {
  auto* combo = new SearchableList;
  combo->setEditable(editable);
  for (const auto& item : items) combo->addItem(ToQ(item));
  combo->setCurrentIndex(-1);
  return combo;
}

void SelectText(QComboBox& list, const std::string& text) {
  list.setCurrentIndex(list.findText(ToQ(text)));
}

QTableWidget* CandidateTable(const QStringList& headers, int firstRight) {
  auto* table = new QTableWidget(0, static_cast<int>(headers.size()));
  table->setHorizontalHeaderLabels(headers);
  table->setProperty("firstRight", firstRight);
  for (int c = firstRight; c < table->columnCount(); ++c)
    table->horizontalHeaderItem(c)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  return table;
}

void FillCandidateTable(QTableWidget& table, const std::vector<std::array<std::string, 5>>& rows) {
  const int firstRight = table.property("firstRight").toInt();
  table.setRowCount(static_cast<int>(rows.size()));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < 5; ++c) {
      auto* item = new QTableWidgetItem(ToQ(rows[r][c]));
      if (static_cast<int>(c) >= firstRight) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table.setItem(static_cast<int>(r), static_cast<int>(c), item);
    }
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

void SizeWithinScreen(QWidget& window, QSize wanted) {
  const QWidget* parent = window.parentWidget();
  if (const QScreen* screen = parent ? parent->screen() : window.screen()) {
    wanted = wanted.boundedTo(screen->availableGeometry().size() - QSize(kFrameAllowance, kFrameAllowance));
  }
  window.resize(wanted);
}

void FocusField(forms::Field field, const FieldWidgets& widgets) {
  for (const auto& [f, widget] : widgets) {
    if (f == field && widget) widget->setFocus();
  }
}

}  // namespace dialogs
