#pragma once
// "Zuordnen": how many shares of one position an account movement concerns, over
// ZuordnenForm. The movement dialog shows one per candidate; OK leaves the chosen quantity
// in the form.

#include <QDialog>

#include "forms/ZuordnenForm.h"
#include "platform/Prompter.h"

class QLineEdit;

namespace dialogs {

class ZuordnenDialog : public QDialog {
  Q_OBJECT

 public:
  ZuordnenDialog(ZuordnenForm& form, platform::Prompter& prompter, QWidget* parent = nullptr);

 private:
  void OnOK();

  ZuordnenForm& m_form;
  platform::Prompter& m_prompter;
  QLineEdit* m_quantity;
};

}  // namespace dialogs
