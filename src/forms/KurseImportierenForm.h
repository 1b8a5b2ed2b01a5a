#pragma once
// "Kurse importieren": prices of one security read from a text file through a format
// description; the stored descriptions with "Formatbeschreibung speichern".

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "forms/FormSupport.h"
#include "forms/ImportergebnisForm.h"
#include "platform/SettingsStore.h"

class KurseImportierenForm {
 public:
  static constexpr int kHelpTopic = 2012;
  static constexpr const char* kCaption = "Kurse importieren";
  static constexpr const char* kSection = "Settings";

  KurseImportierenForm(CKapibuchDoc& doc, platform::SettingsStore& settings);

  std::string fileName;

  const std::vector<std::string>& NameList() const { return m_names; }
  const std::vector<std::string>& WknList() const { return m_wkns; }
  void ChooseName(const std::string& name);
  void ChooseWkn(const std::string& wkn);
  const std::string& Name() const { return m_name; }
  const std::string& Wkn() const { return m_wkn; }

  // The named descriptions (title, text) and the selected one (-1 for none).
  const std::vector<std::pair<std::string, std::string>>& Formats() const { return m_formats; }
  int SelectedFormat() const { return m_selected; }
  const std::string& Description() const { return m_description; }
  void SetDescription(const std::string& description);
  void ChooseFormat(int index);
  bool DeleteEnabled() const { return m_selected >= 0; }
  bool SaveEnabled() const { return m_selected < 0; }
  // "S&peichern...": the title that "Formatbeschreibung speichern" returned.
  void SaveFormat(const std::string& title);
  // "&Löschen": asks first; true when the pair was removed.
  bool DeleteFormat(platform::Prompter& prompter);

  // The stored list could not be read back exactly: it is shown as far as it was read
  // and not stored again.
  bool FormatsDamaged() const { return m_formatsDamaged; }

  // "&Import starten...": the result to show, or nothing (the reason was reported).
  std::optional<ImportergebnisForm> StartImport(platform::Prompter& prompter);
  // The last StartImport failed because the file could not be read.
  bool InputUnreadable() const { return m_inputUnreadable; }
  // After a faulty description: the part of the description field to select.
  std::size_t ErrorPosition() const { return m_errorPosition; }
  forms::Field Focus() const { return m_focus; }

  // "Schlie&ßen": stores the named descriptions and the document's import memory.
  void Close();

 private:
  void MatchDescription();

  CKapibuchDoc& m_doc;
  platform::SettingsStore& m_settings;
  std::vector<std::string> m_names;
  std::vector<std::string> m_wkns;
  std::string m_name;
  std::string m_wkn;
  std::vector<std::pair<std::string, std::string>> m_formats;
  int m_selected = -1;
  bool m_formatsDamaged = false;
  bool m_inputUnreadable = false;
  std::string m_description;
  std::size_t m_errorPosition = 0;
  forms::Field m_focus = forms::Field::None;
};
