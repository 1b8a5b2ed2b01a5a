#pragma once
// The copies kept of portfolio files before they are saved over: in the folder
// "Kapitalbuch/Sicherungen" of the user's data directory ($XDG_DATA_HOME, else
// ~/.local/share), named NAME-KEY-YYYYMMDD-HHMMSS[-N].kpz. KEY is a short hash of the
// portfolio's full path, so two "depot.kpz" in different folders never share or rotate
// each other's copies; -N counts further copies made in the same second. The newest 20 of
// each portfolio are kept. A copy has the permissions of the file it copies, and the
// folder is the user's alone (0700).

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

struct BackupEntry {
  std::string path;   // the copy
  std::string name;   // NAME: the portfolio's file name without ".kpz"
  std::string key;    // KEY
  std::string stamp;  // "YYYYMMDD-HHMMSS", local time
  int sequence = 1;   // N, 1 for the first copy of a second
  std::uint64_t size = 0;

  // "DD.MM.YYYY HH:MM:SS"
  std::string When() const;
};

// A file's size as the list of copies gives it: "%d Bytes" below 1 KB, then with one decimal
// in KB below 1 MB and in MB above (1 KB = 1024 Bytes), the decimal rounded half up: 1.028
// Bytes are "1,0 KB", 2.621.440 Bytes "2,5 MB". A size whose KB round to 1.024,0 is "1,0 MB".
std::string FileSizeText(std::uint64_t bytes);

class BackupStore {
 public:
  static constexpr std::size_t kKeep = 20;

  // The folder in the user's data directory; empty when there is no home to put it in.
  static std::string DefaultFolder();
  // The short hash of a portfolio's full path with its links followed.
  static std::string KeyOf(const std::string& file);
  // NAME: the file name without ".kpz", cut to leave room for the rest of a copy's name.
  static std::string NameOf(const std::string& file);
  // The user's home folder; empty when there is none.
  static std::string HomeFolder();
  // Makes the folder and those above it as needed, each 0700; whether it is a folder now.
  static bool MakePrivateFolder(const std::string& folder);

  explicit BackupStore(std::string folder = DefaultFolder());
  const std::string& Folder() const { return m_folder; }

  // Copies the file: a complete copy flushed to disk, or none (false). Then drops the
  // oldest copies of the same portfolio beyond kKeep. `as`: the portfolio the copy is
  // kept for, when the file is not that portfolio itself (a recovery copy).
  bool Backup(const std::string& file, std::time_t now, const std::string& as = {}) const;
  // Every copy in the folder, newest first.
  std::vector<BackupEntry> List() const;

 private:
  bool MakeFolder() const;
  void Rotate(const std::string& name, const std::string& key, const std::string& newest) const;

  std::string m_folder;
};
