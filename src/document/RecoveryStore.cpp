#include "document/RecoveryStore.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "base/TempFile.h"
#include "document/BackupStore.h"

namespace {

constexpr const char* kNewMark = "neu:";

bool WriteFile(const std::string& path, std::span<const std::uint8_t> bytes, unsigned mode) {
  TempFile::RemoveLitter(path);
  const auto temp = TempFile::Create(path);
  return temp && temp->Write(bytes) && ::fchmod(temp->Fd(), static_cast<mode_t>(mode & 0777)) == 0 &&
         temp->Sync() && temp->RenameOver(path);
}

std::span<const std::uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace

std::string RecoveryStore::DefaultFolder() {
  std::string state;
  if (const char* xdg = std::getenv("XDG_STATE_HOME"); xdg && *xdg == '/') {
    state = xdg;
  } else {
    const std::string home = BackupStore::HomeFolder();
    if (home.empty()) return {};
    state = home + "/.local/state";
  }
  return state + "/Kapitalbuch/Wiederherstellung";
}

RecoveryStore::RecoveryStore(std::string folder) : m_folder(std::move(folder)) {}

std::string RecoveryStore::Base(const std::string& origin, bool isNew) const {
  const std::string key = isNew ? "neu" + std::to_string(::getpid()) : BackupStore::KeyOf(origin);
  return m_folder + "/" + BackupStore::NameOf(origin) + "-" + key;
}

bool RecoveryStore::Write(const std::string& origin, bool isNew, std::span<const std::uint8_t> bytes,
                          unsigned mode) const {
  if (!BackupStore::MakePrivateFolder(m_folder)) return false;
  const std::string base = Base(origin, isNew);
  // What the copy belongs to first: a copy is never without it.
  const std::string where = (isNew ? kNewMark : "") + origin + "\n";
  return WriteFile(base + ".ort", Bytes(where), 0600) && WriteFile(base + ".kpz", bytes, isNew ? 0600 : mode);
}

void RecoveryStore::Remove(const std::string& origin, bool isNew) const {
  const std::string base = Base(origin, isNew);
  ::unlink((base + ".kpz").c_str());
  ::unlink((base + ".ort").c_str());
}

std::vector<RecoveryEntry> RecoveryStore::List() const {
  std::vector<RecoveryEntry> entries;
  DIR* dir = ::opendir(m_folder.c_str());
  if (!dir) return entries;
  while (const dirent* item = ::readdir(dir)) {
    const std::string name = item->d_name;
    if (name.size() <= 4 || name.compare(name.size() - 4, 4, ".ort") != 0) continue;
    const std::string base = m_folder + "/" + name.substr(0, name.size() - 4);
    RecoveryEntry entry;
    entry.copy = base + ".kpz";
    struct stat st {};
    if (::lstat(entry.copy.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    entry.written = st.st_mtime;
    std::ifstream where(base + ".ort", std::ios::binary);
    if (!std::getline(where, entry.origin) || entry.origin.empty()) continue;
    if (entry.origin.rfind(kNewMark, 0) == 0) {
      entry.isNew = true;
      entry.origin.erase(0, std::string(kNewMark).size());
      const std::size_t key = base.rfind("-neu");
      entry.process = key == std::string::npos ? 0 : std::atoi(base.c_str() + key + 4);
    }
    entries.push_back(std::move(entry));
  }
  ::closedir(dir);
  std::sort(entries.begin(), entries.end(),
            [](const RecoveryEntry& a, const RecoveryEntry& b) { return a.written < b.written; });
  return entries;
}

std::optional<RecoveryEntry> RecoveryStore::Find(const std::string& origin) const {
  const std::string copy = Base(origin, false) + ".kpz";
  for (RecoveryEntry& entry : List()) {
    if (!entry.isNew && entry.copy == copy) return std::move(entry);
  }
  return std::nullopt;
}

bool RecoveryStore::MoveToBackups(const RecoveryEntry& entry, std::time_t now) const {
  if (!BackupStore().Backup(entry.copy, now, entry.origin)) return false;
  const std::string base = entry.copy.substr(0, entry.copy.size() - 4);
  ::unlink(entry.copy.c_str());
  ::unlink((base + ".ort").c_str());
  return true;
}
