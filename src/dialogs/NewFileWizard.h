#pragma once
// "&Neu...": the three pages of the new-file wizard, on the wizard's forms.

#include <QWizard>

#include "forms/NeueDateiWizard.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"

class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QLabel;
namespace dialogs {
class DateField;
}

class NewFileWizard : public QWizard {
  Q_OBJECT

 public:
  NewFileWizard(CKBXDatum today, platform::Prompter& prompter, QWidget* parent = nullptr);
  NewFileData Result() const { return m_form.Result(); }
  CNeueDateiWizard& Form() { return m_form; }

  bool validateCurrentPage() override;

 protected:
  void initializePage(int id) override;

 private:
  void ReadPage1();
  void LeaveBalance();

  // Today as the wizard opened: the year of a start day typed without one.
  platform::FixedClock m_today;
  CNeueDateiWizard m_form;
  platform::Prompter& m_prompter;
  QLineEdit* m_holder;
  QPlainTextEdit* m_address;
  QLineEdit* m_depot;
  QLineEdit* m_account;
  QLineEdit* m_bank;
  dialogs::DateField* m_start;
  QLineEdit* m_balance;
  QRadioButton* m_euro;
  QRadioButton* m_dm;
  QList<QLabel*> m_texts;
};
