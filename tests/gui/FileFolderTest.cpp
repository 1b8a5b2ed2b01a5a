// Where the file dialogs start: never in the folder the program happened to be started in.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QStandardPaths>
#include <filesystem>

#include "dialogs/FileFolder.h"

TEST(FileFolder, StartsAtTheFileThenTheLastFolderThenTheDocuments) {
  platform::MemorySettingsStore settings;
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("kapibuch-folder-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const QString folder = QString::fromStdString(dir.string());
  const QString file = QDir(folder).filePath(QStringLiteral("depot.kpz"));

  // Nothing used yet: the documents folder (or home), with the proposed name.
  const QString documents = dialogs::StartPath(settings, QString());
  EXPECT_NE(documents, QDir::currentPath());
  EXPECT_TRUE(QFileInfo(documents).isDir());
  EXPECT_EQ(dialogs::StartPath(settings, QString(), QStringLiteral("Depot1.kpz")),
            QDir(documents).filePath(QStringLiteral("Depot1.kpz")));

  // A file with its folder starts there; a bare name is not taken from the working folder.
  EXPECT_EQ(dialogs::StartPath(settings, file), file);
  EXPECT_EQ(dialogs::StartPath(settings, QStringLiteral("kurse.txt")),
            QDir(documents).filePath(QStringLiteral("kurse.txt")));

  // The last folder used comes before the documents folder; a folder since removed does not.
  dialogs::RememberFolder(settings, file);
  EXPECT_EQ(dialogs::StartPath(settings, QString()), folder);
  EXPECT_EQ(dialogs::StartPath(settings, QStringLiteral("kurse.txt")),
            QDir(folder).filePath(QStringLiteral("kurse.txt")));
  std::filesystem::remove_all(dir);
  EXPECT_EQ(dialogs::StartPath(settings, QString()), documents);
}
