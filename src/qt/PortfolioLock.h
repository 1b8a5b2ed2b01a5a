#pragma once
// The lock every program of Kapitalbuch holds while it works on a portfolio file, the
// desktop program for as long as the file is open, kapibuch-cli from before reading until
// after saving: "NAME.kpz.lock" beside the file (symbolic links followed, so every name of
// the file finds the same lock). The lock file itself is never renamed, so the rename of a
// save cannot slip past it. A lock left by a program that died is taken over at once.

#include <QLockFile>
#include <chrono>
#include <memory>
#include <string>

class PortfolioLock {
 public:
  enum class Result {
    Locked,
    Busy,         // another running program holds it (after waiting)
    Unavailable,  // the lock file cannot be made (no folder, no permission)
  };

  PortfolioLock() = default;
  PortfolioLock(PortfolioLock&&) = default;
  PortfolioLock& operator=(PortfolioLock&&) = default;

  // "NAME.kpz.lock"; for a name too long to take ".lock", a shortened name with a hash.
  static std::string LockPathOf(const std::string& portfolio);

  // Takes the lock of the portfolio file, waiting up to `wait` for another holder. A lock
  // this object held before is given up only when the new one is taken.
  Result Acquire(const std::string& portfolio, std::chrono::milliseconds wait);
  bool IsLocked() const { return m_lock != nullptr; }
  void Release() { m_lock.reset(); }

 private:
  std::unique_ptr<QLockFile> m_lock;
};
