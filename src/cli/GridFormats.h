#pragma once
// Prints what a view's `show` gives as text (aligned columns), CSV or JSON, row by row as
// the view makes them: the text format measures its column widths in a first pass that
// keeps only the widths.

#include <iosfwd>
#include <string>

#include "views/ModeView.h"

namespace cli {

// format is "text", "csv" or "json".
void PrintGrid(const views::ModeView& view, std::ostream& out, const std::string& format);

}  // namespace cli
