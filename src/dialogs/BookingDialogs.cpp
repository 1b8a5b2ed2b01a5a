#include "dialogs/BookingDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>

#include "dialogs/DialogSupport.h"
#include "dialogs/Help.h"
#include "forms/AktiensplitDlg.h"
#include "forms/AufteilenDlg.h"
#include "forms/ImportergebnisDlg.h"
#include "forms/KaufDlg.h"
#include "forms/KontobewegungDlg.h"
#include "forms/KurseEingebenDlg.h"
#include "forms/KurseExportierenDlg.h"
#include "forms/KurseImportierenDlg.h"
#include "forms/PositionAuswahlDlg.h"
#include "forms/StoredFormats.h"
#include "forms/VerkaufDlg.h"
#include "forms/ZuordnenDlg.h"

namespace dialogs {

namespace {

QString q(const std::string& s) {
  return ToQ(s);
}
std::string s(const QString& q) {
  return FromQ(q);
}

// The list of candidate positions of the sell and movement dialogs.
QTableWidget* PositionTable(const QStringList& headers) {
  auto* table = new QTableWidget(0, static_cast<int>(headers.size()));
  table->setHorizontalHeaderLabels(headers);
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  return table;
}

void FillTable(QTableWidget* table, const std::vector<std::array<std::string, 5>>& rows) {
  table->setRowCount(static_cast<int>(rows.size()));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (int c = 0; c < 5; ++c)
      table->setItem(static_cast<int>(r), c, new QTableWidgetItem(q(rows[r][static_cast<std::size_t>(c)])));
  }
  table->resizeColumnsToContents();
}

// Moves the focus to the field a failed check names.
using FieldWidgets = std::vector<std::pair<forms::Field, QWidget*>>;

// OK of a booking dialog: accepted when the form's checks pass; otherwise the widgets are
// refreshed from the form and the field at fault gets the focus.
template <typename Form>
void confirm(QDialog& dialog, Form& form, platform::Prompter& prompter, const FieldWidgets& widgets,
             const std::function<void()>& refresh = {}) {
  if (form.OnOK(prompter)) {
    dialog.accept();
    return;
  }
  if (refresh) refresh();
  for (const auto& [field, widget] : widgets) {
    if (field == form.Focus() && widget) widget->setFocus();
  }
}

// Shows the dialog and books the form once it was confirmed.
template <typename Form>
bool ExecAndBook(QDialog& dialog, Form& form, CKapibuchDoc& doc) {
  if (dialog.exec() != QDialog::Accepted) return false;
  form.Book(doc);
  return true;
}

// A small dialog that asks for one quantity ("Aufteilen", "Zuordnen").
bool AskQuantity(QWidget* parent, const QString& caption, const QStringList& lines, std::string& text,
                 const std::function<bool()>& ok) {
  QDialog dialog(parent);
  dialog.setWindowTitle(caption);
  auto* layout = new QVBoxLayout(&dialog);
  for (const QString& line : lines) layout->addWidget(new QLabel(line));
  auto* edit = new QLineEdit(q(text));
  layout->addWidget(edit);
  auto* buttons = OkCancel(dialog);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    text = s(edit->text());
    if (ok()) dialog.accept();
    edit->setText(q(text));
    edit->setFocus();
  });
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace

bool RunKauf(QWidget* parent, CKapibuchDoc& doc, platform::Prompter& prompter) {
  CKaufDlg form(doc);
  QDialog dialog(parent);
  dialog.setWindowTitle(q(CKaufDlg::kCaption));
  auto* layout = new QFormLayout(&dialog);
  auto* date = DatePicker(form.date);
  auto* name = ListOf(form.NameList(), true);
  auto* wkn = ListOf(form.WknList(), true);
  auto* qty = new QLineEdit;
  auto* price = new QLineEdit;
  auto* commission = new QLineEdit;
  auto* text = new QLineEdit;
  layout->addRow(QStringLiteral("Kauf&datum"), date);
  layout->addRow(QStringLiteral("&Bezeichnung"), name);
  layout->addRow(QStringLiteral("&WKN/Kürzel"), wkn);
  layout->addRow(QStringLiteral("&Stück"), qty);
  layout->addRow(QStringLiteral("Kauf&kurs"), price);
  layout->addRow(QStringLiteral("&Provision etc."), commission);
  layout->addRow(QStringLiteral("&Text"), text);
  auto* buttons = OkCancel(dialog, 2001);
  layout->addRow(buttons);
  // Typing couples the two fields; picking from a list does not.
  QObject::connect(name->lineEdit(), &QLineEdit::textEdited, &dialog, [&](const QString& t) {
    form.TypeName(s(t));
    wkn->setEditText(q(form.wkn));
  });
  QObject::connect(wkn->lineEdit(), &QLineEdit::textEdited, &dialog, [&](const QString& t) {
    form.TypeWkn(s(t));
    name->setEditText(q(form.name));
  });
  QObject::connect(qty, &QLineEdit::editingFinished, &dialog, [&] {
    form.quantityText = s(qty->text());
    form.LeaveQuantity();
    qty->setText(q(form.quantityText));
  });
  QObject::connect(price, &QLineEdit::editingFinished, &dialog, [&] {
    form.priceText = s(price->text());
    form.LeavePrice();
    price->setText(q(form.priceText));
  });
  QObject::connect(commission, &QLineEdit::editingFinished, &dialog, [&] {
    form.commissionText = s(commission->text());
    form.LeaveCommission();
    commission->setText(q(form.commissionText));
  });
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    form.date = FromQDate(date->date());
    form.PickName(s(name->currentText()));
    form.PickWkn(s(wkn->currentText()));
    form.quantityText = s(qty->text());
    form.priceText = s(price->text());
    form.commissionText = s(commission->text());
    form.text = s(text->text());
    confirm(dialog, form, prompter,
            FieldWidgets{{forms::Field::Name, name},
                         {forms::Field::Wkn, wkn},
                         {forms::Field::Quantity, qty},
                         {forms::Field::Price, price},
                         {forms::Field::Commission, commission},
                         {forms::Field::Text, text}});
  });
  return ExecAndBook(dialog, form, doc);
}

bool RunVerkauf(QWidget* parent, CKapibuchDoc& doc, platform::Prompter& prompter) {
  CVerkaufDlg form(doc);
  QDialog dialog(parent);
  dialog.setWindowTitle(q(CVerkaufDlg::kCaption));
  auto* layout = new QGridLayout(&dialog);
  auto* fields = new QFormLayout;
  auto* date = DatePicker(form.Date(), form.EarliestDate());
  auto* name = new QComboBox;
  auto* wkn = new QComboBox;
  auto* qty = new QLineEdit;
  auto* price = new QLineEdit;
  auto* commission = new QLineEdit;
  auto* text = new QLineEdit;
  fields->addRow(QStringLiteral("Verkauf&datum"), date);
  fields->addRow(QStringLiteral("&Bezeichnung"), name);
  fields->addRow(QStringLiteral("&WKN/Kürzel"), wkn);
  fields->addRow(QStringLiteral("&Stück"), qty);
  fields->addRow(QStringLiteral("Verkauf&kurs"), price);
  fields->addRow(QStringLiteral("&Provision etc."), commission);
  fields->addRow(QStringLiteral("&Text"), text);
  layout->addLayout(fields, 0, 0);
  auto* table =
      PositionTable({QStringLiteral("Pos."), QStringLiteral("Kaufdatum"), QStringLiteral("Kaufkurs"),
                     QStringLiteral("Stück"), QStringLiteral("Verkaufen")});
  layout->addWidget(table, 0, 1);
  auto* oldest = new QCheckBox(QStringLiteral("&älteste Positionen verkaufen"));
  oldest->setChecked(true);
  auto* split = new QPushButton(QStringLiteral("&aufteilen..."));
  auto* options = new QHBoxLayout;
  options->addWidget(oldest);
  options->addWidget(split);
  layout->addLayout(options, 1, 1);
  auto* buttons = OkCancel(dialog, 2002);
  layout->addWidget(buttons, 2, 0, 1, 2);

  const auto refresh = [&] {
    const QSignalBlocker blockName(name), blockWkn(wkn);
    name->clear();
    wkn->clear();
    for (const auto& n : form.NameList()) name->addItem(q(n));
    for (const auto& w : form.WknList()) wkn->addItem(q(w));
    name->setCurrentIndex(name->findText(q(form.Name())));
    wkn->setCurrentIndex(wkn->findText(q(form.Wkn())));
    std::vector<std::array<std::string, 5>> rows;
    for (const auto& row : form.Rows())
      rows.push_back({row.number, row.purchaseDate, row.purchasePrice, row.quantity, row.sell});
    FillTable(table, rows);
    oldest->setEnabled(form.AutoAllocateEnabled());
    split->setEnabled(form.SplitEnabled());
  };
  const auto readTexts = [&] {
    form.quantityText = s(qty->text());
    form.priceText = s(price->text());
    form.commissionText = s(commission->text());
    form.text = s(text->text());
  };
  QObject::connect(date, &QDateEdit::dateChanged, &dialog, [&](const QDate& d) {
    form.SetDate(FromQDate(d));
    refresh();
  });
  QObject::connect(name, &QComboBox::textActivated, &dialog, [&](const QString& t) {
    form.ChooseName(s(t));
    refresh();
  });
  QObject::connect(wkn, &QComboBox::textActivated, &dialog, [&](const QString& t) {
    form.ChooseWkn(s(t));
    refresh();
  });
  QObject::connect(qty, &QLineEdit::editingFinished, &dialog, [&] {
    readTexts();
    form.LeaveQuantity();
    qty->setText(q(form.quantityText));
    refresh();
  });
  QObject::connect(price, &QLineEdit::editingFinished, &dialog, [&] {
    readTexts();
    form.LeavePrice();
    price->setText(q(form.priceText));
  });
  QObject::connect(commission, &QLineEdit::editingFinished, &dialog, [&] {
    readTexts();
    form.LeaveCommission();
    commission->setText(q(form.commissionText));
  });
  QObject::connect(oldest, &QCheckBox::toggled, &dialog, [&](bool on) {
    form.SetAutoAllocate(on);
    refresh();
  });
  QObject::connect(split, &QPushButton::clicked, &dialog, [&] {
    readTexts();
    form.Aufteilen(prompter, [&](CAufteilenDlg& a) {
      return AskQuantity(
          &dialog, q(CAufteilenDlg::kCaption),
          {QStringLiteral("Position: %1").arg(a.runningNumber),
           QStringLiteral("Kaufdatum: ") + q(a.purchaseDateText),
           QStringLiteral("Kaufkurs: ") + q(a.purchasePriceText), QStringLiteral("Stück: ") + q(a.HeldText()),
           q(a.RangeText()), QStringLiteral("Stück &verkaufen")},
          a.quantityText, [&] { return a.OnOK(prompter); });
    });
    refresh();
  });
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    readTexts();
    confirm(dialog, form, prompter,
            FieldWidgets{{forms::Field::Date, date},
                         {forms::Field::Name, name},
                         {forms::Field::Wkn, wkn},
                         {forms::Field::Quantity, qty},
                         {forms::Field::Price, price},
                         {forms::Field::Commission, commission},
                         {forms::Field::Allocate, split}},
            refresh);
  });
  refresh();
  dialog.resize(900, 380);
  return ExecAndBook(dialog, form, doc);
}

bool RunKontobewegung(QWidget* parent, CKapibuchDoc& doc, platform::Prompter& prompter) {
  CKontobewegungDlg form(doc);
  QDialog dialog(parent);
  dialog.setWindowTitle(q(CKontobewegungDlg::kCaption));
  auto* layout = new QGridLayout(&dialog);
  auto* fields = new QFormLayout;
  auto* date = DatePicker(form.Date(), form.EarliestDate());
  auto* kind = new QComboBox;
  for (const auto& k : CKontobewegungDlg::Kinds()) kind->addItem(QString::fromUtf8(k.name));
  auto* amount = new QLineEdit;
  auto* text = new QLineEdit;
  auto* related = new QCheckBox(QStringLiteral("Wert&papierbezug:"));
  auto* name = ListOf(form.NameList(), false);
  auto* wkn = ListOf(form.WknList(), false);
  fields->addRow(QStringLiteral("&Datum"), date);
  fields->addRow(QStringLiteral("&Vorgang"), kind);
  fields->addRow(QStringLiteral("B&etrag"), amount);
  fields->addRow(QStringLiteral("&Text"), text);
  fields->addRow(related);
  fields->addRow(QStringLiteral("&Bezeichnung"), name);
  fields->addRow(QStringLiteral("&WKN/Kürzel"), wkn);
  layout->addLayout(fields, 0, 0);
  auto* table =
      PositionTable({QStringLiteral("Pos."), QStringLiteral("Kaufdatum"), QStringLiteral("Verkaufdatum"),
                     QStringLiteral("Stück"), QStringLiteral("Zuordnung")});
  layout->addWidget(table, 0, 1);
  auto* automatic = new QCheckBox(QStringLiteral("&automatisch zuordnen"));
  automatic->setChecked(true);
  auto* assign = new QPushButton(QStringLiteral("&zuordnen..."));
  auto* toCost = new QRadioButton(QStringLiteral("&Kaufpreis"));
  auto* toDividend = new QRadioButton(QStringLiteral("D&ividende etc."));
  auto* toProceeds = new QRadioButton(QStringLiteral("Verkaufserl&ös"));
  toDividend->setChecked(true);
  auto* options = new QHBoxLayout;
  options->addWidget(automatic);
  options->addWidget(assign);
  options->addWidget(new QLabel(QStringLiteral("Verbuchen unter:")));
  options->addWidget(toCost);
  options->addWidget(toDividend);
  options->addWidget(toProceeds);
  layout->addLayout(options, 1, 0, 1, 2);
  auto* buttons = OkCancel(dialog, 2021);
  layout->addWidget(buttons, 2, 0, 1, 2);

  const auto refresh = [&] {
    const bool active = form.RelationActive();
    related->setEnabled(form.RelationEnabled());
    for (QWidget* w : std::initializer_list<QWidget*>{name, wkn, table, toCost, toDividend, toProceeds})
      w->setEnabled(active);
    automatic->setEnabled(form.AutoAssignEnabled());
    assign->setEnabled(form.AssignEnabled());
    amount->setText(q(form.amountText));
    const QSignalBlocker blockName(name), blockWkn(wkn);
    name->setCurrentIndex(name->findText(q(form.Name())));
    wkn->setCurrentIndex(wkn->findText(q(form.Wkn())));
    std::vector<std::array<std::string, 5>> rows;
    for (const auto& row : form.Rows())
      rows.push_back({row.number, row.purchaseDate, row.saleDate, row.quantity, row.share});
    FillTable(table, rows);
  };
  QObject::connect(date, &QDateEdit::dateChanged, &dialog, [&](const QDate& d) {
    form.SetDate(FromQDate(d));
    refresh();
  });
  QObject::connect(kind, &QComboBox::currentIndexChanged, &dialog, [&](int i) {
    form.SetKind(static_cast<std::size_t>(std::max(i, 0)));
    refresh();
  });
  QObject::connect(amount, &QLineEdit::editingFinished, &dialog, [&] {
    form.amountText = s(amount->text());
    form.LeaveAmount();
    refresh();
  });
  QObject::connect(related, &QCheckBox::toggled, &dialog, [&](bool on) {
    form.SetRelation(on);
    refresh();
  });
  QObject::connect(name, &QComboBox::textActivated, &dialog, [&](const QString& t) {
    form.ChooseName(s(t));
    refresh();
  });
  QObject::connect(wkn, &QComboBox::textActivated, &dialog, [&](const QString& t) {
    form.ChooseWkn(s(t));
    refresh();
  });
  QObject::connect(automatic, &QCheckBox::toggled, &dialog, [&](bool on) {
    form.SetAutoAssign(on);
    refresh();
  });
  QObject::connect(assign, &QPushButton::clicked, &dialog, [&] {
    form.Zuordnen([&](CZuordnenDlg& z) {
      return AskQuantity(&dialog, q(CZuordnenDlg::kCaption),
                         {QStringLiteral("Position: %1").arg(z.runningNumber),
                          QStringLiteral("Kaufdatum: ") + q(z.purchaseDateText),
                          QStringLiteral("Verkaufdatum: ") + q(z.saleDateText),
                          QStringLiteral("Die Kontobewegung betrifft ... Stück dieser Position.")},
                         z.quantityText, [&] { return z.OnOK(prompter); });
    });
    refresh();
  });
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    form.amountText = s(amount->text());
    form.text = s(text->text());
    form.SetBookTo(toCost->isChecked()       ? CKontobewegungDlg::kKaufpreis
                   : toProceeds->isChecked() ? CKontobewegungDlg::kVerkaufserloes
                                             : CKontobewegungDlg::kDividende);
    confirm(dialog, form, prompter,
            FieldWidgets{{forms::Field::Amount, amount},
                         {forms::Field::Name, name},
                         {forms::Field::Allocate, assign},
                         {forms::Field::Text, text}},
            refresh);
  });
  refresh();
  dialog.resize(900, 380);
  return ExecAndBook(dialog, form, doc);
}

bool RunAktiensplit(QWidget* parent, CKapibuchDoc& doc, platform::Prompter& prompter) {
  CAktiensplitDlg form(doc);
  QDialog dialog(parent);
  dialog.setWindowTitle(q(CAktiensplitDlg::kCaption));
  auto* layout = new QFormLayout(&dialog);
  auto* date = DatePicker(form.date);
  auto* name = ListOf(form.NameList(), false);
  auto* wkn = ListOf(form.WknList(), false);
  auto* newShares = new QLineEdit(q(form.newText));
  auto* oldShares = new QLineEdit(q(form.oldText));
  layout->addRow(QStringLiteral("Split&datum"), date);
  layout->addRow(QStringLiteral("&Bezeichnung"), name);
  layout->addRow(QStringLiteral("&WKN/Kürzel"), wkn);
  auto* ratio = new QHBoxLayout;
  ratio->addWidget(newShares);
  ratio->addWidget(new QLabel(QStringLiteral("&neue Aktien für")));
  ratio->addWidget(oldShares);
  ratio->addWidget(new QLabel(QStringLiteral("&alte Aktie(n)")));
  layout->addRow(ratio);
  auto* buttons = OkCancel(dialog, 2003);
  layout->addRow(buttons);
  QObject::connect(name, &QComboBox::textActivated, &dialog, [&](const QString& t) {
    form.ChooseName(s(t));
    wkn->setCurrentIndex(wkn->findText(q(form.Wkn())));
  });
  QObject::connect(wkn, &QComboBox::textActivated, &dialog, [&](const QString& t) {
    form.ChooseWkn(s(t));
    name->setCurrentIndex(name->findText(q(form.Name())));
  });
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    form.date = FromQDate(date->date());
    form.newText = s(newShares->text());
    form.oldText = s(oldShares->text());
    form.LeaveNew();
    form.LeaveOld();
    newShares->setText(q(form.newText));
    oldShares->setText(q(form.oldText));
    confirm(dialog, form, prompter,
            FieldWidgets{{forms::Field::Name, name},
                         {forms::Field::Wkn, wkn},
                         {forms::Field::NewShares, newShares},
                         {forms::Field::OldShares, oldShares}});
  });
  return ExecAndBook(dialog, form, doc);
}

bool RunKurseEingeben(QWidget* parent, CKapibuchDoc& doc) {
  CKurseEingebenDlg form(doc);
  QDialog dialog(parent);
  dialog.setWindowTitle(q(CKurseEingebenDlg::kCaption));
  auto* layout = new QVBoxLayout(&dialog);
  auto* top = new QHBoxLayout;
  auto* date = DatePicker(form.Day());
  auto* onlyHeld = new QCheckBox(QStringLiteral("nur Wert&papiere im Depot"));
  onlyHeld->setChecked(true);
  top->addWidget(new QLabel(QStringLiteral("&Datum:")));
  top->addWidget(date);
  top->addWidget(onlyHeld);
  layout->addLayout(top);
  auto* grid = new QGridLayout;
  std::array<QLabel*, CKurseEingebenDlg::kRows> labels{};
  std::array<QLineEdit*, CKurseEingebenDlg::kRows> edits{};
  for (int row = 0; row < CKurseEingebenDlg::kRows; ++row) {
    labels[static_cast<std::size_t>(row)] = new QLabel;
    edits[static_cast<std::size_t>(row)] = new QLineEdit;
    grid->addWidget(labels[static_cast<std::size_t>(row)], row % 6, (row / 6) * 2);
    grid->addWidget(edits[static_cast<std::size_t>(row)], row % 6, (row / 6) * 2 + 1);
  }
  layout->addLayout(grid);
  auto* pageLine = new QLabel;
  auto* previous = new QPushButton(QStringLiteral("&vorherige"));
  auto* next = new QPushButton(QStringLiteral("&nächste"));
  auto* byName = new QRadioButton(QStringLiteral("&Bezeichnung anzeigen"));
  auto* byWkn = new QRadioButton(QStringLiteral("&WKN/Kürzel anzeigen"));
  byName->setChecked(true);
  auto* close = new QPushButton(QStringLiteral("Schließen"));
  auto* bottom = new QHBoxLayout;
  for (QWidget* w :
       std::initializer_list<QWidget*>{pageLine, previous, next, byName, byWkn, close, HelpButton(2011)}) {
    bottom->addWidget(w);
  }
  layout->addLayout(bottom);
  bool showing = false;
  const auto show = [&] {
    showing = true;
    pageLine->setText(q(form.PageLine()));
    previous->setEnabled(form.CanGoBack());
    next->setEnabled(form.CanGoForward());
    for (int row = 0; row < CKurseEingebenDlg::kRows; ++row) {
      const auto& r = form.Rows()[static_cast<std::size_t>(row)];
      labels[static_cast<std::size_t>(row)]->setText(q(r.label));
      edits[static_cast<std::size_t>(row)]->setText(q(r.priceText));
      edits[static_cast<std::size_t>(row)]->setVisible(r.visible);
    }
    showing = false;
  };
  for (int row = 0; row < CKurseEingebenDlg::kRows; ++row) {
    QObject::connect(edits[static_cast<std::size_t>(row)], &QLineEdit::editingFinished, &dialog, [&, row] {
      if (showing) return;
      form.SetPriceText(row, s(edits[static_cast<std::size_t>(row)]->text()));
      form.LeavePrice(row);
      edits[static_cast<std::size_t>(row)]->setText(q(form.Rows()[static_cast<std::size_t>(row)].priceText));
    });
  }
  QObject::connect(date, &QDateEdit::dateChanged, &dialog, [&](const QDate& d) {
    form.SetDay(FromQDate(d));
    show();
  });
  QObject::connect(onlyHeld, &QCheckBox::toggled, &dialog, [&](bool on) {
    form.SetOnlyHeld(on);
    show();
  });
  QObject::connect(byName, &QRadioButton::toggled, &dialog, [&](bool on) {
    form.SetShowNames(on);
    show();
  });
  QObject::connect(previous, &QPushButton::clicked, &dialog, [&] {
    form.PreviousPage();
    show();
    edits[0]->setFocus();
  });
  QObject::connect(next, &QPushButton::clicked, &dialog, [&] {
    form.NextPage();
    show();
    edits[0]->setFocus();
  });
  QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::accept);
  show();
  const bool wasModified = doc.IsModified();
  doc.SetModified(false);
  dialog.exec();
  const bool changed = doc.IsModified();
  doc.SetModified(wasModified || changed);
  if (changed) doc.Changed();
  return changed;
}

bool RunKurseImportieren(QWidget* parent, CKapibuchDoc& doc, platform::Prompter& prompter,
                         platform::SettingsStore& settings) {
  CKurseImportierenDlg form(doc, settings);
  if (form.FormatsDamaged()) {
    if (const std::string notice = forms::TakeDamagedFormatsNotice(); !notice.empty())
      prompter.Tell(forms::kAppCaption, notice, platform::Icon::Exclamation);
  }
  QDialog dialog(parent);
  dialog.setWindowTitle(q(CKurseImportierenDlg::kCaption));
  auto* layout = new QFormLayout(&dialog);
  auto* name = ListOf(form.NameList(), false);
  auto* wkn = ListOf(form.WknList(), false);
  name->setCurrentIndex(name->findText(q(form.Name())));
  wkn->setCurrentIndex(wkn->findText(q(form.Wkn())));
  auto* file = new QLineEdit(q(form.fileName));
  auto* browse = new QPushButton(QStringLiteral("Durch&suchen..."));
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(file);
  fileRow->addWidget(browse);
  auto* formats = new QComboBox;
  auto* description = new QPlainTextEdit(q(form.Description()));
  auto* save = new QPushButton(QStringLiteral("S&peichern..."));
  auto* remove = new QPushButton(QStringLiteral("&Löschen"));
  auto* start = new QPushButton(QStringLiteral("&Import starten..."));
  auto* close = new QPushButton(QStringLiteral("Schlie&ßen"));
  layout->addRow(QStringLiteral("&Bezeichnung"), name);
  layout->addRow(QStringLiteral("&WKN/Kürzel"), wkn);
  layout->addRow(QStringLiteral("&Dateiname"), fileRow);
  layout->addRow(QStringLiteral("Datei&format"), formats);
  layout->addRow(QStringLiteral("F&ormatbeschreibung:"), description);
  auto* buttons = new QHBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{save, remove, start, HelpButton(2012), close})
    buttons->addWidget(w);
  layout->addRow(buttons);
  bool changed = false;
  bool filling = false;
  const auto fill = [&] {
    filling = true;
    formats->clear();
    for (const auto& [title, text] : form.Formats()) formats->addItem(q(title));
    formats->setCurrentIndex(form.SelectedFormat());
    remove->setEnabled(form.DeleteEnabled());
    save->setEnabled(form.SaveEnabled());
    filling = false;
  };
  QObject::connect(name, &QComboBox::textActivated, &dialog, [&](const QString& t) {
    form.ChooseName(s(t));
    wkn->setCurrentIndex(wkn->findText(q(form.Wkn())));
  });
  QObject::connect(wkn, &QComboBox::textActivated, &dialog, [&](const QString& t) {
    form.ChooseWkn(s(t));
    name->setCurrentIndex(name->findText(q(form.Name())));
  });
  QObject::connect(browse, &QPushButton::clicked, &dialog, [&] {
    const QString path =
        QFileDialog::getOpenFileName(&dialog, QStringLiteral("Durchsuchen"), file->text(),
                                     QStringLiteral("Textdateien (*.txt);;Alle Dateien (*)"));
    if (!path.isEmpty()) file->setText(path);
  });
  QObject::connect(formats, &QComboBox::currentIndexChanged, &dialog, [&](int i) {
    if (filling) return;
    form.ChooseFormat(i);
    description->setPlainText(q(form.Description()));
    fill();
  });
  QObject::connect(description, &QPlainTextEdit::textChanged, &dialog, [&] {
    if (filling) return;
    form.SetDescription(s(description->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"))));
    fill();
  });
  QObject::connect(save, &QPushButton::clicked, &dialog, [&] {
    bool ok = false;
    const QString title = QInputDialog::getText(
        &dialog, QStringLiteral("Formatbeschreibung speichern"),
        QStringLiteral("Bitte geben Sie einen erklärenden &Text für die Formatbeschreibung ein:"),
        QLineEdit::Normal, QString(), &ok);
    if (ok) form.SaveFormat(s(title));
    fill();
  });
  QObject::connect(remove, &QPushButton::clicked, &dialog, [&] {
    form.DeleteFormat(prompter);
    fill();
  });
  QObject::connect(start, &QPushButton::clicked, &dialog, [&] {
    form.fileName = s(file->text());
    auto result = form.StartImport(prompter);
    if (!result) {
      if (form.ErrorPosition() > 0) {
        QTextCursor cursor = description->textCursor();
        cursor.setPosition(static_cast<int>(std::min<std::size_t>(
            form.ErrorPosition(), static_cast<std::size_t>(description->toPlainText().size()))));
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        description->setTextCursor(cursor);
        description->setFocus();
      }
      return;
    }
    QDialog resultDialog(&dialog);
    resultDialog.setWindowTitle(q(CImportergebnisDlg::kCaption));
    auto* r = new QVBoxLayout(&resultDialog);
    r->addWidget(new QLabel(QStringLiteral("Wertpapier: ") + q(result->Name())));
    r->addWidget(new QLabel(QStringLiteral("WKN/Kürzel: ") + q(result->Wkn())));
    auto* count = new QLabel;
    auto* list = new QTableWidget(0, 2);
    list->setHorizontalHeaderLabels({QStringLiteral("Datum"), QStringLiteral("Kurs")});
    list->verticalHeader()->hide();
    auto* held = new QCheckBox(QStringLiteral(
        "&Kurs nur dann übernehmen, wenn sich das Wertpapier zu diesem Zeitpunkt im Depot befindet"));
    const auto refill = [&] {
      count->setText(q(result->CountLine()));
      list->setRowCount(static_cast<int>(result->Shown().size()));
      for (std::size_t i = 0; i < result->Shown().size(); ++i) {
        const CKBXKurs& p = result->Shown()[i];
        list->setItem(static_cast<int>(i), 0, new QTableWidgetItem(q(p.Date().Format())));
        list->setItem(static_cast<int>(i), 1,
                      new QTableWidgetItem(q(FormatMoney(p.Price(), kEur, kOwnCurrency, true))));
      }
      list->resizeColumnsToContents();
    };
    QObject::connect(held, &QCheckBox::toggled, &resultDialog, [&](bool on) {
      result->SetOnlyHeld(on);
      refill();
    });
    r->addWidget(count);
    r->addWidget(list);
    r->addWidget(held);
    auto* ok = OkCancel(resultDialog);
    QObject::connect(ok, &QDialogButtonBox::accepted, &resultDialog, &QDialog::accept);
    r->addWidget(ok);
    refill();
    if (resultDialog.exec() == QDialog::Accepted) changed |= result->OnOK(doc);
  });
  QObject::connect(close, &QPushButton::clicked, &dialog, [&] {
    form.fileName = s(file->text());
    form.Close();
    dialog.accept();
  });
  fill();
  dialog.resize(700, 480);
  dialog.exec();
  if (changed) doc.Changed();
  return changed;
}

void RunKurseExportieren(QWidget* parent, CKapibuchDoc& doc, platform::Prompter& prompter) {
  CKurseExportierenDlg form(doc);
  QDialog dialog(parent);
  dialog.setWindowTitle(q(CKurseExportierenDlg::kCaption));
  auto* layout = new QFormLayout(&dialog);
  auto* name = ListOf(form.NameList(), false);
  auto* wkn = ListOf(form.WknList(), false);
  auto* file = new QLineEdit;
  auto* browse = new QPushButton(QStringLiteral("&Speichern unter..."));
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(file);
  fileRow->addWidget(browse);
  auto* withName = new QCheckBox(QStringLiteral("Be&zeichnung speichern"));
  auto* withWkn = new QCheckBox(QStringLiteral("W&KN/Kürzel speichern"));
  auto* separator = new QLineEdit(q(form.separator));
  auto* start = new QPushButton(QStringLiteral("&Export starten..."));
  auto* close = new QPushButton(QStringLiteral("Schlie&ßen"));
  layout->addRow(QStringLiteral("&Bezeichnung"), name);
  layout->addRow(QStringLiteral("&WKN/Kürzel"), wkn);
  layout->addRow(QStringLiteral("&Dateiname"), fileRow);
  layout->addRow(withName);
  layout->addRow(withWkn);
  layout->addRow(QStringLiteral("&Trennzeichen:"), separator);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(start);
  buttons->addWidget(HelpButton(2013));
  buttons->addWidget(close);
  layout->addRow(buttons);
  QObject::connect(name, &QComboBox::textActivated, &dialog, [&](const QString& t) {
    form.ChooseName(s(t));
    wkn->setCurrentIndex(wkn->findText(q(form.Wkn())));
  });
  QObject::connect(wkn, &QComboBox::textActivated, &dialog, [&](const QString& t) {
    form.ChooseWkn(s(t));
    name->setCurrentIndex(name->findText(q(form.Name())));
  });
  QObject::connect(browse, &QPushButton::clicked, &dialog, [&] {
    QString path = QFileDialog::getSaveFileName(&dialog, QStringLiteral("Speichern unter"), file->text(),
                                                QStringLiteral("Textdateien (*.txt)"));
    if (!path.isEmpty() && !path.endsWith(QStringLiteral(".txt"))) path += QStringLiteral(".txt");
    if (!path.isEmpty()) file->setText(path);
  });
  QObject::connect(start, &QPushButton::clicked, &dialog, [&] {
    form.fileName = s(file->text());
    form.withName = withName->isChecked();
    form.withWkn = withWkn->isChecked();
    form.separator = s(separator->text());
    form.StartExport(prompter);
  });
  QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::accept);
  dialog.exec();
}

bool RunPositionAuswahl(QWidget* parent, const CKapibuchDoc& doc, std::vector<int>& selection,
                        bool& timeInPortfolio) {
  CPositionAuswahlDlg form(doc, selection);
  QDialog dialog(parent);
  dialog.setWindowTitle(q(CPositionAuswahlDlg::kCaption));
  auto* layout = new QVBoxLayout(&dialog);
  auto* table = new QTableWidget(static_cast<int>(form.Rows().size()), 6);
  table->setHorizontalHeaderLabels({QStringLiteral("Bezeichnung"), QStringLiteral("WKN/Kürzel"),
                                    QStringLiteral("Kaufdatum"), QStringLiteral("Verkaufdatum"),
                                    QStringLiteral("Stück"), QStringLiteral("Kaufkurs")});
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::MultiSelection);
  for (std::size_t r = 0; r < form.Rows().size(); ++r) {
    const auto& row = form.Rows()[r];
    const std::string cells[] = {row.name,     row.wkn,      row.purchaseDate,
                                 row.saleDate, row.quantity, row.purchasePrice};
    for (int c = 0; c < 6; ++c) {
      auto* item = new QTableWidgetItem(q(cells[c]));
      if (c >= 4) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (c == 0) item->setCheckState(row.marked ? Qt::Checked : Qt::Unchecked);
      table->setItem(static_cast<int>(r), c, item);
    }
    if (row.marked) table->selectRow(static_cast<int>(r));
  }
  table->resizeColumnsToContents();
  // A row's check box and its selection always agree.
  bool syncing = false;
  QObject::connect(table, &QTableWidget::itemChanged, &dialog, [&](QTableWidgetItem* item) {
    if (syncing || item->column() != 0) return;
    syncing = true;
    const bool on = item->checkState() == Qt::Checked;
    form.Mark(static_cast<std::size_t>(item->row()), on);
    for (int c = 0; c < 6; ++c) table->item(item->row(), c)->setSelected(on);
    syncing = false;
  });
  QObject::connect(table, &QTableWidget::itemSelectionChanged, &dialog, [&] {
    if (syncing) return;
    syncing = true;
    for (int r = 0; r < table->rowCount(); ++r) {
      const bool on = table->item(r, 0)->isSelected();
      form.Mark(static_cast<std::size_t>(r), on);
      table->item(r, 0)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    syncing = false;
  });
  layout->addWidget(table);
  auto* periodRow = new QHBoxLayout;
  auto* time = new QRadioButton(QStringLiteral("&Zeit im Depot"));
  auto* unchanged = new QRadioButton(QStringLiteral("&unverändert"));
  time->setChecked(true);
  periodRow->addWidget(new QLabel(QStringLiteral("Darstellungszeitraum:")));
  periodRow->addWidget(time);
  periodRow->addWidget(unchanged);
  layout->addLayout(periodRow);
  auto* buttons = OkCancel(dialog, 4001);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  layout->addWidget(buttons);
  dialog.resize(720, 420);
  if (dialog.exec() != QDialog::Accepted) return false;
  selection = form.Selection();
  timeInPortfolio = time->isChecked();
  return true;
}

}  // namespace dialogs
