#pragma once
// What the three table modes (holdings, realised gains, account movements) share: the
// Table that describes them, its screen columns, drawing, printing and the rows of `show`.

#include "document/KapibuchDoc.h"
#include "views/ModeView.h"
#include "views/Table.h"

namespace views {

class TableModeView : public ModeView {
 public:
  explicit TableModeView(const CKapibuchDoc& doc) : m_doc(doc) {}

  void Measure(platform::Surface& surface) override;
  platform::Size Extent() const override;
  void Draw(platform::Surface& surface, const platform::Rect& visible) const override;
  platform::Size FixedArea() const override { return {0, TableHeaderHeight(m_table)}; }
  std::unique_ptr<PrintJob> MakePrintJob() const override;
  // The visible columns in their order, each cell exactly the text the view draws (and
  // the figures behind the cells where the table has them).
  void WriteGrid(GridSink& sink) const override;

  const Table& TableOf() const { return m_table; }

 protected:
  const CKapibuchDoc& m_doc;
  Table m_table;
  ColumnLayout m_layout;
};

}  // namespace views
