#pragma once
// "Rendite": money-weighted (IZF) and time-weighted (TTWROR) rates of return per security,
// for all securities as one and for the whole wealth, over a period. The table is laid
// out with the holdings table's settings (fonts, heights, margins) and the general
// percent decimals and table style; it has no settings of its own.

#include <vector>

#include "views/ReturnsModel.h"
#include "views/TableModeView.h"

namespace views {

constexpr std::size_t kReturnsSlots = 13;

// The table of the rows, with the figures behind the cells for `show`.
Table ReturnsTable(const CKapibuchDoc& doc, CKBXDatum start, CKBXDatum end,
                   const std::vector<ReturnsRow>& rows);

class ReturnsMode : public TableModeView {
 public:
  using TableModeView::TableModeView;
  ViewMode Mode() const override { return ViewMode::Returns; }
  void Build(const FrameState& state) override;
  const std::vector<ReturnsRow>& Rows() const { return m_rows; }

 private:
  std::vector<ReturnsRow> m_rows;
};

}  // namespace views
