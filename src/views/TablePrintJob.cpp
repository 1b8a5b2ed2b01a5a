#include "views/TablePrintJob.h"

namespace views {

int TablePrintJob::Begin(platform::Surface& printer) {
  m_layout = LayoutPrintPages(printer, m_table);
  return m_layout.PageCount();
}

void TablePrintJob::DrawPage(platform::Surface& printer, int page) {
  SelectPrintPage(m_layout, page);
  DrawTablePage(printer, m_table, m_layout);
}

}  // namespace views
