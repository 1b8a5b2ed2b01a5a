#include "views/ReturnsMode.h"

#include <algorithm>

namespace views {

namespace {

const char* const kNotApplicable = "-";

FigureCell MoneyOrNone(bool applies, std::int64_t amount) {
  if (!applies) return {kNotApplicable, std::monostate{}};
  return MoneyFigure(amount);
}

}  // namespace

Table ReturnsTable(const CKapibuchDoc& doc, CKBXDatum start, CKBXDatum end,
                   const std::vector<ReturnsRow>& rows) {
  const TableSettings& s = doc.settings.holdings;
  const int pd = doc.settings.general.percentDecimals;
  Table t;
  t.summaryRows = 2;
  t.geometry = GeometryOf(s);
  t.tableStyle = doc.settings.general.tableDisplay;
  t.columnFlags = (1u << kReturnsSlots) - 1;
  t.title = ReplacePlaceholders("Rendite von <STARTDATUM> bis <ENDDATUM> - <DEPOTNUMMER> - <INHABER>",
                                {{"<STARTDATUM>", start.Format()},
                                 {"<ENDDATUM>", std::max(start, end).Format()},
                                 {"<DEPOTNUMMER>", doc.depotNumber},
                                 {"<INHABER>", doc.Account().holder}});
  t.captions = {"Bezeichnung",          "WKN/\nKürzel",     "Wert am Anfang\nin EUR", "Käufe\nin EUR",
                "Verkäufe\nin EUR",     "Einlagen\nin EUR", "Entnahmen\nin EUR",      "Erträge\nin EUR",
                "Wert am Ende\nin EUR", "Gewinn\nin EUR",   "IZF p.a.\nin %",         "TTWROR\nin %",
                "TTWROR p.a.\nin %"};
  t.rightAligned.assign(kReturnsSlots, true);
  t.rightAligned[0] = t.rightAligned[1] = false;
  for (const ReturnsRow& r : rows) {
    const bool wealth = r.kind == ReturnsRowKind::Wealth;
    const std::vector<FigureCell> cells = {
        {r.name, r.name},
        {r.wkn, r.wkn},
        MoneyOrNone(true, r.startValue),
        MoneyOrNone(!wealth, r.purchases),
        MoneyOrNone(!wealth, r.sales),
        MoneyOrNone(wealth, r.deposits),
        MoneyOrNone(wealth, r.withdrawals),
        MoneyOrNone(wealth, r.income),
        MoneyOrNone(true, r.endValue),
        MoneyOrNone(true, r.Gain()),
        RateFigure(r.internalRate, pd),
        RateFigure(r.timeWeighted, pd),
        RateFigure(r.timeWeightedPerYear, pd),
    };
    AddFigureRow(t, cells, r.Gain() < 0);
  }
  return t;
}

void ReturnsMode::Build(const FrameState& state) {
  const Period& days = state.Days(ViewMode::Returns);
  m_rows = BuildReturnsRows(m_doc, days.first, days.second);
  m_table = ReturnsTable(m_doc, days.first, days.second, m_rows);
}

}  // namespace views
