#pragma once
// The holdings, realised-gains and account tables as printed.

#include "views/PrintJob.h"
#include "views/Table.h"

namespace views {

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
