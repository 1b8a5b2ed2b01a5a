#pragma once
// The yearly overview as printed: the table's pages, and the chart under the table's last
// rows where it fits on that page, else on a page of its own.

#include "views/PrintJob.h"
#include "views/Table.h"
#include "views/YearlyChart.h"

namespace views {

// The space between the table and the chart, on screen and paper (tenths of a millimetre).
constexpr int kYearlyChartGap = 100;

class YearlyPrintJob : public PrintJob {
 public:
  YearlyPrintJob(Table table, YearlyChart chart) : m_table(std::move(table)), m_chart(std::move(chart)) {}
  int Begin(platform::Surface& printer) override;
  void DrawPage(platform::Surface& printer, int page) override;

  // Where the chart goes: the page (from 1) and its top-left corner; after Begin.
  int ChartPage() const { return m_chartPage; }
  platform::Size ChartCorner() const { return m_chartCorner; }

 private:
  Table m_table;
  YearlyChart m_chart;
  PrintLayout m_layout;
  int m_tablePages = 1;
  int m_chartPage = 1;
  platform::Size m_chartCorner;
};

}  // namespace views
