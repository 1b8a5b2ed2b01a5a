#include "views/ViewMode.h"

#include <algorithm>

namespace views {

const std::vector<ModeTraits>& AllModes() {
  using enum ViewMode;
  static const std::vector<ModeTraits> modes = {
      {Holdings, "Depotbestand", "bestand", "Depot&bestand", '1', "Bestand", "bestand", "Depotbestand am", "",
       PeriodKind::Day, EarliestDay::Any, 1, SeriesChoice::None, 1},
      {Realised, "Realisierte G+V", "realisiert", "Realisierte &G+V", '2', "G+V", "guv",
       "Realisierte G+V von", "bis", PeriodKind::Range, EarliestDay::Any, 1, SeriesChoice::None, 3},
      {Development, "Depotentwicklung", "entwicklung", "&Depotentwicklung", '3', "Entwicklung", "entwicklung",
       "Depotentwicklung von", "bis", PeriodKind::Range, EarliestDay::AccountStart, 1, SeriesChoice::None, 5},
      {Analysis, "Depotanalyse", "analyse", "D&epotanalyse", '4', "Analyse", "analyse", "Depotanalyse am",
       "ab", PeriodKind::DayAndStart, EarliestDay::AccountStart, 1, SeriesChoice::None, 7},
      {Account, "Kontobewegungen", "konto", "&Kontobewegungen", '5', "Konto", "kontobewegungen",
       "Kontobewegungen von", "bis", PeriodKind::Range, EarliestDay::AccountStart, 1, SeriesChoice::None, 8},
      {PortfolioChart, "Grafik - Depotentwicklung", "depotgrafik", "G&rafik - Depotentwicklung", '6',
       "Grafik", "grafik", "Depotgrafik von", "bis", PeriodKind::Range, EarliestDay::AccountStart, 2,
       SeriesChoice::Portfolio, 9},
      {SecurityChart, "Grafik - Wertpapier", "wertpapiergrafik", "Grafik - &Wertpapier", '7', "Wertpapier",
       "wertpapier", "Wertpapiergrafik von", "bis", PeriodKind::Range, EarliestDay::Any, 2,
       SeriesChoice::Security, 10},
      // No settings of its own: it is laid out with the holdings table's settings.
      {Returns, "Rendite", "rendite", "Rend&ite", '8', "Rendite", "rendite", "Rendite von", "bis",
       PeriodKind::Range, EarliestDay::AccountStart, 1, SeriesChoice::None, 1},
      // Laid out with the holdings table's settings too.
      {Yearly, "Jahresübersicht", "jahresuebersicht", "&Jahresübersicht", '9', "Jahre", "jahre",
       "Jahresübersicht von", "bis", PeriodKind::Years, EarliestDay::AccountStart, 1, SeriesChoice::None, 1},
  };
  return modes;
}

const ModeTraits& Traits(ViewMode mode) {
  const auto& modes = AllModes();
  return *std::find_if(modes.begin(), modes.end(), [mode](const ModeTraits& t) { return t.mode == mode; });
}

std::optional<ViewMode> ModeFromNumber(int number) {
  if (number < 1 || number > kModeCount) return std::nullopt;
  return static_cast<ViewMode>(number);
}

std::optional<ViewMode> ModeFromName(std::string_view name) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (const ModeTraits& traits : AllModes()) {
    const std::string_view own = traits.name;
    if (own.size() == name.size() &&
        std::equal(own.begin(), own.end(), name.begin(), [&](char a, char b) { return a == lower(b); }))
      return traits.mode;
  }
  return std::nullopt;
}

int ModeNumber(ViewMode mode) {
  return static_cast<int>(mode);
}

int YearOf(CKBXDatum day) {
  int d = 0, m = 0, y = 0;
  day.Split(d, m, y);
  return y;
}

namespace {
constexpr int kFirstYear = 1970;
constexpr int kLastYear = 2037;
}  // namespace

CKBXDatum FirstDayOfYear(int year) {
  CKBXDatum day(1u);  // 2 January 1970: the first valid day
  if (year > kFirstYear) day.Set(1, 1, std::min(year, kLastYear));
  return day;
}

CKBXDatum LastDayOfYear(int year) {
  CKBXDatum day;
  day.Set(31, 12, std::clamp(year, kFirstYear, kLastYear));
  return day;
}

PeriodLimits LimitsOf(const ModeTraits& traits, const Period& days, CKBXDatum accountStart) {
  const CKBXDatum firstDay(1u);
  CKBXDatum lastDay;
  lastDay.Set(18, 1, 2038);
  const CKBXDatum earliest = traits.earliest == EarliestDay::AccountStart ? accountStart : firstDay;
  PeriodLimits limits;
  switch (traits.period) {
    case PeriodKind::Day:
      limits = {firstDay, lastDay, firstDay, lastDay};
      break;
    case PeriodKind::Range: {
      // A chart's period spans at least two days.
      const std::uint32_t gap = static_cast<std::uint32_t>(std::max(traits.minimumDays, 1) - 1);
      const CKBXDatum before(days.second.Day() > gap ? days.second.Day() - gap : days.second.Day());
      limits = {earliest, before, CKBXDatum(days.first.Day() + gap), lastDay};
      break;
    }
    case PeriodKind::DayAndStart:
      limits = {days.second, lastDay, earliest, days.first};
      break;
    case PeriodKind::Years:
      // Whole years: the first year runs up to the last, the last from the first on.
      limits = {earliest, LastDayOfYear(YearOf(days.second)), FirstDayOfYear(YearOf(days.first)),
                LastDayOfYear(kLastYear)};
      break;
  }
  limits.firstMaximum = std::max(limits.firstMinimum, limits.firstMaximum);
  limits.secondMaximum = std::max(limits.secondMinimum, limits.secondMaximum);
  return limits;
}

}  // namespace views
