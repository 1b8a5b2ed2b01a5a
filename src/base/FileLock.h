#pragma once
// A lock file that one process at a time holds: created exclusively, holding the process
// id, the program's name and the host name on three lines (the layout of QLockFile, so that
// either reads the other's). Paths are bytes: a name that is not valid UTF-8 keeps its
// bytes, so different names never share a lock.

#include <chrono>
#include <string>

class FileLock {
 public:
  enum class Result {
    Locked,
    Busy,         // another running program holds it (after waiting)
    Unavailable,  // the lock file cannot be made (no folder, no permission)
  };
  // An empty or unreadable lock file older than this was left by a program that died
  // between creating and writing it.
  static constexpr std::chrono::seconds kUnreadableStale{10};

  FileLock() = default;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  FileLock(FileLock&& other) noexcept;
  FileLock& operator=(FileLock&& other) noexcept;
  ~FileLock();

  // Takes the lock at `path`, waiting up to `wait` while another program holds it. A lock
  // whose process is gone (on this host) is taken over at once. The lock file reaches the
  // disk before Locked is returned.
  Result Acquire(const std::string& path, std::chrono::milliseconds wait);
  bool IsLocked() const { return m_fd >= 0; }
  // Removes the lock file.
  void Release();

 private:
  enum class Holder { None, Alive, Stale };
  static Holder Inspect(const std::string& path);

  std::string m_path;
  int m_fd = -1;
};
