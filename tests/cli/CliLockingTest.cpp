// One lock for every writer: kapibuch-cli honours the lock the desktop program holds,
// simultaneous commands never lose a change, and two `new` on one path make one file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QLockFile>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "base/FileLock.h"
#include "base/SafeFile.h"
#include "cli/Cli.h"
#include "qt/PortfolioLock.h"
#include "tests/cli/CliTestUtil.h"
#include "tests/support/ByteDiff.h"
#include "tests/support/ChildProcess.h"

using namespace clitest;

namespace {

class CliLocking : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("KAPIBUCH_TODAY", "08.12.2026", 1);
    m_dir = testutil::OpenScratchFolder(std::string("locking-") +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    ::setenv("XDG_DATA_HOME", (m_dir / "data").c_str(), 1);
    m_file = (m_dir / "depot.kpz").string();
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }

  void MakePortfolio() {
    const Result r = RunCli({"new", m_file, "--holder", "Test", "--start", "01.01.2020", "--balance", "0"});
    ASSERT_EQ(r.status, 0) << r.err;
  }
  std::size_t Transactions() {
    const Result r = RunCli({"dump", m_file});
    return nlohmann::json::parse(r.out)["account"]["transactions"].size();
  }

  std::filesystem::path m_dir;
  std::string m_file;
};

}  // namespace

TEST_F(CliLocking, FiftySimultaneousPairsOfBookingsLoseNothing) {
  MakePortfolio();
  int succeeded = 0;
  for (int pair = 0; pair < 50; ++pair) {
    std::vector<pid_t> pids;
    for (const char* amount : {"1", "2"}) {
      pids.push_back(testutil::Spawn(KAPIBUCH_CLI_PATH, {"move", m_file, "--date", "01.02.2020", "--kind",
                                                         "Kapitaleinlage", "--amount", amount}));
    }
    for (const pid_t pid : pids) {
      const int status = testutil::WaitFor(pid);
      EXPECT_EQ(status, 0) << "pair " << pair;
      succeeded += status == 0;
    }
  }
  // Every command that succeeded has its booking in the file.
  EXPECT_EQ(succeeded, 100);
  EXPECT_EQ(Transactions(), static_cast<std::size_t>(succeeded));
  EXPECT_FALSE(std::filesystem::exists(m_file + ".lock"));
}

TEST_F(CliLocking, TwoSimultaneousNewMakeOnePortfolioAndOneRefusal) {
  for (int round = 0; round < 10; ++round) {
    std::filesystem::remove(m_file);
    const pid_t anna = testutil::Spawn(KAPIBUCH_CLI_PATH, {"new", m_file, "--holder", "Anna"});
    const pid_t bert = testutil::Spawn(KAPIBUCH_CLI_PATH, {"new", m_file, "--holder", "Bert"});
    const int a = testutil::WaitFor(anna);
    const int b = testutil::WaitFor(bert);
    ASSERT_TRUE((a == 0 && b == 4) || (a == 4 && b == 0)) << a << " " << b;
    const Result r = RunCli({"dump", m_file});
    EXPECT_EQ(nlohmann::json::parse(r.out)["account"]["holder"], a == 0 ? "Anna" : "Bert");
  }
}

TEST_F(CliLocking, TheDesktopProgramsLockIsHonouredUnderEveryName) {
  MakePortfolio();
  std::filesystem::create_symlink("depot.kpz", m_dir / "link.kpz");
  const auto before = Bytes(m_file);
  {
    // The desktop program's lock: a QLockFile beside the file it has open.
    QLockFile desktop(QString::fromStdString(m_file + ".lock"));
    ASSERT_TRUE(desktop.tryLock(0));
    const Result r = RunCli({"move", (m_dir / "link.kpz").string(), "--date", "01.02.2020", "--kind",
                             "Kapitaleinlage", "--amount", "5"});
    EXPECT_EQ(r.status, 5);
    EXPECT_EQ(r.err, "Die Datei wird gerade von einem anderen Programm bearbeitet.\n");
    EXPECT_TRUE(testutil::SameBytes(before, Bytes(m_file)));
    // Reading needs no lock.
    EXPECT_EQ(RunCli({"dump", m_file}).status, 0);
  }
  EXPECT_EQ(
      RunCli({"move", m_file, "--date", "01.02.2020", "--kind", "Kapitaleinlage", "--amount", "5"}).status,
      0);
}

TEST_F(CliLocking, TheLockOfAProgramThatDiedNeverBlocks) {
  MakePortfolio();
  const auto crashed = testutil::RunInChild(
      [&](std::string&) {
        auto* lock = new QLockFile(QString::fromStdString(m_file + ".lock"));
        return lock->tryLock(0) ? 0 : 1;  // ends without unlocking
      },
      false);
  ASSERT_EQ(crashed.status, 0);
  ASSERT_TRUE(std::filesystem::exists(m_file + ".lock"));
  const Result r =
      RunCli({"move", m_file, "--date", "01.02.2020", "--kind", "Kapitaleinlage", "--amount", "5"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Transactions(), 1u);
}

TEST_F(CliLocking, AnEmptyLockOfAKilledProgramIsTakenOverOnceOld) {
  MakePortfolio();
  std::ofstream(m_file + ".lock");  // killed between creating the lock and writing it
  std::filesystem::last_write_time(m_file + ".lock",
                                   std::filesystem::file_time_type::clock::now() - std::chrono::seconds(11));
  const Result r =
      RunCli({"move", m_file, "--date", "01.02.2020", "--kind", "Kapitaleinlage", "--amount", "5"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_FALSE(std::filesystem::exists(m_file + ".lock"));
}

TEST_F(CliLocking, NamesThatAreNotUtf8HaveLocksOfTheirOwn) {
  // "ä.kpz" and "ö.kpz" from an old disk, in Latin-1: the lock of one never blocks the other.
  const std::string a = (m_dir / "\xE4.kpz").string(), o = (m_dir / "\xF6.kpz").string();
  EXPECT_EQ(qt::PortfolioLock::LockPathOf(a), a + ".lock");
  for (const std::string& file : {a, o})
    ASSERT_EQ(RunCli({"new", file, "--start", "01.01.2020", "--balance", "0"}).status, 0);
  qt::PortfolioLock desktop;
  ASSERT_EQ(desktop.Acquire(o, std::chrono::milliseconds(0)), qt::PortfolioLock::Result::Locked);
  const Result r = RunCli({"move", a, "--date", "01.02.2020", "--kind", "Kapitaleinlage", "--amount", "5"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(RunCli({"move", o, "--date", "01.02.2020", "--kind", "Kapitaleinlage", "--amount", "5"}).status,
            5);
}
