#pragma once
// "Kurse e&xportieren...": the prices of one security written to a text file, over
// KurseExportierenForm. The document does not change.

#include <QDialog>

#include "forms/KurseExportierenForm.h"
#include "platform/Prompter.h"
#include "platform/SettingsStore.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace dialogs {

class KurseExportierenDialog : public QDialog {
  Q_OBJECT

 public:
  // The settings keep the folder last used for a file.
  KurseExportierenDialog(const CKapibuchDoc& doc, platform::Prompter& prompter,
                         platform::SettingsStore& settings, QWidget* parent = nullptr);

 private:
  void OnBrowse();
  void OnStart();

  KurseExportierenForm m_form;
  platform::Prompter& m_prompter;
  platform::SettingsStore& m_settings;
  QComboBox* m_name;
  QComboBox* m_wkn;
  QLineEdit* m_file;
  QCheckBox* m_withName;
  QCheckBox* m_withWkn;
  QLineEdit* m_separator;
};

}  // namespace dialogs
