#include "forms/KurseImportierenForm.h"

#include <algorithm>

#include "base/SafeFile.h"
#include "forms/ImportergebnisForm.h"
#include "forms/StoredFormats.h"
#include "model/KBXKursverlauf.h"
#include "priceio/FormatMatcher.h"
#include "priceio/PriceExport.h"

using forms::Field;

// ------------------------------------------------------------------- Importergebnis

// ---------------------------------------------------------------- Kurse importieren

KurseImportierenForm::KurseImportierenForm(CKapibuchDoc& doc, platform::SettingsStore& settings)
    : m_doc(doc), m_settings(settings) {
  forms::FillHistoryLists(doc, m_names, m_wkns);
  forms::StoredFormats stored = forms::LoadStoredFormats(settings);
  m_formats = std::move(stored.formats);
  m_formatsDamaged = stored.damaged;
  if (doc.lastImportSecurity >= -1) {
    fileName = doc.lastImportFile;
    m_description = doc.lastImportFormat;
  } else if (!m_formats.empty()) {
    m_description = m_formats.front().second;
  }
  if (doc.lastImportSecurity >= 0 &&
      static_cast<std::size_t>(doc.lastImportSecurity) < doc.Histories().size()) {
    const auto& h = doc.Histories()[static_cast<std::size_t>(doc.lastImportSecurity)];
    m_name = h->Name();
    m_wkn = h->Wkn();
  }
  MatchDescription();
}

void KurseImportierenForm::ChooseName(const std::string& name) {
  forms::ChooseHistory(m_doc, name, {}, true, m_name, m_wkn);
}

void KurseImportierenForm::ChooseWkn(const std::string& wkn) {
  forms::ChooseHistory(m_doc, {}, wkn, false, m_name, m_wkn);
}

void KurseImportierenForm::MatchDescription() {
  m_selected = -1;
  for (std::size_t i = 0; i < m_formats.size(); ++i) {
    if (m_formats[i].second == m_description) m_selected = static_cast<int>(i);
  }
}

void KurseImportierenForm::SetDescription(const std::string& description) {
  m_description = description;
  MatchDescription();
}

void KurseImportierenForm::ChooseFormat(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= m_formats.size()) {
    m_selected = -1;
    return;
  }
  m_selected = index;
  m_description = m_formats[static_cast<std::size_t>(index)].second;
}

void KurseImportierenForm::SaveFormat(const std::string& title) {
  m_formats.emplace_back(title, m_description);
  MatchDescription();
}

bool KurseImportierenForm::DeleteFormat(platform::Prompter& prompter) {
  if (m_selected < 0) return false;
  if (prompter.Ask(forms::kAppCaption, "Möchten Sie diese Formatbeschreibung wirklich löschen?",
                   platform::Icon::Question, platform::Buttons::YesNo) != platform::Answer::Yes) {
    return false;
  }
  m_formats.erase(m_formats.begin() + m_selected);
  m_selected = -1;
  MatchDescription();
  return true;
}

std::optional<ImportergebnisForm> KurseImportierenForm::StartImport(platform::Prompter& prompter) {
  m_errorPosition = 0;
  if (m_name.empty()) {
    m_focus = Field::Name;
    prompter.Tell(forms::kAppCaption,
                  "Bitte wählen Sie ein Wertpapier aus, für das Sie die Kursdaten importieren möchten!");
    return std::nullopt;
  }
  if (fileName.empty()) {
    m_focus = Field::Text;
    prompter.Tell(
        forms::kAppCaption,
        "Bitte geben Sie den Dateinamen einer Textdatei an, aus der Sie die Kursdaten importieren möchten!");
    return std::nullopt;
  }
  std::vector<std::uint8_t> buffer;
  m_inputUnreadable = false;
  if (const ReadResult read = ReadRegularFile(fileName, buffer); read != ReadResult::Ok) {
    // Only a regular file is read: a folder, FIFO or device never ends or never starts.
    m_inputUnreadable = true;
    prompter.Tell(forms::kAppCaption,
                  read == ReadResult::NoMemory ? "Nicht genügend Speicher zum Einlesen der Datei!"
                                               : "Datei kann nicht geöffnet werden!",
                  platform::Icon::Exclamation);
    return std::nullopt;
  }
  const CKBXKursverlauf* history = forms::LastHistoryWithName(m_doc, m_name);
  CKBXKursverlauf result(m_name, history ? history->Wkn() : m_wkn);
  priceio::CFormatMatcher matcher(result, &prompter);
  const std::string description = m_description;
  matcher.Run(std::string_view(reinterpret_cast<const char*>(buffer.data()), buffer.size()), description);
  if (matcher.Faulty()) {
    m_focus = Field::Text;
    m_errorPosition = matcher.ErrorPosition();
    return std::nullopt;
  }
  if (result.Points().empty()) {
    // Where the first line that did not fit failed, so that the description can be mended.
    const std::string why = matcher.FirstMismatch();
    prompter.Tell(
        forms::kAppCaption,
        "Es konnten keine Kursdaten eingelesen werden.\n\nEntweder enthält die Datei keine Kurse oder die "
        "Formatbeschreibung paßt nicht zur ausgewählten Datei!" +
            (why.empty() ? std::string() : "\n\n" + why));
    return std::nullopt;
  }
  return ImportergebnisForm(m_doc, std::move(result), matcher.Implausible(), matcher.Skipped());
}

void KurseImportierenForm::Close() {
  // A damaged stored list is never written over (see StoredFormats); an unchanged one is
  // not written again.
  const bool stored = m_settings.Contains(forms::StoredFormats::kSection, "ImpForAnz");
  if (!m_formatsDamaged && (!stored || forms::LoadStoredFormats(m_settings).formats != m_formats))
    forms::StoreFormats(m_settings, m_formats);
  std::int32_t index = -1;
  for (std::size_t i = 0; i < m_doc.Histories().size(); ++i) {
    if (m_doc.Histories()[i]->Name() == m_name) index = static_cast<std::int32_t>(i);
  }
  m_doc.lastImportSecurity = index;
  m_doc.lastImportFile = fileName;
  m_doc.lastImportFormat = m_description;
}

// ---------------------------------------------------------------- Kurse exportieren
