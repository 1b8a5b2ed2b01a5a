// Running out of memory while reading: kapibuch-cli reports it, it never aborts. This test
// program replaces the global allocation so that large requests can be made to fail.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <sstream>

#include "cli/Cli.h"
#include "platform/Clock.h"
#include "tests/cli/CliTestUtil.h"
#include "tests/support/ChildProcess.h"

using namespace clitest;

namespace {

// Requests above this many bytes fail (0: none do).
std::atomic<std::size_t> g_limit{0};

}  // namespace

void* operator new(std::size_t size) {
  const std::size_t limit = g_limit.load();
  if (limit != 0 && size > limit) throw std::bad_alloc();
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return operator new(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return operator new(size, std::nothrow);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}

TEST(CliMemory, ALackOfMemoryWhileReadingIsReported) {
  const auto dir = testutil::OpenScratchFolder("memory");
  ::setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
  ::setenv("KAPIBUCH_SETTINGS", (dir / "settings.ini").c_str(), 1);
  // A portfolio whose portfolio number needs twice its 34 MB once read (umlauts become two
  // bytes each), and 100 MB of zeros (sparse).
  const std::string big = (dir / "big.kpz").string();
  {
    platform::SystemClock clock;
    CKapibuchDoc doc(clock);
    NewFileData data;
    data.startDay = CKBXDatum::Today(clock);
    doc.SetupNew(data);
    doc.depotNumber = "ü";
    while (doc.depotNumber.size() < 60'000'000) doc.depotNumber += doc.depotNumber;
    ASSERT_EQ(doc.SaveNew(big), DocumentError::None);
  }
  const std::string small = (dir / "small.kpz").string();
  ASSERT_EQ(RunCli({"new", small, "--start", "01.01.2004"}).status, 0);
  ASSERT_EQ(RunCli({"buy", small, "--date", "01.02.2004", "--name", "Aktie", "--wkn", "A1", "--qty", "1",
                    "--price", "1", "--commission", "0"})
                .status,
            0);
  const std::string zeros = (dir / "zeros").string();
  std::ofstream{zeros}.close();
  std::filesystem::resize_file(zeros, 100'000'000);

  g_limit = 64'000'000;
  Result r = RunCli({"dump", zeros});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err, "Fehler beim Öffnen des Dokuments.\n");
  r = RunCli({"dump", big});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err, "Fehler beim Öffnen des Dokuments.\n");
  r = RunCli({"import", small, "--name", "Aktie", "--input", zeros, "--format", "1"});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err, "Nicht genügend Speicher zum Einlesen der Datei!\n");
  g_limit = 0;
  // With memory enough, the same files are read (zeros make an empty portfolio).
  EXPECT_EQ(RunCli({"dump", zeros}).status, 0);
  EXPECT_EQ(RunCli({"import", small, "--name", "Aktie", "--input", zeros, "--format", "1"}).status, 2);
  std::filesystem::remove_all(dir);
}
