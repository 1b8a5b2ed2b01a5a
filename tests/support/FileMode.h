#pragma once
// File permission bits as tests compare and print them: in octal, "0640", so that a
// mismatch reads "0600" vs "0640".

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace testutil {

inline std::string ModeText(mode_t mode) {
  char text[8];
  std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
  return text;
}

// The mode of the file (links followed), or why it has none.
inline std::string ModeOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::string("no file: ") + std::strerror(errno);
  return ModeText(st.st_mode);
}

}  // namespace testutil
