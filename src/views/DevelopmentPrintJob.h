#pragma once
// The portfolio development view as printed: pages of rows, position columns spread over
// pages across.

#include <vector>

#include "views/DevelopmentView.h"
#include "views/PrintJob.h"

namespace views {

class DevelopmentPrintJob : public PrintJob {
 public:
  DevelopmentPrintJob(const CKapibuchDoc& doc, CKBXDatum start, CKBXDatum end) : m_model(doc, start, end) {}
  int Begin(platform::Surface& printer) override;
  void DrawPage(platform::Surface& printer, int page) override;

  struct Layout {
    platform::Rect printable;
    int rowsPerPage = 1;
    int pageRows = 1;
    int pageColumns = 1;
    // Per column (date, positions..., Depot, Konto, Vermögen): page column and x; -1 hidden.
    std::vector<int> pageColumn;
    std::vector<int> x;
  };
  const Layout& PageLayout() const { return m_layout; }

 private:
  DevelopmentModel m_model;
  DevelopmentMeasures m_measures;
  Layout m_layout;
};

}  // namespace views
