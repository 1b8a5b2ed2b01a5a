#pragma once
// "Formatbeschreibung speichern": the title under which the price import keeps a format
// description (an empty title is accepted).

#include <QDialog>
#include <string>

class QLineEdit;

namespace dialogs {

class FormatSpeichernDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kCaption = "Formatbeschreibung speichern";

  explicit FormatSpeichernDialog(QWidget* parent = nullptr);
  // After exec() returned Accepted: the title typed.
  std::string Title() const;

 private:
  QLineEdit* m_title;
};

}  // namespace dialogs
