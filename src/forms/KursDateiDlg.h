#pragma once
// "Kurse importieren" (with "Formatbeschreibung speichern" and "Importergebnis") and
// "Kurse exportieren".

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "forms/FormSupport.h"
#include "platform/SettingsStore.h"

// "Importergebnis": the prices found, merged into the security's history on OK.
class CImportergebnisDlg {
 public:
  static constexpr const char* kCaption = "Importergebnis";
  CImportergebnisDlg(const CKapibuchDoc& doc, CKBXKursverlauf result);

  const std::string& Name() const { return m_result.Name(); }
  const std::string& Wkn() const { return m_result.Wkn(); }
  // "&Kurs nur dann übernehmen, wenn sich das Wertpapier zu diesem Zeitpunkt im Depot befindet"
  void SetOnlyHeld(bool onlyHeld) { m_onlyHeld = onlyHeld; }
  bool OnlyHeld() const { return m_onlyHeld; }
  const std::vector<CKBXKurs>& Shown() const { return m_onlyHeld ? m_held : m_result.Points(); }
  std::string CountLine() const;  // "%d Kurse gefunden"
  // Sets each shown price in the document; whether any price changed.
  bool OnOK(CKapibuchDoc& doc) const;

 private:
  CKBXKursverlauf m_result;
  std::vector<CKBXKurs> m_held;
  bool m_onlyHeld = false;
};

class CKurseImportierenDlg {
 public:
  static constexpr const char* kCaption = "Kurse importieren";
  static constexpr const char* kSection = "Settings";

  CKurseImportierenDlg(CKapibuchDoc& doc, platform::SettingsStore& settings);

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

  // "&Import starten...": the result to show, or nothing (the reason was reported).
  std::optional<CImportergebnisDlg> StartImport(platform::Prompter& prompter);
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
  std::string m_description;
  std::size_t m_errorPosition = 0;
  forms::Field m_focus = forms::Field::None;
};

class CKurseExportierenDlg {
 public:
  static constexpr const char* kCaption = "Kurse exportieren";
  explicit CKurseExportierenDlg(const CKapibuchDoc& doc);

  std::string fileName;
  bool withName = false;
  bool withWkn = false;
  std::string separator = "<TAB>";

  const std::vector<std::string>& NameList() const { return m_names; }
  const std::vector<std::string>& WknList() const { return m_wkns; }
  void ChooseName(const std::string& name);
  void ChooseWkn(const std::string& wkn);
  const std::string& Name() const { return m_name; }
  const std::string& Wkn() const { return m_wkn; }

  // "&Export starten...": writes the file; true when it was written.
  bool StartExport(platform::Prompter& prompter);
  forms::Field Focus() const { return m_focus; }

 private:
  const CKapibuchDoc& m_doc;
  std::vector<std::string> m_names;
  std::vector<std::string> m_wkns;
  std::string m_name;
  std::string m_wkn;
  forms::Field m_focus = forms::Field::None;
};
