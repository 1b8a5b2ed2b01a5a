#include "qt/QtPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace qt {

using namespace platform;  // the interfaces this layer implements

Answer QtPrompter::Ask(const std::string& caption, const std::string& text, Icon icon, Buttons buttons) {
  // Above the dialog that asks, when a modal dialog is open.
  QWidget* modal = QApplication::activeModalWidget();
  QMessageBox box(modal ? modal : m_parent);
  box.setWindowTitle(QString::fromStdString(caption));
  box.setText(QString::fromStdString(text));
  switch (icon) {
    case Icon::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case Icon::Exclamation:
      box.setIcon(QMessageBox::Warning);
      break;
    case Icon::Question:
      box.setIcon(QMessageBox::Question);
      break;
    case Icon::Error:
      box.setIcon(QMessageBox::Critical);
      break;
  }
  switch (buttons) {
    case Buttons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case Buttons::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case Buttons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case Buttons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
    case Buttons::OverwriteSaveAsCancel: {
      QPushButton* overwrite = box.addButton(QStringLiteral("Über&schreiben"), QMessageBox::AcceptRole);
      QPushButton* saveAs = box.addButton(QStringLiteral("Speichern &unter..."), QMessageBox::ActionRole);
      box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
      box.setDefaultButton(saveAs);
      box.exec();
      return box.clickedButton() == overwrite ? Answer::Overwrite
             : box.clickedButton() == saveAs  ? Answer::SaveAs
                                              : Answer::Cancel;
    }
  }
  if (QAbstractButton* b = box.button(QMessageBox::Cancel)) b->setText(QStringLiteral("Abbrechen"));
  if (QAbstractButton* b = box.button(QMessageBox::Yes)) b->setText(QStringLiteral("&Ja"));
  if (QAbstractButton* b = box.button(QMessageBox::No)) b->setText(QStringLiteral("&Nein"));
  switch (box.exec()) {
    case QMessageBox::Ok:
      return Answer::Ok;
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      return Answer::Cancel;
  }
}

}  // namespace qt
