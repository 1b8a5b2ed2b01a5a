#pragma once
// "Depotbestand": the positions held on a day.

#include <vector>

#include "views/KBXAktieImDepot.h"
#include "views/TableModeView.h"

namespace views {

class HoldingsMode : public TableModeView {
 public:
  using TableModeView::TableModeView;
  ViewMode Mode() const override { return ViewMode::Holdings; }
  void Build(const FrameState& state) override;
  const std::vector<CKBXAktieImDepot>& Rows() const { return m_rows; }

 private:
  std::vector<CKBXAktieImDepot> m_rows;
};

}  // namespace views
