#pragma once
// "Optionen": the display options of all seven views, edited on a copy and copied back on OK.

#include <string>
#include <vector>

#include "document/KapibuchDoc.h"

namespace forms {

// A length shown in centimetres ("1,50 cm" for 150 tenths of a millimetre).
std::string FormatLength(int tenths);
// Reads a typed length (2, "1,5 cm", "15 mm") in tenths of a millimetre, clamped to the
// range; an unreadable text gives the minimum.
int ParseLength(const std::string& text, int minimum, int maximum);

}  // namespace forms

class COptionenSheet {
 public:
  static constexpr const char* kCaption = "Optionen";
  static constexpr const char* kPageCaptions[11] = {
      "Allgemein",           "Depotbestand (1)",          "Depotbestand (2)",     "Realisierte G+V (1)",
      "Realisierte G+V (2)", "Depotentwicklung (1)",      "Depotentwicklung (2)", "Depotanalyse",
      "Kontobewegungen",     "Grafik - Depotentwicklung", "Grafik - Wertpapier"};
  static constexpr int kHelpTopics[11] = {2501, 2502, 2522, 2503, 2523, 2504, 2524, 2505, 2506, 2507, 2508};

  explicit COptionenSheet(const CKapibuchDoc& doc) : settings(doc.settings) {}
  // The page the sheet opens on for a window's view mode.

  // The copy the pages edit.
  ViewSettings settings;

  // OK: every value back into the document, which is then modified and redrawn.
  void OnOK(CKapibuchDoc& doc) const;
};
