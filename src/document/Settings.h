#pragma once
// The display and print settings of the seven view modes, kept in the portfolio file.
// Lengths are tenths of a millimetre, colours 32-bit RGB (red in the low byte), check
// boxes 0/1, radio groups 0 for the first button.

#include <array>
#include <cstdint>
#include <string>

#include "model/KBXDatum.h"

struct GeneralSettings {
  std::int32_t percentDecimals = 1;
  std::int32_t tableDisplay = 0;  // 0 colour, 1 grey, 2 grid lines
  CKBXDatum periodStartDay;
  CKBXDatum periodEndDay;
  std::int32_t periodStartChoice = 0;  // 0 first day, 1 first of year, 2 first of month, 3 this day
  std::int32_t periodEndChoice = 0;    // 0 today, 1 this day
  // Not stored in the file: every document starts with 12 months.
  std::int32_t holdingPeriodLength = 12;
  std::int32_t holdingPeriodUnit = 1;  // 0 days, 1 months, 2 years
};

struct Margins {
  std::int32_t left = 150;
  std::int32_t right = 150;
  std::int32_t top = 150;
  std::int32_t bottom = 150;
};

// What the tables are sorted by: the values of sortKey, in the order the options list them
// ("Sortieren nach:"). The files store them as these numbers.
enum class HoldingsSort : std::int32_t {
  Name = 0,
  Wkn = 1,
  Quantity = 2,
  PurchaseDate = 3,
  PurchaseValue = 4,
  Commission = 5,
  Cost = 6,
  Value = 7,
  Gain = 8,
  GainPercent = 9,
  Dividend = 10,
  DividendPercent = 11,
  GainWithDividend = 12,
  GainWithDividendPercent = 13,
};

enum class RealisedSort : std::int32_t {
  Name = 0,
  Wkn = 1,
  Quantity = 2,
  PurchaseDate = 3,
  SaleDate = 4,
  PurchaseValue = 5,
  PurchaseCommission = 6,
  Cost = 7,
  SaleValue = 8,
  SaleCommission = 9,
  Proceeds = 10,
  Gain = 11,
  GainPercent = 12,
  Dividend = 13,
  DividendPercent = 14,
  GainWithDividend = 15,
  GainWithDividendPercent = 16,
};

enum class AnalysisSort : std::int32_t {
  Name = 0,
  Wkn = 1,
  Quantity = 2,
  PurchaseDate = 3,
  MinGain = 4,
  CurrentGain = 5,
  MaxGain = 6,
  OverStart = 7,
  OverLow = 8,
  ToHigh = 9,
  FromHigh = 10,
  Share = 11,
};

// Holdings (mode 1) and realised gains (mode 3).
struct TableSettings {
  std::int32_t rowHeight = 50;
  std::int32_t titleHeight = 80;
  std::int32_t columnTitleHeight = 40;
  std::int32_t textSpacing = 30;
  std::int32_t columnMargin = 10;
  std::int32_t fieldSpacing = 10;
  std::string titleTemplate;
  std::string fontName = "Arial";
  std::int32_t columnMask = 0;
  std::int32_t mergePositions = 0;
  std::int32_t includeCommissions = 1;
  std::array<std::int32_t, 9> columnCurrencies{};  // 7 used in mode 1, 9 in mode 3
  std::int32_t sortKey = 0;                        // a HoldingsSort or RealisedSort
  std::int32_t sortDescending = 0;
  Margins margins;
  std::int32_t gridLinesOnlyWhenPrinting = 1;

  static TableSettings Holdings();
  static TableSettings Realised();
};

// Portfolio development (mode 2).
struct DevelopmentSettings {
  // Bits of displayFlags.
  static constexpr std::int32_t kShowPrice = 1 << 0;
  static constexpr std::int32_t kShowPositionGain = 1 << 1;
  static constexpr std::int32_t kShowText = 1 << 2;
  static constexpr std::int32_t kShowValue = 1 << 3;
  static constexpr std::int32_t kShowPortfolioGain = 1 << 4;
  static constexpr std::int32_t kShowBalance = 1 << 5;
  static constexpr std::int32_t kShowLiquidity = 1 << 6;
  static constexpr std::int32_t kShowAssets = 1 << 7;
  static constexpr std::int32_t kShowAssetsGain = 1 << 8;

  std::int32_t rowHeight = 40;
  std::string fontName = "Arial";
  std::int32_t fieldSpacing = 10;
  std::int32_t columnMargin = 10;
  std::int32_t columnSpacing = 20;
  std::string positionLabel = "<STUECK> x <BEZ> (<WKN>)";
  std::int32_t displayFlags = 0x1BD;
  std::int32_t includeCommissions = 1;
  std::int32_t columnPerPosition = 0;
  std::int32_t adjustForCapitalMovements = 0;
  std::int32_t valueCurrency = 0;
  std::int32_t balanceCurrency = 0;
  std::int32_t assetsCurrency = 0;
  std::int32_t portfolioGainForm = 1;
  std::int32_t portfolioGainBasis = 0;
  std::int32_t assetsGainForm = 1;
  std::int32_t assetsGainBasis = 0;
  std::int32_t capitalReference = 0;
  Margins margins;
  std::int32_t gridLinesOnlyWhenPrinting = 1;
};

// Account movements (mode 4).
struct AccountSettings {
  std::int32_t rowHeight = 50;
  std::int32_t titleHeight = 80;
  std::int32_t columnTitleHeight = 40;
  std::int32_t textSpacing = 30;
  std::int32_t columnMargin = 10;
  std::int32_t fieldSpacing = 10;
  std::string titleTemplate = "Kontobewegungen von <STARTDATUM> bis <ENDDATUM> - <KONTONUMMER> - <INHABER>";
  std::string fontName = "Arial";
  std::int32_t columnFlags = 31;
  Margins margins;
  std::int32_t gridLinesOnlyWhenPrinting = 1;
};

// The two charts (modes 5 and 6); currency, adjustment and capital reference are mode 5's.
struct ChartSettings {
  std::int32_t width = 1500;
  std::int32_t height = 1000;
  std::int32_t fontHeight = 40;
  std::int32_t titleHeight = 70;
  std::int32_t textSpacing = 10;
  std::int32_t border = 10;
  std::string titleTemplate;
  std::string fontName = "Arial";
  std::int32_t marginLeft = 150;
  std::int32_t marginTop = 150;
  std::int32_t blackAndWhite = 1;
  std::int32_t currency = 0;
  std::int32_t adjustForCapitalMovements = 0;
  std::int32_t changeAgainstStart = 0;
  std::int32_t capitalReference = 0;
  std::int32_t includeCommissions = 1;
  std::int32_t lineColour = 255;
  std::int32_t lineWidth = 5;

  static ChartSettings Portfolio();
  static ChartSettings Security();
};

// Portfolio analysis (mode 7).
struct AnalysisSettings {
  std::string fontName = "Arial Narrow";
  std::int32_t rowHeight = 45;
  std::int32_t textSpacing = 5;
  std::int32_t border = 10;
  std::int32_t mergePositions = 0;
  std::int32_t includeCommissions = 1;
  std::int32_t includeDividends = 0;
  std::int32_t columnWidth = 140;
  std::int32_t firstColumnWidth = 300;
  std::int32_t sortKey = static_cast<std::int32_t>(AnalysisSort::PurchaseDate);
  std::int32_t sortDescending = 0;
  Margins margins;
};

struct ViewSettings {
  GeneralSettings general;
  TableSettings holdings = TableSettings::Holdings();
  DevelopmentSettings development;
  TableSettings realised = TableSettings::Realised();
  AccountSettings account;
  ChartSettings portfolioChart = ChartSettings::Portfolio();
  ChartSettings securityChart = ChartSettings::Security();
  AnalysisSettings analysis;
};

// Visits the stored settings in their file order, items 4 to 149 of the portfolio file
// (reserved fields included), each with a stable name. V provides
//   int32(name, std::int32_t&), text(name, std::string&), reserved().
template <typename V>
void VisitStoredSettings(V& v, ViewSettings& s) {
  v.reserved();
  GeneralSettings& g = s.general;
  v.int32("general.tableDisplay", g.tableDisplay);
  v.int32("general.percentDecimals", g.percentDecimals);
  v.int32("general.periodStartChoice", g.periodStartChoice);
  v.int32("general.periodEndChoice", g.periodEndChoice);
  v.reserved();

  const auto table = [&v](const char* mode, TableSettings& t) {
    const std::string p = mode;
    v.int32(p + ".rowHeight", t.rowHeight);
    v.int32(p + ".titleHeight", t.titleHeight);
    v.int32(p + ".columnTitleHeight", t.columnTitleHeight);
    v.int32(p + ".textSpacing", t.textSpacing);
    v.int32(p + ".columnMargin", t.columnMargin);
    v.int32(p + ".fieldSpacing", t.fieldSpacing);
    v.text(p + ".titleTemplate", t.titleTemplate);
    v.text(p + ".fontName", t.fontName);
    v.int32(p + ".columnMask", t.columnMask);
    v.int32(p + ".mergePositions", t.mergePositions);
    v.int32(p + ".includeCommissions", t.includeCommissions);
    v.int32(p + ".sortKey", t.sortKey);
    v.int32(p + ".sortDescending", t.sortDescending);
    v.int32(p + ".marginLeft", t.margins.left);
    v.int32(p + ".marginRight", t.margins.right);
    v.int32(p + ".marginTop", t.margins.top);
    v.int32(p + ".marginBottom", t.margins.bottom);
    v.int32(p + ".gridLinesOnlyWhenPrinting", t.gridLinesOnlyWhenPrinting);
  };
  table("holdings", s.holdings);
  v.reserved();

  DevelopmentSettings& d = s.development;
  v.int32("development.rowHeight", d.rowHeight);
  v.text("development.fontName", d.fontName);
  v.int32("development.fieldSpacing", d.fieldSpacing);
  v.int32("development.columnMargin", d.columnMargin);
  v.int32("development.columnSpacing", d.columnSpacing);
  v.text("development.positionLabel", d.positionLabel);
  v.int32("development.displayFlags", d.displayFlags);
  v.int32("development.includeCommissions", d.includeCommissions);
  v.int32("development.columnPerPosition", d.columnPerPosition);
  v.int32("development.adjustForCapitalMovements", d.adjustForCapitalMovements);
  v.int32("development.valueCurrency", d.valueCurrency);
  v.int32("development.balanceCurrency", d.balanceCurrency);
  v.int32("development.assetsCurrency", d.assetsCurrency);
  v.int32("development.portfolioGainForm", d.portfolioGainForm);
  v.int32("development.portfolioGainBasis", d.portfolioGainBasis);
  v.int32("development.assetsGainForm", d.assetsGainForm);
  v.int32("development.assetsGainBasis", d.assetsGainBasis);
  v.int32("development.capitalReference", d.capitalReference);
  v.int32("development.marginLeft", d.margins.left);
  v.int32("development.marginRight", d.margins.right);
  v.int32("development.marginTop", d.margins.top);
  v.int32("development.marginBottom", d.margins.bottom);
  v.int32("development.gridLinesOnlyWhenPrinting", d.gridLinesOnlyWhenPrinting);
  v.reserved();

  table("realised", s.realised);
  v.reserved();

  AccountSettings& a = s.account;
  v.int32("account.rowHeight", a.rowHeight);
  v.int32("account.titleHeight", a.titleHeight);
  v.int32("account.columnTitleHeight", a.columnTitleHeight);
  v.int32("account.textSpacing", a.textSpacing);
  v.int32("account.columnMargin", a.columnMargin);
  v.int32("account.fieldSpacing", a.fieldSpacing);
  v.text("account.titleTemplate", a.titleTemplate);
  v.text("account.fontName", a.fontName);
  v.int32("account.columnFlags", a.columnFlags);
  v.int32("account.marginLeft", a.margins.left);
  v.int32("account.marginRight", a.margins.right);
  v.int32("account.marginTop", a.margins.top);
  v.int32("account.marginBottom", a.margins.bottom);
  v.int32("account.gridLinesOnlyWhenPrinting", a.gridLinesOnlyWhenPrinting);

  const auto chart = [&v](const std::string& p, ChartSettings& c, bool portfolio) {
    v.int32(p + ".width", c.width);
    v.int32(p + ".height", c.height);
    v.int32(p + ".fontHeight", c.fontHeight);
    v.int32(p + ".titleHeight", c.titleHeight);
    v.int32(p + ".textSpacing", c.textSpacing);
    v.int32(p + ".border", c.border);
    v.text(p + ".titleTemplate", c.titleTemplate);
    v.text(p + ".fontName", c.fontName);
    v.int32(p + ".marginLeft", c.marginLeft);
    v.int32(p + ".marginTop", c.marginTop);
    v.int32(p + ".blackAndWhite", c.blackAndWhite);
    if (portfolio) {
      v.int32(p + ".currency", c.currency);
      v.int32(p + ".adjustForCapitalMovements", c.adjustForCapitalMovements);
    }
    v.int32(p + ".changeAgainstStart", c.changeAgainstStart);
    if (portfolio) v.int32(p + ".capitalReference", c.capitalReference);
    v.int32(p + ".includeCommissions", c.includeCommissions);
    v.int32(p + ".lineColour", c.lineColour);
    v.int32(p + ".lineWidth", c.lineWidth);
  };
  chart("portfolioChart", s.portfolioChart, true);
  chart("securityChart", s.securityChart, false);

  AnalysisSettings& n = s.analysis;
  v.text("analysis.fontName", n.fontName);
  v.int32("analysis.rowHeight", n.rowHeight);
  v.int32("analysis.textSpacing", n.textSpacing);
  v.int32("analysis.border", n.border);
  v.int32("analysis.mergePositions", n.mergePositions);
  v.int32("analysis.includeCommissions", n.includeCommissions);
  v.int32("analysis.includeDividends", n.includeDividends);
  v.int32("analysis.columnWidth", n.columnWidth);
  v.int32("analysis.firstColumnWidth", n.firstColumnWidth);
  v.int32("analysis.sortKey", n.sortKey);
  v.int32("analysis.sortDescending", n.sortDescending);
  v.int32("analysis.marginLeft", n.margins.left);
  v.int32("analysis.marginRight", n.margins.right);
  v.int32("analysis.marginTop", n.margins.top);
  v.int32("analysis.marginBottom", n.margins.bottom);

  for (int i = 0; i < 7; ++i) {
    v.int32("holdings.columnCurrency" + std::to_string(i + 1),
            s.holdings.columnCurrencies[static_cast<std::size_t>(i)]);
  }
  for (int i = 0; i < 9; ++i) {
    v.int32("realised.columnCurrency" + std::to_string(i + 1),
            s.realised.columnCurrencies[static_cast<std::size_t>(i)]);
  }
}
