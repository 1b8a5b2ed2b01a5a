#pragma once
// One view mode behind one interface: the window's screen, the printer and preview, the
// files of `render` and the rows of `show` all go through the same mode object, so what a
// user sees on screen, on paper and in a file is made by the same code.

#include <memory>

#include "platform/Surface.h"
#include "views/FrameState.h"
#include "views/GridSink.h"
#include "views/PrintJob.h"
#include "views/ViewMode.h"

namespace views {

class ModeView {
 public:
  virtual ~ModeView() = default;
  virtual ViewMode Mode() const = 0;

  // Builds the rows for the window's days and choices.
  virtual void Build(const FrameState& state) = 0;
  // Measures what the screen (or `show`) needs with this surface; after Build.
  virtual void Measure(platform::Surface& surface) = 0;
  // The size of the whole view in tenths of a millimetre; after Measure.
  virtual platform::Size Extent() const = 0;
  // Draws what meets the visible rectangle (tenths of a millimetre, y upwards, the
  // view's top-left corner at the origin).
  virtual void Draw(platform::Surface& surface, const platform::Rect& visible) const = 0;
  // What stays in sight while the view scrolls: the height of the title and captions above
  // the first row, and the width of a column that stays when scrolling sideways (tenths
  // of a millimetre; 0 for none).
  virtual platform::Size FixedArea() const { return {0, 0}; }

  // The view as printed: for the printer, the preview and `render`; after Build.
  virtual std::unique_ptr<PrintJob> MakePrintJob() const = 0;
  // The rows that `show` prints; after Measure. Called once per pass a format needs.
  virtual void WriteGrid(GridSink& sink) const = 0;
};

}  // namespace views
