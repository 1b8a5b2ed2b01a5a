#include "views/HoldingsMode.h"

#include "views/TableViews.h"

namespace views {

void HoldingsMode::Build(const FrameState& state) {
  const CKBXDatum day = state.Days(ViewMode::Holdings).first;
  BuildHoldingsRows(day, m_rows, m_doc, m_doc.settings.holdings.mergePositions != 0);
  m_table = HoldingsTable(m_doc, day, m_rows);
}

}  // namespace views
