#pragma once
// The view modes of a window and what each means for the period bar, the menus and the
// command line. A mode number (as the command line and the options name them) is read in
// one place only, ModeFromNumber, a mode's name on the command line in ModeFromName;
// everything else asks a mode's traits.

#include <optional>
#include <string_view>
#include <vector>

#include "model/KBXDatum.h"

namespace views {

enum class ViewMode {
  Holdings = 1,    // "Depotbestand"
  Development,     // "Depotentwicklung"
  Realised,        // "Realisierte G+V"
  Account,         // "Kontobewegungen"
  PortfolioChart,  // "Grafik - Depotentwicklung"
  SecurityChart,   // "Grafik - Wertpapier"
  Analysis,        // "Depotanalyse"
  Returns,         // "Rendite"
  Yearly,          // "Jahresübersicht"
};
inline constexpr int kModeCount = 9;

// Which days a mode works on.
enum class PeriodKind {
  Day,          // one day: "Depotbestand am"
  Range,        // first and last day: "... von ... bis"
  DayAndStart,  // a day and a start day on or before it: "Depotanalyse am ... ab"
  Years,        // the years of a first and a last day: "Jahresübersicht von [Jahr] bis [Jahr]"
};

// How far back the first day of a mode may go.
enum class EarliestDay { Any, AccountStart };

// Which chart series a mode draws (and so which choices the period bar offers).
enum class SeriesChoice { None, Portfolio, Security };

struct ModeTraits {
  ViewMode mode;
  const char* title;        // window titles and status texts: "Depotbestand"
  const char* name;         // the command line's name of the mode (--mode): "bestand"
  const char* menuText;     // "Depot&bestand"
  char key;                 // Strg+key in the "Ansicht" menu
  const char* toolText;     // the tool bar button's text: "Bestand"
  const char* icon;         // the tool bar icon's name
  const char* firstLabel;   // period bar: "Depotbestand am"
  const char* secondLabel;  // "bis", "ab", or empty for one day
  PeriodKind period;
  EarliestDay earliest;  // of the first day (Range) or of the start day (DayAndStart)
  int minimumDays;       // a chart needs two days: its last day lies after its first
  SeriesChoice series;
  int optionsPage;  // the page of "Optionen" a window of this mode opens on
};

// Every mode, in the order of the "Ansicht" menu.
const std::vector<ModeTraits>& AllModes();
const ModeTraits& Traits(ViewMode mode);
std::optional<ViewMode> ModeFromNumber(int number);
// The mode a name of the command line names, case ignored ("Rendite", "rendite").
std::optional<ViewMode> ModeFromName(std::string_view name);
int ModeNumber(ViewMode mode);

// The days of one mode: a day, or a period, or a day and its start day (see PeriodKind).
struct Period {
  CKBXDatum first;
  CKBXDatum second;
};

// The year of a day, and the first and last day of a year within the valid days (years
// outside 1970..2037 are taken as the nearest of them).
int YearOf(CKBXDatum day);
CKBXDatum FirstDayOfYear(int year);
CKBXDatum LastDayOfYear(int year);

// The range each day picker of the period bar allows, for a mode's days (for years: the
// days whose years the year fields allow).
struct PeriodLimits {
  CKBXDatum firstMinimum, firstMaximum;
  CKBXDatum secondMinimum, secondMaximum;
};
PeriodLimits LimitsOf(const ModeTraits& traits, const Period& days, CKBXDatum accountStart);

}  // namespace views
