#pragma once
// "Wertpapierposition(en) auswählen": the positions drawn by the security chart.

#include <string>
#include <vector>

#include "document/KapibuchDoc.h"

class PositionAuswahlForm {
 public:
  static constexpr int kHelpTopic = 4001;
  static constexpr const char* kCaption = "Wertpapierposition(en) auswählen";
  enum Period { kTimeInPortfolio = 0, kUnchanged = 1 };

  struct Row {
    int position;  // the position's number
    std::string name, wkn, purchaseDate, saleDate, quantity, purchasePrice;
    bool marked = false;
  };

  // Rows sorted by name; the positions of the incoming selection are marked.
  PositionAuswahlForm(const CKapibuchDoc& doc, const std::vector<int>& selection);

  const std::vector<Row>& Rows() const { return m_rows; }
  void Mark(std::size_t row, bool marked);
  Period period = kTimeInPortfolio;
  // The marked positions, top to bottom.
  std::vector<int> Selection() const;

 private:
  std::vector<Row> m_rows;
};
