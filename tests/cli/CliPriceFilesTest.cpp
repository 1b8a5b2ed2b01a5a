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

TEST(CliPriceFiles, DetectFormatAndAutomaticImport) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("kapibuch-cli-auto-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  ::setenv("KAPIBUCH_TODAY", "08.12.2026", 1);
  const std::string ini = (dir / "settings.ini").string();
  ::setenv("KAPIBUCH_SETTINGS", ini.c_str(), 1);
  const std::string file = (dir / "p.kpz").string();
  std::filesystem::copy_file(std::string(KAPIBUCH_TEST_DATA) + "/sample.kpz", file);
  auto write = [&](const std::string& name, const std::string& text) {
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  };

  const std::string yahoo = write("y.csv",
                                  "Date,Open,High,Low,Close,Adj Close,Volume\n"
                                  "2004-02-02,50.0,51.0,49.0,50.104999,45.1,1000\n"
                                  "2004-02-03,null,null,null,null,null,null\n"
                                  "2004-02-04,51.0,52.0,50.0,51.205,46.2,1200\n");
  Result r = RunCli({"detect-format", "--input", yahoo});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "<KOPFZEILEN:1>\n<WIEDERHOLE:\n  <DATUM>,<FELD>,<FELD>,<FELD>,<KURS_EUR:PUNKT>,<TEXT><NZ>\n>\n");
  r = RunCli({"detect-format", "--input", yahoo, "--column", "adj close", "--currency", "DM"});
  EXPECT_EQ(
      r.out,
      "<KOPFZEILEN:1>\n<WIEDERHOLE:\n  <DATUM>,<FELD>,<FELD>,<FELD>,<FELD>,<KURS_DM:PUNKT>,<TEXT><NZ>\n>\n");
  r = RunCli({"detect-format", "--input", yahoo, "--column", "2"});
  EXPECT_NE(r.out.find("<DATUM>,<KURS_EUR:PUNKT>,<TEXT><NZ>"), std::string::npos);
  r = RunCli({"detect-format", "--input", yahoo, "--column", "Schluss"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "Die Spalte „Schluss“ gibt es in der Datei nicht.\n");
  r = RunCli({"detect-format", "--input", write("text.txt", "Kurse\nkeine\n")});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "Kein Dateiformat erkannt: Die Datei enthält keine Zeilen mit einem Datum.\n");
  EXPECT_EQ(RunCli({"detect-format", "--input", (dir / "none.csv").string()}).status, 3);

  const std::string before = Read(file);
  r = RunCli({"import", file, "--name", "Siemens AG", "--input", yahoo, "--auto"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "2 Kurse gefunden\n");
  EXPECT_EQ(r.err, "1 Zeilen übersprungen:\nZeile 3: „2004-02-03,null,null,null,null,null,null“\n");
  r = RunCli(
      {"export", file, "--name", "Siemens AG", "--output", (dir / "out.txt").string(), "--separator", ";"});
  EXPECT_NE(Read((dir / "out.txt").string()).find("02.02.2004;50,10\r\n04.02.2004;51,21\r\n"),
            std::string::npos);
  EXPECT_EQ(
      RunCli({"import", file, "--name", "Siemens AG", "--input", yahoo, "--auto", "--format", "1"}).status,
      1);
  EXPECT_EQ(RunCli({"import", file, "--name", "Siemens AG", "--input", yahoo, "--column", "2"}).status, 1);
  r = RunCli({"import", file, "--name", "Siemens AG", "--input", write("t.txt", "x\n"), "--auto"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(before, Read(file));

  // What export writes, with or without its name and WKN/Kürzel lines, comes back exactly.
  for (const bool lines : {false, true}) {
    for (const std::string separator : {"<TAB>", ";"}) {
      const std::string out = (dir / "back.txt").string();
      std::vector<std::string> args = {"export",   file, "--name",      "Siemens AG",
                                       "--output", out,  "--separator", separator};
      if (lines) args.insert(args.end(), {"--with-name", "--with-wkn"});
      ASSERT_EQ(RunCli(args).status, 0);
      const std::string exported = Read(out);
      const std::string copy = (dir / "copy.kpz").string();
      std::filesystem::remove(copy);
      ASSERT_EQ(RunCli({"new", copy, "--start", "01.01.1999", "--balance", "0", "--currency", "EUR"}).status,
                0);
      ASSERT_EQ(RunCli({"buy", copy, "--date", "04.01.1999", "--name", "Siemens AG", "--wkn", "723610",
                        "--qty", "1", "--price", "1", "--commission", "0"})
                    .status,
                0);
      r = RunCli({"import", copy, "--name", "Siemens AG", "--input", out, "--auto"});
      ASSERT_EQ(r.status, 0) << r.err;
      r = RunCli(
          {"import", copy, "--name", "Siemens AG", "--input", out, "--format", separator == ";" ? "2" : "1"});
      ASSERT_EQ(r.status, 0) << r.err;
      EXPECT_EQ(r.err.empty(), !lines) << r.err;  // the name lines are reported as skipped
      ASSERT_EQ(
          RunCli({"export", copy, "--name", "Siemens AG", "--output", out, "--separator", separator}).status,
          0);
      const std::string back = Read(out);
      EXPECT_EQ(lines ? exported.substr(exported.find("02.01.2001")) : exported, back) << separator;
    }
  }
  ::unsetenv("KAPIBUCH_SETTINGS");
  std::filesystem::remove_all(dir);
}
