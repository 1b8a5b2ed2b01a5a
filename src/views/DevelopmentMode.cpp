#include "views/DevelopmentMode.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "model/PriceCursor.h"
#include "views/DevelopmentPrintJob.h"

namespace views {

void DevelopmentMode::Build(const FrameState& state) {
  const Period& days = state.Days(ViewMode::Development);
  m_model = std::make_unique<DevelopmentModel>(m_doc, days.first, days.second);
  m_measures = {};
}

void DevelopmentMode::Measure(platform::Surface& surface) {
  m_measures = MeasureDevelopmentColumns(surface, *m_model);
}

platform::Size DevelopmentMode::Extent() const {
  return DevelopmentScrollSize(*m_model, m_measures);
}

void DevelopmentMode::Draw(platform::Surface& surface, const platform::Rect& visible) const {
  DrawDevelopmentView(surface, *m_model, m_measures, visible);
}

platform::Size DevelopmentMode::FixedArea() const {
  const DevelopmentSettings& s = m_model->Settings();
  const int dateRight = s.fieldSpacing + m_measures.dateWidth + 2 * s.columnMargin + s.fieldSpacing / 2;
  return {dateRight, 2 * s.fieldSpacing + 2 * std::max(1, s.rowHeight)};
}

std::unique_ptr<PrintJob> DevelopmentMode::MakePrintJob() const {
  return std::make_unique<DevelopmentPrintJob>(m_doc, m_model->Start(), m_model->End());
}

void DevelopmentMode::WriteGrid(GridSink& sink) const {
  const DevelopmentModel& model = *m_model;
  const CKBXDatum start = model.Start();
  std::vector<GridColumn> columns = {{"Datum", false}};
  std::vector<DevelopmentColumn> shown;
  for (int c = 0; c < 6; ++c) {
    const auto column = static_cast<DevelopmentColumn>(c);
    if (!model.ShowsSub(column)) continue;
    shown.push_back(column);
    const auto [line1, line2] = model.Caption(column);
    columns.push_back({line1 + " " + line2, true});
  }
  for (int k = 0; k < model.PositionColumns(); ++k) {
    columns.push_back({"Position " + std::to_string(k + 1) + " Kurs", true});
    columns.push_back({"Position " + std::to_string(k + 1) + " G/V", true});
  }
  sink.Begin("Depotentwicklung vom " + start.Format() + " bis " + model.End().Format(), columns);
  const auto& positions = m_doc.Positions();
  // The positions with a column, each with a cursor along its history.
  std::vector<std::size_t> shownPositions;
  std::vector<PriceCursor> cursors;
  for (std::size_t i = 0; i < positions.size(); ++i) {
    if (model.Spans()[i].column < 0) continue;
    shownPositions.push_back(i);
    cursors.emplace_back(model.HistoryOf(i));
  }
  std::vector<std::string> cells;
  for (int row = 0; row < model.Days(); ++row) {
    const CKBXDatum day(start.Day() + static_cast<std::uint32_t>(row));
    const DevelopmentDay values = model.Day(day);
    cells.assign(1, day.Format());
    for (const auto column : shown) cells.push_back(values.texts[static_cast<std::size_t>(column)]);
    const std::size_t pairsAt = cells.size();
    cells.resize(pairsAt + static_cast<std::size_t>(model.PositionColumns()) * 2);
    for (std::size_t k = 0; k < shownPositions.size(); ++k) {
      const std::size_t i = shownPositions[k];
      const PositionSpan& span = model.Spans()[i];
      std::pair<std::string, std::string> texts;
      if (row == span.saleRow) {
        texts = model.SaleCells(i);
      } else if (row >= span.firstRow && row <= span.lastRow) {
        texts = model.PriceCells(i, cursors[k].PriceOn(day.Day()));
      } else {
        continue;
      }
      const std::size_t at = pairsAt + static_cast<std::size_t>(span.column) * 2;
      cells[at] = model.Shows(0) ? texts.first : "";
      cells[at + 1] = model.Shows(1) ? texts.second : "";
    }
    sink.Row(cells);
  }
  sink.End();
}

}  // namespace views
