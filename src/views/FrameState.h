#pragma once
// What one window holds for its document: the view mode, each mode's days and the chart
// choices. The desktop program's child frame owns one; kapibuch-cli makes one per command.

#include <array>
#include <vector>

#include "document/KapibuchDoc.h"
#include "views/ViewMode.h"

namespace views {

struct FrameState {
  ViewMode mode = ViewMode::Holdings;
  std::array<Period, kModeCount + 1> days{};  // by mode number; 0 unused
  int portfolioSeries = 0;
  int securitySeries = 0;
  // The selected positions by their numbers, which stay when bookings insert positions.
  std::vector<int> selection;
  bool initialised = false;

  Period& Days(ViewMode m) { return days[static_cast<std::size_t>(m)]; }
  const Period& Days(ViewMode m) const { return days[static_cast<std::size_t>(m)]; }
  Period& Days() { return Days(mode); }
  const Period& Days() const { return Days(mode); }

  // The days a newly opened window starts with ("Darstellungszeitraum beim Öffnen der Datei").
  void SetDefaultDays(const CKapibuchDoc& doc);
  // "&Zeit im Depot" of the position selection: the security chart runs from the earliest
  // purchase of the selected positions to the latest of their sale days (today for open
  // ones), not before the account's start day. Nothing changes for an empty selection.
  void ApplyTimeInPortfolio(const CKapibuchDoc& doc);
};

}  // namespace views
