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
    case 1:
      start = yearStart;
      break;
    case 2:
      start = monthStart;
      break;
    case 3:
      start = chosen;
      break;
    default:
      start = first;
      break;
  }
  const CKBXDatum end = std::max(g.periodEndChoice == 1 ? g.periodEndDay : today, start);

  for (const ModeTraits& traits : AllModes()) {
    Period& p = Days(traits.mode);
    switch (traits.period) {
      case PeriodKind::Day:
        p = {end, end};
        break;
      case PeriodKind::Range:
        p = {start, end};
        break;
      case PeriodKind::DayAndStart:
        p = {end, start};
        break;
      case PeriodKind::Years:
        // The years from the account's first day to this one, whatever the period choice.
        p = {first, std::max(today, first)};
        break;
    }
  }
  portfolioSeries = 0;
  securitySeries = 0;
  selection.clear();
  initialised = true;
}

}  // namespace views

namespace views {

void FrameState::ApplyTimeInPortfolio(const CKapibuchDoc& doc) {
  bool any = false;
  CKBXDatum start, end;
  for (const int number : selection) {
    const CKBXAktie* found = doc.FindPosition(number);
    if (!found) continue;  // a position whose booking was taken back
    const CKBXAktie& p = *found;
    const CKBXDatum last = p.IsSold() ? p.saleDate : doc.Today();
    start = any ? std::min(start, p.purchaseDate) : p.purchaseDate;
    end = any ? std::max(end, last) : last;
    any = true;
  }
  if (!any) return;
  Days(ViewMode::SecurityChart) = {std::max(start, doc.Account().StartDay()), end};
}

}  // namespace views
