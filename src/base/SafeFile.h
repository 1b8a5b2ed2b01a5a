#pragma once
// Reading whole files without trusting what is at the path, and the safe writing of
// FileSaver for callers that need no more than "did it work".

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Nothing larger is read whole: no portfolio or price file comes near it.
constexpr std::uint64_t kMaxReadBytes = std::uint64_t{1} << 30;

enum class ReadResult {
  Ok,
  CannotOpen,  // missing, not permitted
  NotRegular,  // a folder, FIFO, device or socket: never read (it may block or never end)
  TooLarge,    // above the limit
  ReadError,   // the system reported an error while reading
  NoMemory,    // the buffer could not be had
};

// Reads a regular file of at most `limit` bytes; never blocks on a FIFO, never throws.
ReadResult ReadRegularFile(const std::string& path, std::vector<std::uint8_t>& bytes,
                           std::uint64_t limit = kMaxReadBytes);
// ReadRegularFile with the usual limit; true when the file was read.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes);

// FileSaver(path).Replace(bytes) succeeded.
bool WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes);
