#include "views/AnalysisPrintJob.h"

#include <algorithm>
#include <climits>

#include "views/AnalysisSupport.h"
#include "views/Table.h"

namespace views {

using namespace analysis;

AnalysisPrintJob::AnalysisPrintJob(const CKapibuchDoc& doc, CKBXDatum day, CKBXDatum start)
    : m_doc(doc), m_day(day), m_start(start) {
  BuildAnalysisRows(day, start, m_rows, doc, m_scales);
}

int AnalysisPrintJob::Begin(platform::Surface& printer) {
  const AnalysisSettings& s = m_doc.settings.analysis;
  Layout& l = m_layout;
  l = Layout{};
  l.printable = PrintableRect(printer.Page(), s.margins);
  int x = l.printable.left + s.firstColumnWidth;
  int column = 0;
  for (std::size_t k = 0; k + 1 < m_rows.size(); ++k) {
    if (x + s.columnWidth > l.printable.right && x != l.printable.left + s.firstColumnWidth) {
      x = l.printable.left + s.firstColumnWidth;
      ++column;
    }
    l.pageColumn.push_back(column);
    l.x.push_back(x);
    x += s.columnWidth;
  }
  l.pageColumns = column + 1;
  int y = l.printable.top;
  int row = 0;
  for (std::size_t b = 0; b < kBlocks.size(); ++b) {
    const int height = kBlocks[b].count * s.rowHeight;
    if (y - height < l.printable.bottom && y != l.printable.top) {
      y = l.printable.top;
      ++row;
    }
    l.blockPageRow[b] = row;
    l.blockTop[b] = y;
    y -= height;
  }
  l.pageRows = row + 1;
  return l.pageRows * l.pageColumns;
}

void AnalysisPrintJob::DrawPage(platform::Surface& printer, int page) {
  const AnalysisSettings& s = m_doc.settings.analysis;
  const int index = std::max(page, 1) - 1;
  const int pageRow = index / m_layout.pageColumns;
  const int pageColumn = index % m_layout.pageColumns;
  Placement p;
  p.labelLeft = m_layout.printable.left;
  p.printing = true;
  for (std::size_t k = 0; k < m_layout.x.size(); ++k) {
    p.columnX.push_back(m_layout.pageColumn[k] == pageColumn ? m_layout.x[k] : -1);
  }
  p.rowTop.fill(INT_MIN);
  for (std::size_t b = 0; b < kBlocks.size(); ++b) {
    if (m_layout.blockPageRow[b] != pageRow) continue;
    for (int i = 0; i < kBlocks[b].count; ++i) {
      p.rowTop[static_cast<std::size_t>(kBlocks[b].first + i)] = m_layout.blockTop[b] - i * s.rowHeight;
    }
  }
  DrawAnalysisTable(printer, m_doc, m_day, m_start, m_rows, m_scales, p);
}

}  // namespace views
