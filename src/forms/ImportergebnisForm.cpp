#include "forms/ImportergebnisForm.h"

#include <algorithm>

#include "model/KBXKursverlauf.h"

ImportergebnisForm::ImportergebnisForm(const CKapibuchDoc& doc, CKBXKursverlauf result,
                                       const std::vector<CKBXDatum>& implausible,
                                       std::vector<priceio::SkippedLine> skipped)
    : m_result(std::move(result)), m_skipped(std::move(skipped)) {
  for (const CKBXKurs& point : m_result.Points()) {
    if (doc.IsHeldOn(m_result.Name(), m_result.Wkn(), point.Date())) m_held.push_back(point);
  }
  for (const CKBXDatum& day : implausible) {
    m_implausible.insert(day.Day());
    m_untaken.insert(day.Day());
  }
}

void ImportergebnisForm::SetTaken(CKBXDatum day, bool taken) {
  if (taken)
    m_untaken.erase(day.Day());
  else
    m_untaken.insert(day.Day());
}

std::string ImportergebnisForm::CountLine() const {
  const auto taken =
      std::count_if(Shown().begin(), Shown().end(), [this](const CKBXKurs& p) { return Taken(p.Date()); });
  return std::to_string(taken) + " Kurse gefunden";
}

PriceChange ImportergebnisForm::Change() const {
  std::vector<PriceChange::Entry> entries;
  for (const CKBXKurs& point : Shown()) {
    if (Taken(point.Date())) entries.push_back({Name(), Wkn(), point.Date(), point.Price()});
  }
  return PriceChange("Kursimport " + Name(), std::move(entries));
}
