#pragma once

#include <QWidget>

namespace dialogs {

// Shows the help pages, at the topic of a dialog's help number (0: the contents): above
// the modal dialog that asks for it and usable while it stays open.
void ShowHelp(int topic = 0);
// The help window while it is open, else nullptr.
QWidget* HelpWindow();

}  // namespace dialogs
