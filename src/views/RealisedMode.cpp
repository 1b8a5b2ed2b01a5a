#include "views/RealisedMode.h"

#include "views/TableViews.h"

namespace views {

void RealisedMode::Build(const FrameState& state) {
  const Period& days = state.Days(ViewMode::Realised);
  BuildRealisedRows(days.first, days.second, m_rows, m_doc, m_doc.settings.realised.mergePositions != 0);
  m_table = RealisedTable(m_doc, days.first, days.second, m_rows);
}

}  // namespace views
