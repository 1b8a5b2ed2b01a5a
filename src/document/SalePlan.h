#pragma once
// What a sale will change, worked out before anything changes: the positions it sells,
// each with its quantity and its share of the commission, and the sums they will hold.

#include <cstdint>
#include <vector>

#include "document/KapibuchDoc.h"

class SalePlan {
 public:
  // One sold position: the quantity it gives and its share of the commission.
  struct Part {
    CKBXAktie* position;
    std::int64_t sold;
    std::int64_t commission;
  };

  // Positions by their numbers; open positions only, zero quantities left out.
  SalePlan(const CKapibuchDoc& doc, const std::vector<SaleAllocation>& allocation, const SaleTerms& terms);

  const std::vector<Part>& Parts() const { return m_parts; }
  // The quantity of the whole sale and its value, as the account books it.
  std::int64_t Total() const { return m_total; }
  std::int64_t Value() const;
  // A position's sale-proceeds sum after the sale.
  SplitAmount Proceeds(const Part& part) const;
  // Whether the account's booking and every sold position's proceeds fit the file's
  // 32-bit fields (a partial sale only divides sums, so nothing else grows).
  bool Fits(const CKBXKonto& account) const;

 private:
  SaleTerms m_terms;
  std::vector<Part> m_parts;
  std::int64_t m_total = 0;
};
