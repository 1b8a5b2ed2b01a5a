#include "document/Settings.h"

TableSettings TableSettings::Holdings() {
  TableSettings t;
  t.titleTemplate = "Depotbestand am <DATUM> - <DEPOTNUMMER> - <INHABER>";
  t.columnMask = 0x1FFFF;
  t.mergePositions = 1;
  t.sortKey = static_cast<std::int32_t>(HoldingsSort::PurchaseDate);
  return t;
}

TableSettings TableSettings::Realised() {
  TableSettings t;
  t.titleTemplate =
      "Realisierte Gewinne und Verluste von <STARTDATUM> bis <ENDDATUM> - <DEPOTNUMMER> - <INHABER>";
  t.columnMask = 0xFFFFF;
  t.mergePositions = 0;
  t.sortKey = static_cast<std::int32_t>(RealisedSort::SaleDate);
  return t;
}

ChartSettings ChartSettings::Portfolio() {
  ChartSettings c;
  c.titleTemplate = "<STANDARDTITEL> - <INHABER>";
  return c;
}

ChartSettings ChartSettings::Security() {
  ChartSettings c;
  c.titleTemplate = "<STANDARDTITEL> - <BEZEICHNUNGEN>";
  return c;
}
