#pragma once
// "Kurse ak&tualisieren...": every ticked security's new prices from its source, fetched
// without freezing the window, with a progress dialog that can cancel the run. The run is
// one change of the document, applied after every download ended; a cancelled run changes
// nothing. At the end one line per security tells what happened.

#include <QDialog>

#include "forms/PriceUpdate.h"
#include "platform/Prompter.h"
#include "platform/SettingsStore.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace dialogs {

class KurseAktualisierenDialog : public QDialog {
  Q_OBJECT

 public:
  // `download`: how addresses are fetched (the network; tests may give their own).
  KurseAktualisierenDialog(CKapibuchDoc& doc, platform::Prompter& prompter,
                           const platform::SettingsStore& settings, platform::Downloader download,
                           QWidget* parent = nullptr);

 private:
  void OnStart();

  CKapibuchDoc& m_doc;
  KurseAktualisierenForm m_form;
  platform::Prompter& m_prompter;
  platform::Downloader m_download;
  QListWidget* m_list;
  QLineEdit* m_from;
  QPushButton* m_start;
};

}  // namespace dialogs
