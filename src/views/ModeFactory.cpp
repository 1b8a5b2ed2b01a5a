#include "views/ModeFactory.h"

#include "views/AccountMode.h"
#include "views/AnalysisMode.h"
#include "views/ChartMode.h"
#include "views/DevelopmentMode.h"
#include "views/HoldingsMode.h"
#include "views/RealisedMode.h"
#include "views/ReturnsMode.h"
#include "views/YearlyMode.h"

namespace views {

std::unique_ptr<ModeView> CreateModeView(ViewMode mode, const CKapibuchDoc& doc) {
  switch (mode) {
    case ViewMode::Holdings:
      return std::make_unique<HoldingsMode>(doc);
    case ViewMode::Development:
      return std::make_unique<DevelopmentMode>(doc);
    case ViewMode::Realised:
      return std::make_unique<RealisedMode>(doc);
    case ViewMode::Account:
      return std::make_unique<AccountMode>(doc);
    case ViewMode::PortfolioChart:
      return std::make_unique<PortfolioChartMode>(doc);
    case ViewMode::SecurityChart:
      return std::make_unique<SecurityChartMode>(doc);
    case ViewMode::Analysis:
      return std::make_unique<AnalysisMode>(doc);
    case ViewMode::Returns:
      return std::make_unique<ReturnsMode>(doc);
    case ViewMode::Yearly:
      return std::make_unique<YearlyMode>(doc);
  }
  return nullptr;
}

}  // namespace views
