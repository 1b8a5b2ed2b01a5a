#pragma once
// "Depotbestand": the positions held on a day.

#include <vector>

#include "views/HoldingsRow.h"
#include "views/TableModeView.h"

namespace views {

class HoldingsMode : public TableModeView {
 public:
  using TableModeView::TableModeView;
  ViewMode Mode() const override { return ViewMode::Holdings; }
  void Build(const FrameState& state) override;
  const std::vector<HoldingsRow>& Rows() const { return m_rows; }

 private:
  std::vector<HoldingsRow> m_rows;
};

}  // namespace views
