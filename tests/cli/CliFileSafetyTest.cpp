// kapibuch-cli respects what is at a path when it saves, exports and reads: permissions,
// owners, links, FIFOs, devices, folders, and files too large to be portfolios.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "base/SafeFile.h"
#include "cli/Cli.h"
#include "tests/cli/CliTestUtil.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FileMode.h"

using namespace clitest;

using testutil::kNobody;
using testutil::kNogroup;

namespace {

struct stat StatOf(const std::string& path) {
  struct stat st {};
  ::lstat(path.c_str(), &st);
  return st;
}

class CliFileSafety : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("KAPIBUCH_TODAY", "08.12.2026", 1);
    m_dir = testutil::OpenScratchFolder(std::string("safety-") +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    // Backups go where the unprivileged user may write too.
    std::filesystem::create_directory(m_dir / "data");
    ::chmod((m_dir / "data").c_str(), 0777);
    ::setenv("XDG_DATA_HOME", (m_dir / "data").c_str(), 1);
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }

  std::string Portfolio(const std::string& name) {
    const std::string file = (m_dir / name).string();
    const Result r = RunCli({"new", file, "--holder", "Test", "--start", "01.01.2020", "--balance", "100"});
    EXPECT_EQ(r.status, 0) << r.err;
    return file;
  }
  static std::vector<std::string> Deposit(const std::string& file) {
    return {"move", file, "--date", "01.02.2020", "--kind", "Kapitaleinlage", "--amount", "5"};
  }
  static std::vector<std::string> Export(const std::string& file, const std::string& output) {
    return {"export", file, "--name", "Aktie", "--wkn", "A1", "--output", output};
  }
  std::size_t Transactions(const std::string& file) {
    return nlohmann::json::parse(RunCli({"dump", file}).out)["account"]["transactions"].size();
  }

  std::filesystem::path m_dir;
};

}  // namespace

TEST_F(CliFileSafety, WhatTheUserMayNotWriteIsRefusedAndLeftAsItWas) {
  const std::string readOnly = Portfolio("readonly.kpz");
  const std::string foreign = Portfolio("foreign.kpz");
  const std::string mine = Portfolio("mine.kpz");
  ASSERT_EQ(RunCli({"buy", mine, "--date", "01.03.2020", "--name", "Aktie", "--wkn", "A1", "--qty", "1",
                    "--price", "10", "--commission", "0"})
                .status,
            0);
  ::chown(readOnly.c_str(), kNobody, kNogroup);
  ::chmod(readOnly.c_str(), 0444);
  ::chmod(foreign.c_str(), 0644);  // root's
  ::chown(mine.c_str(), kNobody, kNogroup);
  const std::string exportTarget = (m_dir / "prices.txt").string();
  std::ofstream(exportTarget) << "old prices";
  ::chown(exportTarget.c_str(), kNobody, kNogroup);
  ::chmod(exportTarget.c_str(), 0444);
  const std::string readOnlyBefore = Read(readOnly);
  std::filesystem::remove_all(m_dir / "data/Kapitalbuch");
  const std::string foreignBefore = Read(foreign);

  const auto result = testutil::RunInChild(
      [&](std::string& output) {
        for (const std::string& file : {readOnly, foreign}) {
          const Result r = RunCli(Deposit(file));
          output += std::to_string(r.status) + " " + r.err;
        }
        const Result r = RunCli(Export(mine, exportTarget));
        output += std::to_string(r.status) + " " + r.err;
        return 0;
      },
      true);
  EXPECT_EQ(result.output,
            "4 Fehler beim Speichern des Dokuments.\n"
            "4 Fehler beim Speichern des Dokuments.\n"
            "4 Datei kann nicht geöffnet werden!\n");
  EXPECT_EQ(Read(readOnly), readOnlyBefore);
  EXPECT_EQ(testutil::ModeText(StatOf(readOnly).st_mode), "0444");
  EXPECT_EQ(Read(foreign), foreignBefore);
  EXPECT_EQ(StatOf(foreign).st_uid, 0u);
  EXPECT_EQ(Read(exportTarget), "old prices");
  // No backups were made for saves that could not happen.
  EXPECT_FALSE(std::filesystem::exists(m_dir / "data/Kapitalbuch/Sicherungen"));
}

TEST_F(CliFileSafety, SavingKeepsLinksOwnerAndMode) {
  const std::string real = Portfolio("real.kpz");
  std::filesystem::create_symlink("real.kpz", m_dir / "link.kpz");
  std::filesystem::create_hard_link(real, m_dir / "hard.kpz");
  ::chown(real.c_str(), kNobody, kNogroup);
  ::chmod(real.c_str(), 0640);
  const ino_t inode = StatOf(real).st_ino;

  // Through the symbolic link: the file it names changes, the link stays a link.
  ASSERT_EQ(RunCli(Deposit((m_dir / "link.kpz").string())).status, 0);
  EXPECT_TRUE(std::filesystem::is_symlink(m_dir / "link.kpz"));
  // Through the second hard link: both names see the change (written in place).
  ASSERT_EQ(RunCli(Deposit((m_dir / "hard.kpz").string())).status, 0);
  EXPECT_EQ(Transactions(real), 2u);
  EXPECT_EQ(StatOf(real).st_ino, inode);
  // Root worked on another user's file: it is still that user's, with its mode.
  EXPECT_EQ(StatOf(real).st_uid, kNobody);
  EXPECT_EQ(StatOf(real).st_gid, kNogroup);
  EXPECT_EQ(testutil::ModeText(StatOf(real).st_mode), "0640");

  // A name of 255 bytes: its lock and temporary files fit beside it too.
  const std::string longName = Portfolio(std::string(251, 'l') + ".kpz");
  EXPECT_EQ(RunCli(Deposit(longName)).status, 0);
  EXPECT_EQ(Transactions(longName), 1u);
}

TEST_F(CliFileSafety, ExportWritesFifosAndDevicesAndFollowsLinks) {
  const std::string file = Portfolio("p.kpz");
  ASSERT_EQ(RunCli({"buy", file, "--date", "01.03.2020", "--name", "Aktie", "--wkn", "A1", "--qty", "1",
                    "--price", "10", "--commission", "0"})
                .status,
            0);
  ASSERT_EQ(RunCli({"price", file, "--date", "01.03.2020", "--name", "Aktie", "--wkn", "A1", "--price", "10"})
                .status,
            0);
  // Root exporting to /dev/null leaves the device a device.
  Result r = RunCli(Export(file, "/dev/null"));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(S_ISCHR(StatOf("/dev/null").st_mode));

  const std::string fifo = (m_dir / "pipe").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
  r = RunCli(Export(file, fifo));  // nobody reads: refused, not waited for
  EXPECT_EQ(r.status, 4);
  EXPECT_EQ(r.err, "Datei kann nicht geöffnet werden!\n");
  EXPECT_TRUE(S_ISFIFO(StatOf(fifo).st_mode));

  const std::string target = (m_dir / "prices.txt").string();
  std::filesystem::create_symlink("prices.txt", m_dir / "prices-link.txt");
  ASSERT_EQ(RunCli(Export(file, (m_dir / "prices-link.txt").string())).status, 0);
  EXPECT_TRUE(std::filesystem::is_symlink(m_dir / "prices-link.txt"));
  EXPECT_EQ(Read(target), "01.03.2020\t10,00\r\n");
}

TEST_F(CliFileSafety, WhatIsNoPortfolioOrInputIsRefusedCleanly) {
  const std::string file = Portfolio("p.kpz");
  ASSERT_EQ(RunCli({"buy", file, "--date", "01.03.2020", "--name", "Aktie", "--wkn", "A1", "--qty", "1",
                    "--price", "10", "--commission", "0"})
                .status,
            0);
  const std::string fifo = (m_dir / "pipe").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
  // Larger than any portfolio (a sparse file: no disk space used).
  const std::string huge = (m_dir / "huge.kpz").string();
  std::ofstream{huge}.close();
  std::filesystem::resize_file(huge, (std::uintmax_t{1} << 30) + 1);
  for (const std::string& notAPortfolio : {m_dir.string(), fifo, std::string("/dev/zero"), huge}) {
    for (const auto& args : {std::vector<std::string>{"dump", notAPortfolio}, Deposit(notAPortfolio)}) {
      const Result r = RunCli(args);
      EXPECT_EQ(r.status, 3) << args[0] << " " << notAPortfolio;
      EXPECT_EQ(r.err, "Fehler beim Öffnen des Dokuments.\n") << notAPortfolio;
    }
  }
  const std::string before = Read(file);
  for (const std::string& input :
       {m_dir.string(), fifo, std::string("/dev/zero"), (m_dir / "missing.txt").string()}) {
    for (const std::string option : {"--input", "--format-file"}) {
      std::vector<std::string> args = {"import", file, "--name", "Aktie", "--input", fifo, "--format", "1"};
      if (option == "--input") {
        args[5] = input;
      } else {
        args[6] = "--format-file";
        args[7] = input;
      }
      const Result r = RunCli(args);
      EXPECT_EQ(r.status, 3) << option << " " << input;
      EXPECT_EQ(r.err, "Datei kann nicht geöffnet werden!\n") << option << " " << input;
    }
  }
  EXPECT_EQ(Read(file), before);
  EXPECT_FALSE(std::filesystem::exists("/dev/zero.lock"));
}
