#include "forms/KurseExportierenForm.h"

#include "base/FileSaver.h"
#include "model/KBXKursverlauf.h"
#include "priceio/PriceExport.h"

using forms::Field;

KurseExportierenForm::KurseExportierenForm(const CKapibuchDoc& doc) : m_doc(doc) {
  forms::FillHistoryLists(doc, m_names, m_wkns);
}

void KurseExportierenForm::ChooseName(const std::string& name) {
  forms::ChooseHistory(m_doc, name, {}, true, m_name, m_wkn);
}

void KurseExportierenForm::ChooseWkn(const std::string& wkn) {
  forms::ChooseHistory(m_doc, {}, wkn, false, m_name, m_wkn);
}

void KurseExportierenForm::ChooseSecurity(const std::string& name, const std::string& wkn) {
  const CKBXKursverlauf* history = m_doc.FindHistory(name, wkn);
  m_name = history ? name : std::string();
  m_wkn = history ? wkn : std::string();
}

bool KurseExportierenForm::StartExport(platform::Prompter& prompter) {
  if (m_name.empty()) {
    m_focus = Field::Name;
    prompter.Tell(forms::kAppCaption,
                  "Bitte wählen Sie ein Wertpapier aus, für das Sie die Kursdaten exportieren möchten!");
    return false;
  }
  if (fileName.empty()) {
    m_focus = Field::Text;
    prompter.Tell(
        forms::kAppCaption,
        "Bitte geben Sie den Dateinamen einer Textdatei an, in die Sie die Kursdaten exportieren möchten!");
    return false;
  }
  // A portfolio file (this one or another) is never overwritten with prices.
  if (CKapibuchDoc::IsPortfolioFile(fileName)) {
    m_focus = Field::Text;
    prompter.Tell(forms::kAppCaption,
                  "Die Datei \"" + fileName +
                      "\" ist eine Kapitalbuch-Datei und wird nicht mit Kursdaten überschrieben. Bitte "
                      "geben Sie den Dateinamen einer Textdatei an.",
                  platform::Icon::Exclamation);
    return false;
  }
  CKBXKursverlauf none(m_name, m_wkn);
  const CKBXKursverlauf* history = m_doc.FindHistory(m_name, m_wkn);
  const std::string bytes = priceio::ExportPrices(history ? *history : none, {withName, withWkn, separator});
  // A regular file is written beside itself and renamed over (a failed export leaves no half
  // file); a FIFO or a device is written directly. Read-only targets are refused.
  if (FileSaver(fileName).Export(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                           bytes.size())) != FileSaver::Status::Ok) {
    prompter.Tell(forms::kAppCaption, "Datei kann nicht geöffnet werden!", platform::Icon::Exclamation);
    return false;
  }
  prompter.Tell(forms::kAppCaption, "Kurse wurden exportiert.");
  return true;
}
