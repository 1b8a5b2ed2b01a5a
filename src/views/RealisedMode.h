#pragma once
// "Realisierte G+V": the positions sold in a period with their gains.

#include <vector>

#include "views/RealisedRow.h"
#include "views/TableModeView.h"

namespace views {

class RealisedMode : public TableModeView {
 public:
  using TableModeView::TableModeView;
  ViewMode Mode() const override { return ViewMode::Realised; }
  void Build(const FrameState& state) override;
  const std::vector<RealisedRow>& Rows() const { return m_rows; }

 private:
  std::vector<RealisedRow> m_rows;
};

}  // namespace views
