#pragma once
// kapibuch-cli run inside a test, and the files it wrote read back.

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "base/SafeFile.h"
#include "cli/Cli.h"

namespace clitest {

struct Result {
  int status;
  std::string out;
  std::string err;
};

inline Result RunCli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = cli::Run(args, out, err);
  return {status, out.str(), err.str()};
}

inline std::vector<std::uint8_t> Bytes(const std::string& file) {
  std::vector<std::uint8_t> b;
  ReadWholeFile(file, b);
  return b;
}

inline std::string Read(const std::string& file) {
  const std::vector<std::uint8_t> b = Bytes(file);
  return std::string(b.begin(), b.end());
}

}  // namespace clitest
