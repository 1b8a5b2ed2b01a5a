#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "base/Money.h"
#include "base/SafeFile.h"
#include "cli/Cli.h"
#include "tests/cli/CliTestUtil.h"

using namespace clitest;

namespace {

const std::string kSample = std::string(KAPIBUCH_TEST_DATA) + "/sample.kpz";

}  // namespace

TEST(CliViews, ShowInThreeFormats) {
  ::setenv("KAPIBUCH_TODAY", "08.12.2026", 1);
  Result r = RunCli({"show", kSample, "--mode", "1", "--day", "01.01.2003", "--format", "json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["title"], "Depotbestand am 01.01.2003 - 4711 - Jörg Müller");
  EXPECT_EQ(j["columns"][1], "WKN/ Kürzel");
  ASSERT_EQ(j["rows"].size(), 4u);
  EXPECT_EQ(j["rows"][3][0], "Summe");
  EXPECT_EQ(j["rows"][3][3], "");

  r = RunCli(
      {"show", kSample, "--mode", "3", "--from", "01.01.2003", "--to", "31.12.2003", "--format", "csv"});
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.out.substr(0, 27), "Bezeichnung;WKN/ Kürzel;St");
  EXPECT_NE(r.out.find("\r\nBayer AG;575200;10;05.03.1998;01.08.2003;1975;"), std::string::npos);

  r = RunCli({"show", kSample, "--mode", "4", "--from", "01.06.1999", "--to", "31.12.1999"});
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "Kontobewegungen von 01.06.1999 bis 31.12.1999 - 987654 - Jörg Müller\n\n"
            "Datum       Vorgang         Text          Betrag    Kontostand\n"
            "01.07.1999  Kapitaleinlage  Einlage  5.000,00 DM  11.985,00 DM\n");

  EXPECT_EQ(RunCli({"show", kSample, "--mode", "0"}).status, 1);
  EXPECT_EQ(nlohmann::json::parse(RunCli({"show", kSample, "--format", "json"}).out).count("values"), 0u);
  EXPECT_EQ(RunCli({"show", kSample, "--mode", "1", "--day", "32.01.2000"}).status, 2);
}

// A CSV field with a `;` or a `"` is put in quotes, its quotes doubled; others stay bare.
TEST(CliViews, CsvQuotesFieldsWithSeparatorsOrQuotes) {
  ::setenv("KAPIBUCH_TODAY", "08.12.2026", 1);
  const std::string file =
      (std::filesystem::temp_directory_path() / ("kapibuch-csv-" + std::to_string(::getpid()) + ".kpz"))
          .string();
  std::filesystem::remove(file);
  ASSERT_EQ(RunCli({"new", file, "--start", "01.01.2000", "--balance", "0"}).status, 0);
  ASSERT_EQ(RunCli({"move", file, "--date", "03.01.2000", "--kind", "Kapitaleinlage", "--amount", "100",
                    "--text", "Bonus \"A\""})
                .status,
            0);
  ASSERT_EQ(RunCli({"move", file, "--date", "04.01.2000", "--kind", "Kapitaleinlage", "--amount", "5",
                    "--text", "Rest; Zins"})
                .status,
            0);
  const Result r =
      RunCli({"show", file, "--mode", "4", "--from", "01.01.2000", "--to", "31.01.2000", "--format", "csv"});
  std::filesystem::remove(file);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "Datum;Vorgang;Text;Betrag;Kontostand\r\n"
            "03.01.2000;Kapitaleinlage;\"Bonus \"\"A\"\"\";100,00 EUR;100,00 EUR\r\n"
            "04.01.2000;Kapitaleinlage;\"Rest; Zins\";5,00 EUR;105,00 EUR\r\n");
}

TEST(CliViews, RenderPdfSvgPng) {
  ::setenv("KAPIBUCH_TODAY", "08.12.2026", 1);
  const auto dir = std::filesystem::temp_directory_path() / ("kapibuch-render-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string pdf = (dir / "h.pdf").string();
  Result r = RunCli({"render", kSample, "--mode", "1", "--day", "01.01.2003", "--output", pdf});
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(ReadWholeFile(pdf, bytes));
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_EQ(text.substr(0, 5), "%PDF-");
  // Two page columns: the holdings table is wider than A4.
  std::size_t pages = 0;
  for (std::size_t at = text.find("/Type /Page\n"); at != std::string::npos;
       at = text.find("/Type /Page\n", at + 1))
    ++pages;
  EXPECT_EQ(pages, 2u);

  const std::string svg = (dir / "a.svg").string();
  ASSERT_EQ(RunCli({"render", kSample, "--mode", "4", "--from", "01.01.1999", "--to", "31.12.2003",
                    "--output", svg})
                .status,
            0);
  ASSERT_TRUE(ReadWholeFile(svg, bytes));
  const std::string svgText(bytes.begin(), bytes.end());
  EXPECT_NE(svgText.find("<svg"), std::string::npos);
  EXPECT_NE(svgText.find("Kapitaleinlage"), std::string::npos);

  const std::string png = (dir / "r.png").string();
  ASSERT_EQ(RunCli({"render", kSample, "--mode", "1", "--day", "01.01.2003", "--page", "2", "--output", png})
                .status,
            0);
  ASSERT_TRUE(ReadWholeFile(png, bytes));
  ASSERT_GT(bytes.size(), 8u);
  EXPECT_EQ(bytes[1], 'P');

  r = RunCli({"render", kSample, "--mode", "1", "--page", "9", "--output", png});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Seite 9 gibt es nicht"), std::string::npos);
  EXPECT_EQ(RunCli({"render", kSample, "--mode", "1", "--output", (dir / "x.txt").string()}).status, 1);
  EXPECT_EQ(RunCli({"render", kSample, "--mode", "1", "--output", (dir / "no/x.pdf").string()}).status, 4);
  std::filesystem::remove_all(dir);
}

TEST(CliViews, DevelopmentAndCharts) {
  ::setenv("KAPIBUCH_TODAY", "08.12.2026", 1);
  Result r = RunCli(
      {"show", kSample, "--mode", "2", "--from", "01.01.2003", "--to", "02.01.2003", "--format", "json"});
  ASSERT_EQ(r.status, 0) << r.err;
  auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["columns"][0], "Datum");
  EXPECT_EQ(j["columns"][1], "Depotwert in EUR");
  ASSERT_EQ(j["rows"].size(), 2u);
  EXPECT_EQ(j["rows"][0][1], "3.025,00");

  r = RunCli({"show", kSample, "--mode", "5", "--from", "01.01.2003", "--to", "03.01.2003", "--series", "0",
              "--format", "json"});
  ASSERT_EQ(r.status, 0) << r.err;
  j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["title"], "Depotwert - Jörg Müller");
  EXPECT_EQ(j["rows"][0][2], "302500");
  r = RunCli({"show", kSample, "--mode", "6", "--from", "01.01.2003", "--to", "03.01.2003", "--series", "1",
              "--select", "1", "--format", "csv"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("01.01.2003;1.800,00;180000"), std::string::npos);
  EXPECT_EQ(RunCli({"show", kSample, "--mode", "6", "--select", "7"}).status, 2);
  EXPECT_EQ(RunCli({"show", kSample, "--mode", "5", "--series", "10"}).status, 2);
  // A portfolio without positions has none to select (and says so without a wrapped count).
  const std::string empty =
      (std::filesystem::temp_directory_path() / ("kapibuch-empty-" + std::to_string(::getpid()) + ".kpz"))
          .string();
  ASSERT_EQ(RunCli({"new", empty, "--start", "01.01.2000", "--balance", "0"}).status, 0);
  r = RunCli({"show", empty, "--mode", "6", "--select", "0"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "Die Position \"0\" gibt es nicht: das Depot hat keine Positionen.\n");
  std::filesystem::remove(empty);

  const auto dir =
      std::filesystem::temp_directory_path() / ("kapibuch-render2-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  EXPECT_EQ(RunCli({"render", kSample, "--mode", "2", "--from", "01.01.2003", "--to", "31.03.2003",
                    "--output", (dir / "d.pdf").string()})
                .status,
            0);
  EXPECT_EQ(RunCli({"render", kSample, "--mode", "5", "--output", (dir / "c.svg").string()}).status, 0);
  EXPECT_EQ(
      RunCli({"render", kSample, "--mode", "6", "--select", "0,1", "--output", (dir / "c.png").string()})
          .status,
      0);
  EXPECT_EQ(
      RunCli({"render", kSample, "--mode", "5", "--page", "2", "--output", (dir / "c2.png").string()}).status,
      1);
  std::filesystem::remove_all(dir);
}

TEST(CliViews, Analysis) {
  ::setenv("KAPIBUCH_TODAY", "08.12.2026", 1);
  Result r = RunCli(
      {"show", kSample, "--mode", "7", "--day", "01.01.2003", "--from", "01.01.2002", "--format", "json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  ASSERT_EQ(j["columns"].size(), 4u);  // the labels and three positions, no sums column
  EXPECT_EQ(j["rows"][0][0], "Bezeichnung");
  EXPECT_EQ(j["rows"][0][3], "Öko Fonds");
  EXPECT_EQ(j["rows"].back()[0], "Spekulationsfrist");
  EXPECT_EQ(j["rows"].back()[3], "-160");
  const auto dir =
      std::filesystem::temp_directory_path() / ("kapibuch-render7-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  EXPECT_EQ(RunCli({"render", kSample, "--mode", "7", "--output", (dir / "a.pdf").string()}).status, 0);
  std::filesystem::remove_all(dir);
}

TEST(CliViews, ReturnsWithTheirFigures) {
  ::setenv("KAPIBUCH_TODAY", "08.12.2026", 1);
  Result r = RunCli(
      {"show", kSample, "--mode", "8", "--from", "01.01.2002", "--to", "31.12.2003", "--format", "json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["title"], "Rendite von 01.01.2002 bis 31.12.2003 - 4711 - Jörg Müller");
  ASSERT_EQ(j["columns"].size(), 13u);
  EXPECT_EQ(j["columns"][2], "Wert am Anfang in EUR");
  EXPECT_EQ(j["columns"][12], "TTWROR p.a. in %");
  ASSERT_GE(j["rows"].size(), 3u);
  EXPECT_EQ(j["rows"][j["rows"].size() - 2][0], "Wertpapiere gesamt");
  EXPECT_EQ(j["rows"].back()[0], "Vermögen");
  // Every figure says what its cell says: texts repeated, "-" as null, money in
  // hundredths, rates as fractions.
  ASSERT_EQ(j["values"].size(), j["rows"].size());
  for (std::size_t row = 0; row < j["rows"].size(); ++row) {
    const auto& cells = j["rows"][row];
    const auto& values = j["values"][row];
    ASSERT_EQ(values.size(), cells.size());
    EXPECT_EQ(values[0], cells[0]);
    EXPECT_EQ(values[1], cells[1]);
    for (std::size_t c = 2; c < cells.size(); ++c) {
      const std::string text = cells[c];
      if (text == "-") {
        EXPECT_TRUE(values[c].is_null());
      } else if (c < 10) {
        ASSERT_TRUE(values[c].is_number_integer()) << row << "/" << c;
        EXPECT_EQ(FormatMoney(values[c].get<std::int64_t>(), kEur, kOwnCurrency, false), text);
      } else {
        ASSERT_TRUE(values[c].is_number_float()) << row << "/" << c;
        EXPECT_EQ(FormatSignedPercent(values[c].get<double>() * 100, 1), text);
      }
    }
  }
  // The wealth has no purchases; the securities no deposits.
  EXPECT_TRUE(j["values"].back()[3].is_null());
  EXPECT_TRUE(j["values"][0][5].is_null());

  r = RunCli(
      {"show", kSample, "--mode", "8", "--from", "01.01.2002", "--to", "31.12.2003", "--format", "csv"});
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("Bezeichnung;WKN/ Kürzel;Wert am Anfang in EUR;Käufe in EUR;", 0), 0u);
  const auto dir =
      std::filesystem::temp_directory_path() / ("kapibuch-render8-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  EXPECT_EQ(RunCli({"render", kSample, "--mode", "8", "--output", (dir / "r.pdf").string()}).status, 0);
  std::filesystem::remove_all(dir);
}

// --mode takes a view's name as well as its number, case ignored; show --help lists number,
// name and the menu's shortcut side by side (the menu's order differs from the numbers).
TEST(CliViews, ModesByNameAsByNumber) {
  ::setenv("KAPIBUCH_TODAY", "08.12.2026", 1);
  const std::vector<std::pair<std::string, std::string>> names = {
      {"bestand", "1"}, {"entwicklung", "2"}, {"realisiert", "3"},
      {"konto", "4"},   {"depotgrafik", "5"}, {"wertpapiergrafik", "6"},
      {"analyse", "7"}, {"rendite", "8"},     {"jahresuebersicht", "9"}};
  for (const auto& [name, number] : names) {
    const Result byNumber = RunCli({"show", kSample, "--mode", number, "--format", "json"});
    ASSERT_EQ(byNumber.status, 0) << number << ": " << byNumber.err;
    const Result byName = RunCli({"show", kSample, "--mode", name, "--format", "json"});
    ASSERT_EQ(byName.status, 0) << name << ": " << byName.err;
    EXPECT_EQ(byName.out, byNumber.out) << name;
  }
  EXPECT_EQ(RunCli({"show", kSample, "--mode", "RENDITE", "--format", "csv"}).out,
            RunCli({"show", kSample, "--mode", "8", "--format", "csv"}).out);
  EXPECT_EQ(RunCli({"show", kSample, "--mode", "Jahresuebersicht", "--format", "csv"}).out,
            RunCli({"show", kSample, "--mode", "9", "--format", "csv"}).out);
  EXPECT_EQ(RunCli({"show", kSample, "--mode", "09", "--format", "csv"}).out,
            RunCli({"show", kSample, "--mode", "9", "--format", "csv"}).out);

  // render takes them too.
  const auto dir = std::filesystem::temp_directory_path() / ("kapibuch-names-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  EXPECT_EQ(RunCli({"render", kSample, "--mode", "Konto", "--output", (dir / "k.svg").string()}).status, 0);
  EXPECT_NE(Read((dir / "k.svg").string()).find("Kapitaleinlage"), std::string::npos);
  std::filesystem::remove_all(dir);

  for (const char* wrong : {"0", "10", "-1", "grafik", "jahresübersicht", "1x", ""}) {
    const Result r = RunCli({"show", kSample, "--mode", wrong});
    EXPECT_EQ(r.status, 1) << wrong;
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')), std::string("--mode: Die Ansicht \"") + wrong +
                                                     "\" gibt es nicht (1 bis 9 oder ein Name aus --help)")
        << wrong;
  }

  for (const char* command : {"show", "render"}) {
    const Result help = RunCli({command, "--help"});
    ASSERT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Ansichten:\n"
                            "  Nr.  Name              Menü    Ansicht\n"
                            "  1    bestand           Strg+1  Depotbestand\n"
                            "  2    entwicklung       Strg+3  Depotentwicklung\n"
                            "  3    realisiert        Strg+2  Realisierte G+V\n"
                            "  4    konto             Strg+5  Kontobewegungen\n"
                            "  5    depotgrafik       Strg+6  Grafik - Depotentwicklung\n"
                            "  6    wertpapiergrafik  Strg+7  Grafik - Wertpapier\n"
                            "  7    analyse           Strg+4  Depotanalyse\n"
                            "  8    rendite           Strg+8  Rendite\n"
                            "  9    jahresuebersicht  Strg+9  Jahresübersicht\n"),
              std::string::npos)
        << help.out;
  }
}
