#include "views/ChartMode.h"

#include <string>

#include "views/ChartPrintJob.h"

namespace views {

void ChartMode::Build(const FrameState& state) {
  m_days = DaysOf(state);
  m_series = SeriesOf(state);
  m_selection = SelectionOf(state);
}

void ChartMode::Measure(platform::Surface& surface) {
  m_chart = BuildChart(surface, m_doc, m_kind, m_days.first, m_days.second, m_series, m_selection);
}

platform::Size ChartMode::Extent() const {
  const ChartSettings& c = ChartSettingsOf(m_doc, m_kind);
  return {2 * c.border + c.width, 2 * c.border + c.height};
}

void ChartMode::Draw(platform::Surface& surface, const platform::Rect&) const {
  const ChartSettings& c = ChartSettingsOf(m_doc, m_kind);
  DrawChart(surface, m_doc, m_chart, c.border, c.border);
}

std::unique_ptr<PrintJob> ChartMode::MakePrintJob() const {
  return std::make_unique<ChartPrintJob>(m_doc, m_kind, m_days.first, m_days.second, m_series, m_selection);
}

void ChartMode::WriteGrid(GridSink& sink) const {
  sink.Begin(ChartTitle(m_doc, m_chart), {{"Datum", false},
                                          {UnitText(m_doc, m_chart.kind, m_chart.series, m_chart.axis), true},
                                          {"Rohwert", true}});
  for (std::size_t i = 0; i < m_chart.values.size(); ++i) {
    const CKBXDatum day(m_chart.start.Day() + static_cast<std::uint32_t>(i));
    sink.Row({day.Format(), TickLabel(m_chart.values[i], m_chart.axis), std::to_string(m_chart.values[i])});
  }
  sink.End();
}

}  // namespace views
