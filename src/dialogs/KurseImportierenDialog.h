#pragma once
// "Kurse &importieren...": prices of one security read from a text file through a format
// description, over KurseImportierenForm. Each import's result is stored on the OK of its
// ImportergebnisDialog; when the dialog closes, the views are updated once if any price
// changed.

#include <QDialog>
#include <string>
#include <vector>

#include "forms/KurseImportierenForm.h"
#include "platform/Prompter.h"
#include "platform/SettingsStore.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace dialogs {

class KurseImportierenDialog : public QDialog {
  Q_OBJECT

 public:
  KurseImportierenDialog(CKapibuchDoc& doc, platform::Prompter& prompter, platform::SettingsStore& settings,
                         QWidget* parent = nullptr);

  void done(int result) override;

 private:
  // Shows the named descriptions, the one selected, and which of save and delete apply.
  void ShowFormats();
  void OnBrowse();
  void OnDetect();
  void OnSave();
  void OnStart();
  void OnClose();

  CKapibuchDoc& m_doc;
  KurseImportierenForm m_form;
  platform::Prompter& m_prompter;
  platform::SettingsStore& m_settings;
  bool m_filling = false;
  QComboBox* m_name;
  QComboBox* m_wkn;
  QLineEdit* m_file;
  QComboBox* m_formats;
  QPlainTextEdit* m_description;
  QPushButton* m_save;
  QPushButton* m_remove;
};

}  // namespace dialogs
