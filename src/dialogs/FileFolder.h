#pragma once
// Where the file dialogs start: in the folder of the file in question (the open portfolio,
// the file named in a field), else in the folder last used in a file dialog (kept in the
// settings), else in the user's documents folder.

#include <QString>

#include "platform/SettingsStore.h"

namespace dialogs {

// The start of a file dialog: `file`'s folder (with its name, when given), the last
// folder used (with `proposedName`), or the documents folder.
QString StartPath(const platform::SettingsStore& settings, const QString& file,
                  const QString& proposedName = QString());
// Remembers the folder of a file the user chose in a file dialog.
void RememberFolder(platform::SettingsStore& settings, const QString& chosenFile);

}  // namespace dialogs
