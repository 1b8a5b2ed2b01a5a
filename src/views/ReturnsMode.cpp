#include "views/ReturnsMode.h"

#include <algorithm>

namespace views {

namespace {

const char* const kNotApplicable = "-";

struct Cell {
  std::string text;
  GridValue value;
};

Cell MoneyOrNone(bool applies, std::int64_t amount) {
  if (!applies) return {kNotApplicable, std::monostate{}};
  return {MoneyCell(amount), amount};
}

// A rate as a percentage with the general decimals and a sign, like the holdings' gains.
Cell RateOrNone(const std::optional<double>& rate, int decimals) {
  if (!rate) return {kNotApplicable, std::monostate{}};
  return {FormatSignedPercent(*rate * 100, decimals), *rate};
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
    const std::vector<Cell> cells = {
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
        RateOrNone(r.internalRate, pd),
        RateOrNone(r.timeWeighted, pd),
        RateOrNone(r.timeWeightedPerYear, pd),
    };
    std::vector<std::string> texts;
    std::vector<GridValue> values;
    for (const Cell& c : cells) {
      texts.push_back(c.text);
      values.push_back(c.value);
    }
    t.cells.push_back(std::move(texts));
    t.values.push_back(std::move(values));
    t.loss.push_back(r.Gain() < 0);
  }
  return t;
}

void ReturnsMode::Build(const FrameState& state) {
  const Period& days = state.Days(ViewMode::Returns);
  m_rows = BuildReturnsRows(m_doc, days.first, days.second);
  m_table = ReturnsTable(m_doc, days.first, days.second, m_rows);
}

}  // namespace views
