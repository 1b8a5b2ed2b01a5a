#include "dialogs/OptionenPage.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <algorithm>

#include "dialogs/DialogSupport.h"
#include "dialogs/SearchableList.h"
#include "forms/OptionenSheet.h"

namespace dialogs {

namespace {

void SetBit(std::int32_t& flags, int bit, bool on) {
  flags = on ? (flags | (1 << bit)) : (flags & ~(1 << bit));
}

QCheckBox* BitBox(const char* caption, std::int32_t& flags, int bit) {
  auto* box = new QCheckBox(QString::fromUtf8(caption));
  box->setChecked((flags >> bit) & 1);
  QObject::connect(box, &QCheckBox::toggled, box, [&flags, bit](bool on) { SetBit(flags, bit, on); });
  return box;
}

// A page that is taller than the dialog scrolls up and down, and to the field that gets the
// keyboard (with Tab or its Alt+letter); it keeps its width, so that no row is cut or needs
// scrolling sideways.
class PageScroll : public QScrollArea {
 public:
  explicit PageScroll(QWidget* page) {
    setWidget(page);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
      if (now && widget()->isAncestorOf(now)) ensureWidgetVisible(now);
    });
  }
  QSize minimumSizeHint() const override {
    return {Around(widget()->minimumSizeHint()).width(), QScrollArea::minimumSizeHint().height()};
  }
  // The whole page, where the screen has room for it.
  QSize sizeHint() const override { return Around(widget()->sizeHint()); }

 private:
  QSize Around(QSize page) const {
    return page + QSize(verticalScrollBar()->sizeHint().width() + 2 * frameWidth(), 2 * frameWidth());
  }
};

}  // namespace

OptionenPage::OptionenPage(QTabWidget& tabs, const char* caption)
    : m_widget(new QWidget), m_page(new QFormLayout(m_widget)), m_layout(m_page) {
  tabs.addTab(new PageScroll(m_widget), QString::fromUtf8(caption));
}

void OptionenPage::BeginGroup(const char* caption) {
  auto* box = new QGroupBox(QString::fromUtf8(caption));
  m_layout = new QFormLayout(box);
  m_page->addRow(box);
}

void OptionenPage::EndGroup() {
  m_layout = m_page;
}

void OptionenPage::Length(const char* caption, std::int32_t& value, int minimum, int maximum) {
  auto* edit = new QLineEdit(ToQ(forms::FormatLength(value)));
  QObject::connect(edit, &QLineEdit::editingFinished, edit, [edit, &value, minimum, maximum] {
    value = forms::ParseLength(FromQ(edit->text()), minimum, maximum);
    edit->setText(ToQ(forms::FormatLength(value)));
  });
  m_layout->addRow(QString::fromUtf8(caption), edit);
}

void OptionenPage::Text(const char* caption, std::string& value) {
  auto* edit = new QLineEdit(ToQ(value));
  QObject::connect(edit, &QLineEdit::textEdited, edit,
                   [&value](const QString& text) { value = FromQ(text); });
  m_layout->addRow(QString::fromUtf8(caption), edit);
}

void OptionenPage::Font(const char* caption, std::string& value) {
  auto* list = new SearchableList;
  const QStringList families = QFontDatabase::families();
  list->addItems(families);
  list->setCurrentIndex(-1);
  for (int i = 0; i < families.size(); ++i) {
    if (families[i].startsWith(ToQ(value), Qt::CaseInsensitive)) {
      list->setCurrentIndex(i);
      break;
    }
  }
  if (list->currentIndex() < 0 && !value.empty()) {
    // Not installed: show the face that draws instead; the stored name stays until the user
    // picks another.
    const QString drawn = QFontInfo(QFont(ToQ(value))).family();
    list->setCurrentIndex(static_cast<int>(families.indexOf(drawn)));
    list->setToolTip(QStringLiteral("\"%1\" ist nicht installiert und wird als \"%2\" dargestellt.")
                         .arg(ToQ(value), drawn));
  }
  QObject::connect(list, &QComboBox::textActivated, list,
                   [&value](const QString& face) { value = FromQ(face); });
  m_layout->addRow(QString::fromUtf8(caption), list);
}

void OptionenPage::Check(const char* caption, std::int32_t& value) {
  auto* box = new QCheckBox(QString::fromUtf8(caption));
  box->setChecked(value != 0);
  QObject::connect(box, &QCheckBox::toggled, box, [&value](bool on) { value = on ? 1 : 0; });
  m_layout->addRow(box);
}

void OptionenPage::Bit(const char* caption, std::int32_t& flags, int bit) {
  m_layout->addRow(BitBox(caption, flags, bit));
}

void OptionenPage::BitWithCurrency(const char* caption, std::int32_t& flags, int bit,
                                   std::int32_t& currency) {
  auto* row = new QWidget;
  auto* h = new QHBoxLayout(row);
  h->setContentsMargins(0, 0, 0, 0);
  h->addWidget(BitBox(caption, flags, bit));
  h->addWidget(Radios({"EUR", "DM"}, currency));
  m_layout->addRow(row);
}

QWidget* OptionenPage::Radios(std::initializer_list<const char*> labels, std::int32_t& value) {
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

void OptionenPage::Choice(const char* caption, std::initializer_list<const char*> labels,
                          std::int32_t& value) {
  m_layout->addRow(QString::fromUtf8(caption), Radios(labels, value));
}

void OptionenPage::List(const char* caption, std::initializer_list<const char*> entries,
                        std::int32_t& value) {
  auto* list = new QComboBox;
  for (const char* entry : entries) list->addItem(QString::fromUtf8(entry));
  list->setCurrentIndex(value);
  QObject::connect(list, &QComboBox::currentIndexChanged, list, [&value](int i) { value = std::max(i, 0); });
  m_layout->addRow(QString::fromUtf8(caption), list);
}

void OptionenPage::Number(const char* caption, std::int32_t& value, int minimum, int maximum) {
  auto* box = new QSpinBox;
  box->setRange(minimum, maximum);
  box->setValue(value);
  QObject::connect(box, &QSpinBox::valueChanged, box, [&value](int v) { value = v; });
  m_layout->addRow(QString::fromUtf8(caption), box);
}

void OptionenPage::Day(CKBXDatum& value, const platform::Clock& clock) {
  DateField* picker = DatePicker(clock, value);
  QObject::connect(picker, &DateField::DayChanged, picker, [&value](CKBXDatum day) { value = day; });
  m_layout->addRow(QString(), picker);
}

void OptionenPage::Margins(::Margins& margins, bool withRightBottom) {
  Length("&Links:", margins.left, 0, 500);
  if (withRightBottom) Length("Re&chts:", margins.right, 0, 500);
  Length("&Oben:", margins.top, 0, 500);
  if (withRightBottom) Length("&Unten:", margins.bottom, 0, 500);
}

void OptionenPage::PrintOptions(::Margins& margins, std::int32_t& gridLinesOnly) {
  BeginGroup("Druckoptionen/Seitenränder");
  Margins(margins);
  Check("nur &Gitter-\nnetzlinien", gridLinesOnly);
  EndGroup();
}

void OptionenPage::Colour(const char* caption, std::int32_t& value) {
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

void OptionenPage::TableLayout(TableSettings& table) {
  Font("&Schriftart:", table.fontName);
  Text("&Titel:", table.titleTemplate);
  Length("&Zeilenhöhe:", table.rowHeight, 20, 200);
  Length("&Höhe Spaltentitel:", table.columnTitleHeight, 20, 200);
  Length("Höh&e Titel:", table.titleHeight, 20, 400);
  Length("Felda&bstand:", table.fieldSpacing, 0, 100);
  Length("Spalten&rand:", table.columnMargin, 0, 100);
  Length("Text&abstand:", table.textSpacing, 0, 100);
}

void OptionenPage::SortAndMargins(TableSettings& table, std::initializer_list<const char*> sortKeys) {
  BeginGroup("Sortierung");
  List("Sortiere&n nach:", sortKeys, table.sortKey);
  Choice("", {"au&fsteigend", "abste&igend"}, table.sortDescending);
  EndGroup();
  PrintOptions(table.margins, table.gridLinesOnlyWhenPrinting);
}

void OptionenPage::Columns(TableSettings& table, const char* const* columns, const int* currency,
                           std::size_t count) {
  BeginGroup("Anzeige");
  for (std::size_t i = 0; i < count; ++i) {
    const int bit = static_cast<int>(i);
    if (currency[i] < 0) {
      Bit(columns[i], table.columnMask, bit);
    } else {
      BitWithCurrency(columns[i], table.columnMask, bit,
                      table.columnCurrencies[static_cast<std::size_t>(currency[i])]);
    }
  }
  EndGroup();
  Check("bei Bere&chnung von Gewinnen/Verlusten Provisionen einbeziehen", table.includeCommissions);
  Check("Positionen mit gleic&hen Wertpapieren zusammenfassen", table.mergePositions);
}

void OptionenPage::Chart(ChartSettings& chart, bool portfolio) {
  Length("&Breite:", chart.width, 500, 10000);
  Length("&Höhe:", chart.height, 500, 10000);
  Font("&Schriftart:", chart.fontName);
  Text("&Titel:", chart.titleTemplate);
  Length("S&chrifthöhe:", chart.fontHeight, 20, 200);
  Length("&Rand:", chart.border, 0, 200);
  Length("H&öhe Titel:", chart.titleHeight, 20, 300);
  Length("Te&xtabstand:", chart.textSpacing, 0, 200);
  Length("L&inienbreite:", chart.lineWidth, 0, 50);
  Colour("Linien&farbe auswählen...", chart.lineColour);
  if (portfolio) {
    Choice("Währung:", {"&EUR", "&DM"}, chart.currency);
    Check("&Kontostand und Vermögen um Kapitaleinlagen und -entnahmen im Darstellungszeitraum bereinigen:",
          chart.adjustForCapitalMovements);
    Choice("", {"Kapital am &Anfangsdatum", "Ka&pital am Enddatum"}, chart.capitalReference);
  }
  Check("bei Berechnung von Gewinnen/Verlusten Pro&visionen einbeziehen", chart.includeCommissions);
  Check("Ver&änderung gegenüber Anfangsdatum", chart.changeAgainstStart);
  BeginGroup("Druckoptionen/Seitenränder");
  Check("Schwarzwei&ß", chart.blackAndWhite);
  Length("&Links:", chart.marginLeft, 0, 500);
  Length("&Oben:", chart.marginTop, 0, 500);
  EndGroup();
}

}  // namespace dialogs
