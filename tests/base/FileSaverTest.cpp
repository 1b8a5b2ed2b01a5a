// Saving over whatever is at a path: links, owners, modes, permissions, FIFOs and devices,
// long names, and the temporary files of failed or killed saves.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "base/FileSaver.h"
#include "base/SafeFile.h"
#include "base/TempFile.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FileMode.h"

using testutil::kNobody;
using testutil::kNogroup;
using testutil::RunInChild;
using Status = FileSaver::Status;

namespace {

std::span<const std::uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::string Read(const std::filesystem::path& path) {
  std::vector<std::uint8_t> bytes;
  ReadWholeFile(path.string(), bytes);
  return std::string(bytes.begin(), bytes.end());
}

void Write(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

struct stat StatOf(const std::filesystem::path& path) {
  struct stat st {};
  ::lstat(path.c_str(), &st);
  return st;
}

// Everything in the folder besides the named files.
std::vector<std::string> Others(const std::filesystem::path& dir, const std::vector<std::string>& names) {
  std::vector<std::string> others;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    const std::string name = entry.path().filename().string();
    if (std::find(names.begin(), names.end(), name) == names.end()) others.push_back(name);
  }
  return others;
}

class FileSaverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = testutil::OpenScratchFolder(std::string("saver-") +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }
  std::filesystem::path m_dir;
};

}  // namespace

TEST_F(FileSaverTest, SymbolicLinksAreFollowedAndStayLinks) {
  std::filesystem::create_directory(m_dir / "real");
  Write(m_dir / "real/depot.kpz", "old");
  // A relative link to a relative link to the file.
  std::filesystem::create_symlink("real/depot.kpz", m_dir / "inner");
  std::filesystem::create_symlink("inner", m_dir / "outer");
  FileSaver saver((m_dir / "outer").string());
  EXPECT_EQ(saver.Target(), (m_dir / "real/depot.kpz").string());
  ASSERT_EQ(saver.Replace(Bytes("new")), Status::Ok);
  EXPECT_TRUE(std::filesystem::is_symlink(m_dir / "outer"));
  EXPECT_TRUE(std::filesystem::is_symlink(m_dir / "inner"));
  EXPECT_EQ(Read(m_dir / "real/depot.kpz"), "new");

  // A dangling link names the file to create; a loop is refused.
  std::filesystem::create_symlink("real/later.kpz", m_dir / "dangling");
  EXPECT_EQ(FileSaver((m_dir / "dangling").string()).Replace(Bytes("x")), Status::Ok);
  EXPECT_EQ(Read(m_dir / "real/later.kpz"), "x");
  std::filesystem::create_symlink("loop2", m_dir / "loop1");
  std::filesystem::create_symlink("loop1", m_dir / "loop2");
  EXPECT_EQ(FileSaver((m_dir / "loop1").string()).Replace(Bytes("x")), Status::Refused);
  // Creating never follows a link: a dangling one takes the name too.
  EXPECT_EQ(FileSaver((m_dir / "dangling").string()).CreateNew(Bytes("y")), Status::Refused);
}

TEST_F(FileSaverTest, OwnerGroupAndModeAreKept) {
  const auto file = m_dir / "other.kpz";
  Write(file, "old");
  ASSERT_EQ(::chown(file.c_str(), kNobody, kNogroup), 0);
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
  const ino_t before = StatOf(file).st_ino;
  // Root saves another user's file: it stays that user's.
  ASSERT_EQ(FileSaver(file.string()).Replace(Bytes("new")), Status::Ok);
  const struct stat st = StatOf(file);
  EXPECT_EQ(st.st_uid, kNobody);
  EXPECT_EQ(st.st_gid, kNogroup);
  EXPECT_EQ(testutil::ModeText(st.st_mode), "0640");
  EXPECT_NE(st.st_ino, before);  // written anew, renamed over
  EXPECT_EQ(Read(file), "new");

  const mode_t mask = ::umask(022);
  ASSERT_EQ(FileSaver((m_dir / "fresh.kpz").string()).Replace(Bytes("x")), Status::Ok);
  EXPECT_EQ(testutil::ModeText(StatOf(m_dir / "fresh.kpz").st_mode), "0644");
  ::umask(mask);
  EXPECT_EQ(Others(m_dir, {"other.kpz", "fresh.kpz"}), std::vector<std::string>{});
}

TEST_F(FileSaverTest, HardLinksAreWrittenInPlace) {
  const auto a = m_dir / "a.kpz";
  const auto b = m_dir / "b.kpz";
  Write(a, "old content, longer than the new one");
  std::filesystem::create_hard_link(a, b);
  const ino_t inode = StatOf(a).st_ino;
  ASSERT_EQ(FileSaver(b.string()).Replace(Bytes("new")), Status::Ok);
  EXPECT_EQ(Read(a), "new");
  EXPECT_EQ(StatOf(a).st_ino, inode);
  EXPECT_EQ(StatOf(a).st_nlink, 2u);
  // The copy of the old content kept during the write is gone.
  EXPECT_EQ(Others(m_dir, {"a.kpz", "b.kpz"}), std::vector<std::string>{});
}

TEST_F(FileSaverTest, AnyNameTheSystemAllowsCanBeSaved) {
  // 255 bytes, the longest name, with two-byte characters across the place where the
  // temporary name cuts it.
  std::string name;
  while (name.size() < 251) name += "ü";
  name = name.substr(0, 251) + ".kpz";
  ASSERT_EQ(name.size(), 255u);
  const auto file = m_dir / name;
  ASSERT_EQ(FileSaver(file.string()).CreateNew(Bytes("one")), Status::Ok);
  ASSERT_EQ(FileSaver(file.string()).Replace(Bytes("two")), Status::Ok);
  EXPECT_EQ(Read(file), "two");
  EXPECT_EQ(Others(m_dir, {name}), std::vector<std::string>{});
}

TEST_F(FileSaverTest, TheLitterOfKilledSavesIsRemovedByTheNextSave) {
  const auto file = m_dir / "depot.kpz";
  Write(file, "old");
  // A save killed halfway leaves its temporary file.
  const auto killed = RunInChild(
      [&](std::string&) {
        auto temp = TempFile::Create(file.string());
        if (!temp || !temp->Write(Bytes("half"))) return 1;
        ::raise(SIGKILL);
        return 0;
      },
      false);
  ASSERT_EQ(killed.status, 128 + SIGKILL);
  const std::vector<std::string> litter = Others(m_dir, {"depot.kpz"});
  ASSERT_EQ(litter.size(), 1u);
  // A save in progress elsewhere keeps its file.
  auto running = TempFile::Create(file.string());
  ASSERT_NE(running, nullptr);

  ASSERT_EQ(FileSaver(file.string()).Replace(Bytes("new")), Status::Ok);
  EXPECT_FALSE(std::filesystem::exists(m_dir / litter[0]));
  EXPECT_TRUE(std::filesystem::exists(running->Path()));
  EXPECT_EQ(Read(file), "new");
  running.reset();
  EXPECT_EQ(Others(m_dir, {"depot.kpz"}), std::vector<std::string>{});
}

TEST_F(FileSaverTest, AFailedWriteLeavesTheOldFileAndNoLitter) {
  const auto single = m_dir / "single.kpz";
  const auto linked = m_dir / "linked.kpz";
  Write(single, std::string(100, 'o'));
  Write(linked, std::string(100, 'o'));
  std::filesystem::create_hard_link(linked, m_dir / "second.kpz");
  // Files may not grow beyond 1000 bytes: writing 5000 fails halfway.
  const auto result = RunInChild(
      [&](std::string& output) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const std::string big(5000, 'n');
        output += FileSaver(single.string()).Replace(Bytes(big)) == Status::Failed ? "F" : "?";
        output += FileSaver(linked.string()).Replace(Bytes(big)) == Status::Failed ? "F" : "?";
        return 0;
      },
      false);
  EXPECT_EQ(result.output, "FF");
  EXPECT_EQ(Read(single), std::string(100, 'o'));
  EXPECT_EQ(Read(linked), std::string(100, 'o'));  // put back from the copy
  EXPECT_EQ(Others(m_dir, {"single.kpz", "linked.kpz", "second.kpz"}), std::vector<std::string>{});
}

TEST_F(FileSaverTest, WhatTheUserMayNotWriteIsRefusedAndLeft) {
  const auto readOnly = m_dir / "readonly.kpz";
  const auto foreign = m_dir / "foreign.kpz";
  const auto shared = m_dir / "shared.kpz";
  for (const auto& f : {readOnly, foreign, shared}) Write(f, "old");
  ::chown(readOnly.c_str(), kNobody, kNogroup);
  ::chmod(readOnly.c_str(), 0444);
  ::chmod(foreign.c_str(), 0644);  // root's, in a folder nobody may write in
  ::chmod(shared.c_str(), 0666);   // root's, but everybody may write it
  std::filesystem::create_directory(m_dir / "closed");
  Write(m_dir / "closed/open.kpz", "old");
  ::chmod((m_dir / "closed/open.kpz").c_str(), 0666);
  ::chmod((m_dir / "closed").c_str(), 0755);

  const auto result = RunInChild(
      [&](std::string& output) {
        for (const auto& f : {readOnly, foreign, m_dir / "closed/open.kpz"}) {
          const FileSaver saver(f.string());
          output += saver.Check() == Status::Refused ? "R" : "?";
          output += FileSaver(f.string()).Replace(Bytes("new")) == Status::Refused ? "R" : "?";
          output += FileSaver(f.string()).Export(Bytes("new")) == Status::Refused ? "R" : "?";
        }
        // Written in place: a new file could not be root's.
        output += FileSaver(shared.string()).Replace(Bytes("new")) == Status::Ok ? "O" : "?";
        return 0;
      },
      true);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output, "RRRRRRRRRO");
  EXPECT_EQ(Read(readOnly), "old");
  EXPECT_EQ(testutil::ModeText(StatOf(readOnly).st_mode), "0444");
  EXPECT_EQ(Read(foreign), "old");
  EXPECT_EQ(StatOf(foreign).st_uid, 0u);
  EXPECT_EQ(Read(m_dir / "closed/open.kpz"), "old");
  EXPECT_EQ(Read(shared), "new");
  EXPECT_EQ(StatOf(shared).st_uid, 0u);
  EXPECT_EQ(testutil::ModeText(StatOf(shared).st_mode), "0666");

  // A file without any write permission is read-only for root as well (the tests run as root).
  const auto locked = m_dir / "locked.kpz";
  Write(locked, "old");
  ::chmod(locked.c_str(), 0444);
  EXPECT_EQ(FileSaver(locked.string()).Replace(Bytes("new")), Status::Refused);
  EXPECT_EQ(FileSaver(locked.string()).Export(Bytes("new")), Status::Refused);
  EXPECT_EQ(Read(locked), "old");
}

TEST_F(FileSaverTest, ExportWritesFifosAndDevicesDirectly) {
  // Root exporting to /dev/null keeps the device.
  ASSERT_EQ(FileSaver("/dev/null").Export(Bytes("prices")), Status::Ok);
  EXPECT_TRUE(S_ISCHR(StatOf("/dev/null").st_mode));
  EXPECT_EQ(FileSaver("/dev/null").Replace(Bytes("prices")), Status::Refused);

  const auto fifo = m_dir / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
  // Nobody reads: refused at once instead of waiting.
  EXPECT_EQ(FileSaver(fifo.string()).Export(Bytes("x")), Status::Refused);
  EXPECT_EQ(FileSaver(fifo.string()).Replace(Bytes("x")), Status::Refused);

  // A reader: the prices go straight into the FIFO, which stays a FIFO.
  const pid_t reader = ::fork();
  if (reader == 0) {
    std::ifstream in(fifo);
    std::ofstream(m_dir / "got") << in.rdbuf();
    ::_exit(0);
  }
  Status status = Status::Refused;
  for (int attempt = 0; attempt < 1000 && status == Status::Refused; ++attempt) {
    status = FileSaver(fifo.string()).Export(Bytes("01.02.2004\t5,11\r\n"));
    if (status == Status::Refused) ::usleep(10000);  // until the reader has opened it
  }
  EXPECT_EQ(status, Status::Ok);
  EXPECT_EQ(testutil::WaitFor(reader), 0);
  EXPECT_EQ(Read(m_dir / "got"), "01.02.2004\t5,11\r\n");
  EXPECT_TRUE(S_ISFIFO(StatOf(fifo).st_mode));
}

TEST_F(FileSaverTest, OnlyRegularFilesAreRead) {
  std::vector<std::uint8_t> bytes;
  const auto fifo = m_dir / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
  EXPECT_EQ(ReadRegularFile(fifo.string(), bytes), ReadResult::NotRegular);  // no writer: no waiting
  EXPECT_EQ(ReadRegularFile(m_dir.string(), bytes), ReadResult::NotRegular);
  EXPECT_EQ(ReadRegularFile("/dev/zero", bytes), ReadResult::NotRegular);
  EXPECT_EQ(ReadRegularFile((m_dir / "missing").string(), bytes), ReadResult::CannotOpen);
  Write(m_dir / "ten", "0123456789");
  EXPECT_EQ(ReadRegularFile((m_dir / "ten").string(), bytes, 9), ReadResult::TooLarge);
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(ReadRegularFile((m_dir / "ten").string(), bytes, 10), ReadResult::Ok);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "0123456789");
  Write(m_dir / "empty", "");
  EXPECT_EQ(ReadRegularFile((m_dir / "empty").string(), bytes), ReadResult::Ok);
  EXPECT_TRUE(bytes.empty());
}

TEST_F(FileSaverTest, TwoSimultaneousCreationsMakeOneFile) {
  const auto file = m_dir / "new.kpz";
  for (int round = 0; round < 20; ++round) {
    std::filesystem::remove(file);
    int go[2];
    ASSERT_EQ(::pipe(go), 0);
    std::vector<pid_t> children;
    for (const char* content : {"first", "second"}) {
      const pid_t pid = ::fork();
      if (pid == 0) {
        char c;
        ::close(go[1]);
        ::read(go[0], &c, 1);  // both start together
        ::_exit(FileSaver(file.string()).CreateNew(Bytes(content)) == Status::Ok ? 0 : 1);
      }
      children.push_back(pid);
    }
    ::close(go[0]);
    ::close(go[1]);
    const int a = testutil::WaitFor(children[0]);
    const int b = testutil::WaitFor(children[1]);
    EXPECT_EQ(a + b, 1) << "round " << round;
    EXPECT_EQ(Read(file), a == 0 ? "first" : "second");
  }
  EXPECT_EQ(Others(m_dir, {"new.kpz"}), std::vector<std::string>{});
}
