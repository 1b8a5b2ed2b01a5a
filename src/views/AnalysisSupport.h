#pragma once
// What the analysis view's screen and printing share: the table's rows, the blocks that
// printing never splits, and the drawing of the table wherever its pieces are placed.

#include <array>
#include <cstddef>
#include <vector>

#include "views/AnalysisView.h"

namespace views::analysis {

constexpr int kRows = 41;

// The 21 blocks that printing never splits: first table row and number of rows.
struct Block {
  int first, count;
};
constexpr std::array<Block, 21> kBlocks = {{{1, 1},  {2, 1},  {3, 1},  {4, 1},   {5, 1},  {6, 1},   {7, 1},
                                            {8, 1},  {9, 1},  {10, 1}, {11, 1},  {12, 1}, {13, 10}, {23, 1},
                                            {24, 1}, {25, 1}, {26, 1}, {27, 10}, {37, 1}, {38, 3},  {41, 1}}};

// Where the pieces of the table lie on this surface.
struct Placement {
  int labelLeft = 0;
  std::vector<int> columnX;             // per position column; -1 when not drawn
  std::array<int, kRows + 1> rowTop{};  // per table row 1..41; INT_MIN when not drawn
  bool printing = false;
  std::size_t FirstColumn() const {
    for (std::size_t k = 0; k < columnX.size(); ++k) {
      if (columnX[k] >= 0) return k;
    }
    return columnX.size();
  }
  std::size_t LastColumn() const {
    for (std::size_t k = columnX.size(); k > 0; --k) {
      if (columnX[k - 1] >= 0) return k - 1;
    }
    return columnX.size();
  }
};

void DrawAnalysisTable(platform::Surface& surface, const CKapibuchDoc& doc, CKBXDatum day, CKBXDatum start,
                       const std::vector<HoldingsRow>& rows, const AnalysisScales& scales,
                       const Placement& p);

}  // namespace views::analysis
