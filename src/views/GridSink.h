#pragma once
// A view as rows of texts, as `kapibuch-cli show` prints it: the title, the columns, then
// one row after the other. A view hands its rows to a sink as it makes them, so a long
// period never has to be held as text all at once.

#include <string>
#include <vector>

namespace views {

struct GridColumn {
  std::string caption;  // one line: line breaks of the view's captions become spaces
  bool right = false;   // right-aligned
};

class GridSink {
 public:
  virtual ~GridSink() = default;
  virtual void Begin(const std::string& title, const std::vector<GridColumn>& columns) = 0;
  virtual void Row(const std::vector<std::string>& cells) = 0;
  virtual void End() {}
};

}  // namespace views
