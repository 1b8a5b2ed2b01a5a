#include "document/BackupStore.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <regex>

#include "base/Money.h"
#include "base/ShortHash.h"
#include "base/TempFile.h"

namespace {

// Leaves room for "-KEY-YYYYMMDD-HHMMSS-N.kpz" within the 255 bytes of a file name.
constexpr std::size_t kNamePart = 200;

std::string Stem(const std::string& file) {
  const std::size_t slash = file.find_last_of('/');
  std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
  if (name.size() > 4 && name.compare(name.size() - 4, 4, ".kpz") == 0) name.resize(name.size() - 4);
  std::size_t length = std::min(name.size(), kNamePart);
  while (length < name.size() && length > 0 && (static_cast<unsigned char>(name[length]) & 0xC0) == 0x80)
    --length;
  return name.substr(0, length);
}

std::string Home() {
  if (const char* home = std::getenv("HOME"); home && *home == '/') return home;
  if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir && *user->pw_dir == '/')
    return user->pw_dir;
  return {};
}

const std::regex& NamePattern() {
  static const std::regex pattern(R"(^(.+)-([0-9a-f]{8})-([0-9]{8}-[0-9]{6})(?:-([0-9]{1,6}))?\.kpz$)");
  return pattern;
}

}  // namespace

std::string FileSizeText(std::uint64_t bytes) {
  constexpr std::uint64_t kKilo = 1024;
  if (bytes < kKilo) return std::to_string(bytes) + " Bytes";
  // Tenths of a unit, rounded half up, without overflowing for any size.
  const auto tenths = [bytes](std::uint64_t unit) {
    return bytes / unit * 10 + (bytes % unit * 10 + unit / 2) / unit;
  };
  std::uint64_t shown = tenths(kKilo);
  const char* unit = " KB";
  if (shown >= 1024 * 10) {
    shown = tenths(kKilo * kKilo);
    unit = " MB";
  }
  return GroupThousands(static_cast<std::int64_t>(shown / 10)) + "," + std::to_string(shown % 10) + unit;
}

std::string BackupEntry::When() const {
  if (stamp.size() != 15) return stamp;
  return stamp.substr(6, 2) + "." + stamp.substr(4, 2) + "." + stamp.substr(0, 4) + " " + stamp.substr(9, 2) +
         ":" + stamp.substr(11, 2) + ":" + stamp.substr(13, 2);
}

std::string BackupStore::DefaultFolder() {
  std::string data;
  // Only an absolute path counts; anything else is to be ignored.
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') {
    data = xdg;
  } else {
    const std::string home = Home();
    if (home.empty()) return {};
    data = home + "/.local/share";
  }
  return data + "/Kapitalbuch/Sicherungen";
}

std::string BackupStore::KeyOf(const std::string& file) {
  char resolved[PATH_MAX];
  if (::realpath(file.c_str(), resolved)) return ShortHash(resolved);
  if (!file.empty() && file.front() == '/') return ShortHash(file);
  char cwd[PATH_MAX];
  return ShortHash(::getcwd(cwd, sizeof cwd) ? std::string(cwd) + "/" + file : file);
}

BackupStore::BackupStore(std::string folder) : m_folder(std::move(folder)) {}

std::string BackupStore::NameOf(const std::string& file) {
  return Stem(file);
}

std::string BackupStore::HomeFolder() {
  return Home();
}

bool BackupStore::MakePrivateFolder(const std::string& folder) {
  if (folder.empty() || folder.front() != '/') return false;
  // Every folder made on the way is private, as the data directory should be.
  for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  if ((st.st_mode & 07777) != 0700) ::chmod(folder.c_str(), 0700);
  return true;
}

bool BackupStore::MakeFolder() const {
  return MakePrivateFolder(m_folder);
}

bool BackupStore::Backup(const std::string& file, std::time_t now, const std::string& as) const {
  if (!MakeFolder()) return false;
  const int source = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (source < 0) return false;
  const std::string& portfolio = as.empty() ? file : as;
  const std::string name = Stem(portfolio);
  const std::string key = KeyOf(portfolio);
  const std::string base = m_folder + "/" + name + "-" + key;
  struct stat st {};
  std::unique_ptr<TempFile> temp;
  bool copied = false;
  if (::fstat(source, &st) == 0 && S_ISREG(st.st_mode)) {
    TempFile::RemoveLitter(base + ".kpz");
    temp = TempFile::Create(base + ".kpz");
    copied = temp && CopyFromStart(source, temp->Fd()) && ::fchmod(temp->Fd(), st.st_mode & 0777) == 0 &&
             temp->Sync();
  }
  ::close(source);
  if (!copied) return false;

  std::tm local{};
  char stamp[32];
  if (!::localtime_r(&now, &local) || std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local) == 0)
    return false;
  // A further copy in the same second counts on from the highest number it has (the clock
  // may stand still: KAPIBUCH_TODAY), so the numbers keep the copies' order after the
  // oldest were removed.
  int first = 1;
  for (const BackupEntry& entry : List()) {
    if (entry.key == key && entry.name == name && entry.stamp == stamp)
      first = std::max(first, entry.sequence + 1);
  }
  std::string published;
  for (int n = first; n < first + 1000 && published.empty(); ++n) {
    const std::string target = base + "-" + stamp + (n > 1 ? "-" + std::to_string(n) : "") + ".kpz";
    if (temp->PublishAs(target)) {
      published = target;
    } else if (errno != EEXIST) {
      return false;
    }
  }
  if (published.empty()) return false;
  Rotate(name, key, published);
  return true;
}

std::vector<BackupEntry> BackupStore::List() const {
  std::vector<BackupEntry> entries;
  DIR* dir = ::opendir(m_folder.c_str());
  if (!dir) return entries;
  while (const dirent* item = ::readdir(dir)) {
    const std::string fileName = item->d_name;
    std::smatch match;
    if (!std::regex_match(fileName, match, NamePattern())) continue;
    BackupEntry entry;
    entry.path = m_folder + "/" + fileName;
    struct stat st {};
    if (::lstat(entry.path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    entry.name = match[1];
    entry.key = match[2];
    entry.stamp = match[3];
    entry.sequence = match[4].matched ? std::atoi(match[4].str().c_str()) : 1;
    entry.size = static_cast<std::uint64_t>(st.st_size);
    entries.push_back(std::move(entry));
  }
  ::closedir(dir);
  std::sort(entries.begin(), entries.end(), [](const BackupEntry& a, const BackupEntry& b) {
    if (a.stamp != b.stamp) return a.stamp > b.stamp;
    if (a.sequence != b.sequence) return a.sequence > b.sequence;
    return a.path > b.path;
  });
  return entries;
}

void BackupStore::Rotate(const std::string& name, const std::string& key, const std::string& newest) const {
  // The copy just made is always kept, whatever its time stamp says (a clock set back, the
  // hour that repeats when summer time ends); the others are kept newest first.
  std::size_t kept = 1;
  for (const BackupEntry& entry : List()) {
    if (entry.key != key || entry.name != name || entry.path == newest) continue;
    if (++kept > kKeep) ::unlink(entry.path.c_str());
  }
}
