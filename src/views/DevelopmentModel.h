#pragma once
// The values of the portfolio development view (mode 2) for a period: which positions get a
// column, and every day's texts of the Depot, Konto and Vermögen groups.

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "document/KapibuchDoc.h"
#include "platform/Surface.h"

namespace views {

// The six group sub-columns.
enum DevelopmentColumn { kDepotValue, kDepotGain, kBalance, kLiquidity, kWealth, kWealthGain };

// One position's place in the table: rows counted from the start day.
struct PositionSpan {
  int column = -1;
  int firstRow = 0;
  int lastRow = -1;  // the last row with prices
  int saleRow = -1;  // the sale day's row, or -1
};

// The figures behind one day's six texts.
struct DevelopmentFigures {
  std::int64_t value = 0;        // P in the value currency
  std::int64_t valueBasis = 0;   // what P's gain is measured against
  std::int64_t balance = 0;      // B in the balance currency
  std::int64_t balanceEur = 0;   // B in EUR, the liquidity ratio's share
  std::int64_t assetsEur = 0;    // P + B in EUR, the liquidity ratio's whole
  std::int64_t wealth = 0;       // W in the wealth currency
  std::int64_t wealthBasis = 0;  // what W's gain is measured against
};

// What a sub-column's text grows with: its amount, or its percentage (the other is 0). The
// text of a larger key is never shorter than that of a smaller one of the same sign.
using DevelopmentKey = std::pair<double, std::int64_t>;

// The values of one day as the view shows them.
struct DevelopmentDay {
  std::array<std::string, 6> texts;
  std::int64_t value = 0;   // P in the value currency
  std::int64_t wealth = 0;  // W in the wealth currency
};

struct DevelopmentMeasures;

class DevelopmentModel {
 public:
  DevelopmentModel(const CKapibuchDoc& doc, CKBXDatum start, CKBXDatum end);

  const CKapibuchDoc& Doc() const { return m_doc; }
  CKBXDatum Start() const { return m_start; }
  CKBXDatum End() const { return m_end; }
  int Days() const { return static_cast<int>(m_end.Day() - m_start.Day()) + 1; }
  const DevelopmentSettings& Settings() const { return m_doc.settings.development; }
  bool Shows(int bit) const { return (Settings().displayFlags >> bit) & 1; }
  bool ShowsSub(DevelopmentColumn column) const { return Shows(3 + column); }

  // Which positions get a column, and where.
  const std::vector<PositionSpan>& Spans() const { return m_spans; }
  int PositionColumns() const { return m_positionColumns; }

  DevelopmentDay Day(CKBXDatum day) const;
  // The figures without the texts, and a sub-column's text and key made from them (no key
  // when the text is empty).
  DevelopmentFigures Figures(CKBXDatum day) const;
  std::string Text(DevelopmentColumn column, const DevelopmentFigures& figures) const;
  std::optional<DevelopmentKey> Key(DevelopmentColumn column, const DevelopmentFigures& figures) const;
  // Price and gain texts of a position on a row (empty without a price point), and the
  // sale row's texts.
  // (Positions by their index in the document's position list.)
  std::pair<std::string, std::string> PositionCells(std::size_t position, CKBXDatum day) const;
  // The same texts for a price already looked up (-1: none).
  std::pair<std::string, std::string> PriceCells(std::size_t position, std::int32_t price) const;
  std::pair<std::string, std::string> SaleCells(std::size_t position) const;
  // The price history of a position (or nullptr).
  const CKBXKursverlauf* HistoryOf(std::size_t position) const { return m_histories[position]; }
  // The rotated text of a position's strip.
  std::string PositionText(const CKBXAktie& position) const;
  // The two caption lines of a group sub-column.
  std::pair<std::string, std::string> Caption(DevelopmentColumn column) const;

 private:
  std::int64_t PortfolioValue(CKBXDatum day) const;
  std::int64_t Balance(CKBXDatum day) const;
  std::int64_t Wealth(CKBXDatum day) const;
  std::int64_t PurchaseBasis(const CKBXAktie& position) const;

  const CKapibuchDoc& m_doc;
  CKBXDatum m_start;
  CKBXDatum m_end;
  std::vector<PositionSpan> m_spans;
  std::vector<const CKBXKursverlauf*> m_histories;  // per position
  std::vector<std::int64_t> m_basis;                // per position: PurchaseBasis
  int m_positionColumns = 0;

  friend DevelopmentMeasures MeasureDevelopmentColumns(platform::Surface&, const DevelopmentModel&);
};

}  // namespace views
