#pragma once

#include <QWidget>

namespace dialogs {

// Shows the help pages, at the topic of a dialog's help number (0: the contents).
void ShowHelp(int topic = 0);

}  // namespace dialogs
