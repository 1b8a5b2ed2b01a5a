#pragma once
// "&Optionen...": the eleven pages of display options, over COptionenSheet, opened on a
// page (the one of the window's view mode). The pages edit the sheet's copy; on OK the
// caller copies it into the document with Book().

#include <QDialog>

#include "forms/OptionenSheet.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"

class QTabWidget;

namespace dialogs {

class OptionenDialog : public QDialog {
  Q_OBJECT

 public:
  OptionenDialog(const CKapibuchDoc& doc, platform::Prompter& prompter, int startPage,
                 QWidget* parent = nullptr);
  // After exec() returned Accepted: every value into the document, which is then modified
  // and redrawn.
  void Book(CKapibuchDoc& doc) const { m_sheet.OnOK(doc); }

 private:
  void AddGeneralPage(const platform::Clock& clock);
  void AddTablePages();
  void AddDevelopmentPages();
  void AddAnalysisPage();
  void AddAccountPage();
  void OnOK();

  COptionenSheet m_sheet;
  platform::Prompter& m_prompter;
  QTabWidget* m_tabs;
};

}  // namespace dialogs
