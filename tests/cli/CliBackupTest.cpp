// Backups before kapibuch-cli saves over a portfolio, and --dry-run, which checks and
// shows a change without writing anything.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "base/SafeFile.h"
#include "cli/Cli.h"
#include "tests/cli/CliTestUtil.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FileMode.h"

using namespace clitest;

namespace {

using testutil::ModeOf;

class CliBackup : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("KAPIBUCH_TODAY", "08.12.2026", 1);
    m_dir = testutil::OpenScratchFolder(std::string("cli-backup-") +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    ::setenv("XDG_DATA_HOME", (m_dir / "data").c_str(), 1);
    m_backups = m_dir / "data/Kapitalbuch/Sicherungen";
    m_file = (m_dir / "depot.kpz").string();
    Ok({"new", m_file, "--holder", "Test", "--start", "01.01.1999", "--balance", "1.000 DM"});
    Ok({"buy", m_file, "--date", "01.02.1999", "--name", "Aktie", "--wkn", "A1", "--qty", "10", "--price",
        "10 DM", "--commission", "0"});
    std::filesystem::remove_all(m_backups);
  }
  void TearDown() override {
    ::unsetenv("KAPIBUCH_SETTINGS");
    std::filesystem::remove_all(m_dir);
  }

  void Ok(const std::vector<std::string>& args) {
    const Result r = RunCli(args);
    ASSERT_EQ(r.status, 0) << args[0] << ": " << r.err;
  }
  std::vector<std::filesystem::path> Backups() const {
    std::vector<std::filesystem::path> found;
    if (std::filesystem::exists(m_backups)) {
      for (const auto& e : std::filesystem::directory_iterator(m_backups)) found.push_back(e.path());
    }
    std::sort(found.begin(), found.end());
    return found;
  }

  std::filesystem::path m_dir;
  std::filesystem::path m_backups;
  std::string m_file;
};

}  // namespace

TEST_F(CliBackup, EverySaveOverAFileKeepsTheOldOneFirst) {
  ::chmod(m_file.c_str(), 0600);
  const std::string first = Read(m_file);
  Ok({"holder", m_file, "--holder", "Anna"});
  const std::string second = Read(m_file);
  Ok({"holder", m_file, "--holder", "Bert"});
  const auto backups = Backups();
  ASSERT_EQ(backups.size(), 2u);
  const std::regex name("depot-[0-9a-f]{8}-[0-9]{8}-[0-9]{6}(-2)?\\.kpz");
  for (const auto& b : backups) {
    EXPECT_TRUE(std::regex_match(b.filename().string(), name)) << b;
    EXPECT_EQ(ModeOf(b.string()), "0600");  // a private portfolio, a private copy
  }
  EXPECT_EQ(ModeOf(m_backups.string()), "0700");
  // Oldest and newest, whichever came first in the same second.
  std::vector<std::string> contents = {Read(backups[0].string()), Read(backups[1].string())};
  std::sort(contents.begin(), contents.end());
  std::vector<std::string> expected = {first, second};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(contents, expected);

  // A new file replaces nothing: no copy.
  Ok({"new", (m_dir / "other.kpz").string()});
  EXPECT_EQ(Backups().size(), 2u);
}

TEST_F(CliBackup, ABackupThatCannotBeMadeStopsTheSave) {
  std::ofstream(m_dir / "plain") << "a file, no folder";
  ::setenv("XDG_DATA_HOME", (m_dir / "plain").c_str(), 1);
  const std::string before = Read(m_file);
  const Result r = RunCli({"holder", m_file, "--holder", "Anna"});
  EXPECT_EQ(r.status, 4);
  EXPECT_EQ(r.err, "Die Sicherungskopie konnte nicht angelegt werden; die Datei wurde nicht verändert.\n");
  EXPECT_EQ(Read(m_file), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir), {}), 3);  // data, plain, depot.kpz
}

TEST_F(CliBackup, DryRunShowsTheResultAndWritesNothing) {
  const std::string input = (m_dir / "kurse.txt").string();
  std::ofstream(input) << "03.02.1999;5,00\r\n04.02.1999;5,50\r\n";
  const std::string ini = (m_dir / "settings.ini").string();
  ::setenv("KAPIBUCH_SETTINGS", ini.c_str(), 1);
  const std::string f = m_file;
  const std::vector<std::vector<std::string>> commands = {
      {"holder", f, "--holder", "Anna"},
      {"price", f, "--date", "02.02.1999", "--name", "Aktie", "--wkn", "A1", "--price", "11"},
      {"buy", f, "--date", "01.03.1999", "--name", "Aktie", "--wkn", "A1", "--qty", "5", "--price", "12 DM",
       "--commission", "1 DM"},
      {"sell", f, "--date", "01.04.1999", "--name", "Aktie", "--wkn", "A1", "--qty", "4", "--price", "13 DM",
       "--commission", "1 DM"},
      {"move", f, "--date", "01.05.1999", "--kind", "Kapitaleinlage", "--amount", "100 DM"},
      {"split", f, "--date", "01.06.1999", "--name", "Aktie", "--wkn", "A1", "--new", "2", "--old", "1"},
      {"switch-eur", f, "--date", "01.01.2001"},
      {"import", f, "--name", "Aktie", "--input", input, "--format", "6"},
  };
  for (auto args : commands) {
    const std::string before = Read(f);
    args.push_back("--dry-run");
    const Result dry = RunCli(args);
    ASSERT_EQ(dry.status, 0) << args[0] << ": " << dry.err;
    EXPECT_EQ(Read(f), before) << args[0];
    EXPECT_FALSE(std::filesystem::exists(f + ".lock"));
    args.pop_back();
    Ok(args);
    // Exactly what dump shows after the command itself.
    EXPECT_EQ(dry.out, RunCli({"dump", f}).out) << args[0];
  }
  // The import printed its count where it does not disturb the document.
  EXPECT_EQ(RunCli({"import", f, "--name", "Aktie", "--input", input, "--format", "6", "--dry-run"}).err,
            "2 Kurse gefunden\n");
  // Of all the runs only the real ones made copies; the dry import stored no settings.
  EXPECT_EQ(Backups().size(), commands.size());
  ::unlink(ini.c_str());
  RunCli({"import", f, "--name", "Aktie", "--input", input, "--format", "6", "--dry-run"});
  EXPECT_FALSE(std::filesystem::exists(ini));

  // A new file: shown, not made.
  const std::string fresh = (m_dir / "fresh.kpz").string();
  const Result dryNew = RunCli({"new", fresh, "--holder", "Neu", "--dry-run"});
  ASSERT_EQ(dryNew.status, 0) << dryNew.err;
  EXPECT_FALSE(std::filesystem::exists(fresh));
  Ok({"new", fresh, "--holder", "Neu"});
  EXPECT_EQ(dryNew.out, RunCli({"dump", fresh}).out);

  // Every check still runs: a refused booking and an unwritable file fail as they would.
  const Result refused =
      RunCli({"move", f, "--date", "01.05.1999", "--kind", "Kapitaleinlage", "--amount", "abc", "--dry-run"});
  EXPECT_EQ(refused.status, 2);
  EXPECT_TRUE(refused.out.empty());
  EXPECT_EQ(RunCli({"new", fresh, "--dry-run"}).status, 4);
  ::chmod(f.c_str(), 0444);
  const auto readOnly = testutil::RunInChild(
      [&](std::string& output) {
        const Result r = RunCli({"holder", f, "--holder", "X", "--dry-run"});
        output = std::to_string(r.status) + " " + r.err + r.out;
        return 0;
      },
      true);
  EXPECT_EQ(readOnly.output, "4 Fehler beim Speichern des Dokuments.\n");
}
