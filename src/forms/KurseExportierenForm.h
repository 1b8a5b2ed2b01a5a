#pragma once
// "Kurse exportieren": the prices of one security written to a text file.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "forms/FormSupport.h"
#include "platform/SettingsStore.h"

class KurseExportierenForm {
 public:
  static constexpr int kHelpTopic = 2013;
  static constexpr const char* kCaption = "Kurse exportieren";
  explicit KurseExportierenForm(const CKapibuchDoc& doc);

  std::string fileName;
  bool withName = false;
  bool withWkn = false;
  std::string separator = "<TAB>";

  const std::vector<std::string>& NameList() const { return m_names; }
  const std::vector<std::string>& WknList() const { return m_wkns; }
  void ChooseName(const std::string& name);
  void ChooseWkn(const std::string& wkn);
  // Chooses the price history with exactly this name and WKN/Kürzel; nothing is chosen
  // when there is none.
  void ChooseSecurity(const std::string& name, const std::string& wkn);
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
