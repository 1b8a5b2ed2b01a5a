#include "dialogs/FormatSpeichernDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/DialogSupport.h"

namespace dialogs {

FormatSpeichernDialog::FormatSpeichernDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(ToQ(kCaption));
  auto* layout = new QVBoxLayout(this);
  auto* label =
      new QLabel(QStringLiteral("Bitte geben Sie einen erklärenden &Text für die Formatbeschreibung ein:"));
  m_title = new QLineEdit;
  label->setBuddy(m_title);
  layout->addWidget(label);
  layout->addWidget(m_title);
  QDialogButtonBox* buttons = OkCancel(*this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
}

std::string FormatSpeichernDialog::Title() const {
  return FromQ(m_title->text());
}

}  // namespace dialogs
