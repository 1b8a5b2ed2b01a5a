// Files whose every line fits their description, read by the ten predefined descriptions
// and by descriptions users typically write: what they read is recorded in
// tests/data/import/fitting.golden and must never move. (Lines that do not fit and third
// decimals are handled elsewhere; these files have neither.)
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "model/KBXKursverlauf.h"
#include "priceio/FormatMatcher.h"

namespace {

struct Case {
  const char* file;
  const char* description;  // "1" .. "10" for a predefined one
};

const Case kCases[] = {
    {"tab-crlf.txt", "1"},
    {"tab-crlf.txt", "5"},
    {"tab-crlf.txt", "<wiederhole: <datum><tab><kurs_eur><nz> >"},
    {"semikolon.txt", "2"},
    {"semikolon.txt", "6"},
    {"semikolon.txt", "<DATUM>;<KURS_EUR><NZ>"},
    {"quoted-tab.txt", "3"},
    {"quoted-tab.txt", "7"},
    {"quoted-semikolon.txt", "4"},
    {"quoted-semikolon.txt", "8"},
    {"quoted-semikolon.txt", "<WIEDERHOLE: \"<DATUM>\";<KURS_EUR><NZ> >"},
    {"neuer-markt-neu.txt", "9"},
    {"neuer-markt-alt.txt", "10"},
    {"kurs-waehrung.txt", "<WIEDERHOLE:\r\n  <DATUM>;<KURS><NZ>\r\n>"},
    {"drei-spalten.txt", "<TEXT><NZ>\r\n<WIEDERHOLE:\r\n  <DATUM>;<TEXT>;<KURS_EUR><NZ>\r\n>"},
    {"drei-spalten.txt", "Datum;Eroeffnung;Schluss<NZ><WIEDERHOLE: <DATUM>;<KURS_DM>;<TEXT><NZ> >"},
    {"drei-spalten.txt", "<TEXT><NZ><WIEDERHOLE:<DATUM>;<TEXT>;<KURS>EUR<NZ>>"},
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Results() {
  std::ostringstream out;
  for (const Case& c : kCases) {
    const std::string text = ReadAll(std::string(KAPIBUCH_TEST_DATA) + "/import/fitting/" + c.file);
    std::string description = c.description;
    if (const int n = std::atoi(c.description); n >= 1)
      description = priceio::PredefinedDescriptions()[static_cast<std::size_t>(n - 1)].description;
    CKBXKursverlauf result("X", "1");
    priceio::CFormatMatcher matcher(result, nullptr);
    matcher.Run(text, description);
    out << "== " << c.file << " | " << c.description << (matcher.Faulty() ? " | faulty" : "") << '\n';
    for (const CKBXKurs& p : result.Points()) out << p.Date().Format() << ' ' << p.Price() << '\n';
  }
  return out.str();
}

}  // namespace

TEST(ImportGolden, FittingFilesReadAsRecorded) {
  const std::string golden = ReadAll(std::string(KAPIBUCH_TEST_DATA) + "/import/fitting.golden");
  ASSERT_FALSE(golden.empty());
  EXPECT_EQ(Results(), golden);
}
