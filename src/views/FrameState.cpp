#include "views/FrameState.h"

#include <algorithm>

namespace views {

void FrameState::SetDefaultDays(const CKapibuchDoc& doc) {
  const CKBXDatum first = doc.Account().StartDay();
  const CKBXDatum today = doc.Today();
  const GeneralSettings& g = doc.settings.general;
  int day = 0, month = 0, year = 0;
  today.Split(day, month, year);

  CKBXDatum monthStart;
  if (day == 1) {
    if (!monthStart.Set(1, month == 1 ? 12 : month - 1, month == 1 ? year - 1 : year)) monthStart = today;
  } else {
    monthStart.Set(1, month, year);
  }
  monthStart = std::max(monthStart, first);

  CKBXDatum yearStart;
  if (!yearStart.Set(1, 1, day == 1 && month == 1 ? year - 1 : year)) yearStart = first;
  yearStart = std::max(yearStart, first);

  const CKBXDatum chosen = std::max(g.periodStartDay, first);
  CKBXDatum start = first;
  switch (g.periodStartChoice) {
    case 1: start = yearStart; break;
    case 2: start = monthStart; break;
    case 3: start = chosen; break;
    default: start = first; break;
  }
  const CKBXDatum end = std::max(g.periodEndChoice == 1 ? g.periodEndDay : today, start);

  holdingsDay = end;
  developmentStart = realisedStart = accountStart = portfolioChartStart = securityChartStart = start;
  developmentEnd = realisedEnd = accountEnd = portfolioChartEnd = securityChartEnd = end;
  analysisDay = end;
  analysisStart = start;
  portfolioSeries = 0;
  securitySeries = 0;
  selection.clear();
  initialised = true;
}

}  // namespace views
