#pragma once
// The two line charts: the portfolio chart (ten series) and the security chart (six
// series over the selected positions), their value axis, the labels of the
// date axis and the drawing on screen and paper.

#include <cstdint>
#include <string>
#include <vector>

#include "document/KapibuchDoc.h"
#include "platform/Surface.h"

namespace views {

// The portfolio chart (ten series over the whole portfolio) or the security chart (six
// series over the selected positions).
enum class ChartKind { Portfolio, Security };

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
const ChartSettings& ChartSettingsOf(const CKapibuchDoc& doc, ChartKind kind);

struct ChartData {
  ChartKind kind = ChartKind::Portfolio;
  int series = 0;
  CKBXDatum start;
  CKBXDatum end;
  std::vector<std::int64_t> values;
  ChartAxis axis;
  // The first date row: 0 days, 1 month names, 2 month initials, 3 quarters, 4 years;
  // the second row names the month and year (days), the year (months and quarters) or the
  // whole period (years). yearStep: with years, every 1st, 2nd, 5th, 10th, 20th or 50th year.
  int dateLabelMode = 0;
  int yearStep = 1;
  std::string names;  // security chart: the selected positions' names
};

const std::vector<std::string>& PortfolioSeriesNames();
const std::vector<std::string>& SecuritySeriesNames();

// The number of intervals of the value axis for a chart's settings.
int IntervalCount(const ChartSettings& settings);
void ScaleChartAxis(const std::vector<std::int64_t>& values, int intervals, ChartAxis& axis);

void BuildPortfolioSeries(CKBXDatum start, CKBXDatum end, std::vector<std::int64_t>& values,
                          const CKapibuchDoc& doc, int series, ChartAxis& axis);
// `selection`: position numbers; numbers of positions that are gone are passed over.
void BuildSecuritySeries(CKBXDatum start, CKBXDatum end, std::vector<std::int64_t>& values,
                         const CKapibuchDoc& doc, int series, ChartAxis& axis,
                         const std::vector<int>& selection);
// The names text of the security chart's title.
std::string SelectionNames(const CKapibuchDoc& doc, const std::vector<int>& selection, int series);

// The text of a tick label (and of a value in `show`).
std::string TickLabel(std::int64_t value, const ChartAxis& axis);
std::string UnitText(const CKapibuchDoc& doc, ChartKind kind, int series, const ChartAxis& axis);
void MeasureChartLabels(platform::Surface& surface, const CKapibuchDoc& doc, ChartData& chart);
std::string ChartTitle(const CKapibuchDoc& doc, const ChartData& chart);

// Draws the chart with its top-left corner at (x0, -y0).
void DrawChart(platform::Surface& surface, const CKapibuchDoc& doc, const ChartData& chart, int x0, int y0,
               bool preview = false);

// Builds everything for one chart: series, axis, labels.
ChartData BuildChart(platform::Surface& surface, const CKapibuchDoc& doc, ChartKind kind, CKBXDatum start,
                     CKBXDatum end, int series, const std::vector<int>& selection);

}  // namespace views
