// A file changed, replaced or deleted behind the desktop program's back is never written
// over without a question, and what a save writes over is kept in the backups.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QtTest/QTest>
#include <filesystem>
#include <fstream>

#include "base/SafeFile.h"
#include "document/BackupStore.h"
#include "tests/gui/SampleWindowTest.h"

using guitest::SampleWindowTest;

namespace {

class FileChangesTest : public SampleWindowTest {
 protected:
  void SetUp() override {
    SampleWindowTest::SetUp();
    m_data = m_dir / "data";
    if (const char* before = std::getenv("XDG_DATA_HOME")) m_dataHome = before;
    ::setenv("XDG_DATA_HOME", m_data.c_str(), 1);
    m_file = (m_dir / "sample.kpz").string();
  }
  void TearDown() override {
    if (m_dataHome.empty())
      ::unsetenv("XDG_DATA_HOME");
    else
      ::setenv("XDG_DATA_HOME", m_dataHome.c_str(), 1);
    SampleWindowTest::TearDown();
  }
  void Save() { Action(QStringLiteral("&Speichern"))->trigger(); }
  std::vector<std::uint8_t> Bytes(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    ReadWholeFile(path, bytes);
    return bytes;
  }
  void ChangeDocument() {
    Doc().depotNumber += "x";
    Doc().SetModified();
  }
  std::size_t Backups() { return BackupStore((m_data / "Kapitalbuch/Sicherungen").string()).List().size(); }

  std::filesystem::path m_data;
  std::string m_file;
  std::string m_dataHome;
};

const char* const kQuestion =
    "Die Datei „%1“ wurde außerhalb von Kapitalbuch geändert oder gelöscht. Möchten Sie sie trotzdem "
    "überschreiben?";

}  // namespace

TEST_F(FileChangesTest, ReplacedFilesAreAskedAboutAndKept) {
  const std::string question = QString::fromUtf8(kQuestion).arg(QString::fromStdString(m_file)).toStdString();
  ChangeDocument();
  Save();  // nothing happened outside: no question, the original goes into the backups
  EXPECT_TRUE(m_prompter.messages.empty());
  EXPECT_EQ(Backups(), 1u);

  // Only the time changes (a sync tool touched it): still no question.
  std::filesystem::last_write_time(m_file, std::filesystem::file_time_type::clock::now());
  ChangeDocument();
  Save();
  EXPECT_TRUE(m_prompter.messages.empty());
  EXPECT_EQ(Backups(), 1u);  // what it wrote over is its own last save

  // A sync tool puts another portfolio in its place.
  std::filesystem::copy_file(std::string(KAPIBUCH_TEST_DATA) + "/generated-small.kpz", m_file + ".new");
  std::filesystem::rename(m_file + ".new", m_file);
  const auto theirs = Bytes(m_file);
  ChangeDocument();
  m_prompter.answers = {platform::Answer::Cancel};
  Save();
  ASSERT_EQ(m_prompter.messages.size(), 1u);
  EXPECT_EQ(m_prompter.Last(), question);
  EXPECT_EQ(Bytes(m_file), theirs);
  EXPECT_TRUE(Doc().IsModified());
  const std::size_t before = Backups();
  m_prompter.answers = {platform::Answer::Overwrite};
  Save();
  EXPECT_EQ(m_prompter.messages.size(), 2u);
  EXPECT_FALSE(Doc().IsModified());
  EXPECT_NE(Bytes(m_file), theirs);
  // What was written over is in the backups, although this session had saved before.
  ASSERT_EQ(Backups(), before + 1);
  EXPECT_EQ(Bytes(BackupStore((m_data / "Kapitalbuch/Sicherungen").string()).List().front().path), theirs);
}

TEST_F(FileChangesTest, ADeletedFileComesBackWithItsMode) {
  ASSERT_EQ(::chmod(m_file.c_str(), 0600), 0);
  ChangeDocument();
  Save();
  std::filesystem::remove(m_file);
  ChangeDocument();
  m_prompter.answers = {platform::Answer::Overwrite};
  Save();
  ASSERT_EQ(m_prompter.messages.size(), 1u);
  struct stat st {};
  ASSERT_EQ(::stat(m_file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u) << std::oct << (st.st_mode & 0777);
}
