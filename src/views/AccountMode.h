#pragma once
// "Kontobewegungen": the account's transactions in a period with the running balance.

#include <vector>

#include "views/AccountRow.h"
#include "views/TableModeView.h"

namespace views {

class AccountMode : public TableModeView {
 public:
  using TableModeView::TableModeView;
  ViewMode Mode() const override { return ViewMode::Account; }
  void Build(const FrameState& state) override;
  const std::vector<AccountRow>& Rows() const { return m_rows; }

 private:
  std::vector<AccountRow> m_rows;
};

}  // namespace views
