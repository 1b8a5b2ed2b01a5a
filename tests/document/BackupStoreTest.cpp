// The copies kept before portfolios are saved over: names, permissions, rotation.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "base/SafeFile.h"
#include "document/BackupStore.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FileMode.h"

namespace {

using testutil::ModeOf;
using testutil::ModeText;

std::string Read(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  ReadWholeFile(path, bytes);
  return std::string(bytes.begin(), bytes.end());
}

// 8 December 2026, 14:30:05 local time, plus some seconds.
std::time_t At(int seconds) {
  std::tm t{};
  t.tm_year = 126;
  t.tm_mon = 11;
  t.tm_mday = 8;
  t.tm_hour = 14;
  t.tm_min = 30;
  t.tm_sec = 5 + seconds;
  t.tm_isdst = -1;
  return std::mktime(&t);
}

class BackupStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = testutil::OpenScratchFolder(std::string("backups-") +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    m_store = (m_dir / "data/Kapitalbuch/Sicherungen").string();
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }

  std::string Portfolio(const std::string& relative, const std::string& content, mode_t mode = 0644) {
    const auto path = m_dir / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    ::chmod(path.c_str(), mode);
    return path.string();
  }

  std::filesystem::path m_dir;
  std::string m_store;
};

}  // namespace

TEST_F(BackupStoreTest, ACopyNamedAfterFileKeyAndTimeWithTheFilesMode) {
  const std::string file = Portfolio("a/depot.kpz", "old content", 0600);
  const BackupStore store(m_store);
  ASSERT_TRUE(store.Backup(file, At(0)));
  const auto list = store.List();
  ASSERT_EQ(list.size(), 1u);
  const std::string key = BackupStore::KeyOf(file);
  EXPECT_TRUE(std::regex_match(key, std::regex("[0-9a-f]{8}")));
  EXPECT_EQ(list[0].path, m_store + "/depot-" + key + "-20261208-143005.kpz");
  EXPECT_EQ(list[0].name, "depot");
  EXPECT_EQ(list[0].When(), "08.12.2026 14:30:05");
  EXPECT_EQ(list[0].size, 11u);
  EXPECT_EQ(Read(list[0].path), "old content");
  // A private portfolio never gets a readable copy; the folders are the user's alone.
  EXPECT_EQ(ModeOf(list[0].path), "0600");
  EXPECT_EQ(ModeOf(m_store), "0700");
  EXPECT_EQ(ModeOf((m_dir / "data/Kapitalbuch").string()), "0700");

  // The same key for another name of the same file.
  std::filesystem::create_symlink(file, m_dir / "link.kpz");
  EXPECT_EQ(BackupStore::KeyOf((m_dir / "link.kpz").string()), key);

  // Copies in the same second are counted on.
  ASSERT_TRUE(store.Backup(file, At(0)));
  ASSERT_TRUE(store.Backup(file, At(0)));
  const auto three = store.List();
  ASSERT_EQ(three.size(), 3u);
  EXPECT_EQ(three[0].path, m_store + "/depot-" + key + "-20261208-143005-3.kpz");
  EXPECT_EQ(three[1].sequence, 2);
  EXPECT_EQ(three[2].sequence, 1);
}

// Whatever the file's permissions, the copy has the same, not those of a new private file.
TEST_F(BackupStoreTest, ACopyHasTheModeOfItsFile) {
  for (const mode_t mode : {mode_t{0640}, mode_t{0444}}) {
    const std::string file = Portfolio(ModeText(mode) + "/depot.kpz", "content", mode);
    const BackupStore store(m_store + "/" + ModeText(mode));
    ASSERT_TRUE(store.Backup(file, At(0)));
    ASSERT_EQ(store.List().size(), 1u);
    EXPECT_EQ(ModeOf(store.List().front().path), ModeText(mode));
  }
}

TEST_F(BackupStoreTest, TheNewestTwentyOfEachPortfolioAreKept) {
  // Two portfolios of the same name in different folders never rotate each other's copies.
  const std::string one = Portfolio("one/depot.kpz", "one");
  const std::string two = Portfolio("two/depot.kpz", "two");
  ASSERT_NE(BackupStore::KeyOf(one), BackupStore::KeyOf(two));
  const BackupStore store(m_store);
  ASSERT_TRUE(store.Backup(two, At(0)));
  for (int i = 0; i < 25; ++i) ASSERT_TRUE(store.Backup(one, At(i)));
  // Something else in the folder is left alone.
  std::ofstream(m_store + "/notes.txt") << "mine";

  std::vector<std::string> ofOne;
  int ofTwo = 0;
  for (const BackupEntry& e : store.List()) {
    if (e.key == BackupStore::KeyOf(one)) ofOne.push_back(e.stamp);
    if (e.key == BackupStore::KeyOf(two)) ++ofTwo;
  }
  ASSERT_EQ(ofOne.size(), BackupStore::kKeep);
  EXPECT_EQ(ofOne.front(), "20261208-143029");  // newest first
  EXPECT_EQ(ofOne.back(), "20261208-143010");
  EXPECT_EQ(ofTwo, 1);
  EXPECT_TRUE(std::filesystem::exists(m_store + "/notes.txt"));

  // After the clock went back, the copy just made is older by its stamp than all the others:
  // it is kept, and the oldest of the others goes.
  ASSERT_TRUE(store.Backup(one, At(-3600)));
  std::vector<std::string> afterClockBack;
  for (const BackupEntry& e : store.List()) {
    if (e.key == BackupStore::KeyOf(one)) afterClockBack.push_back(e.stamp);
  }
  ASSERT_EQ(afterClockBack.size(), BackupStore::kKeep);
  EXPECT_EQ(afterClockBack.back(), "20261208-133005");
  EXPECT_EQ(afterClockBack[afterClockBack.size() - 2], "20261208-143011");
}

// A clock that stands still (KAPIBUCH_TODAY): the copies of one second count on, and the
// newest twenty stay, in the order they were made, after the oldest were removed.
TEST_F(BackupStoreTest, CopiesOfOneSecondKeepTheirOrder) {
  const std::string file = Portfolio("still/depot.kpz", "0");
  const BackupStore store(m_store);
  for (int i = 1; i <= 30; ++i) {
    std::ofstream(file, std::ios::trunc) << i;
    ASSERT_TRUE(store.Backup(file, At(0))) << i;
  }
  std::vector<std::string> contents;
  for (const BackupEntry& e : store.List()) contents.push_back(Read(e.path));
  ASSERT_EQ(contents.size(), BackupStore::kKeep);
  EXPECT_EQ(contents.front(), "30");  // newest first
  EXPECT_EQ(contents.back(), "11");
}

TEST_F(BackupStoreTest, LongNamesFitAndFailuresAreReported) {
  std::string name(250, 'x');
  const std::string file = Portfolio(name + ".kpz", "long");
  const BackupStore store(m_store);
  ASSERT_TRUE(store.Backup(file, At(0)));
  const auto list = store.List();
  ASSERT_EQ(list.size(), 1u);
  EXPECT_LE(std::filesystem::path(list[0].path).filename().string().size(), 255u);

  // No folder can be made below a file; a missing source gives no copy.
  std::ofstream(m_dir / "plain") << "";
  EXPECT_FALSE(BackupStore((m_dir / "plain/Sicherungen").string()).Backup(file, At(0)));
  EXPECT_FALSE(store.Backup((m_dir / "missing.kpz").string(), At(0)));
  EXPECT_FALSE(store.Backup(m_dir.string(), At(0)));
  EXPECT_FALSE(BackupStore("").Backup(file, At(0)));
  EXPECT_EQ(store.List().size(), 1u);
  // Nothing half made is left in the folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_store), {}), 1);
}

TEST_F(BackupStoreTest, TheFolderLiesInTheUsersDataDirectory) {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  const std::string savedXdg = xdg ? xdg : "";
  const std::string savedHome = home ? home : "";
  ::setenv("XDG_DATA_HOME", "/srv/data", 1);
  ::setenv("HOME", "/home/anna", 1);
  EXPECT_EQ(BackupStore::DefaultFolder(), "/srv/data/Kapitalbuch/Sicherungen");
  ::setenv("XDG_DATA_HOME", "relative/data", 1);  // only an absolute path counts
  EXPECT_EQ(BackupStore::DefaultFolder(), "/home/anna/.local/share/Kapitalbuch/Sicherungen");
  ::unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(BackupStore::DefaultFolder(), "/home/anna/.local/share/Kapitalbuch/Sicherungen");
  if (xdg) ::setenv("XDG_DATA_HOME", savedXdg.c_str(), 1);
  if (home) ::setenv("HOME", savedHome.c_str(), 1);
}

// Sizes in the list of copies: Bytes below 1 KB, then one decimal (1 KB = 1024 Bytes).
TEST(BackupSizes, BytesThenKilobytesThenMegabytesWithOneDecimal) {
  EXPECT_EQ(FileSizeText(0), "0 Bytes");
  EXPECT_EQ(FileSizeText(1), "1 Bytes");
  EXPECT_EQ(FileSizeText(1023), "1023 Bytes");
  EXPECT_EQ(FileSizeText(1024), "1,0 KB");
  EXPECT_EQ(FileSizeText(1028), "1,0 KB");         // 1,0039 KB, not rounded up to 2 KB
  EXPECT_EQ(FileSizeText(1075), "1,0 KB");         // 1,0498 KB
  EXPECT_EQ(FileSizeText(1076), "1,1 KB");         // 1,0508 KB
  EXPECT_EQ(FileSizeText(1126), "1,1 KB");         // 1,0996 KB
  EXPECT_EQ(FileSizeText(1536), "1,5 KB");         // exactly 1,5
  EXPECT_EQ(FileSizeText(52429), "51,2 KB");       // 51,2002 KB
  EXPECT_EQ(FileSizeText(1048524), "1.023,9 KB");  // 1023,949 KB
  // 1048525 Bytes are 1023,9502 KB: rounded, a full MB.
  EXPECT_EQ(FileSizeText(1048525), "1,0 MB");
  EXPECT_EQ(FileSizeText(1048576), "1,0 MB");
  EXPECT_EQ(FileSizeText(2621440), "2,5 MB");                                 // 2,5 * 1048576
  EXPECT_EQ(FileSizeText(13631488), "13,0 MB");                               // 13 * 1048576
  EXPECT_EQ(FileSizeText(5368709120), "5.120,0 MB");                          // 5 GiB
  EXPECT_EQ(FileSizeText(18446744073709551615u), "17.592.186.044.416,0 MB");  // 2^64 - 1: 2^44 MB
}
