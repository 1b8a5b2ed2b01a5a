#pragma once
// A chart as printed: one page, placed by the chart's margins.

#include <vector>

#include "views/Charts.h"
#include "views/PrintJob.h"

namespace views {

class ChartPrintJob : public PrintJob {
 public:
  ChartPrintJob(const CKapibuchDoc& doc, ChartKind kind, CKBXDatum start, CKBXDatum end, int series,
                std::vector<int> selection)
      : m_doc(doc),
        m_kind(kind),
        m_start(start),
        m_end(end),
        m_series(series),
        m_selection(std::move(selection)) {}
  int Begin(platform::Surface& printer) override;
  void DrawPage(platform::Surface& printer, int page) override;

 private:
  const CKapibuchDoc& m_doc;
  ChartKind m_kind;
  CKBXDatum m_start, m_end;
  int m_series;
  std::vector<int> m_selection;
  ChartData m_chart;
};

}  // namespace views
