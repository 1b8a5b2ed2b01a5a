#include "dialogs/OptionsDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dialogs/Help.h"
#include "forms/OptionenSheet.h"

namespace dialogs {

namespace {

QDate ToQDate(CKBXDatum d) {
  int day = 0, month = 0, year = 0;
  d.Split(day, month, year);
  return QDate(year, month, day);
}

// Builds one page: each control is bound to its setting in the sheet's copy.
class Page {
 public:
  Page(QTabWidget& tabs, const char* caption) : m_widget(new QWidget), m_layout(new QFormLayout(m_widget)) {
    tabs.addTab(m_widget, QString::fromUtf8(caption));
  }
  QFormLayout& Layout() { return *m_layout; }

  void Length(const char* caption, std::int32_t& value, int minimum, int maximum) {
    auto* edit = new QLineEdit(QString::fromStdString(forms::FormatLength(value)));
    QObject::connect(edit, &QLineEdit::editingFinished, edit, [edit, &value, minimum, maximum] {
      value = forms::ParseLength(edit->text().toStdString(), minimum, maximum);
      edit->setText(QString::fromStdString(forms::FormatLength(value)));
    });
    m_layout->addRow(QString::fromUtf8(caption), edit);
  }
  void Text(const char* caption, std::string& value) {
    auto* edit = new QLineEdit(QString::fromStdString(value));
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [&value](const QString& t) { value = t.toStdString(); });
    m_layout->addRow(QString::fromUtf8(caption), edit);
  }
  void Font(const char* caption, std::string& value) {
    auto* list = new QComboBox;
    const QStringList families = QFontDatabase::families();
    list->addItems(families);
    list->setCurrentIndex(-1);
    for (int i = 0; i < families.size(); ++i) {
      if (families[i].startsWith(QString::fromStdString(value), Qt::CaseInsensitive)) {
        list->setCurrentIndex(i);
        break;
      }
    }
    // Only choosing an entry changes the face; an uninstalled face is kept.
    QObject::connect(list, &QComboBox::textActivated, list,
                     [&value](const QString& t) { value = t.toStdString(); });
    m_layout->addRow(QString::fromUtf8(caption), list);
  }
  void Check(const char* caption, std::int32_t& value) {
    auto* box = new QCheckBox(QString::fromUtf8(caption));
    box->setChecked(value != 0);
    QObject::connect(box, &QCheckBox::toggled, box, [&value](bool on) { value = on ? 1 : 0; });
    m_layout->addRow(box);
  }
  void Bit(const char* caption, std::int32_t& flags, int bit) {
    auto* box = new QCheckBox(QString::fromUtf8(caption));
    box->setChecked((flags >> bit) & 1);
    QObject::connect(box, &QCheckBox::toggled, box,
                     [&flags, bit](bool on) { flags = on ? (flags | (1 << bit)) : (flags & ~(1 << bit)); });
    m_layout->addRow(box);
  }
  // A column check box with its currency pair beside it.
  void BitWithCurrency(const char* caption, std::int32_t& flags, int bit, std::int32_t& currency) {
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    auto* box = new QCheckBox(QString::fromUtf8(caption));
    box->setChecked((flags >> bit) & 1);
    QObject::connect(box, &QCheckBox::toggled, box,
                     [&flags, bit](bool on) { flags = on ? (flags | (1 << bit)) : (flags & ~(1 << bit)); });
    h->addWidget(box);
    h->addWidget(Radios({"EUR", "DM"}, currency));
    m_layout->addRow(row);
  }
  QWidget* Radios(std::initializer_list<const char*> labels, std::int32_t& value) {
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    auto* group = new QButtonGroup(row);
    int id = 0;
    for (const char* label : labels) {
      auto* radio = new QRadioButton(QString::fromUtf8(label));
      radio->setChecked(id == value);
      group->addButton(radio, id++);
      h->addWidget(radio);
    }
    QObject::connect(group, &QButtonGroup::idClicked, row, [&value](int i) { value = i; });
    return row;
  }
  void Choice(const char* caption, std::initializer_list<const char*> labels, std::int32_t& value) {
    m_layout->addRow(QString::fromUtf8(caption), Radios(labels, value));
  }
  void List(const char* caption, std::initializer_list<const char*> entries, std::int32_t& value) {
    auto* list = new QComboBox;
    for (const char* entry : entries) list->addItem(QString::fromUtf8(entry));
    list->setCurrentIndex(value);
    QObject::connect(list, &QComboBox::currentIndexChanged, list,
                     [&value](int i) { value = std::max(i, 0); });
    m_layout->addRow(QString::fromUtf8(caption), list);
  }
  void Margins(::Margins& m, bool withRightBottom = true) {
    Length("&Links:", m.left, 0, 500);
    if (withRightBottom) Length("Re&chts:", m.right, 0, 500);
    Length("&Oben:", m.top, 0, 500);
    if (withRightBottom) Length("&Unten:", m.bottom, 0, 500);
  }
  void Colour(const char* caption, std::int32_t& value) {
    auto* button = new QPushButton(QString::fromUtf8(caption));
    QObject::connect(button, &QPushButton::clicked, button, [button, &value] {
      const auto rgb = static_cast<std::uint32_t>(value);
      const QColor chosen =
          QColorDialog::getColor(QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                                        static_cast<int>((rgb >> 16) & 0xFF)),
                                 button, QStringLiteral("Linienfarbe"));
      if (chosen.isValid()) value = chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16);
    });
    m_layout->addRow(button);
  }

 private:
  QWidget* m_widget;
  QFormLayout* m_layout;
};

void TablePage(Page& p, TableSettings& t) {
  p.Font("&Schriftart:", t.fontName);
  p.Text("&Titel:", t.titleTemplate);
  p.Length("&Zeilenhöhe:", t.rowHeight, 20, 200);
  p.Length("&Höhe Spaltentitel:", t.columnTitleHeight, 20, 200);
  p.Length("Höh&e Titel:", t.titleHeight, 20, 400);
  p.Length("Felda&bstand:", t.fieldSpacing, 0, 100);
  p.Length("Spalten&rand:", t.columnMargin, 0, 100);
  p.Length("Text&abstand:", t.textSpacing, 0, 100);
}

// The first page of a gains table continues with its sort order, margins and grid lines.
void SortPage(Page& p, TableSettings& t, std::initializer_list<const char*> sortKeys) {
  p.List("Sortiere&n nach:", sortKeys, t.sortKey);
  p.Choice("", {"au&fsteigend", "abste&igend"}, t.sortDescending);
  p.Margins(t.margins);
  p.Check("nur &Gitter-\nnetzlinien", t.gridLinesOnlyWhenPrinting);
}

// The second page: one box per column, those with amounts with their currency (-1: none).
template <std::size_t N>
void ColumnsPage(Page& p, TableSettings& t, const char* const (&columns)[N], const int (&currency)[N]) {
  for (std::size_t i = 0; i < N; ++i) {
    const int bit = static_cast<int>(i);
    if (currency[i] < 0) {
      p.Bit(columns[i], t.columnMask, bit);
    } else {
      p.BitWithCurrency(columns[i], t.columnMask, bit,
                        t.columnCurrencies[static_cast<std::size_t>(currency[i])]);
    }
  }
  p.Check("bei Bere&chnung von Gewinnen/Verlusten Provisionen einbeziehen", t.includeCommissions);
  p.Check("Positionen mit gleic&hen Wertpapieren zusammenfassen", t.mergePositions);
}

void ChartPage(Page& p, ChartSettings& c, bool portfolio) {
  p.Length("&Breite:", c.width, 500, 10000);
  p.Length("&Höhe:", c.height, 500, 10000);
  p.Font("&Schriftart:", c.fontName);
  p.Text("&Titel:", c.titleTemplate);
  p.Length("S&chrifthöhe:", c.fontHeight, 20, 200);
  p.Length("&Rand:", c.border, 0, 200);
  p.Length("H&öhe Titel:", c.titleHeight, 20, 300);
  p.Length("Te&xtabstand:", c.textSpacing, 0, 200);
  p.Length("L&inienbreite:", c.lineWidth, 0, 50);
  p.Colour("Linien&farbe auswählen...", c.lineColour);
  if (portfolio) {
    p.Choice("Währung:", {"&EUR", "&DM"}, c.currency);
    p.Check("&Kontostand und Vermögen um Kapitaleinlagen und -entnahmen im Darstellungszeitraum bereinigen:",
            c.adjustForCapitalMovements);
    p.Choice("", {"Kapital am &Anfangsdatum", "Ka&pital am Enddatum"}, c.capitalReference);
  }
  p.Check("bei Berechnung von Gewinnen/Verlusten Pro&visionen einbeziehen", c.includeCommissions);
  p.Check("Ver&änderung gegenüber Anfangsdatum", c.changeAgainstStart);
  p.Check("Schwarzwei&ß", c.blackAndWhite);
  p.Length("&Links:", c.marginLeft, 0, 500);
  p.Length("&Oben:", c.marginTop, 0, 500);
}

}  // namespace

bool RunOptions(QWidget* parent, CKapibuchDoc& doc, int startPage) {
  COptionenSheet sheet(doc);
  ViewSettings& s = sheet.settings;
  QDialog dialog(parent);
  dialog.setWindowTitle(QString::fromUtf8(COptionenSheet::kCaption));
  auto* layout = new QVBoxLayout(&dialog);
  auto* tabs = new QTabWidget;
  layout->addWidget(tabs);

  Page general(*tabs, COptionenSheet::kPageCaptions[0]);
  general.Choice("Tabellen anzeigen:", {"&Farbe", "&Graustufen", "Gitternetz&linien"},
                 s.general.tableDisplay);
  auto* decimals = new QSpinBox;
  decimals->setRange(0, 3);
  decimals->setValue(s.general.percentDecimals);
  QObject::connect(decimals, &QSpinBox::valueChanged, decimals,
                   [&s](int v) { s.general.percentDecimals = v; });
  general.Layout().addRow(QStringLiteral("Dezimalstellen für &Prozentwerte:"), decimals);
  auto* period = new QSpinBox;
  period->setRange(0, 9999);
  period->setValue(s.general.holdingPeriodLength);
  QObject::connect(period, &QSpinBox::valueChanged, period,
                   [&s](int v) { s.general.holdingPeriodLength = v; });
  general.Layout().addRow(QStringLiteral("&Spekulationsfrist"), period);
  general.Choice("", {"&Tage", "M&onate", "Ja&hre"}, s.general.holdingPeriodUnit);
  general.Choice(
      "Von:",
      {"&erster Tag", "erster Tag des aktuellen &Jahres", "erster Tag des aktuellen &Monats", "&dieser Tag:"},
      s.general.periodStartChoice);
  const auto picker = [](CKBXDatum& day) {
    auto* edit = new QDateEdit(ToQDate(day));
    edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    edit->setCalendarPopup(true);
    edit->setDateRange(QDate(1970, 1, 2), QDate(2038, 1, 18));
    QObject::connect(edit, &QDateEdit::dateChanged, edit,
                     [&day](const QDate& d) { day.Set(d.day(), d.month(), d.year()); });
    return edit;
  };
  general.Layout().addRow(QString(), picker(s.general.periodStartDay));
  general.Choice("Bis:", {"&aktueller Tag", "diese&r Tag:"}, s.general.periodEndChoice);
  general.Layout().addRow(QString(), picker(s.general.periodEndDay));

  static const char* const holdingsColumns[] = {"&Bezeichnung",
                                                "&WKN/Kürzel",
                                                "&Stück",
                                                "&Kaufdatum",
                                                "&Tage im Depot",
                                                "K&aufkurs (in EUR)",
                                                "Ka&ufwert in:",
                                                "&Provision in:",
                                                "Kaufp&reis in:",
                                                "Kurs (&in EUR)",
                                                "W&ert in:",
                                                "&G/V in:",
                                                "G/V i&n Prozent",
                                                "&Dividende in:",
                                                "Dividende in Pr&ozent",
                                                "G/&V inkl. Div. in:",
                                                "G/V ink&l. Div. in Prozent"};
  static const int holdingsCurrency[] = {-1, -1, -1, -1, -1, -1, 0, 1, 2, -1, 3, 4, -1, 5, -1, 6, -1};
  static const char* const realisedColumns[] = {"&Bezeichnung",
                                                "&WKN/Kürzel",
                                                "&Stück",
                                                "&Kaufdatum",
                                                "Verkaufdatu&m",
                                                "&Tage im Depot",
                                                "K&aufkurs (in EUR)",
                                                "Ka&ufwert in:",
                                                "Kauf&prov. in:",
                                                "Kaufp&reis in:",
                                                "Verkaufkurs (&in EUR)",
                                                "Verkaufw&ert in:",
                                                "Verkaufpr&ov. in:",
                                                "Verkauferl&ös in:",
                                                "&G/V in:",
                                                "G/V in Pro&zent",
                                                "&Dividende in:",
                                                "Di&vidende in Prozent",
                                                "G/V i&nkl. Div. in:",
                                                "G/V ink&l. Div. in Prozent"};
  static const int realisedCurrency[] = {-1, -1, -1, -1, -1, -1, -1, 0,  1, 2,
                                         -1, 3,  4,  5,  6,  -1, 7,  -1, 8, -1};

  Page holdings1(*tabs, COptionenSheet::kPageCaptions[1]);
  TablePage(holdings1, s.holdings);
  SortPage(holdings1, s.holdings,
           {"Bezeichnung", "WKN/Kürzel", "Stück", "Kaufdatum", "Kaufwert", "Provision", "Kaufpreis", "Wert",
            "G/V (EUR/DM)", "G/V (Prozent)", "Dividende (EUR/DM)", "Dividende (Prozent)",
            "G/V inkl. Div. (EUR/DM)", "G/V inkl. Div. (Prozent)"});

  Page holdings2(*tabs, COptionenSheet::kPageCaptions[2]);
  ColumnsPage(holdings2, s.holdings, holdingsColumns, holdingsCurrency);

  Page realised1(*tabs, COptionenSheet::kPageCaptions[3]);
  TablePage(realised1, s.realised);
  SortPage(
      realised1, s.realised,
      {"Bezeichnung", "WKN/Kürzel", "Stück", "Kaufdatum", "Verkaufdatum", "Kaufwert", "Provision",
       "Kaufpreis", "Verkaufwert", "Verkaufprovision", "Verkauferlös", "G/V (EUR/DM)", "G/V (Prozent)",
       "Dividende (EUR/DM)", "Dividende (Prozent)", "G/V inkl. Div. (EUR/DM)", "G/V inkl. Div. (Prozent)"});

  Page realised2(*tabs, COptionenSheet::kPageCaptions[4]);
  ColumnsPage(realised2, s.realised, realisedColumns, realisedCurrency);

  DevelopmentSettings& d = s.development;
  Page development1(*tabs, COptionenSheet::kPageCaptions[5]);
  development1.Font("&Schriftart:", d.fontName);
  development1.Length("Zeilen&höhe:", d.rowHeight, 20, 200);
  development1.Length("Felda&bstand:", d.fieldSpacing, 0, 100);
  development1.Length("Spalten&rand:", d.columnMargin, 0, 100);
  development1.Length("Spal&tenabstand:", d.columnSpacing, 0, 100);
  development1.Check("bei Berechnung von Gewinnen/Verlusten Pro&visionen einbeziehen", d.includeCommissions);
  development1.Bit("&Kurs anzeigen", d.displayFlags, 0);
  development1.Bit("&Gewinn/Verlust anzeigen", d.displayFlags, 1);
  development1.Bit("Te&xt anzeigen", d.displayFlags, 2);
  development1.Check("e&igene Spalte für jede Position", d.columnPerPosition);
  development1.Text("T&ext:", d.positionLabel);
  development1.Bit("Depot&wert anzeigen:", d.displayFlags, 3);
  development1.Choice("", {"in E&UR", "in D&M"}, d.valueCurrency);
  development1.Bit("Gewi&nn/Verlust anzeigen:", d.displayFlags, 4);
  development1.Choice("", {"gegenüber investiertem K&apital", "gegenüber Depotwert am An&fangsdatum"},
                      d.portfolioGainBasis);
  development1.Choice("", {"in &DM/EUR", "in Pro&zent"}, d.portfolioGainForm);

  Page development2(*tabs, COptionenSheet::kPageCaptions[6]);
  development2.Bit("&Kontostand anzeigen:", d.displayFlags, 5);
  development2.Choice("", {"in EU&R", "in D&M"}, d.balanceCurrency);
  development2.Bit("Li&quiditätsquote anzeigen", d.displayFlags, 6);
  development2.Check("um Kapitaleinlagen und -entnahmen &bereinigen:", d.adjustForCapitalMovements);
  development2.Choice("", {"Kapital am &Anfangsdatum", "Ka&pital am Enddatum"}, d.capitalReference);
  development2.Bit("&Vermögen anzeigen:", d.displayFlags, 7);
  development2.Choice("", {"in &EUR", "in &DM"}, d.assetsCurrency);
  development2.Bit("Gewi&nn/Verlust anzeigen:", d.displayFlags, 8);
  development2.Choice("",
                      {"gegenüber einge&setztem Kapital", "gegenüber Vermögen am An&fangsdatum",
                       "gegenüber Vermögen am Vor&tag"},
                      d.assetsGainBasis);
  development2.Choice("", {"&in DM/EUR", "in Pro&zent"}, d.assetsGainForm);
  development2.Margins(d.margins);
  development2.Check("nur &Gitter-\nnetzlinien", d.gridLinesOnlyWhenPrinting);

  AnalysisSettings& a = s.analysis;
  Page analysis(*tabs, COptionenSheet::kPageCaptions[7]);
  analysis.Font("&Schriftart:", a.fontName);
  analysis.Length("&Zeilenhöhe:", a.rowHeight, 20, 200);
  analysis.Length("Text&abstand:", a.textSpacing, 0, 100);
  analysis.Length("&Rand:", a.border, 0, 100);
  analysis.Length("Spalten&breite:", a.columnWidth, 100, 1000);
  analysis.Length("&Erste Spalte:", a.firstColumnWidth, 100, 1000);
  analysis.Check("Pro&visionen einbeziehen", a.includeCommissions);
  analysis.Check("&Dividenden einbeziehen", a.includeDividends);
  analysis.Check("Positionen mit gleic&hen Wertpapieren zusammenfassen", a.mergePositions);
  analysis.List("Sort&ieren nach:",
                {"Bezeichnung", "WKN/Kürzel", "Stück", "Kaufdatum", "Min. G/V", "Akt. G/V", "Max. G/V",
                 "% über Start", "% über Tief", "% bis Hoch", "% von Hoch", "Depotanteil"},
                a.sortKey);
  analysis.Choice("", {"au&fsteigend", "absteige&nd"}, a.sortDescending);
  analysis.Margins(a.margins);

  AccountSettings& k = s.account;
  Page account(*tabs, COptionenSheet::kPageCaptions[8]);
  account.Font("&Schriftart:", k.fontName);
  account.Text("&Titel:", k.titleTemplate);
  account.Length("&Zeilenhöhe:", k.rowHeight, 20, 200);
  account.Length("&Höhe Spaltentitel:", k.columnTitleHeight, 20, 200);
  account.Length("Höh&e Titel:", k.titleHeight, 20, 400);
  account.Length("&Feldabstand:", k.fieldSpacing, 0, 100);
  account.Length("Spalten&rand:", k.columnMargin, 0, 100);
  account.Length("Text&abstand:", k.textSpacing, 0, 100);
  account.Bit("&Datum", k.columnFlags, 0);
  account.Bit("&Vorgang", k.columnFlags, 1);
  account.Bit("Te&xt", k.columnFlags, 2);
  account.Bit("&Betrag", k.columnFlags, 3);
  account.Bit("&Kontostand", k.columnFlags, 4);
  account.Margins(k.margins);
  account.Check("nur &Gitter-\nnetzlinien", k.gridLinesOnlyWhenPrinting);

  Page chart5(*tabs, COptionenSheet::kPageCaptions[9]);
  ChartPage(chart5, s.portfolioChart, true);
  Page chart6(*tabs, COptionenSheet::kPageCaptions[10]);
  ChartPage(chart6, s.securityChart, false);

  tabs->setCurrentIndex(startPage);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
  QPushButton* help = buttons->addButton(QStringLiteral("Hilfe"), QDialogButtonBox::HelpRole);
  QObject::connect(help, &QPushButton::clicked, &dialog,
                   [tabs] { ShowHelp(COptionenSheet::kHelpTopics[tabs->currentIndex()]); });
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    // A length being edited is read when its box loses the focus: let it go first.
    if (QWidget* focused = dialog.focusWidget()) focused->clearFocus();
    dialog.accept();
  });
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  dialog.resize(760, 640);
  if (dialog.exec() != QDialog::Accepted) return false;
  sheet.OnOK(doc);
  return true;
}

}  // namespace dialogs
