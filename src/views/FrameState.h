#pragma once
// What one window holds for its document: the view mode, each mode's day or period, the
// rows of the table views with their screen column layout, and the chart choices. The
// desktop program's child frame owns one; kapibuch-cli makes one per command.

#include <vector>

#include "document/KapibuchDoc.h"
#include "views/KBXAktieImDepot.h"
#include "views/KBXAktieVerkauft.h"
#include "views/KBXKontoTransaktionAnzg.h"
#include "views/Table.h"

namespace views {

struct FrameState {
  int mode = 1;
  CKBXDatum holdingsDay;
  CKBXDatum developmentStart, developmentEnd;
  CKBXDatum realisedStart, realisedEnd;
  CKBXDatum accountStart, accountEnd;
  CKBXDatum portfolioChartStart, portfolioChartEnd;
  CKBXDatum securityChartStart, securityChartEnd;
  CKBXDatum analysisDay, analysisStart;
  int portfolioSeries = 0;
  int securitySeries = 0;
  std::vector<int> selection;  // indexes into the document's positions
  bool initialised = false;

  // Rows of modes 1 and 7, 3 and 4, and the screen column layout of the table modes.
  std::vector<CKBXAktieImDepot> positions;
  std::vector<CKBXAktieVerkauft> realised;
  std::vector<CKBXKontoTransaktionAnzg> accountRows;
  ColumnLayout layout;

  // The days a newly opened window starts with ("Darstellungszeitraum beim Öffnen der Datei").
  void SetDefaultDays(const CKapibuchDoc& doc);
  // "&Zeit im Depot" of the position selection: the security chart runs from the earliest
  // purchase of the selected positions to the latest of their sale days (today for open
  // ones), not before the account's start day. Nothing changes for an empty selection.
  void ApplyTimeInPortfolio(const CKapibuchDoc& doc);
};

}  // namespace views
