#include "views/YearlyMode.h"

#include <algorithm>

#include "views/YearlyPrintJob.h"

namespace views {

namespace {

void AddRow(Table& t, const std::string& label, const YearlyRow& r, int decimals) {
  AddFigureRow(t,
               {{label, label},
                MoneyFigure(r.realised),
                MoneyFigure(r.dividends),
                MoneyFigure(r.interest),
                MoneyFigure(r.otherIncome),
                MoneyFigure(r.costs),
                MoneyFigure(r.taxes),
                MoneyFigure(r.deposits),
                MoneyFigure(r.withdrawals),
                MoneyFigure(r.portfolioValue),
                MoneyFigure(r.wealth),
                RateFigure(r.rate, decimals)},
               r.rate && *r.rate < 0);
}

}  // namespace

Table YearlyTable(const CKapibuchDoc& doc, const YearlyOverview& overview) {
  const TableSettings& s = doc.settings.holdings;
  const int pd = doc.settings.general.percentDecimals;
  Table t;
  t.geometry = GeometryOf(s);
  t.tableStyle = doc.settings.general.tableDisplay;
  t.columnFlags = (1u << kYearlySlots) - 1;
  const int first = overview.years.empty() ? 0 : overview.years.front().year;
  const int last = overview.years.empty() ? 0 : overview.years.back().year;
  t.title = ReplacePlaceholders("Jahresübersicht <STARTJAHR> bis <ENDJAHR> - <DEPOTNUMMER> - <INHABER>",
                                {{"<STARTJAHR>", std::to_string(first)},
                                 {"<ENDJAHR>", std::to_string(last)},
                                 {"<DEPOTNUMMER>", doc.depotNumber},
                                 {"<INHABER>", doc.Account().holder}});
  t.captions = {"Jahr",
                "Realisierte G/V\nin EUR",
                "Dividenden etc.\nin EUR",
                "Zinsen\nin EUR",
                "Sonstige Erträge\nin EUR",
                "Kosten\nin EUR",
                "Steuern\nin EUR",
                "Einlagen\nin EUR",
                "Entnahmen\nin EUR",
                "Depotwert\nin EUR",
                "Vermögen\nin EUR",
                "Rendite\nin %"};
  t.rightAligned.assign(kYearlySlots, true);
  t.rightAligned[0] = false;
  for (const YearlyRow& row : overview.years) AddRow(t, std::to_string(row.year), row, pd);
  AddRow(t, "Summe", overview.sums, pd);
  return t;
}

void YearlyMode::Build(const FrameState& state) {
  const Period& days = state.Days(ViewMode::Yearly);
  m_overview = BuildYearlyOverview(m_doc, YearOf(days.first), YearOf(days.second));
  m_table = YearlyTable(m_doc, m_overview);
  m_chart.Build(m_doc, m_overview);
}

void YearlyMode::Measure(platform::Surface& surface) {
  TableModeView::Measure(surface);
  m_chart.Measure(surface);
}

platform::Size YearlyMode::ChartOrigin() const {
  return {m_table.geometry.fieldSpacing, -(TableScrollSize(m_table, m_layout).cy + kYearlyChartGap)};
}

platform::Size YearlyMode::Extent() const {
  const platform::Size table = TableModeView::Extent();
  const platform::Size chart = m_chart.Size();
  const platform::Size origin = ChartOrigin();
  const int spacing = m_table.geometry.fieldSpacing;
  return {std::max(table.cx, origin.cx + chart.cx + spacing), -origin.cy + chart.cy + spacing};
}

void YearlyMode::Draw(platform::Surface& surface, const platform::Rect& visible) const {
  TableModeView::Draw(surface, visible);
  const platform::Size origin = ChartOrigin();
  m_chart.Draw(surface, origin.cx, origin.cy);
}

std::unique_ptr<PrintJob> YearlyMode::MakePrintJob() const {
  return std::make_unique<YearlyPrintJob>(m_table, m_chart);
}

}  // namespace views
