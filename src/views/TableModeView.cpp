#include "views/TableModeView.h"

#include "views/TablePrintJob.h"

namespace views {

void TableModeView::Measure(platform::Surface& surface) {
  m_layout = MeasureColumns(surface, m_table);
}

platform::Size TableModeView::Extent() const {
  return TableScrollSize(m_table, m_layout);
}

void TableModeView::Draw(platform::Surface& surface, const platform::Rect& visible) const {
  DrawTable(surface, m_table, m_layout, visible);
}

std::unique_ptr<PrintJob> TableModeView::MakePrintJob() const {
  return std::make_unique<TablePrintJob>(m_table);
}

void TableModeView::WriteGrid(GridSink& sink) const {
  std::vector<GridColumn> columns;
  std::vector<std::size_t> slots;
  for (std::size_t slot = 0; slot < m_table.Slots(); ++slot) {
    if (!m_table.Visible(slot)) continue;
    slots.push_back(slot);
    std::string caption = m_table.captions[slot];
    for (char& c : caption) {
      if (c == '\n') c = ' ';
    }
    columns.push_back({caption, m_table.rightAligned[slot]});
  }
  sink.Begin(m_table.title, columns);
  std::vector<std::string> row;
  std::vector<GridValue> values;
  for (std::size_t r = 0; r < m_table.cells.size(); ++r) {
    row.clear();
    for (const std::size_t slot : slots) row.push_back(m_table.cells[r][slot]);
    if (r >= m_table.values.size()) {
      sink.Row(row);
      continue;
    }
    values.clear();
    for (const std::size_t slot : slots) values.push_back(m_table.values[r][slot]);
    sink.RowWithValues(row, values);
  }
  sink.End();
}

}  // namespace views
