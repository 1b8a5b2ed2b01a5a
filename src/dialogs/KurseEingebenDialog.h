#pragma once
// "Kurse &eingeben...": the prices of many securities for one day, twelve at a time, over
// KurseEingebenForm. Each price is stored as its field is left; when the dialog closes, the
// views are updated once if any price changed.

#include <QDialog>
#include <array>

#include "forms/KurseEingebenForm.h"
#include "platform/Prompter.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace dialogs {

class KurseEingebenDialog : public QDialog {
  Q_OBJECT

 public:
  // A day typed that is no day is told through the prompter.
  KurseEingebenDialog(CKapibuchDoc& doc, platform::Prompter& prompter, QWidget* parent = nullptr);

  void done(int result) override;

 private:
  // Shows the form's page: the labels, the prices, the page line and the page buttons.
  void ShowPage();
  void LeavePrice(int row);

  CKapibuchDoc& m_doc;
  KurseEingebenForm m_form;
  bool m_finished = false;
  bool m_showing = false;
  std::array<QLabel*, KurseEingebenForm::kRows> m_labels{};
  std::array<QLineEdit*, KurseEingebenForm::kRows> m_prices{};
  QLabel* m_pageLine;
  QPushButton* m_previous;
  QPushButton* m_next;
};

}  // namespace dialogs
