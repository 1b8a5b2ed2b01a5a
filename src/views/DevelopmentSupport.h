#pragma once
// What the development view's screen, measuring and printing share: the currencies and
// texts of its groups, the columns from left to right and the drawing of a run of rows.

#include <cstdint>
#include <string>
#include <vector>

#include "base/Money.h"
#include "views/DevelopmentView.h"

namespace views::development {

Currency ShownCurrency(std::int32_t flag);
std::string UnitText(Currency c);
std::string Money(std::int64_t amount);
int GroupWidth(int first, bool showFirst, int second, bool showSecond, const DevelopmentSettings& s);

// The columns of the table from left to right: the date, the position columns, then the
// Depot, Konto and Vermögen groups; x = -1 for a column that is not drawn.
struct Columns {
  std::vector<int> x;
  std::vector<int> width;
  std::size_t Positions() const { return x.size() - 4; }
};
Columns ColumnWidths(const DevelopmentModel& model, const DevelopmentMeasures& m);

// One run of rows drawn with its captions.
struct Pass {
  const DevelopmentModel& model;
  const DevelopmentMeasures& m;
  const Columns& columns;
  int captionTop;
  int firstRowTop;
  int firstRow;  // rows counted from the start day
  int lastRow;   // inclusive
};
void DrawPass(platform::Surface& surface, const Pass& p);

}  // namespace views::development
