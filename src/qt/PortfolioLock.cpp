#include "qt/PortfolioLock.h"

#include "base/FileSaver.h"
#include "base/ShortHash.h"

namespace qt {

namespace {

// The longest file name the system allows.
constexpr std::size_t kNameMax = 255;

}  // namespace

std::string PortfolioLock::LockPathOf(const std::string& portfolio) {
  const std::string target = FollowLinks(portfolio);
  const std::string file = target.empty() ? portfolio : target;
  const std::size_t slash = file.find_last_of('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t nameLength = file.size() - nameStart;
  if (nameLength + 5 <= kNameMax) return file + ".lock";
  // A name too long for ".lock" behind it: its first part and a hash of all of it.
  std::size_t keep = 200;
  while (keep > 0 && (static_cast<unsigned char>(file[nameStart + keep]) & 0xC0) == 0x80) --keep;
  return file.substr(0, nameStart + keep) + "." + ShortHash(file.substr(nameStart)) + ".lock";
}

PortfolioLock::Result PortfolioLock::Acquire(const std::string& portfolio, std::chrono::milliseconds wait) {
  // Never stale by age: the desktop program holds its lock for hours. A lock whose program
  // is gone is recognised by its process id.
  return m_lock.Acquire(LockPathOf(portfolio), wait);
}

}  // namespace qt
