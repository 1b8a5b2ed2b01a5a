#pragma once
// The lock every program of Kapitalbuch holds while it works on a portfolio file, the
// desktop program for as long as the file is open, kapibuch-cli from before reading until
// after saving: "NAME.kpz.lock" beside the file (symbolic links followed, so every name of
// the file finds the same lock). The lock file itself is never renamed, so the rename of a
// save cannot slip past it. A lock left by a program that died is taken over at once, an
// empty one after 10 seconds (see base/FileLock).

#include <chrono>
#include <string>

#include "base/FileLock.h"

namespace qt {

class PortfolioLock {
 public:
  using Result = FileLock::Result;

  PortfolioLock() = default;
  PortfolioLock(PortfolioLock&&) = default;
  PortfolioLock& operator=(PortfolioLock&&) = default;

  // "NAME.kpz.lock"; for a name too long to take ".lock", a shortened name with a hash.
  static std::string LockPathOf(const std::string& portfolio);

  // Takes the lock of the portfolio file, waiting up to `wait` for another holder. A lock
  // this object held before is given up only when the new one is taken.
  Result Acquire(const std::string& portfolio, std::chrono::milliseconds wait);
  bool IsLocked() const { return m_lock.IsLocked(); }
  void Release() { m_lock.Release(); }

 private:
  FileLock m_lock;
};

}  // namespace qt
