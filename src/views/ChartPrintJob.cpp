#include "views/ChartPrintJob.h"

namespace views {

int ChartPrintJob::Begin(platform::Surface& printer) {
  m_chart = BuildChart(printer, m_doc, m_kind, m_start, m_end, m_series, m_selection);
  return 1;
}

void ChartPrintJob::DrawPage(platform::Surface& printer, int) {
  const ChartSettings& s = ChartSettingsOf(m_doc, m_kind);
  const platform::PageGeometry page = printer.Page();
  DrawChart(printer, m_doc, m_chart, s.marginLeft - page.offsetX, s.marginTop - page.offsetY);
}

}  // namespace views
