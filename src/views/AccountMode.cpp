#include "views/AccountMode.h"

#include "views/TableViews.h"

namespace views {

void AccountMode::Build(const FrameState& state) {
  const Period& days = state.Days(ViewMode::Account);
  BuildAccountRows(days.first, days.second, m_rows, m_doc);
  m_table = AccountTable(m_doc, days.first, days.second, m_rows);
}

}  // namespace views
