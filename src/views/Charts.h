#pragma once
// The two line charts: the portfolio chart (mode 5, ten series) and the security chart
// (mode 6, six series over the selected positions), their value axis, the labels of the
// date axis and the drawing on screen and paper.

#include <cstdint>
#include <string>
#include <vector>

#include "document/KapibuchDoc.h"
#include "platform/Surface.h"
#include "views/PrintJob.h"

namespace views {

struct ChartAxis {
  std::int64_t minimum = 0;
  std::int64_t maximum = 1;
  std::int64_t step = 1;
  int tickLabelWidth = 0;
  std::int64_t divisor = 1;
  bool percent = false;
  int unitLabelWidth = 0;
};

// Daily values from the start day to the end day (money in hundredths, percentages in
// thousandths of a percent).
struct ChartData {
  int mode = 5;
  int series = 0;
  CKBXDatum start;
  CKBXDatum end;
  std::vector<std::int64_t> values;
  ChartAxis axis;
  int dateLabelMode = 0;  // 0 days, 1 month names, 2 month initials, 3 quarters
  std::string names;      // mode 6: the selected positions' names
};

const std::vector<std::string>& PortfolioSeriesNames();
const std::vector<std::string>& SecuritySeriesNames();

// The number of intervals of the value axis for a chart's settings.
int IntervalCount(const ChartSettings& settings);
void ScaleChartAxis(const std::vector<std::int64_t>& values, int intervals, ChartAxis& axis);

void BuildPortfolioSeries(CKBXDatum start, CKBXDatum end, std::vector<std::int64_t>& values,
                          const CKapibuchDoc& doc, int series, ChartAxis& axis);
void BuildSecuritySeries(CKBXDatum start, CKBXDatum end, std::vector<std::int64_t>& values,
                         const CKapibuchDoc& doc, int series, ChartAxis& axis,
                         const std::vector<int>& selection);
// The names text of the mode-6 title.
std::string SelectionNames(const CKapibuchDoc& doc, const std::vector<int>& selection, int series);

// The text of a tick label (and of a value in `show`).
std::string TickLabel(std::int64_t value, const ChartAxis& axis);
std::string UnitText(const CKapibuchDoc& doc, int mode, int series, const ChartAxis& axis);
void MeasureChartLabels(platform::Surface& surface, const CKapibuchDoc& doc, ChartData& chart);
std::string ChartTitle(const CKapibuchDoc& doc, const ChartData& chart);

// Draws the chart with its top-left corner at (x0, -y0).
void DrawChart(platform::Surface& surface, const CKapibuchDoc& doc, const ChartData& chart, int x0, int y0,
               bool preview = false);

// Builds everything for one chart: series, axis, labels.
ChartData BuildChart(platform::Surface& surface, const CKapibuchDoc& doc, int mode, CKBXDatum start,
                     CKBXDatum end, int series, const std::vector<int>& selection);

class ChartPrintJob : public PrintJob {
 public:
  ChartPrintJob(const CKapibuchDoc& doc, int mode, CKBXDatum start, CKBXDatum end, int series,
                std::vector<int> selection)
      : m_doc(doc),
        m_mode(mode),
        m_start(start),
        m_end(end),
        m_series(series),
        m_selection(std::move(selection)) {}
  int Begin(platform::Surface& printer) override;
  void DrawPage(platform::Surface& printer, int page) override;

 private:
  const CKapibuchDoc& m_doc;
  int m_mode;
  CKBXDatum m_start, m_end;
  int m_series;
  std::vector<int> m_selection;
  ChartData m_chart;
};

}  // namespace views
