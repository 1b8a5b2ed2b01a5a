#pragma once
// A view as rows of texts, as `kapibuch-cli show` prints it: the title, the columns, then
// one row after the other. A view hands its rows to a sink as it makes them, so a long
// period never has to be held as text all at once.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace views {

struct GridColumn {
  std::string caption;  // one line: line breaks of the view's captions become spaces
  bool right = false;   // right-aligned
};

// The figure behind a cell, for views that give their rows as numbers too: nothing (the
// cell shows "-"), an amount in hundredths, a rate as a fraction, or the cell's text.
using GridValue = std::variant<std::monostate, std::int64_t, double, std::string>;

class GridSink {
 public:
  virtual ~GridSink() = default;
  virtual void Begin(const std::string& title, const std::vector<GridColumn>& columns) = 0;
  virtual void Row(const std::vector<std::string>& cells) = 0;
  // A row with its figures, one per cell; a sink without use for them prints the texts.
  virtual void RowWithValues(const std::vector<std::string>& cells, const std::vector<GridValue>& values) {
    (void)values;
    Row(cells);
  }
  virtual void End() {}
};

}  // namespace views
