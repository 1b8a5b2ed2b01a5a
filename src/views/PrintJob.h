#pragma once
// A view as printed: the page layout is made with the printer's surface when the job
// begins, then each page is drawn with the same drawing code as the screen.

#include <memory>

#include "platform/Surface.h"
#include "views/Table.h"

namespace views {

class PrintJob {
 public:
  virtual ~PrintJob() = default;
  // Lays out the pages for this printer; the number of pages (at least 1).
  virtual int Begin(platform::Surface& printer) = 0;
  virtual void DrawPage(platform::Surface& printer, int page) = 0;
};

// Modes 1, 3 and 4.
class TablePrintJob : public PrintJob {
 public:
  explicit TablePrintJob(Table table) : m_table(std::move(table)) {}
  int Begin(platform::Surface& printer) override;
  void DrawPage(platform::Surface& printer, int page) override;
  const PrintLayout& Layout() const { return m_layout; }

 private:
  Table m_table;
  PrintLayout m_layout;
};

}  // namespace views
