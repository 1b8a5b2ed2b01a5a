#include "views/YearlyPrintJob.h"

namespace views {

int YearlyPrintJob::Begin(platform::Surface& printer) {
  m_layout = LayoutPrintPages(printer, m_table);
  m_tablePages = m_layout.PageCount();
  m_chart.Measure(printer);

  // The bottom of the table on its last page row, as DrawTablePage places the rows.
  const TableGeometry& g = m_table.geometry;
  const platform::Rect& printable = m_layout.printable;
  const auto& [firstRow, lastRow] = m_layout.rowRanges.back();
  const int captionTop =
      m_layout.rowRanges.size() == 1 ? printable.top - g.titleHeight - g.fieldSpacing : printable.top;
  int bottom = captionTop - m_table.CaptionLines() * g.columnTitleHeight - g.fieldSpacing;
  for (int row = firstRow; row <= lastRow; ++row) {
    if (m_table.IsFirstSumsRow(static_cast<std::size_t>(row)) && row != firstRow) bottom -= g.fieldSpacing;
    bottom -= g.rowHeight;
  }

  const int top = bottom - kYearlyChartGap;
  // Under the table on the last page row's first page, where it fits.
  if (top - m_chart.Size().cy >= printable.bottom) {
    m_chartPage = (static_cast<int>(m_layout.rowRanges.size()) - 1) * m_layout.pageColumns + 1;
    m_chartCorner = {printable.left, top};
  } else {
    m_chartPage = m_tablePages + 1;
    m_chartCorner = {printable.left, printable.top};
  }
  return std::max(m_tablePages, m_chartPage);
}

void YearlyPrintJob::DrawPage(platform::Surface& printer, int page) {
  if (page <= m_tablePages) {
    SelectPrintPage(m_layout, page);
    DrawTablePage(printer, m_table, m_layout);
  }
  if (page == m_chartPage) m_chart.Draw(printer, m_chartCorner.cx, m_chartCorner.cy);
}

}  // namespace views
