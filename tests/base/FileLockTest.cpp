// The lock file every writer of a portfolio holds.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

#include <ctime>
#include <filesystem>
#include <fstream>

#include "base/FileLock.h"

namespace {

class FileLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = std::filesystem::temp_directory_path() / ("kapibuch-lock-" + std::to_string(::getpid()));
    std::filesystem::remove_all(m_dir);
    std::filesystem::create_directories(m_dir);
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }
  std::string Path(const std::string& name) const { return (m_dir / name).string(); }
  std::filesystem::path m_dir;
};

using std::chrono::milliseconds;

}  // namespace

TEST_F(FileLockTest, OneHolderAtATime) {
  const std::string path = Path("a.kpz.lock");
  FileLock first, second;
  ASSERT_EQ(first.Acquire(path, milliseconds(0)), FileLock::Result::Locked);
  std::ifstream in(path);
  std::string pid;
  std::getline(in, pid);
  EXPECT_EQ(pid, std::to_string(::getpid()));
  EXPECT_EQ(second.Acquire(path, milliseconds(120)), FileLock::Result::Busy);
  first.Release();
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(second.Acquire(path, milliseconds(0)), FileLock::Result::Locked);
  EXPECT_EQ(FileLock().Acquire(Path("no/folder.lock"), milliseconds(0)), FileLock::Result::Unavailable);
}

TEST_F(FileLockTest, LocksOfProgramsThatDiedAreTakenOver) {
  // A process id that no longer runs: taken over at once.
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  char host[256] = {};
  ::gethostname(host, sizeof host - 1);
  const std::string dead = Path("dead.lock");
  std::ofstream(dead) << child << "\nkapitalbuch\n" << host << "\n";
  FileLock lock;
  EXPECT_EQ(lock.Acquire(dead, milliseconds(0)), FileLock::Result::Locked);

  // An empty lock file (killed between creating and writing it) blocks for ten seconds,
  // then it is taken over; so is one that holds no process id.
  for (const char* content : {"", "garbage"}) {
    const std::string empty = Path(std::string("empty") + content + ".lock");
    std::ofstream(empty) << content;
    FileLock other;
    EXPECT_EQ(other.Acquire(empty, milliseconds(0)), FileLock::Result::Busy);
    const std::time_t old = std::time(nullptr) - 11;
    const utimbuf times{old, old};
    ASSERT_EQ(::utime(empty.c_str(), &times), 0);
    EXPECT_EQ(other.Acquire(empty, milliseconds(0)), FileLock::Result::Locked) << content;
  }
  // A living process on another host cannot be asked: its lock holds.
  const std::string foreign = Path("foreign.lock");
  std::ofstream(foreign) << "1\nkapitalbuch\nanother-host.invalid\n";
  EXPECT_EQ(FileLock().Acquire(foreign, milliseconds(0)), FileLock::Result::Busy);
}
