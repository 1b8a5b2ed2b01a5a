#include "views/AnalysisMode.h"

#include <array>
#include <string>

#include "views/AnalysisPrintJob.h"
#include "views/TableViews.h"

namespace views {

void AnalysisMode::Build(const FrameState& state) {
  const Period& days = state.Days(ViewMode::Analysis);
  m_day = days.first;
  m_start = days.second;
  BuildAnalysisRows(m_day, m_start, m_rows, m_doc, m_scales);
}

platform::Size AnalysisMode::Extent() const {
  return AnalysisScrollSize(m_doc, m_rows);
}

void AnalysisMode::Draw(platform::Surface& surface, const platform::Rect&) const {
  DrawAnalysisView(surface, m_doc, m_day, m_start, m_rows, m_scales);
}

std::unique_ptr<PrintJob> AnalysisMode::MakePrintJob() const {
  return std::make_unique<AnalysisPrintJob>(m_doc, m_day, m_start);
}

void AnalysisMode::WriteGrid(GridSink& sink) const {
  std::vector<GridColumn> columns = {{"", false}};
  const int decimals = ShareDecimals(m_rows);
  std::vector<std::array<std::string, 41>> cells;
  for (std::size_t k = 0; k + 1 < m_rows.size(); ++k) {
    columns.push_back({std::to_string(k + 1), true});
    cells.push_back(AnalysisCells(m_doc, m_rows[k], decimals));
  }
  sink.Begin("Depotanalyse am " + m_day.Format() + " ab " + m_start.Format(), columns);
  const std::vector<std::string> labels = AnalysisLabels(m_doc, m_day, m_start);
  std::vector<std::string> row;
  for (std::size_t r = 0; r < labels.size(); ++r) {
    if (labels[r].empty()) continue;
    row.assign(1, labels[r]);
    for (const auto& c : cells) row.push_back(c[r]);
    sink.Row(row);
  }
  sink.End();
}

}  // namespace views
