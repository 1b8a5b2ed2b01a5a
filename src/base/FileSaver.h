#pragma once
// Writing a file so that what is at its path is respected and nothing is ever half
// written: a symbolic link is followed and the file it names is written; the new content
// goes to a temporary file beside that file, is flushed and renamed over it, with the old
// file's owner, group and mode. A file the user may not write, or something that is not a
// regular file, is refused and left as it was.
//
// A file with several hard links, or one whose owner or group a new file could not get
// (a file of another user that this user may write), is written in place instead, so the
// links and the owner stay: first a complete copy of the old content is flushed to disk
// beside it; if writing fails the old content is put back from that copy. Temporary files
// of writers that were killed are removed by the next write of the same file.

#include <cstdint>
#include <functional>
#include <span>
#include <string>

class FileSaver {
 public:
  enum class Status {
    Ok,
    Refused,    // not permitted, not a regular file, no folder to write in: nothing changed
    Failed,     // writing failed: the old file is as it was
    Cancelled,  // the caller's step before replacing said no: nothing changed
  };

  explicit FileSaver(const std::string& path);

  // The file that is written: the path with its symbolic links followed.
  const std::string& Target() const { return m_target; }
  bool Exists() const { return m_exists; }

  // Whether Replace, or CreateNew, would be allowed to write (nothing is written).
  Status Check() const;
  Status CheckNew() const;
  // Writes the bytes over the file, or as a new file. `beforeReplace` runs once all
  // checks passed and before an existing file is touched; false cancels. A new file gets
  // `modeIfNew` when it is given (a file deleted behind the writer's back keeps its mode),
  // else the mode the umask allows.
  Status Replace(std::span<const std::uint8_t> bytes, const std::function<bool()>& beforeReplace = {},
                 unsigned modeIfNew = 0);
  // Writes a new file; refused when anything (a dangling link too) has the name already.
  Status CreateNew(std::span<const std::uint8_t> bytes);
  // Like Replace, except that a FIFO or a device is written directly (opened, truncated,
  // written) and never replaced; a FIFO nobody reads from is refused.
  Status Export(std::span<const std::uint8_t> bytes);

 private:
  Status WriteInPlace(std::span<const std::uint8_t> bytes);

  std::string m_path;
  std::string m_target;  // empty when the links go round in circles
  bool m_exists = false;
  unsigned m_mode = 0;  // the full st_mode of an existing target
  unsigned m_uid = 0;
  unsigned m_gid = 0;
  unsigned long m_links = 0;
};

// The name a path stands for with its symbolic links followed; the last link may name a
// file that does not exist yet. Empty when the links never end.
std::string FollowLinks(const std::string& path);
