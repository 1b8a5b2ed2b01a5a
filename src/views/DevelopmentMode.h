#pragma once
// "Depotentwicklung": one row per day of a period; on screen only the rows in sight are
// made and drawn.

#include <memory>

#include "views/DevelopmentView.h"
#include "views/ModeView.h"

namespace views {

class DevelopmentMode : public ModeView {
 public:
  explicit DevelopmentMode(const CKapibuchDoc& doc) : m_doc(doc) {}
  ViewMode Mode() const override { return ViewMode::Development; }
  void Build(const FrameState& state) override;
  void Measure(platform::Surface& surface) override;
  platform::Size Extent() const override;
  void Draw(platform::Surface& surface, const platform::Rect& visible) const override;
  // The captions, and the date column when scrolling sideways.
  platform::Size FixedArea() const override;
  std::unique_ptr<PrintJob> MakePrintJob() const override;
  // The date, the shown values of the shown sub-columns, then a column pair (price and
  // gain) per position column.
  void WriteGrid(GridSink& sink) const override;

 private:
  const CKapibuchDoc& m_doc;
  std::unique_ptr<DevelopmentModel> m_model;
  DevelopmentMeasures m_measures;
};

}  // namespace views
