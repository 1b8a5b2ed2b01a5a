#include "base/FileLock.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <thread>
#include <utility>

namespace {

std::string HostName() {
  char name[HOST_NAME_MAX + 1] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return {};
  return name;
}

std::string ReadSmallFile(int fd) {
  std::string text;
  char buffer[512];
  for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0 && text.size() < 4096;)
    text.append(buffer, static_cast<std::size_t>(n));
  return text;
}

}  // namespace

FileLock::FileLock(FileLock&& other) noexcept
    : m_path(std::move(other.m_path)), m_fd(std::exchange(other.m_fd, -1)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    Release();
    m_path = std::move(other.m_path);
    m_fd = std::exchange(other.m_fd, -1);
  }
  return *this;
}

FileLock::~FileLock() {
  Release();
}

void FileLock::Release() {
  if (m_fd < 0) return;
  ::unlink(m_path.c_str());
  ::close(m_fd);
  m_fd = -1;
}

FileLock::Holder FileLock::Inspect(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return errno == ENOENT ? Holder::None : Holder::Alive;
  struct stat st {};
  const bool known = ::fstat(fd, &st) == 0;
  const std::string text = ReadSmallFile(fd);
  ::close(fd);
  // "PID\nPROGRAM\nHOST\n..."
  const std::size_t first = text.find('\n');
  char* end = nullptr;
  const long pid = std::strtol(text.c_str(), &end, 10);
  const bool readable = first != std::string::npos && pid > 0 && end == text.c_str() + first;
  if (!readable) {
    // Left empty by a program killed while it made the lock (or never reached the disk):
    // once it is old enough no program can still be writing it.
    const bool old = known && std::time(nullptr) - st.st_mtime > kUnreadableStale.count();
    return old ? Holder::Stale : Holder::Alive;
  }
  std::string host;
  if (const std::size_t second = text.find('\n', first + 1); second != std::string::npos) {
    const std::size_t third = text.find('\n', second + 1);
    host = text.substr(second + 1, third == std::string::npos ? std::string::npos : third - second - 1);
  }
  if (!host.empty() && host != HostName()) return Holder::Alive;  // no way to ask that host
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM ? Holder::Alive : Holder::Stale;
}

FileLock::Result FileLock::Acquire(const std::string& path, std::chrono::milliseconds wait) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  while (true) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
      const std::string text = std::to_string(::getpid()) + "\nkapitalbuch\n" + HostName() + "\n";
      const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
      if (!written || ::fsync(fd) != 0) {
        ::unlink(path.c_str());
        ::close(fd);
        return Result::Unavailable;
      }
      Release();  // a lock held before is given up only now that the new one is taken
      m_path = path;
      m_fd = fd;
      return Result::Locked;
    }
    if (errno != EEXIST) return Result::Unavailable;
    switch (Inspect(path)) {
      case Holder::Stale:
        ::unlink(path.c_str());
        continue;
      case Holder::None:
        continue;  // removed in the meantime
      case Holder::Alive:
        break;
    }
    if (std::chrono::steady_clock::now() >= deadline) return Result::Busy;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}
