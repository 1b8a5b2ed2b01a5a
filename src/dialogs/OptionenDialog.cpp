#include "dialogs/OptionenDialog.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dialogs/DialogSupport.h"
#include "dialogs/OptionenPage.h"

namespace dialogs {

OptionenDialog::OptionenDialog(const CKapibuchDoc& doc, platform::Prompter& prompter, int startPage,
                               QWidget* parent)
    : QDialog(parent), m_sheet(doc), m_prompter(prompter) {
  setWindowTitle(ToQ(COptionenSheet::kCaption));
  auto* layout = new QVBoxLayout(this);
  m_tabs = new QTabWidget;
  layout->addWidget(m_tabs);
  AddGeneralPage(doc.Clock());
  AddTablePages();
  AddDevelopmentPages();
  AddAnalysisPage();
  AddAccountPage();
  OptionenPage(*m_tabs, COptionenSheet::kPageCaptions[9]).Chart(m_sheet.settings.portfolioChart, true);
  OptionenPage(*m_tabs, COptionenSheet::kPageCaptions[10]).Chart(m_sheet.settings.securityChart, false);
  m_tabs->setCurrentIndex(startPage);

  // "Hilfe" shows the topic of the page on top.
  QDialogButtonBox* buttons =
      OkCancel(*this, [this] { return COptionenSheet::kHelpTopics[m_tabs->currentIndex()]; });
  connect(buttons, &QDialogButtonBox::accepted, this, &OptionenDialog::OnOK);
  layout->addWidget(buttons);
  // As large as the tallest page, where the screen has room; the pages scroll on a small one.
  SizeWithinScreen(*this, sizeHint().expandedTo(QSize(760, 640)));
}

void OptionenDialog::OnOK() {
  // A length being edited is read when its box loses the focus: let it go first.
  if (QWidget* focused = focusWidget()) focused->clearFocus();
  // A day typed on a page that is no day: its page is shown and the field reported.
  for (int page = 0; page < m_tabs->count(); ++page) {
    for (DateField* day : m_tabs->widget(page)->findChildren<DateField*>()) {
      if (day->Accept()) continue;
      m_tabs->setCurrentIndex(page);
      DateAccepted(*day, m_prompter, COptionenSheet::kCaption);
      return;
    }
  }
  accept();
}

void OptionenDialog::AddGeneralPage(const platform::Clock& clock) {
  GeneralSettings& g = m_sheet.settings.general;
  OptionenPage general(*m_tabs, COptionenSheet::kPageCaptions[0]);
  general.Choice("Tabellen anzeigen:", {"&Farbe", "&Graustufen", "Gitternetz&linien"}, g.tableDisplay);
  general.Number("Dezimalstellen für &Prozentwerte:", g.percentDecimals, 0, 3);
  general.BeginGroup("&Spekulationsfrist");
  general.Number("", g.holdingPeriodLength, 0, 9999);
  general.Choice("", {"&Tage", "M&onate", "Ja&hre"}, g.holdingPeriodUnit);
  general.EndGroup();
  general.BeginGroup("Darstellungszeitraum beim Öffnen der Datei");
  general.Choice(
      "Von:",
      {"&erster Tag", "erster Tag des aktuellen &Jahres", "erster Tag des aktuellen &Monats", "&dieser Tag:"},
      g.periodStartChoice);
  general.Day(g.periodStartDay, clock);
  general.Choice("Bis:", {"&aktueller Tag", "diese&r Tag:"}, g.periodEndChoice);
  general.Day(g.periodEndDay, clock);
  general.EndGroup();
}

void OptionenDialog::AddTablePages() {
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
  ViewSettings& s = m_sheet.settings;

  OptionenPage holdings1(*m_tabs, COptionenSheet::kPageCaptions[1]);
  holdings1.TableLayout(s.holdings);
  holdings1.SortAndMargins(
      s.holdings, {"Bezeichnung", "WKN/Kürzel", "Stück", "Kaufdatum", "Kaufwert", "Provision", "Kaufpreis",
                   "Wert", "G/V (EUR/DM)", "G/V (Prozent)", "Dividende (EUR/DM)", "Dividende (Prozent)",
                   "G/V inkl. Div. (EUR/DM)", "G/V inkl. Div. (Prozent)"});
  OptionenPage(*m_tabs, COptionenSheet::kPageCaptions[2])
      .Columns(s.holdings, holdingsColumns, holdingsCurrency);

  OptionenPage realised1(*m_tabs, COptionenSheet::kPageCaptions[3]);
  realised1.TableLayout(s.realised);
  realised1.SortAndMargins(
      s.realised,
      {"Bezeichnung", "WKN/Kürzel", "Stück", "Kaufdatum", "Verkaufdatum", "Kaufwert", "Provision",
       "Kaufpreis", "Verkaufwert", "Verkaufprovision", "Verkauferlös", "G/V (EUR/DM)", "G/V (Prozent)",
       "Dividende (EUR/DM)", "Dividende (Prozent)", "G/V inkl. Div. (EUR/DM)", "G/V inkl. Div. (Prozent)"});
  OptionenPage(*m_tabs, COptionenSheet::kPageCaptions[4])
      .Columns(s.realised, realisedColumns, realisedCurrency);
}

void OptionenDialog::AddDevelopmentPages() {
  DevelopmentSettings& d = m_sheet.settings.development;
  OptionenPage development1(*m_tabs, COptionenSheet::kPageCaptions[5]);
  development1.Font("&Schriftart:", d.fontName);
  development1.Length("Zeilen&höhe:", d.rowHeight, 20, 200);
  development1.Length("Felda&bstand:", d.fieldSpacing, 0, 100);
  development1.Length("Spalten&rand:", d.columnMargin, 0, 100);
  development1.Length("Spal&tenabstand:", d.columnSpacing, 0, 100);
  development1.Check("bei Berechnung von Gewinnen/Verlusten Pro&visionen einbeziehen", d.includeCommissions);
  development1.BeginGroup("Wertpapierpositionen");
  development1.Bit("&Kurs anzeigen", d.displayFlags, 0);
  development1.Bit("&Gewinn/Verlust anzeigen", d.displayFlags, 1);
  development1.Bit("Te&xt anzeigen", d.displayFlags, 2);
  development1.Check("e&igene Spalte für jede Position", d.columnPerPosition);
  development1.Text("T&ext:", d.positionLabel);
  development1.EndGroup();
  development1.BeginGroup("Depot");
  development1.Bit("Depot&wert anzeigen:", d.displayFlags, 3);
  development1.Choice("", {"in E&UR", "in D&M"}, d.valueCurrency);
  development1.Bit("Gewi&nn/Verlust anzeigen:", d.displayFlags, 4);
  development1.Choice("", {"gegenüber investiertem K&apital", "gegenüber Depotwert am An&fangsdatum"},
                      d.portfolioGainBasis);
  development1.Choice("", {"in &DM/EUR", "in Pro&zent"}, d.portfolioGainForm);
  development1.EndGroup();

  OptionenPage development2(*m_tabs, COptionenSheet::kPageCaptions[6]);
  development2.BeginGroup("Konto");
  development2.Bit("&Kontostand anzeigen:", d.displayFlags, 5);
  development2.Choice("", {"in EU&R", "in D&M"}, d.balanceCurrency);
  development2.Bit("Li&quiditätsquote anzeigen", d.displayFlags, 6);
  development2.Check("um Kapitaleinlagen und -entnahmen &bereinigen:", d.adjustForCapitalMovements);
  development2.Choice("", {"Kapital am &Anfangsdatum", "Ka&pital am Enddatum"}, d.capitalReference);
  development2.EndGroup();
  development2.BeginGroup("Vermögen");
  development2.Bit("&Vermögen anzeigen:", d.displayFlags, 7);
  development2.Choice("", {"in &EUR", "in &DM"}, d.assetsCurrency);
  development2.Bit("Gewi&nn/Verlust anzeigen:", d.displayFlags, 8);
  development2.Choice("",
                      {"gegenüber einge&setztem Kapital", "gegenüber Vermögen am An&fangsdatum",
                       "gegenüber Vermögen am Vor&tag"},
                      d.assetsGainBasis);
  development2.Choice("", {"&in DM/EUR", "in Pro&zent"}, d.assetsGainForm);
  development2.EndGroup();
  development2.PrintOptions(d.margins, d.gridLinesOnlyWhenPrinting);
}

void OptionenDialog::AddAnalysisPage() {
  AnalysisSettings& a = m_sheet.settings.analysis;
  OptionenPage analysis(*m_tabs, COptionenSheet::kPageCaptions[7]);
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
  analysis.BeginGroup("Seitenränder");
  analysis.Margins(a.margins);
  analysis.EndGroup();
}

void OptionenDialog::AddAccountPage() {
  AccountSettings& k = m_sheet.settings.account;
  OptionenPage account(*m_tabs, COptionenSheet::kPageCaptions[8]);
  account.Font("&Schriftart:", k.fontName);
  account.Text("&Titel:", k.titleTemplate);
  account.Length("&Zeilenhöhe:", k.rowHeight, 20, 200);
  account.Length("&Höhe Spaltentitel:", k.columnTitleHeight, 20, 200);
  account.Length("Höh&e Titel:", k.titleHeight, 20, 400);
  account.Length("&Feldabstand:", k.fieldSpacing, 0, 100);
  account.Length("Spalten&rand:", k.columnMargin, 0, 100);
  account.Length("Text&abstand:", k.textSpacing, 0, 100);
  account.BeginGroup("Anzeige");
  account.Bit("&Datum", k.columnFlags, 0);
  account.Bit("&Vorgang", k.columnFlags, 1);
  account.Bit("Te&xt", k.columnFlags, 2);
  account.Bit("&Betrag", k.columnFlags, 3);
  account.Bit("&Kontostand", k.columnFlags, 4);
  account.EndGroup();
  account.PrintOptions(k.margins, k.gridLinesOnlyWhenPrinting);
}

}  // namespace dialogs
