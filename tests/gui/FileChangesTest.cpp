// A file changed, replaced or deleted behind the desktop program's back is never written
// over without a question, and what a save writes over is kept in the backups.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QtTest/QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "base/SafeFile.h"
#include "document/BackupStore.h"
#include "document/Changes.h"
#include "qt/DocumentSession.h"
#include "tests/gui/SampleWindowTest.h"
#include "tests/support/ByteDiff.h"
#include "tests/support/FileMode.h"

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
    const CKBXKonto& a = Doc().Account();
    Doc().Apply(
        HolderDataChange({a.holder, a.address, Doc().depotNumber + "x", a.accountNumber, a.bankCode}));
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
  EXPECT_TRUE(testutil::SameBytes(theirs, Bytes(m_file)));
  EXPECT_TRUE(Doc().IsModified());
  const std::size_t before = Backups();
  m_prompter.answers = {platform::Answer::Overwrite};
  Save();
  EXPECT_EQ(m_prompter.messages.size(), 2u);
  EXPECT_FALSE(Doc().IsModified());
  EXPECT_NE(Bytes(m_file), theirs);
  // What was written over is in the backups, although this session had saved before.
  ASSERT_EQ(Backups(), before + 1);
  EXPECT_TRUE(testutil::SameBytes(
      theirs, Bytes(BackupStore((m_data / "Kapitalbuch/Sicherungen").string()).List().front().path)));
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
  EXPECT_EQ(testutil::ModeText(st.st_mode), "0600");
}

// A name that is not valid UTF-8 (Latin-1, from an old disk) keeps its bytes: the session
// locks, reads and saves that file and no other, as kapibuch-cli and the desktop both do.
TEST_F(FileChangesTest, ALatin1NameKeepsItsBytes) {
  const std::string latin1 = (m_dir / "D\xE9p\xF4t.kpz").string();
  std::filesystem::copy_file(m_file, latin1);
  DocumentError error = DocumentError::None;
  auto session = qt::DocumentSession::OpenFile(latin1, testutil::TestClock(),
                                               qt::DocumentSession::kCommandLockWait, error);
  ASSERT_NE(session, nullptr) << DocumentErrorMessage(error);
  EXPECT_EQ(session->File(), latin1);
  EXPECT_TRUE(session->IsLocked());
  EXPECT_TRUE(std::filesystem::exists(latin1 + ".lock"));
  const CKBXKonto& a = session->Doc().Account();
  ASSERT_TRUE(
      session->Doc().Apply(HolderDataChange({a.holder, a.address, "neu", a.accountNumber, a.bankCode})));
  ASSERT_EQ(session->SaveAs(session->File()), DocumentError::None);
  session.reset();

  auto back = CKapibuchDoc::Open(latin1, testutil::TestClock(), error);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->depotNumber, "neu");
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(m_dir))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  // The desktop window still holds sample.kpz; the Latin-1 file's lock is gone with its session.
  EXPECT_EQ(names, (std::vector<std::string>{"D\xE9p\xF4t.kpz", "data", "sample.kpz", "sample.kpz.lock"}));
}
