#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "base/SafeFile.h"
#include "cli/Cli.h"
#include "tests/cli/CliTestUtil.h"

using namespace clitest;

TEST(CliPriceFiles, ImportThenExportAndBack) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("kapibuch-cli-prices-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  ::setenv("KAPIBUCH_TODAY", "08.12.2026", 1);
  const std::string ini = (dir / "settings.ini").string();
  ::setenv("KAPIBUCH_SETTINGS", ini.c_str(), 1);
  const std::string file = (dir / "p.kpz").string();
  std::filesystem::copy_file(std::string(KAPIBUCH_TEST_DATA) + "/sample.kpz", file);

  const std::string input = (dir / "kurse.txt").string();
  std::ofstream(input) << "01.02.2004;10,00\r\n02.02.2004;11,50\r\n03.02.2004;0\r\n";
  Result r = RunCli({"import", file, "--name", "Siemens AG", "--input", input, "--format", "6"});
  ASSERT_EQ(r.status, 0) << r.err;
  // A price of 0 after 10,00 and 11,50 DM is implausible: reported, not stored.
  EXPECT_EQ(r.out, "2 Kurse gefunden\n");
  EXPECT_EQ(r.err, "1 Zeilen übersprungen:\nZeile 3: „03.02.2004;0“ (unplausibel)\n");
  // The import dialog was closed with "Schließen": the ten descriptions are stored.
  EXPECT_NE(Read(ini).find("ImpForAnz=10"), std::string::npos);

  const std::string output = (dir / "out.txt").string();
  r = RunCli(
      {"export", file, "--name", "Siemens AG", "--wkn", "723610", "--output", output, "--separator", ";"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Kurse wurden exportiert.\n");
  EXPECT_EQ(Read(output), "02.01.2001;90,00\r\n01.02.2004;5,11\r\n02.02.2004;5,88\r\n");

  // Nothing changes when the same prices come again; the file keeps its bytes.
  const std::string before = Read(file);
  std::ofstream(input) << "01.02.2004;10,00\r\n";
  r = RunCli({"import", file, "--name", "Siemens AG", "--input", input, "--format", "6"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(Read(file), before);

  // Refusals: a faulty description, no prices, a missing file.
  const std::string faulty = (dir / "faulty.txt").string();
  std::ofstream(faulty) << "<DATUM><KURS_EUR>";
  r = RunCli({"import", file, "--name", "Siemens AG", "--input", input, "--format-file", faulty});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "Fehler in der Formatbeschreibung! (Zeile 1, Zeichen 8)\n");
  r = RunCli({"import", file, "--name", "Siemens AG", "--input", input, "--format", "1"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("Es konnten keine Kursdaten eingelesen werden."), std::string::npos);
  // An input that cannot be read ends as an unreadable format file does: exit 3.
  r = RunCli(
      {"import", file, "--name", "Siemens AG", "--input", (dir / "none.txt").string(), "--format", "1"});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err, "Datei kann nicht geöffnet werden!\n");
  r = RunCli({"import", file, "--name", "Unbekannt", "--input", input, "--format", "1"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(RunCli({"import", file, "--name", "X", "--input", input}).status, 1);
  EXPECT_EQ(RunCli({"import", file, "--name", "X", "--input", input, "--format", "11"}).status, 1);
  r = RunCli(
      {"export", file, "--name", "Siemens AG", "--wkn", "723610", "--output", (dir / "no/x.txt").string()});
  EXPECT_EQ(r.status, 4);
  EXPECT_EQ(r.err, "Datei kann nicht geöffnet werden!\n");
  EXPECT_EQ(Read(file), before);
  // A portfolio, the file itself under any name or another one, is never overwritten with
  // prices.
  const std::string link = (dir / "link.kpz").string();
  std::filesystem::create_symlink(file, link);
  for (const std::string& target : {file, link}) {
    r = RunCli({"export", file, "--name", "Siemens AG", "--wkn", "723610", "--output", target});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "Die Datei \"" + target +
                         "\" ist eine Kapitalbuch-Datei und wird nicht mit Kursdaten überschrieben. Bitte "
                         "geben Sie den Dateinamen einer Textdatei an.\n");
  }
  EXPECT_EQ(Read(file), before);
  ::unsetenv("KAPIBUCH_SETTINGS");
  std::filesystem::remove_all(dir);
}
