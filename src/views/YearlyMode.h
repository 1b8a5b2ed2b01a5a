#pragma once
// "Jahresübersicht": one row per calendar year with the realised gains, the income, costs,
// taxes and capital moved in it, the values at its end and its time-weighted rate, the sums,
// and a bar chart under the table. The table is laid out with the holdings table's settings
// (fonts, heights, margins) and the general percent decimals and table style, the chart with
// the portfolio chart's; the view has no settings of its own.

#include "views/TableModeView.h"
#include "views/YearlyChart.h"
#include "views/YearlyModel.h"

namespace views {

constexpr std::size_t kYearlySlots = 12;

// The table of an overview, with the figures behind the cells for `show`.
Table YearlyTable(const CKapibuchDoc& doc, const YearlyOverview& overview);

class YearlyMode : public TableModeView {
 public:
  using TableModeView::TableModeView;
  ViewMode Mode() const override { return ViewMode::Yearly; }
  // Takes the years of the window's two days.
  void Build(const FrameState& state) override;
  void Measure(platform::Surface& surface) override;
  platform::Size Extent() const override;
  void Draw(platform::Surface& surface, const platform::Rect& visible) const override;
  std::unique_ptr<PrintJob> MakePrintJob() const override;

  const YearlyOverview& Overview() const { return m_overview; }
  const YearlyChart& Chart() const { return m_chart; }
  // The chart's top-left corner on screen, after Measure.
  platform::Size ChartOrigin() const;

 private:
  YearlyOverview m_overview;
  YearlyChart m_chart;
};

}  // namespace views
