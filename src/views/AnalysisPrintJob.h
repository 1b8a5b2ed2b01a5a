#pragma once
// The portfolio analysis as printed: position columns across pages, the table's blocks
// down pages, never split.

#include <array>
#include <vector>

#include "views/AnalysisView.h"
#include "views/PrintJob.h"

namespace views {

class AnalysisPrintJob : public PrintJob {
 public:
  AnalysisPrintJob(const CKapibuchDoc& doc, CKBXDatum day, CKBXDatum start);
  int Begin(platform::Surface& printer) override;
  void DrawPage(platform::Surface& printer, int page) override;

  struct Layout {
    platform::Rect printable;
    std::vector<int> pageColumn;  // per position column
    std::vector<int> x;
    std::array<int, 21> blockPageRow{};
    std::array<int, 21> blockTop{};
    int pageRows = 1;
    int pageColumns = 1;
  };
  const Layout& PageLayout() const { return m_layout; }

 private:
  const CKapibuchDoc& m_doc;
  CKBXDatum m_day, m_start;
  std::vector<HoldingsRow> m_rows;
  AnalysisScales m_scales;
  Layout m_layout;
};

}  // namespace views
