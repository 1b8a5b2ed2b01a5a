#pragma once
// What the two chart modes share: the chart of the window's period and series, drawn at
// the chart's border, printed on one page, and listed day by day by `show`.

#include <vector>

#include "views/Charts.h"
#include "views/ModeView.h"

namespace views {

class ChartMode : public ModeView {
 public:
  ChartMode(const CKapibuchDoc& doc, ChartKind kind) : m_doc(doc), m_kind(kind) {}
  void Build(const FrameState& state) override;
  void Measure(platform::Surface& surface) override;
  platform::Size Extent() const override;
  void Draw(platform::Surface& surface, const platform::Rect& visible) const override;
  std::unique_ptr<PrintJob> MakePrintJob() const override;
  // One row per day: the date, the value as the tick labels write it, the raw value.
  void WriteGrid(GridSink& sink) const override;
  const ChartData& Chart() const { return m_chart; }

 protected:
  // The period, series and selection of this chart in the window.
  virtual Period DaysOf(const FrameState& state) const = 0;
  virtual int SeriesOf(const FrameState& state) const = 0;
  virtual std::vector<int> SelectionOf(const FrameState& state) const = 0;

 private:
  const CKapibuchDoc& m_doc;
  ChartKind m_kind;
  Period m_days;
  int m_series = 0;
  std::vector<int> m_selection;
  ChartData m_chart;
};

// "Grafik - Depotentwicklung": one of ten series of the whole portfolio.
class PortfolioChartMode : public ChartMode {
 public:
  explicit PortfolioChartMode(const CKapibuchDoc& doc) : ChartMode(doc, ChartKind::Portfolio) {}
  ViewMode Mode() const override { return ViewMode::PortfolioChart; }

 protected:
  Period DaysOf(const FrameState& state) const override { return state.Days(ViewMode::PortfolioChart); }
  int SeriesOf(const FrameState& state) const override { return state.portfolioSeries; }
  std::vector<int> SelectionOf(const FrameState&) const override { return {}; }
};

// "Grafik - Wertpapier": one of six series over the selected positions.
class SecurityChartMode : public ChartMode {
 public:
  explicit SecurityChartMode(const CKapibuchDoc& doc) : ChartMode(doc, ChartKind::Security) {}
  ViewMode Mode() const override { return ViewMode::SecurityChart; }

 protected:
  Period DaysOf(const FrameState& state) const override { return state.Days(ViewMode::SecurityChart); }
  int SeriesOf(const FrameState& state) const override { return state.securitySeries; }
  std::vector<int> SelectionOf(const FrameState& state) const override { return state.selection; }
};

}  // namespace views
