#pragma once
// A temporary file beside a target file, holding the target's next content until it is
// renamed over the target. Its name is hidden, short enough for any target name the system
// allows, and tells which target it belongs to. While its program runs the file is locked
// (flock), so a later writer of the same target can tell the litter of a program that was
// killed from a write in progress, and removes only the litter.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

class TempFile {
 public:
  // Created empty with mode 0600; nullptr when the folder does not take it (errno is set).
  static std::unique_ptr<TempFile> Create(const std::string& target);
  // Removes the temporary files of the target that no running program holds.
  static void RemoveLitter(const std::string& target);

  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  // Removes the file unless it was renamed, published or kept.
  ~TempFile();

  int Fd() const { return m_fd; }
  const std::string& Path() const { return m_path; }

  bool Write(std::span<const std::uint8_t> bytes);
  // Writes it to disk.
  bool Sync();
  // Renames it over the target (replacing what is there) and makes the rename durable.
  bool RenameOver(const std::string& target);
  // Gives it the name `name` only if nothing has that name yet (errno EEXIST otherwise).
  bool PublishAs(const std::string& name);
  // Leaves the file where it is (a copy the user may still need).
  void Keep() { m_keep = true; }

 private:
  TempFile(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}

  int m_fd = -1;
  std::string m_path;
  bool m_keep = false;
};

// The folder part of a path ("." for a bare name).
std::string FolderOf(const std::string& path);
// Makes the entries of a folder (a rename, a new name) durable.
void SyncFolder(const std::string& folder);
// Writes every byte, retrying after interruptions.
bool WriteAll(int fd, std::span<const std::uint8_t> bytes);
// Copies everything from `from` (read from its start) to `to` (written from its start).
bool CopyFromStart(int from, int to);
