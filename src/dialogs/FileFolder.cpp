#include "dialogs/FileFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace dialogs {

namespace {

constexpr const char* kSection = "Settings";
constexpr const char* kName = "LastFolder";

QString DocumentsFolder() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

}  // namespace

QString StartPath(const platform::SettingsStore& settings, const QString& file, const QString& proposedName) {
  QString name = proposedName;
  if (!file.isEmpty()) {
    // A name without its folder is not taken relative to wherever the program was started.
    const QFileInfo info(file);
    if (info.isAbsolute() && info.absoluteDir().exists()) return info.absoluteFilePath();
    name = info.fileName();
  }
  QString folder = DocumentsFolder();
  if (const auto last = settings.GetString(kSection, kName)) {
    const QString stored = QString::fromStdString(*last);
    if (!stored.isEmpty() && QFileInfo(stored).isDir()) folder = stored;
  }
  return name.isEmpty() ? folder : QDir(folder).filePath(name);
}

void RememberFolder(platform::SettingsStore& settings, const QString& chosenFile) {
  if (chosenFile.isEmpty()) return;
  settings.SetString(kSection, kName, QFileInfo(chosenFile).absolutePath().toStdString());
}

}  // namespace dialogs
