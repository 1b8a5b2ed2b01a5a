#pragma once
// Recovery copies: the state of documents with unsaved changes, written while the desktop
// program runs, so that a crash, a kill or a power cut loses at most a few seconds of work.
// They live in the folder "Kapitalbuch/Wiederherstellung" of the user's state directory
// ($XDG_STATE_HOME, else ~/.local/state; the folder is the user's alone, 0700), named like
// the backups: NAME-KEY.kpz, KEY the short hash of the portfolio's full path; a document
// never saved has the key "neu<process id>" and its title as NAME. Beside each copy,
// NAME-KEY.ort holds what the copy belongs to: the portfolio's full path, or "neu:" and
// the title of a document never saved.

#include <cstdint>
#include <ctime>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct RecoveryEntry {
  std::string copy;    // the recovery copy
  std::string origin;  // the portfolio's full path, or a never-saved document's title
  bool isNew = false;  // a document never saved
  int process = 0;     // of a never-saved document: the program that wrote it
  std::time_t written = 0;
};

class RecoveryStore {
 public:
  static std::string DefaultFolder();
  explicit RecoveryStore(std::string folder = DefaultFolder());
  const std::string& Folder() const { return m_folder; }

  // Writes the document's bytes as the copy of the portfolio at `origin` (or of the new
  // document titled so): complete and flushed to disk, or not at all (false). A copy gets
  // `mode` (the portfolio file's); 0600 for a new document.
  bool Write(const std::string& origin, bool isNew, std::span<const std::uint8_t> bytes, unsigned mode) const;
  // Removes the copy of the portfolio (or of this program's new document of that title).
  void Remove(const std::string& origin, bool isNew) const;
  // Every copy in the folder, oldest first.
  std::vector<RecoveryEntry> List() const;
  // The copy of a portfolio, if there is one.
  std::optional<RecoveryEntry> Find(const std::string& origin) const;
  // Keeps the copy among the backups of its portfolio and removes it from here.
  bool MoveToBackups(const RecoveryEntry& entry, std::time_t now) const;

 private:
  std::string Base(const std::string& origin, bool isNew) const;

  std::string m_folder;
};
