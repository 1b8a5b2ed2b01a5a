#pragma once
// The values of the portfolio development view (mode 2) for a period: which positions get a
// column, and every day's texts of the Depot, Konto and Vermögen groups.

#include <array>
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
  // Price and gain texts of a position on a row (empty without a price point), and the
  // sale row's texts.
  // (Positions by their index in the document's position list.)
  std::pair<std::string, std::string> PositionCells(std::size_t position, CKBXDatum day) const;
  std::pair<std::string, std::string> SaleCells(std::size_t position) const;
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
  int m_positionColumns = 0;

  friend DevelopmentMeasures MeasureDevelopmentColumns(platform::Surface&, const DevelopmentModel&);
};

}  // namespace views
