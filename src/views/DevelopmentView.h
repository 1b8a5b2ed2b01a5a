#pragma once
// The portfolio development view (mode 2): one row per day of the period with the date,
// a column per position (price and gain against the purchase), and the groups Depot
// (value, gain), Konto (balance, liquidity ratio) and Vermögen (wealth, gain).

#include <array>
#include <vector>

#include "platform/Surface.h"
#include "views/DevelopmentModel.h"

namespace views {

struct DevelopmentMeasures {
  int dateWidth = 0;
  int priceWidth = 0;
  int gainWidth = 0;
  std::array<int, 6> sub{};
  int positionsWidth = 0;  // the positions group, without the strip
  int depotWidth = 0;
  int kontoWidth = 0;
  int wealthWidth = 0;
  int positionColumns = 0;
  std::vector<int> columnOf;  // per position of the document, -1 for none
};

DevelopmentMeasures MeasureDevelopmentColumns(platform::Surface& surface, const DevelopmentModel& model);
platform::Size DevelopmentScrollSize(const DevelopmentModel& model, const DevelopmentMeasures& measures);
// Draws the rows that meet the visible rectangle (screen coordinates, y upwards).
void DrawDevelopmentView(platform::Surface& surface, const DevelopmentModel& model,
                         const DevelopmentMeasures& measures, const platform::Rect& visible);

}  // namespace views
