#include "views/DevelopmentPrintJob.h"

#include <algorithm>

#include "views/DevelopmentSupport.h"
#include "views/Table.h"

namespace views {

using namespace development;

int DevelopmentPrintJob::Begin(platform::Surface& printer) {
  const DevelopmentSettings& s = m_model.Settings();
  m_measures = MeasureDevelopmentColumns(printer, m_model);
  Layout& l = m_layout;
  l = Layout{};
  l.printable = PrintableRect(printer.Page(), s.margins);
  const int rh = std::max(1, s.rowHeight);
  l.rowsPerPage = std::max(1, (l.printable.top - l.printable.bottom - 2 * rh - s.fieldSpacing) / rh);
  l.pageRows = (m_model.Days() + l.rowsPerPage - 1) / l.rowsPerPage;
  const Columns columns = ColumnWidths(m_model, m_measures);
  l.pageColumn.assign(columns.width.size(), -1);
  l.x.assign(columns.width.size(), -1);
  int x = l.printable.left;
  int page = 0;
  bool used = false;
  for (std::size_t i = 0; i < columns.width.size(); ++i) {
    const int w = columns.width[i];
    if (w == 0 && i > 0) continue;
    if (x + w > l.printable.right && used) {
      ++page;
      x = l.printable.left;
    }
    l.pageColumn[i] = page;
    l.x[i] = x;
    used = true;
    x += w + s.fieldSpacing;
  }
  l.pageColumns = page + 1;
  return l.pageRows * l.pageColumns;
}

void DevelopmentPrintJob::DrawPage(platform::Surface& printer, int page) {
  const DevelopmentSettings& s = m_model.Settings();
  const int index = std::max(page, 1) - 1;
  const int pageRow = index / m_layout.pageColumns;
  const int pageColumn = index % m_layout.pageColumns;
  Columns columns = ColumnWidths(m_model, m_measures);
  for (std::size_t i = 0; i < columns.x.size(); ++i) {
    columns.x[i] = m_layout.pageColumn[i] == pageColumn ? m_layout.x[i] : -1;
  }
  const int first = pageRow * m_layout.rowsPerPage;
  const int last = std::min(m_model.Days() - 1, first + m_layout.rowsPerPage - 1);
  const int captionTop = m_layout.printable.top;
  Pass pass{m_model, m_measures, columns, captionTop, captionTop - 2 * s.rowHeight - s.fieldSpacing,
            first,   last};
  DrawPass(printer, pass);
}

}  // namespace views
