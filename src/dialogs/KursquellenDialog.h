#pragma once
// "Kurs&quellen...": where each of the document's securities gets its prices from, edited
// in a table over KursquellenForm; "&Testen" fetches the last 30 days of the chosen row and
// tells what they hold, without storing anything. The sources are settings, not part of
// the document.

#include <QDialog>

#include "forms/PriceUpdate.h"
#include "platform/Prompter.h"
#include "platform/SettingsStore.h"

class QComboBox;
class QTableWidget;

namespace dialogs {

class KursquellenDialog : public QDialog {
  Q_OBJECT

 public:
  KursquellenDialog(const CKapibuchDoc& doc, platform::Prompter& prompter, platform::SettingsStore& settings,
                    platform::Downloader download, QWidget* parent = nullptr);

  void accept() override;

 private:
  void TakeRows();
  void OnTest();
  void OnExample();

  const CKapibuchDoc& m_doc;
  KursquellenForm m_form;
  platform::Prompter& m_prompter;
  platform::Downloader m_download;
  QTableWidget* m_table;
  QComboBox* m_examples;
};

}  // namespace dialogs
