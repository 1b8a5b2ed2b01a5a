#include "base/TempFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "base/ShortHash.h"

namespace {

// The longest part of the target's name that goes into a temporary name: with the dot,
// the hash and the suffix the name stays below the 255 bytes a file name may have.
constexpr std::size_t kNamePart = 200;
constexpr std::string_view kSuffix = ".kbx-";
constexpr std::size_t kRandom = 6;  // mkstemp's XXXXXX

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// ".NAME.HASH.kbx-": what every temporary file of the target starts with.
std::string Prefix(const std::string& target) {
  const std::string name = BaseName(target);
  std::size_t length = std::min(name.size(), kNamePart);
  // Never cut a UTF-8 character in two.
  while (length < name.size() && length > 0 && (static_cast<unsigned char>(name[length]) & 0xC0) == 0x80)
    --length;
  std::string prefix(1, '.');
  prefix.append(name, 0, length).append(1, '.').append(ShortHash(name)).append(kSuffix);
  return prefix;
}

std::string InFolder(const std::string& folder, const std::string& name) {
  return folder == "." ? name : folder + "/" + name;
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

void SyncFolder(const std::string& folder) {
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return;
  ::fsync(dir);
  ::close(dir);
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool CopyFromStart(int from, int to) {
  if (::lseek(from, 0, SEEK_SET) != 0 || ::lseek(to, 0, SEEK_SET) != 0) return false;
  std::vector<std::uint8_t> buffer(std::size_t{1} << 16);
  for (;;) {
    const ssize_t n = ::read(from, buffer.data(), buffer.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return true;
    if (!WriteAll(to, std::span(buffer.data(), static_cast<std::size_t>(n)))) return false;
  }
}

std::unique_ptr<TempFile> TempFile::Create(const std::string& target) {
  const std::string pattern = InFolder(FolderOf(target), Prefix(target) + std::string(kRandom, 'X'));
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string path = pattern;
    const int fd = ::mkostemp(path.data(), O_CLOEXEC);
    if (fd < 0) return nullptr;
    // A writer cleaning up may have opened the new file before it was locked and removed
    // it since: then the name no longer leads to this file, and another one is made.
    struct stat mine {
    }, named{};
    if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &mine) == 0 && ::lstat(path.c_str(), &named) == 0 &&
        SameFile(mine, named)) {
      return std::unique_ptr<TempFile>(new TempFile(fd, std::move(path)));
    }
    ::close(fd);
  }
  errno = EAGAIN;
  return nullptr;
}

void TempFile::RemoveLitter(const std::string& target) {
  const std::string folder = FolderOf(target);
  const std::string prefix = Prefix(target);
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() != prefix.size() + kRandom || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string path = InFolder(folder, name);
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat held {
    }, named{};
    // Only a file no running program holds is litter.
    if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::lstat(path.c_str(), &named) == 0 && SameFile(held, named)) {
      ::unlink(path.c_str());
    }
    ::close(fd);
  }
  ::closedir(dir);
}

TempFile::~TempFile() {
  if (m_fd >= 0) {
    if (!m_keep) ::unlink(m_path.c_str());
    ::close(m_fd);
  }
}

bool TempFile::Write(std::span<const std::uint8_t> bytes) {
  return WriteAll(m_fd, bytes);
}

bool TempFile::Sync() {
  return ::fsync(m_fd) == 0;
}

bool TempFile::RenameOver(const std::string& target) {
  // Renamed while still open and locked, so no cleaner can take it in between.
  if (std::rename(m_path.c_str(), target.c_str()) != 0) return false;
  ::close(m_fd);
  m_fd = -1;
  SyncFolder(FolderOf(target));
  return true;
}

bool TempFile::PublishAs(const std::string& name) {
  if (::renameat2(AT_FDCWD, m_path.c_str(), AT_FDCWD, name.c_str(), RENAME_NOREPLACE) != 0) {
    // File systems without the no-replace rename: a new hard link cannot replace either.
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
    if (::link(m_path.c_str(), name.c_str()) != 0) return false;
    ::unlink(m_path.c_str());
  }
  ::close(m_fd);
  m_fd = -1;
  SyncFolder(FolderOf(name));
  return true;
}
