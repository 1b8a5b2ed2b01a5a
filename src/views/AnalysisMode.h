#pragma once
// "Depotanalyse": the positions held on a day against a start day, transposed.

#include <vector>

#include "views/AnalysisView.h"
#include "views/ModeView.h"

namespace views {

class AnalysisMode : public ModeView {
 public:
  explicit AnalysisMode(const CKapibuchDoc& doc) : m_doc(doc) {}
  ViewMode Mode() const override { return ViewMode::Analysis; }
  void Build(const FrameState& state) override;
  void Measure(platform::Surface&) override {}
  platform::Size Extent() const override;
  void Draw(platform::Surface& surface, const platform::Rect& visible) const override;
  std::unique_ptr<PrintJob> MakePrintJob() const override;
  // Transposed as drawn: the label column, then one column per position.
  void WriteGrid(GridSink& sink) const override;
  const std::vector<HoldingsRow>& Rows() const { return m_rows; }

 private:
  const CKapibuchDoc& m_doc;
  CKBXDatum m_day, m_start;
  std::vector<HoldingsRow> m_rows;
  AnalysisScales m_scales;
};

}  // namespace views
