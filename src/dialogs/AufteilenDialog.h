#pragma once
// "Aufteilen": how many shares of one candidate a sale sells, over AufteilenForm. The sell
// dialog shows one per candidate; OK leaves the chosen quantity in the form.

#include <QDialog>

#include "forms/AufteilenForm.h"
#include "platform/Prompter.h"

class QLineEdit;

namespace dialogs {

class AufteilenDialog : public QDialog {
  Q_OBJECT

 public:
  AufteilenDialog(AufteilenForm& form, platform::Prompter& prompter, QWidget* parent = nullptr);

 private:
  void OnOK();

  AufteilenForm& m_form;
  platform::Prompter& m_prompter;
  QLineEdit* m_quantity;
};

}  // namespace dialogs
