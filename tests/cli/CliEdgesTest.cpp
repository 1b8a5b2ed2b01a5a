// Bookings at the edges, through the command line: rebates, sums near the 32-bit limits of
// the file, extreme split ratios, and how --name, --wkn and the quantity lists choose.
// Every refusal leaves the file byte for byte as it was.
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

const std::string kTooLarge = "Der Betrag ist zu groß, um in der Datei gespeichert zu werden.\n";

class CliEdges : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("KAPIBUCH_TODAY", "08.12.2026", 1);
    m_dir = std::filesystem::temp_directory_path() /
            ("kapibuch-edges-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(m_dir);
    std::filesystem::create_directories(m_dir);
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }

  std::string path(const std::string& name) const { return (m_dir / name).string(); }

  // A new file kept in EUR, or in DM, from 01.01.2000.
  std::string portfolio(const std::string& name, const std::string& balance = "1.000") {
    const std::string file = path(name);
    ok({"new", file, "--start", "01.01.2000", "--balance", balance});
    return file;
  }

  static Result run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = cli::Run(args, out, err);
    return {status, out.str(), err.str()};
  }
  static void ok(const std::vector<std::string>& args) {
    const Result r = run(args);
    ASSERT_EQ(r.status, 0) << args[0] << ": " << r.err;
  }
  static std::vector<std::uint8_t> bytes(const std::string& file) {
    std::vector<std::uint8_t> b;
    ReadWholeFile(file, b);
    return b;
  }
  // Runs a command that must be refused with this status and message, file unchanged.
  static void refused(const std::vector<std::string>& args, int status, const std::string& message) {
    const auto before = bytes(args[1]);
    const Result r = run(args);
    EXPECT_EQ(r.status, status) << message;
    EXPECT_EQ(r.err, message);
    EXPECT_TRUE(testutil::SameBytes(before, bytes(args[1]))) << message;
  }
  static nlohmann::json dump(const std::string& file) {
    return nlohmann::json::parse(run({"dump", file}).out);
  }

  static std::vector<std::string> buy(const std::string& file, const std::string& date,
                                      const std::string& name, const std::string& wkn, const std::string& qty,
                                      const std::string& price, const std::string& commission = "0") {
    return {"buy", file,    "--date", date,      "--name", name,           "--wkn",
            wkn,   "--qty", qty,      "--price", price,    "--commission", commission};
  }

  std::filesystem::path m_dir;
};

}  // namespace

TEST_F(CliEdges, ARebateLowersCostAndRaisesProceedsInTheAccountToo) {
  const std::string f = portfolio("rebate.kpz");
  ok(buy(f, "01.02.2000", "Aktie", "A1", "1", "5", "-1"));
  ok(buy(f, "01.02.2000", "Zwei", "Z1", "2", "5"));
  ok({"sell", f, "--date", "01.03.2000", "--name", "Zwei", "--qty", "2", "--price", "6", "--commission",
      "-0,50"});
  nlohmann::json j = dump(f);
  const auto& t = j["account"]["transactions"];
  EXPECT_EQ(j["positions"][0]["cost"]["eur"], 400);
  EXPECT_EQ(t[0]["eur"], -400);
  EXPECT_EQ(j["positions"][1]["proceeds"]["eur"], 1250);
  EXPECT_EQ(t[2]["eur"], 1250);

  // A rebate over several positions keeps its sign; the last position takes the rest.
  ok(buy(f, "01.04.2000", "Drei", "D1", "1", "5"));
  ok(buy(f, "02.04.2000", "Drei", "D1", "1", "5"));
  ok({"sell", f, "--date", "01.05.2000", "--name", "Drei", "--qty", "2", "--price", "6", "--commission",
      "-0,51"});
  j = dump(f);
  EXPECT_EQ(j["positions"][2]["saleCommission"]["amount"], -26);
  EXPECT_EQ(j["positions"][3]["saleCommission"]["amount"], -25);
  const std::int64_t proceeds = j["positions"][2]["proceeds"]["eur"].get<std::int64_t>() +
                                j["positions"][3]["proceeds"]["eur"].get<std::int64_t>();
  EXPECT_EQ(proceeds, 1251);
  EXPECT_EQ(j["account"]["transactions"].back()["eur"], 1251);

  // A negative price is refused in both dialogs.
  refused(buy(f, "01.06.2000", "Aktie", "A1", "1", "-5"), 2,
          "Bitte geben Sie einen korrekten Kaufkurs ein!\n");
  refused({"sell", f, "--date", "01.06.2000", "--name", "Aktie", "--qty", "1", "--price", "-5",
           "--commission", "0"},
          2, "Bitte geben Sie einen korrekten Verkaufkurs ein!\n");
}

TEST_F(CliEdges, SumsThatWouldLeave32BitsAreRefused) {
  // Buys before the start day add up in the start capital adjustment: the third would wrap.
  const std::string f = portfolio("sums.kpz");
  ok(buy(f, "01.12.1999", "Alt", "X1", "1", "10.000.000"));
  ok(buy(f, "02.12.1999", "Alt", "X1", "1", "10.000.000"));
  refused(buy(f, "03.12.1999", "Alt", "X1", "1", "10.000.000"), 2, kTooLarge);
  EXPECT_EQ(dump(f)["account"]["startCapitalAdjustment"]["eur"], 2'000'000'000);

  // The same for the sums of one position, under each of the three targets.
  ok(buy(f, "01.02.2000", "Neu", "N1", "1", "1"));
  const std::vector<std::pair<std::string, std::string>> targets = {{"Dividenden-Gutschrift", "dividende"},
                                                                    {"Sonstige Kosten", "kaufpreis"},
                                                                    {"Sonstige Erträge", "verkaufserloes"}};
  for (const auto& [kind, target] : targets) {
    const std::vector<std::string> move = {"move",       f,     "--date",    "01.03.2000",
                                           "--kind",     kind,  "--amount",  "10.000.000",
                                           "--security", "Neu", "--book-to", target};
    ok(move);
    ok(move);
    refused(move, 2, kTooLarge);
  }
  const nlohmann::json p = dump(f)["positions"][2];
  EXPECT_EQ(p["dividends"]["eur"], 2'000'000'000);
  EXPECT_EQ(p["cost"]["eur"], 2'000'000'100);
  EXPECT_EQ(p["proceeds"]["eur"], 2'000'000'000);
}

TEST_F(CliEdges, DmAmountsAreCheckedInDmAndTheirEuroInEuro) {
  const std::string dm = portfolio("dm.kpz", "0 DM");
  ok({"move", dm, "--date", "01.02.2000", "--kind", "Kapitaleinlage", "--amount", "15.000.000"});
  ok(buy(dm, "02.02.2000", "Gross", "G1", "1", "20.000.000 DM"));
  const nlohmann::json t = dump(dm)["account"]["transactions"];
  EXPECT_EQ(t[0]["dm"], 1'500'000'000);
  EXPECT_EQ(t[0]["eur"], 766'937'822);
  EXPECT_EQ(t[1]["dm"], -2'000'000'000);
  // 20.000.000,00 EUR are 39.116.600,00 DM: the DM amount of the booking would not fit.
  refused(buy(dm, "03.02.2000", "Gross", "G1", "1", "20.000.000"), 2, kTooLarge);
  refused(buy(dm, "03.02.2000", "Gross", "G1", "1", "20.000.000", "-1"), 2, kTooLarge);
  refused({"move", dm, "--date", "03.02.2000", "--kind", "Kapitaleinlage", "--amount", "15.000.000 EUR"}, 2,
          kTooLarge);

  // On an account kept in euro the DM amount stored beside it decides the same way.
  const std::string eur = portfolio("eur.kpz");
  refused({"move", eur, "--date", "01.02.2000", "--kind", "Kapitaleinlage", "--amount", "15.000.000"}, 2,
          kTooLarge);
  // A number that is no 32-bit amount at all is not a correct amount.
  refused({"move", eur, "--date", "01.02.2000", "--kind", "Kapitaleinlage", "--amount", "30.000.000"}, 2,
          "Bitte geben Sie einen korrekten Betrag ein!\n");
}

TEST_F(CliEdges, SplitsThatTheFileCannotHoldAreRefused) {
  const std::string f = portfolio("split.kpz");
  ok(buy(f, "01.02.2000", "Aktie", "A1", "1000", "100"));
  ok(buy(f, "01.02.2000", "Eine", "E1", "1", "1"));
  refused({"split", f, "--date", "01.03.2000", "--name", "Aktie", "--new", "10000000", "--old", "1"}, 2,
          "Bei diesem Verhältnis werden die Stückzahlen zu groß, um in der Datei gespeichert zu werden!\n");
  refused({"split", f, "--date", "01.03.2000", "--name", "Eine", "--new", "1", "--old", "2000000000"}, 2,
          "Bei diesem Verhältnis würde die Stückzahl einer Position im Depot auf 0 gerundet!\n");
  refused({"split", f, "--date", "01.03.2000", "--name", "Aktie", "--new", "1", "--old", "1000000"}, 2,
          "Bei diesem Verhältnis werden die Kurse zu groß, um in der Datei gespeichert zu werden!\n");

  // Up to the limit the split is exact: 2.000.000.000 shares at 0,00.
  ok({"split", f, "--date", "01.03.2000", "--name", "Aktie", "--new", "2000000", "--old", "1"});
  const nlohmann::json p = dump(f)["positions"][0];
  EXPECT_EQ(p["quantity"], 20'000'000'000'000'000);
  EXPECT_EQ(p["purchasePrice"]["amount"], 0);
}

TEST_F(CliEdges, NameAndWknChooseAsInTheDialogs) {
  const std::string f = portfolio("choice.kpz", "100.000");
  ok(buy(f, "01.02.2000", "Aktie", "A1", "10", "10"));
  ok(buy(f, "01.02.2000", "Beta", "B1", "10", "10"));
  // The name alone selects its WKN/Kürzel, the WKN/Kürzel alone its name.
  ok({"sell", f, "--date", "01.03.2000", "--name", "Aktie", "--qty", "1", "--price", "1", "--commission",
      "0"});
  ok({"sell", f, "--date", "01.03.2000", "--wkn", "B1", "--qty", "1", "--price", "1", "--commission", "0"});
  ok({"split", f, "--date", "01.04.2000", "--name", "Aktie", "--new", "2", "--old", "1"});
  ok({"move", f, "--date", "01.05.2000", "--kind", "Dividenden-Gutschrift", "--amount", "9", "--wkn", "B1"});
  ok(buy(f, "01.06.2000", "Aktie", "", "1", "10"));  // a known name fills in its WKN/Kürzel
  // ... and a known name may still be bought under a new WKN/Kürzel.
  ok(buy(f, "01.06.2000", "Aktie", "A2", "1", "10"));
  nlohmann::json j = dump(f);
  // Sold 1 of Aktie and 1 of Beta; the rests of 9 follow; the split doubled Aktie's shares.
  EXPECT_EQ(j["positions"][0]["quantity"], 2 * 10'000'000);
  EXPECT_EQ(j["positions"][1]["state"], 2);
  EXPECT_EQ(j["positions"][2]["quantity"], 18 * 10'000'000);
  EXPECT_EQ(j["positions"][3]["name"], "Beta");
  EXPECT_EQ(j["positions"][3]["dividends"]["eur"], 900);
  EXPECT_EQ(j["positions"][4]["wkn"], "A1");
  EXPECT_EQ(j["positions"][5]["wkn"], "A2");
  EXPECT_EQ(j["histories"].size(), 3u);

  // A name and a WKN/Kürzel of two securities are refused by every command that chooses one.
  const std::string mismatch =
      "Die Bezeichnung \"Aktie\" und die WKN/Kürzel \"B1\" gehören zu verschiedenen "
      "Wertpapieren.\n";
  refused({"sell", f, "--date", "01.07.2000", "--name", "Aktie", "--wkn", "B1", "--qty", "1", "--price", "1",
           "--commission", "0"},
          2, mismatch);
  refused({"split", f, "--date", "01.07.2000", "--name", "Aktie", "--wkn", "B1", "--new", "2", "--old", "1"},
          2, mismatch);
  refused({"move", f, "--date", "01.07.2000", "--kind", "Steuern", "--amount", "1", "--security", "Aktie",
           "--wkn", "B1"},
          2, mismatch);
  refused({"price", f, "--date", "01.07.2000", "--name", "Aktie", "--wkn", "B1", "--price", "1"}, 2,
          mismatch);
  refused({"export", f, "--name", "Aktie", "--wkn", "B1", "--output", path("out.txt")}, 2, mismatch);
  EXPECT_FALSE(std::filesystem::exists(path("out.txt")));
}

TEST_F(CliEdges, QuantityListsNameEveryCandidate) {
  const std::string f = portfolio("lists.kpz", "100.000");
  for (const char* day : {"01.02.2000", "02.02.2000", "03.02.2000"})
    ok(buy(f, day, "Aktie", "A1", "10", "10"));
  const std::vector<std::string> sell = {"sell",  f,    "--date",  "01.03.2000", "--name",       "Aktie",
                                         "--qty", "15", "--price", "10",         "--commission", "0"};
  auto with = [](std::vector<std::string> args, const std::string& option, const std::string& value) {
    args.push_back(option);
    args.push_back(value);
    return args;
  };
  refused(
      with(sell, "--allocate", "5,10"), 1,
      "--allocate: 3 Stückzahlen erwartet (eine je Position, in der Reihenfolge der Liste), 2 angegeben.\n");
  refused(
      with(sell, "--allocate", "5,5,5,0"), 1,
      "--allocate: 3 Stückzahlen erwartet (eine je Position, in der Reihenfolge der Liste), 4 angegeben.\n");
  const std::vector<std::string> move = {"move",    f,          "--date", "01.03.2000", "--kind",
                                         "Steuern", "--amount", "3",      "--security", "Aktie"};
  refused(
      with(move, "--assign", "1"), 1,
      "--assign: 3 Stückzahlen erwartet (eine je Position, in der Reihenfolge der Liste), 1 angegeben.\n");

  ok(with(move, "--assign", "1,0,2"));
  nlohmann::json j = dump(f);
  EXPECT_EQ(j["positions"][0]["dividends"]["eur"], -100);
  EXPECT_EQ(j["positions"][1]["dividends"]["eur"], 0);
  EXPECT_EQ(j["positions"][2]["dividends"]["eur"], -200);
  ok(with(sell, "--allocate", "0,10,5"));
  j = dump(f);
  EXPECT_EQ(j["positions"][0]["state"], 1);
  EXPECT_EQ(j["positions"][1]["state"], 2);
  EXPECT_EQ(j["positions"][2]["quantity"], 5 * 10'000'000);
  EXPECT_EQ(j["positions"][3]["quantity"], 5 * 10'000'000);
}

TEST_F(CliEdges, ExportAndPriceTakeTheHistoryOfBothTexts) {
  // Histories (A, X), (A, Y) and (B, X).
  const std::string f = portfolio("export.kpz", "100.000");
  ok(buy(f, "01.02.2000", "A", "X", "1", "1"));
  ok(buy(f, "01.02.2000", "A", "Y", "1", "1"));
  ok(buy(f, "01.02.2000", "B", "X", "1", "1"));
  ok({"price", f, "--date", "01.03.2000", "--name", "A", "--wkn", "X", "--price", "1"});
  ok({"price", f, "--date", "01.03.2000", "--name", "A", "--price", "2"});  // (A, Y), the last with A
  ok({"price", f, "--date", "01.03.2000", "--name", "B", "--wkn", "X", "--price", "3"});
  const std::string out = path("kurse.txt");
  const auto exported = [&](const std::vector<std::string>& choice) {
    std::vector<std::string> args = {"export", f, "--output", out, "--separator", ";"};
    args.insert(args.end(), choice.begin(), choice.end());
    const Result r = run(args);
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<std::uint8_t> b = bytes(out);
    return std::string(b.begin(), b.end());
  };
  EXPECT_EQ(exported({"--name", "A", "--wkn", "X"}), "01.03.2000;1,00\r\n");
  EXPECT_EQ(exported({"--name", "A"}), "01.03.2000;2,00\r\n");
  EXPECT_EQ(exported({"--wkn", "X"}), "01.03.2000;3,00\r\n");
  refused({"export", f, "--name", "B", "--wkn", "Y", "--output", out}, 2,
          "Die Bezeichnung \"B\" und die WKN/Kürzel \"Y\" gehören zu verschiedenen Wertpapieren.\n");
  refused({"export", f, "--name", "C", "--output", out}, 2,
          "Bitte wählen Sie ein Wertpapier aus, für das Sie die Kursdaten exportieren möchten!\n");
  refused({"price", f, "--date", "01.03.2000", "--wkn", "Z", "--price", "1"}, 2,
          "Für das Wertpapier mit der WKN/Kürzel \"Z\" gibt es keinen Kursverlauf.\n");
  EXPECT_EQ(run({"price", f, "--date", "01.03.2000", "--price", "1"}).status, 1);
}

TEST_F(CliEdges, AnEmptyAnalysisPrintsTheShareBandsBox) {
  const std::string f = portfolio("empty.kpz");
  const std::string svg = path("analyse.svg");
  ok({"render", f, "--mode", "7", "--output", svg});
  const std::vector<std::uint8_t> b = bytes(svg);
  const std::string text(b.begin(), b.end());
  // Rows 38 to 40 from y = 150 + 37 x 45 down by three rows, boxed from x = 150 to 450.
  for (const char* line :
       {"150,1815 450,1815", "450,1815 450,1950", "450,1950 150,1950", "150,1950 150,1815"}) {
    EXPECT_NE(text.find(std::string("points=\"") + line + " \""), std::string::npos) << line;
  }
}
