#include "base/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <stdexcept>

#include "base/FileSaver.h"

ReadResult ReadRegularFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::uint64_t limit) {
  bytes.clear();
  // Not blocking: opening a FIFO without a writer would wait forever.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return ReadResult::CannotOpen;
  struct stat st {};
  ReadResult result = ReadResult::Ok;
  if (::fstat(fd, &st) != 0) {
    result = ReadResult::ReadError;
  } else if (!S_ISREG(st.st_mode)) {
    result = ReadResult::NotRegular;
  } else if (static_cast<std::uint64_t>(st.st_size) > limit) {
    result = ReadResult::TooLarge;
  } else {
    try {
      bytes.resize(static_cast<std::size_t>(st.st_size));
      std::size_t done = 0;
      for (;;) {
        // A file that grew since fstat is read on up to the limit.
        if (done == bytes.size()) {
          if (bytes.size() >= limit) {
            std::uint8_t probe = 0;
            const ssize_t more = ::read(fd, &probe, 1);
            if (more > 0) result = ReadResult::TooLarge;
            if (more < 0) result = ReadResult::ReadError;
            break;
          }
          bytes.resize(std::min<std::uint64_t>(limit, bytes.size() + 65536));
        }
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
          if (errno == EINTR) continue;
          result = ReadResult::ReadError;
          break;
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
      }
      bytes.resize(done);
    } catch (const std::bad_alloc&) {
      result = ReadResult::NoMemory;
    } catch (const std::length_error&) {
      result = ReadResult::NoMemory;
    }
  }
  ::close(fd);
  if (result != ReadResult::Ok) {
    bytes.clear();
    bytes.shrink_to_fit();
  }
  return result;
}

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  return ReadRegularFile(path, bytes) == ReadResult::Ok;
}

bool WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes) {
  return FileSaver(path).Replace(bytes) == FileSaver::Status::Ok;
}
