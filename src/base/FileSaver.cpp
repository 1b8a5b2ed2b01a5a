#include "base/FileSaver.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "base/TempFile.h"

namespace {

std::string Join(const std::string& folder, const std::string& name) {
  if (folder == ".") return name;
  if (folder == "/") return "/" + name;
  return folder + "/" + name;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

bool FolderWritable(const std::string& file) {
  return ::faccessat(AT_FDCWD, FolderOf(file).c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

bool WriteFromStart(int fd, std::span<const std::uint8_t> bytes) {
  return ::lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, bytes) &&
         ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
}

}  // namespace

std::string FollowLinks(const std::string& path) {
  std::string current = path;
  for (int depth = 0; depth < 40; ++depth) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    std::string link(PATH_MAX, '\0');
    const ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= link.size()) return {};
    link.resize(static_cast<std::size_t>(n));
    current = link.front() == '/' ? link : Join(FolderOf(current), link);
  }
  return {};
}

FileSaver::FileSaver(const std::string& path) : m_path(path), m_target(FollowLinks(path)) {
  struct stat st {};
  if (!m_target.empty() && ::lstat(m_target.c_str(), &st) == 0) {
    m_exists = true;
    m_mode = st.st_mode;
    m_uid = st.st_uid;
    m_gid = st.st_gid;
    m_links = st.st_nlink;
  }
}

FileSaver::Status FileSaver::Check() const {
  if (m_target.empty()) return Status::Refused;
  if (m_exists && (!S_ISREG(m_mode) || ::faccessat(AT_FDCWD, m_target.c_str(), W_OK, AT_EACCESS) != 0))
    return Status::Refused;
  // A file that nobody may write is read-only for root too (who passes every access check).
  if (m_exists && (m_mode & 0222) == 0) return Status::Refused;
  // The new content is written beside the file, so its folder must take new files.
  if (!FolderWritable(m_target)) return Status::Refused;
  return Status::Ok;
}

FileSaver::Status FileSaver::Replace(std::span<const std::uint8_t> bytes,
                                     const std::function<bool()>& beforeReplace, unsigned modeIfNew) {
  if (const Status status = Check(); status != Status::Ok) return status;
  TempFile::RemoveLitter(m_target);
  if (m_exists && beforeReplace && !beforeReplace()) return Status::Cancelled;
  if (m_exists && m_links > 1) return WriteInPlace(bytes);

  auto temp = TempFile::Create(m_target);
  if (!temp) return Status::Failed;
  mode_t mode = modeIfNew != 0 ? static_cast<mode_t>(modeIfNew & 0777) : NewFileMode();
  if (m_exists) {
    struct stat mine {};
    if (::fstat(temp->Fd(), &mine) != 0) return Status::Failed;
    if ((mine.st_uid != m_uid || mine.st_gid != m_gid) && ::fchown(temp->Fd(), m_uid, m_gid) != 0) {
      // Only the owner's own file keeps its owner when written anew.
      temp.reset();
      return WriteInPlace(bytes);
    }
    mode = static_cast<mode_t>(m_mode & 07777);
  }
  // The mode after the owner: changing the owner clears the set-id bits.
  if (!temp->Write(bytes) || ::fchmod(temp->Fd(), mode) != 0 || !temp->Sync() || !temp->RenameOver(m_target))
    return Status::Failed;
  return Status::Ok;
}

FileSaver::Status FileSaver::WriteInPlace(std::span<const std::uint8_t> bytes) {
  auto copy = TempFile::Create(m_target);
  if (!copy) return Status::Failed;
  const int old = ::open(m_target.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (old < 0) return Status::Failed;
  const bool copied = CopyFromStart(old, copy->Fd()) && copy->Sync();
  ::close(old);
  if (!copied) return Status::Failed;

  const int fd = ::open(m_target.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return Status::Failed;
  const bool written = WriteFromStart(fd, bytes);
  if (!written) {
    // Put the old content back; if even that fails, the copy stays for the user.
    const off_t size = ::lseek(copy->Fd(), 0, SEEK_END);
    if (size < 0 || !CopyFromStart(copy->Fd(), fd) || ::ftruncate(fd, size) != 0 || ::fsync(fd) != 0)
      copy->Keep();
  }
  ::close(fd);
  return written ? Status::Ok : Status::Failed;
}

FileSaver::Status FileSaver::CheckNew() const {
  struct stat st {};
  if (::lstat(m_path.c_str(), &st) == 0 || errno != ENOENT || !FolderWritable(m_path)) return Status::Refused;
  return Status::Ok;
}

FileSaver::Status FileSaver::CreateNew(std::span<const std::uint8_t> bytes) {
  if (const Status status = CheckNew(); status != Status::Ok) return status;
  TempFile::RemoveLitter(m_path);
  auto temp = TempFile::Create(m_path);
  if (!temp) return Status::Failed;
  if (!temp->Write(bytes) || ::fchmod(temp->Fd(), NewFileMode()) != 0 || !temp->Sync()) return Status::Failed;
  if (!temp->PublishAs(m_path)) return errno == EEXIST ? Status::Refused : Status::Failed;
  return Status::Ok;
}

FileSaver::Status FileSaver::Export(std::span<const std::uint8_t> bytes) {
  if (m_target.empty()) return Status::Refused;
  if (!m_exists || !(S_ISFIFO(m_mode) || S_ISCHR(m_mode) || S_ISBLK(m_mode))) return Replace(bytes);
  // Not blocking while opening: a FIFO nobody reads from is refused instead of waited for.
  const int fd = ::open(m_target.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return Status::Refused;
  const int flags = ::fcntl(fd, F_GETFL);
  bool ok = flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
  // A reader that goes away gives an error, not the end of the program.
  sigset_t pipe{}, old{};
  sigemptyset(&pipe);
  sigaddset(&pipe, SIGPIPE);
  ::pthread_sigmask(SIG_BLOCK, &pipe, &old);
  ok = ok && WriteAll(fd, bytes);
  if (!ok && errno == EPIPE) {
    const timespec none{};
    ::sigtimedwait(&pipe, nullptr, &none);
  }
  ::pthread_sigmask(SIG_SETMASK, &old, nullptr);
  ok = (::close(fd) == 0) && ok;
  return ok ? Status::Ok : Status::Failed;
}
