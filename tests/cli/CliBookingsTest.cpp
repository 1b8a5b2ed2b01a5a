// Every check of every booking form, run through the command line: the message that the
// dialog would show, exit status 2, and the file left byte for byte as it was.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "base/SafeFile.h"
#include "cli/Cli.h"
#include "tests/cli/CliTestUtil.h"
#include "tests/support/ByteDiff.h"

using namespace clitest;

namespace {

class CliBookings : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("KAPIBUCH_TODAY", "08.12.2026", 1);
    m_file = (std::filesystem::temp_directory_path() /
              ("kapibuch-bookings-" + std::to_string(::getpid()) + ".kpz"))
                 .string();
    std::filesystem::remove(m_file);
    ok({"new", m_file, "--holder", "Test", "--start", "01.01.1999", "--balance", "10.000 DM"});
    ok({"buy", m_file, "--date", "01.02.1999", "--name", "Aktie", "--wkn", "A1", "--qty", "10", "--price",
        "100 DM", "--commission", "10 DM"});
    ok({"buy", m_file, "--date", "01.03.1999", "--name", "Aktie", "--wkn", "A1", "--qty", "20", "--price",
        "110 DM", "--commission", "10 DM"});
    ok({"buy", m_file, "--date", "01.04.1999", "--name", "Dual", "--wkn", "D1", "--qty", "5", "--price", "10",
        "--commission", "0"});
    ok({"buy", m_file, "--date", "01.05.1999", "--name", "Dual", "--wkn", "D2", "--qty", "5", "--price", "10",
        "--commission", "0"});
    ok({"sell", m_file, "--date", "01.06.1999", "--name", "Dual", "--wkn", "D2", "--qty", "5", "--price",
        "11", "--commission", "0", "--allocate", "0,5"});
  }
  void TearDown() override { std::filesystem::remove(m_file); }

  void ok(const std::vector<std::string>& args) {
    const Result r = RunCli(args);
    ASSERT_EQ(r.status, 0) << args[0] << ": " << r.err;
  }

  nlohmann::json dump() { return nlohmann::json::parse(RunCli({"dump", m_file}).out); }

  std::string m_file;
};

}  // namespace

TEST_F(CliBookings, BookingsLandInTheFile) {
  nlohmann::json j = dump();
  ASSERT_EQ(j["positions"].size(), 4u);
  EXPECT_EQ(j["positions"][2]["state"], 1);  // Dual D1 kept: the allocation sold D2
  EXPECT_EQ(j["positions"][3]["state"], 2);

  ok({"sell", m_file, "--date", "01.07.1999", "--name", "Aktie", "--wkn", "A1", "--qty", "25", "--price",
      "60", "--commission", "10"});
  ok({"move", m_file, "--date", "02.07.1999", "--kind", "Dividenden-Gutschrift", "--amount", "30",
      "--security", "Aktie", "--wkn", "A1"});
  ok({"split", m_file, "--date", "01.08.1999", "--name", "Aktie", "--wkn", "A1", "--new", "2", "--old", "1"});
  ok({"switch-eur", m_file, "--date", "01.01.2001"});
  ok({"move", m_file, "--date", "02.01.2001", "--kind", "Steuern", "--amount", "100"});
  j = dump();
  ASSERT_EQ(j["positions"].size(), 5u);
  EXPECT_EQ(j["positions"][1]["number"], 2);
  EXPECT_EQ(j["positions"][1]["quantity"], 300000000);  // 15 sold, doubled by the split
  EXPECT_EQ(j["positions"][2]["number"], 5);            // the rest of 5, doubled
  EXPECT_EQ(j["positions"][2]["quantity"], 100000000);
  EXPECT_EQ(j["positions"][2]["dividends"]["dm"], 3000);  // the only Aktie position held on 02.07.
  EXPECT_TRUE(j["account"]["switched"].get<bool>());
  const auto& t = j["account"]["transactions"];
  EXPECT_EQ(t.back()["kindName"], "Steuern");
  EXPECT_EQ(t.back()["eur"], -10000);
}

TEST_F(CliBookings, EveryCheckRefusesAndLeavesTheFile) {
  const std::string f = m_file;
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<std::string> buy = {"buy",     f,       "--date",       "01.02.2000", "--name",
                                        "Neu",     "--wkn", "N1",           "--qty",      "1",
                                        "--price", "1",     "--commission", "0"};
  const auto with = [](std::vector<std::string> args, const std::string& option, const std::string& value) {
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
      if (args[i] == option) {
        args[i + 1] = value;
        return args;
      }
    }
    args.push_back(option);
    args.push_back(value);
    return args;
  };
  const std::vector<std::string> sell = {"sell",    f,       "--date",       "01.07.1999", "--name",
                                         "Aktie",   "--wkn", "A1",           "--qty",      "5",
                                         "--price", "1",     "--commission", "0"};
  const std::vector<std::string> move = {
      "move", f, "--date", "01.07.1999", "--kind", "Dividenden-Gutschrift", "--amount", "5"};
  const std::vector<std::string> split = {"split", f,    "--date", "01.07.1999", "--name", "Aktie",
                                          "--wkn", "A1", "--new",  "2",          "--old",  "1"};
  const std::string storable =
      "enthält Zeichen, die in einer Kapitalbuch-Datei nicht gespeichert werden können. Bitte verwenden Sie "
      "nur "
      "Zeichen des westeuropäischen Zeichensatzes.";
  const std::vector<Case> cases = {
      {with(buy, "--name", ""), "Bitte geben Sie eine Bezeichnung für das gekaufte Wertpapier ein!"},
      {with(buy, "--wkn", ""),
       "Bitte geben Sie eine Wertpapier-Kennummer bzw. ein Kürzel für das gekaufte Wertpapier ein!"},
      {with(buy, "--qty", "1,2,3"), "Bitte geben Sie eine korrekte Stückzahl an!"},
      {with(buy, "--qty", "0"), "Bitte geben Sie eine positive Stückzahl ein!"},
      {with(buy, "--price", "12 DM x"), "Bitte geben Sie einen korrekten Kaufkurs ein!"},
      {with(buy, "--commission", ""), "Bitte geben Sie einen Wert für die Transaktionskosten ein!"},
      {with(buy, "--text", "中"), "Das Feld \"Text\" " + storable},
      {with(buy, "--qty", "20000000"), "Der Betrag ist zu groß, um in der Datei gespeichert zu werden."},
      {with(sell, "--date", "15.01.1999"),
       "An diesem Tag befinden sich keine Wertpapiere im Depot, die verkauft werden können!"},
      {with(sell, "--name", "Unbekannt"), "Bitte wählen Sie eine Wertpapierbezeichnung aus!"},
      {with(with(sell, "--name", "Dual"), "--wkn", "D2"),  // D2 is sold: not offered
       "Bitte wählen Sie eine Wertpapier-Kennummer bzw. ein Kürzel aus!"},
      {with(sell, "--wkn", "D1"),
       "Die Bezeichnung \"Aktie\" und die WKN/Kürzel \"D1\" gehören zu verschiedenen "
       "Wertpapieren."},
      {with(sell, "--price", "-1"), "Bitte geben Sie einen korrekten Verkaufkurs ein!"},
      {with(sell, "--qty", "x"), "Bitte geben Sie eine korrekte Stückzahl ein!"},
      {with(sell, "--qty", "0"), "Bitte geben Sie eine positive Stückzahl ein!"},
      {with(sell, "--price", ","), "Bitte geben Sie einen korrekten Verkaufkurs ein!"},
      {with(sell, "--commission", "DM 1"), "Bitte geben Sie einen Wert für die Transaktionskosten ein!"},
      {with(sell, "--allocate", "fünf;5"), "Bitte geben Sie eine korrekte Stückzahl ein!"},
      {with(sell, "--text", "中"), "Das Feld \"Text\" " + storable},
      {with(sell, "--date", "31.12.1998"),
       "Das Datum darf nicht vor dem ersten Tag des Kontos (01.01.1999) liegen."},
      {with(move, "--amount", "fünf"), "Bitte geben Sie einen korrekten Betrag ein!"},
      {with(move, "--security", "Unbekannt"), "Bitte wählen Sie ein Wertpapier aus!"},
      {with(with(move, "--security", "Aktie"), "--date", "15.01.1999"),
       "Bitte ordnen Sie den Betrag den Wertpapierpositionen zu!"},
      {with(with(move, "--security", "Aktie"), "--assign", "x,1"),
       "Bitte geben Sie eine korrekte Stückzahl ein!"},
      {with(with(move, "--security", "Aktie"), "--wkn", "D1"),
       "Die Bezeichnung \"Aktie\" und die WKN/Kürzel \"D1\" gehören zu verschiedenen Wertpapieren."},
      {with(move, "--text", "中"), "Das Feld \"Text\" " + storable},
      {with(split, "--name", "Unbekannt"), "Bitte wählen Sie eine Wertpapierbezeichnung aus!"},
      {with(split, "--wkn", "D2"),
       "Die Bezeichnung \"Aktie\" und die WKN/Kürzel \"D2\" gehören zu verschiedenen Wertpapieren."},
      {with(split, "--new", "x"), "Bitte geben Sie hier einen positiven Wert ein!"},
      {with(split, "--old", "x"), "Bitte geben Sie hier einen positiven Wert ein!"},
      {with(split, "--new", "0"), "Bitte geben Sie hier einen positiven Wert ein!"},
      {with(split, "--old", "0"), "Bitte geben Sie hier einen positiven Wert ein!"},
      {{"switch-eur", f, "--date", "31.12.1998"},
       "Das Datum darf nicht vor dem ersten Tag des Kontos (01.01.1999) liegen."},
      {{"price", f, "--date", "01.07.1999", "--name", "Aktie", "--wkn", "A9", "--price", "5"},
       "Für das Wertpapier \"Aktie\" (A9) gibt es keinen Kursverlauf."},
      {{"price", f, "--date", "01.07.1999", "--name", "Aktie", "--wkn", "A1", "--price", "5 DMX"},
       "Der Kurs \"5 DMX\" ist kein gültiger Betrag."},
      {{"holder", f, "--address", "中"}, "Das Feld \"Adresse des Depotinhabers\" " + storable},
      {{"buy", f, "--date", "30.02.2000"},
       "Ungültiges Datum \"30.02.2000\": erwartet wird TT.MM.JJJJ zwischen 02.01.1970 und 18.01.2038."},
  };
  const auto before = Bytes(f);
  for (const Case& c : cases) {
    const Result r = RunCli(c.args);
    EXPECT_EQ(r.status, 2) << c.message;
    if (r.status != 2) break;
    EXPECT_EQ(r.err, c.message + "\n");
    EXPECT_TRUE(testutil::SameBytes(before, Bytes(f))) << c.message;
  }

  // Once switched, a second switch is refused.
  ok({"switch-eur", f, "--date", "01.01.2002"});
  const auto switched = Bytes(f);
  const Result again = RunCli({"switch-eur", f, "--date", "01.01.2003"});
  EXPECT_EQ(again.status, 2);
  EXPECT_EQ(again.err, "Das Konto wird bereits in Euro geführt; die Umstellung ist nur einmal möglich.\n");
  EXPECT_TRUE(testutil::SameBytes(switched, Bytes(f)));

  // An unknown kind is wrong usage.
  EXPECT_EQ(RunCli(with(move, "--kind", "Lottogewinn")).status, 1);
  EXPECT_TRUE(testutil::SameBytes(switched, Bytes(f)));
}

// Day and month alone, as on a form, are that day of the current year: the year of
// KAPIBUCH_TODAY (08.12.2026) where it is set. Any other short form stays refused.
TEST_F(CliBookings, DayAndMonthAloneAreThisYear) {
  ok({"buy", m_file, "--date", "5.1.", "--name", "Aktie", "--wkn", "A1", "--qty", "1", "--price", "10",
      "--commission", "0"});
  ok({"move", m_file, "--date", "6.1", "--kind", "Steuern", "--amount", "1"});
  ::setenv("KAPIBUCH_TODAY", "15.06.2003", 1);
  ok({"buy", m_file, "--date", "07.01.", "--name", "Dual", "--wkn", "D1", "--qty", "1", "--price", "10",
      "--commission", "0"});
  ::setenv("KAPIBUCH_TODAY", "08.12.2026", 1);
  const nlohmann::json j = dump();
  ASSERT_EQ(j["positions"].size(), 6u);
  EXPECT_EQ(j["positions"][4]["purchaseDate"], "07.01.2003");  // the positions in the order of their days
  EXPECT_EQ(j["positions"][5]["purchaseDate"], "05.01.2026");
  bool taxes = false;
  for (const auto& t : j["account"]["transactions"]) {
    if (t["kindName"] == "Steuern") taxes = t["date"] == "06.01.2026";
  }
  EXPECT_TRUE(taxes);

  // The views' days are read the same way.
  const Result shown =
      RunCli({"show", m_file, "--mode", "4", "--from", "5.1.", "--to", "6.1", "--format", "csv"});
  ASSERT_EQ(shown.status, 0) << shown.err;
  EXPECT_NE(shown.out.find("05.01.2026;Kauf;"), std::string::npos) << shown.out;
  EXPECT_NE(shown.out.find("06.01.2026;Steuern;"), std::string::npos) << shown.out;

  const auto before = Bytes(m_file);
  for (const char* date : {"29.2.", "5.", "5.1.x", "5..1", "051"}) {
    const Result r = RunCli({"move", m_file, "--date", date, "--kind", "Steuern", "--amount", "1"});
    EXPECT_EQ(r.status, 2) << date;
    EXPECT_EQ(r.err, std::string("Ungültiges Datum \"") + date +
                         "\": erwartet wird TT.MM.JJJJ zwischen 02.01.1970 und 18.01.2038.\n");
  }
  EXPECT_TRUE(testutil::SameBytes(before, Bytes(m_file)));
}
