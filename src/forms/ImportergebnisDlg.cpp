#include "forms/ImportergebnisDlg.h"

#include "model/KBXKursverlauf.h"

CImportergebnisDlg::CImportergebnisDlg(const CKapibuchDoc& doc, CKBXKursverlauf result)
    : m_result(std::move(result)) {
  for (const CKBXKurs& point : m_result.Points()) {
    if (doc.IsHeldOn(m_result.Name(), m_result.Wkn(), point.Date())) m_held.push_back(point);
  }
}

std::string CImportergebnisDlg::CountLine() const {
  return std::to_string(Shown().size()) + " Kurse gefunden";
}

bool CImportergebnisDlg::OnOK(CKapibuchDoc& doc) const {
  bool changed = false;
  for (const CKBXKurs& point : Shown()) changed |= doc.SetPrice(Name(), Wkn(), point.Date(), point.Price());
  return changed;
}
