#pragma once
// A view as printed: the page layout is made with the printer's surface when the job
// begins, then each page is drawn with the same drawing code as the screen.

#include <memory>

#include "platform/Surface.h"

namespace views {

class PrintJob {
 public:
  virtual ~PrintJob() = default;
  // Lays out the pages for this printer; the number of pages (at least 1).
  virtual int Begin(platform::Surface& printer) = 0;
  virtual void DrawPage(platform::Surface& printer, int page) = 0;
};

}  // namespace views
