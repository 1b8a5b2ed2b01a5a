// Price files in the shapes investors download (tests/data/import/shapes), imported into a
// new portfolio with the description the assistant finds and with descriptions that are
// nearly right. The prices each file means, worked out by hand, stand next to it in
// NAME.expected ("TT.MM.JJJJ;Kurs", oldest first, third decimals rounded half up): a right
// description stores exactly these; a nearly right one stores none but these and reports
// the rest, or stores nothing at all.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "tests/cli/CliTestUtil.h"

using namespace clitest;

namespace {

using Prices = std::map<std::string, std::string>;  // "TT.MM.JJJJ" -> "1.234,56"

const std::string kShapes = std::string(KAPIBUCH_TEST_DATA) + "/import/shapes/";

const std::string kNoPrices =
    "Es konnten keine Kursdaten eingelesen werden.\n\nEntweder enthält die Datei keine Kurse oder die "
    "Formatbeschreibung paßt nicht zur ausgewählten Datei!\n\n";

// Lines "TT.MM.JJJJ;Kurs", ended by CRLF or LF.
Prices Parse(const std::string& text) {
  Prices prices;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t semicolon = line.find(';');
    if (semicolon != std::string::npos) prices[line.substr(0, semicolon)] = line.substr(semicolon + 1);
    start = end + 1;
  }
  return prices;
}

class CliPriceShapes : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = std::filesystem::temp_directory_path() /
            ("kapibuch-cli-shapes-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(m_dir);
    std::filesystem::create_directories(m_dir);
    ::setenv("KAPIBUCH_TODAY", "08.12.2026", 1);
    const std::string ini = path("settings.ini");
    ::setenv("KAPIBUCH_SETTINGS", ini.c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("KAPIBUCH_SETTINGS");
    std::filesystem::remove_all(m_dir);
  }

  std::string path(const std::string& name) const { return (m_dir / name).string(); }

  // Imports a file of the shapes into a new portfolio that holds one share of "Testpapier"
  // and no price; `how` is --auto [--column ...] or --format-file PATH.
  Result Import(const std::string& shape, const std::vector<std::string>& how) {
    const std::string file = path("p.kpz");
    std::filesystem::remove(file);
    EXPECT_EQ(RunCli({"new", file, "--start", "01.01.1999", "--balance", "0", "--currency", "EUR"}).status,
              0);
    EXPECT_EQ(RunCli({"buy", file, "--date", "04.01.1999", "--name", "Testpapier", "--wkn", "KBX001", "--qty",
                      "1", "--price", "1", "--commission", "0"})
                  .status,
              0);
    std::vector<std::string> args = {"import", file, "--name", "Testpapier", "--input", kShapes + shape};
    args.insert(args.end(), how.begin(), how.end());
    return RunCli(args);
  }
  Result ImportWith(const std::string& shape, const std::string& description) {
    const std::string format = path("format.txt");
    std::ofstream(format, std::ios::binary) << description;
    return Import(shape, {"--format-file", format});
  }

  // The prices the portfolio holds, as export writes them.
  Prices Stored() {
    const std::string out = path("out.txt");
    std::filesystem::remove(out);
    const Result r =
        RunCli({"export", path("p.kpz"), "--name", "Testpapier", "--output", out, "--separator", ";"});
    EXPECT_EQ(r.status, 0) << r.err;
    return Parse(Read(out));
  }

  static Prices Expected(const std::string& shape) {
    return Parse(Read(kShapes + shape.substr(0, shape.rfind('.')) + ".expected"));
  }

  // detect-format prints `description`; --auto imports exactly the expected prices with
  // this count and report, and so does the printed description given as --format-file.
  void ExpectExactImport(const std::string& shape, const std::vector<std::string>& column,
                         const std::string& description, std::size_t found, const std::string& report) {
    SCOPED_TRACE(shape);
    const Prices expected = Expected(shape);
    ASSERT_EQ(expected.size(), found);
    std::vector<std::string> detect = {"detect-format", "--input", kShapes + shape};
    detect.insert(detect.end(), column.begin(), column.end());
    const Result detected = RunCli(detect);
    EXPECT_EQ(detected.status, 0) << detected.err;
    EXPECT_EQ(detected.out, description);

    std::vector<std::string> automatic = {"--auto"};
    automatic.insert(automatic.end(), column.begin(), column.end());
    for (const bool written : {false, true}) {
      SCOPED_TRACE(written ? "--format-file" : "--auto");
      const Result r = written ? ImportWith(shape, detected.out) : Import(shape, automatic);
      EXPECT_EQ(r.status, 0) << r.err;
      EXPECT_EQ(r.out, std::to_string(found) + " Kurse gefunden\n");
      EXPECT_EQ(r.err, report);
      EXPECT_EQ(Stored(), expected);
    }
  }

  // Every price stored is the one the file means for that day.
  void ExpectNoWrongPrice(const std::string& shape) {
    const Prices expected = Expected(shape);
    for (const auto& [day, price] : Stored()) {
      const auto it = expected.find(day);
      ASSERT_NE(it, expected.end()) << shape << ": " << day << " " << price;
      EXPECT_EQ(price, it->second) << shape << ": " << day;
    }
  }

  std::filesystem::path m_dir;
};

const std::string kPointFive =
    "<KOPFZEILEN:1>\n<WIEDERHOLE:\n  <DATUM>,<FELD>,<FELD>,<FELD>,<KURS_EUR:PUNKT>,<TEXT><NZ>\n>\n";
const std::string kCommaFive =
    "<KOPFZEILEN:1>\n<WIEDERHOLE:\n  <DATUM>;<FELD>;<FELD>;<FELD>;<KURS_EUR>;<TEXT><NZ>\n>\n";

TEST_F(CliPriceShapes, YahooShareReadsCloseRoundedToTheCent) {
  ExpectExactImport("yahoo.csv", {}, kPointFive, 28, "");
  // Close, never Adj Close (157.900173 on that day); six decimals rounded half up.
  const Prices stored = Stored();
  EXPECT_EQ(stored.at("05.01.2024"), "160,92");  // 160.919998
  EXPECT_EQ(stored.at("11.01.2024"), "158,13");  // 158.125000: a half rounds up
  EXPECT_EQ(stored.at("31.01.2024"), "158,12");  // 158.124999
  EXPECT_EQ(stored.at("18.01.2024"), "159,99");  // 159.994995
  EXPECT_EQ(stored.at("24.01.2024"), "162,00");  // 161.995003 carries into the euro

  // With a decimal comma every "160.919998" is unreadable: no price at all, never one
  // read as thousands.
  const Result r = ImportWith(
      "yahoo.csv", "<KOPFZEILEN:1><WIEDERHOLE: <DATUM>,<FELD>,<FELD>,<FELD>,<KURS_EUR>,<TEXT><NZ> >");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, kNoPrices +
                       "Zeile 2 der Datei passt nicht (Formatbeschreibung Zeile 1, Zeichen 57): "
                       "„2024-01-02,157.926319,158.299686,157.208458,157.362092,154.4…“\n");
  EXPECT_TRUE(Stored().empty());
}

TEST_F(CliPriceShapes, YahooIndexSkipsItsNullDays) {
  const std::string nulls =
      "Zeile 9: „2019-12-25,null,null,null,null,null,null“\n"
      "Zeile 14: „2020-01-01,null,null,null,null,null,null“\n"
      "Zeile 27: „2020-01-20,null,null,null,null,null,null“\n";
  ExpectExactImport("yahoo-index.csv", {}, kPointFive, 27, "3 Zeilen übersprungen:\n" + nulls);
  const Prices stored = Stored();
  EXPECT_EQ(stored.at("02.01.2020"), "22,01");  // 22.013239
  EXPECT_EQ(stored.at("18.12.2019"), "13,78");  // 13.784999
  EXPECT_EQ(stored.at("24.12.2019"), "17,13");  // 17.125000
  EXPECT_EQ(stored.count("25.12.2019"), 0u);

  // Without <KOPFZEILEN:1> the header is one more line reported; the prices are the same.
  const Result r = ImportWith("yahoo-index.csv",
                              "<WIEDERHOLE: <DATUM>,<FELD>,<FELD>,<FELD>,<KURS_EUR:PUNKT>,<TEXT><NZ> >");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "27 Kurse gefunden\n");
  EXPECT_EQ(r.err, "4 Zeilen übersprungen:\nZeile 1: „Date,Open,High,Low,Close,Adj Close,Volume“\n" + nulls);
  EXPECT_EQ(Stored(), Expected("yahoo-index.csv"));
}

TEST_F(CliPriceShapes, StooqHistoryReportsTheDaysBefore1970) {
  // Quarterly closes from 1968, CRLF, five columns until 1974 and a volume from 1975 on.
  // The days before 02.01.1970 are rows of the file, not a header: skipped and reported.
  ExpectExactImport("stooq.csv", {}, kPointFive, 28,
                    "8 Zeilen übersprungen:\n"
                    "Zeile 2: „1968-03-29,92.281,92.716,89.028,89.173“\n"
                    "Zeile 3: „1968-06-28,88.852,89.12,88.324,88.416“\n"
                    "Zeile 4: „1968-09-30,88.717,89.887,88.351,89.296“\n"
                    "Zeile 5: „1968-12-31,90.078,90.225,88.734,88.802“\n"
                    "Zeile 6: „1969-03-31,88.775,94.732,88.278,94.62“\n"
                    "Zeile 7: „1969-06-30,94.599,96.8,94.044,96.59“\n"
                    "Zeile 8: „1969-09-30,96.224,105.942,96.197,105.752“\n"
                    "Zeile 9: „1969-12-31,106.139,106.26,104.884,105.19“\n");
  const Prices stored = Stored();
  EXPECT_EQ(stored.at("30.06.1970"), "96,00");   // "96"
  EXPECT_EQ(stored.at("30.09.1970"), "97,12");   // 97.115 rounds up
  EXPECT_EQ(stored.at("30.06.1971"), "103,40");  // "103.4"
  EXPECT_EQ(stored.at("30.09.1974"), "100,00");  // 99.995 carries
  EXPECT_EQ(stored.at("31.12.1976"), "96,22");   // a row with volume

  // Read with a decimal comma, "103.4" and "92.5" show that the point is a decimal mark:
  // then "97.115" is refused too, not read as 97.115,00. Only the whole numbers remain.
  const Result r = ImportWith(
      "stooq.csv", "<KOPFZEILEN:1><WIEDERHOLE: <DATUM>,<FELD>,<FELD>,<FELD>,<KURS_EUR>,<TEXT><NZ> >");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "2 Kurse gefunden\n");
  EXPECT_EQ(r.err.substr(0, r.err.find('\n')), "34 Zeilen übersprungen:");
  EXPECT_NE(r.err.find("Zeile 12: „1970-09-30,96.046,97.26,95.084,97.115“\n"), std::string::npos);
  EXPECT_EQ(Stored(), (Prices{{"30.06.1970", "96,00"}, {"29.06.1973", "104,00"}}));
  ExpectNoWrongPrice("stooq.csv");
}

TEST_F(CliPriceShapes, BankDownloadNewestFirstWithThousands) {
  // An empty Schlusskurs (20.10.2023) removes that day's price from what is read: the day
  // is neither stored nor reported. The two empty lines at the end pass without a word.
  ExpectExactImport("ariva-1.csv", {}, kCommaFive, 28, "");
  const Prices stored = Stored();
  EXPECT_EQ(stored.count("20.10.2023"), 0u);
  EXPECT_EQ(stored.at("09.10.2023"), "1.234,56");  // a row without Erster, Hoch, Tief
  EXPECT_EQ(stored.at("10.11.2023"), "1.155,10");  // the first row, the newest day

  // The column found by its header cell reads the same.
  Result r = ImportWith("ariva-1.csv",
                        "<KOPFZEILEN:1><WIEDERHOLE: <DATUM>;<SPALTE:Schlusskurs><KURS_EUR>;<TEXT><NZ> >");
  EXPECT_EQ(r.out, "28 Kurse gefunden\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(Stored(), Expected("ariva-1.csv"));

  // A decimal point makes "1.234,56" unreadable: nothing is stored.
  r = ImportWith("ariva-1.csv",
                 "<KOPFZEILEN:1><WIEDERHOLE: <DATUM>;<FELD>;<FELD>;<FELD>;<KURS_EUR:PUNKT>;<TEXT><NZ> >");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, kNoPrices +
                       "Zeile 2 der Datei passt nicht (Formatbeschreibung Zeile 1, Zeichen 57): "
                       "„2023-11-10;1.132,27;1.163,42;1.130,89;1.155,10;1.111;1.283.3…“\n");
  EXPECT_TRUE(Stored().empty());
}

TEST_F(CliPriceShapes, BankDownloadInWindows1252) {
  ExpectExactImport("ariva-2.csv", {}, kCommaFive, 23, "");
  EXPECT_EQ(Stored().at("16.06.2023"), "41,72");

  // "Stücke" in Windows-1252: the header cell is found, and reported, as UTF-8 text. Without
  // <KOPFZEILEN:1> the header is the one line reported.
  Result r = ImportWith("ariva-2.csv", "<WIEDERHOLE: <DATUM>;<SPALTE:Schlusskurs><KURS_EUR>;<TEXT><NZ> >");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "23 Kurse gefunden\n");
  EXPECT_EQ(r.err, "1 Zeilen übersprungen:\nZeile 1: „Datum;Erster;Hoch;Tief;Schlusskurs;Stücke;Volumen“\n");
  EXPECT_EQ(Stored(), Expected("ariva-2.csv"));
  // The column asked for by that name is found in the Windows-1252 header.
  EXPECT_EQ(RunCli({"detect-format", "--input", kShapes + "ariva-2.csv", "--column", "stücke"}).out,
            "<KOPFZEILEN:1>\n<WIEDERHOLE:\n  <DATUM>;<FELD>;<FELD>;<FELD>;<FELD>;<KURS_EUR>;<TEXT><NZ>\n>\n");
}

TEST_F(CliPriceShapes, CentralBankSeriesSkipsDaysWithoutValue) {
  // Byte-order mark, nine lines of head, "." on holidays; four decimals to the cent.
  const std::string dots =
      "Zeile 17: „2019-12-25;.;Kein Wert vorhanden“\n"
      "Zeile 18: „2019-12-26;.;Kein Wert vorhanden“\n"
      "Zeile 22: „2020-01-01;.;Kein Wert vorhanden“\n";
  ExpectExactImport("bundesbank.csv", {},
                    "<KOPFZEILEN:9>\n<WIEDERHOLE:\n  <DATUM>;<KURS_EUR>;<TEXT><NZ>\n>\n", 23,
                    "3 Zeilen übersprungen:\n" + dots);
  const Prices stored = Stored();
  EXPECT_EQ(stored.at("17.12.2019"), "1,12");  // 1,1193
  EXPECT_EQ(stored.at("20.12.2019"), "1,12");  // 1,1150: a half rounds up
  EXPECT_EQ(stored.at("27.12.2019"), "1,11");  // 1,1149
  EXPECT_EQ(stored.at("06.01.2020"), "1,11");  // 1,1100

  // One head line too few: the column titles are reported, the prices stay right.
  Result r = ImportWith("bundesbank.csv", "<KOPFZEILEN:8><WIEDERHOLE: <DATUM>;<KURS_EUR>;<TEXT><NZ> >");
  EXPECT_EQ(r.out, "23 Kurse gefunden\n");
  EXPECT_EQ(r.err, "4 Zeilen übersprungen:\nZeile 9: „Datum;Wert;Bemerkung“\n" + dots);
  EXPECT_EQ(Stored(), Expected("bundesbank.csv"));
  // A decimal point: "1,1193" has four digits after its grouping comma, so nothing reads.
  r = ImportWith("bundesbank.csv", "<KOPFZEILEN:9><WIEDERHOLE: <DATUM>;<KURS_EUR:PUNKT>;<TEXT><NZ> >");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, kNoPrices +
                       "Zeile 10 der Datei passt nicht (Formatbeschreibung Zeile 1, Zeichen 36): "
                       "„2019-12-16;1,1150;“\n");
  EXPECT_TRUE(Stored().empty());
}

TEST_F(CliPriceShapes, ReferenceRatesTakeTheNamedColumn) {
  // 41 currencies and a comma after the last, newest first; the dollar on 15.08.2019 is N/A.
  const std::string na =
      "1 Zeilen übersprungen:\n"
      "Zeile 9: „2019-08-15,N/A,118.70,1.9558,N/A,25.9090,7.4879,N/A,0.9163,3…“\n";
  ExpectExactImport("ecb.csv", {"--column", "USD"},
                    "<KOPFZEILEN:1>\n<WIEDERHOLE:\n  <DATUM>,<KURS_EUR:PUNKT>,<TEXT><NZ>\n>\n", 17, na);
  const Prices stored = Stored();
  EXPECT_EQ(stored.at("05.08.2019"), "1,13");  // 1.1252
  EXPECT_EQ(stored.at("08.08.2019"), "1,12");  // 1.1249
  EXPECT_EQ(stored.at("14.08.2019"), "1,12");  // 1.1150: a half rounds up
  EXPECT_EQ(stored.at("19.08.2019"), "1,11");  // 1.1145

  Result r =
      ImportWith("ecb.csv", "<KOPFZEILEN:1><WIEDERHOLE: <DATUM>,<SPALTE:usd><KURS_EUR:PUNKT>,<TEXT><NZ> >");
  EXPECT_EQ(r.out, "17 Kurse gefunden\n");
  EXPECT_EQ(r.err, na);
  EXPECT_EQ(Stored(), Expected("ecb.csv"));

  // A currency no longer quoted holds only N/A; "1.1252" with a decimal comma is
  // unreadable. Neither stores a price.
  r = Import("ecb.csv", {"--auto", "--column", "CYP"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.substr(0, kNoPrices.size()), kNoPrices);
  EXPECT_TRUE(Stored().empty());
  r = ImportWith("ecb.csv", "<KOPFZEILEN:1><WIEDERHOLE: <DATUM>,<SPALTE:USD><KURS_EUR>,<TEXT><NZ> >");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, kNoPrices +
                       "Zeile 2 der Datei passt nicht (Formatbeschreibung Zeile 1, Zeichen 48): "
                       "„2019-08-26,1.1226,118.48,1.9558,N/A,25.7651,7.4667,N/A,0.919…“\n");
  EXPECT_TRUE(Stored().empty());
}

TEST_F(CliPriceShapes, AmericanDaysInTheLastColumn) {
  // MM/DD/YY last, "1,174.86"-style prices in quotes from 1.000 on, no line break at the end.
  ExpectExactImport(
      "us-dates.csv", {},
      "<KOPFZEILEN:1>\n<WIEDERHOLE:\n  <FELD>,<FELD>,<KURS_EUR:PUNKT>,<DATUM:MM/TT/JJ><NZ>\n>\n", 29, "");
  const Prices stored = Stored();
  EXPECT_EQ(stored.at("21.02.2023"), "1.028,25");
  EXPECT_EQ(stored.at("01.03.2023"), "996,07");    // without quotes
  EXPECT_EQ(stored.at("31.03.2023"), "1.074,81");  // the last line, without a line break

  // Day and month the wrong way round: 02/21/23 shows it, so 03/01/23 and the like are
  // refused instead of stored as 3 January. Only 03/03/23 reads the same either way.
  Result r = ImportWith("us-dates.csv",
                        "<KOPFZEILEN:1><WIEDERHOLE: <FELD>,<FELD>,<KURS_EUR:PUNKT>,<DATUM:TT/MM/JJ><NZ> >");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "1 Kurse gefunden\n");
  EXPECT_EQ(r.err.substr(0, r.err.find('\n')), "28 Zeilen übersprungen:");
  EXPECT_EQ(Stored(), (Prices{{"03.03.2023", "1.052,95"}}));
  ExpectNoWrongPrice("us-dates.csv");
  // <DATUM> reads no day with slashes at all.
  r = ImportWith("us-dates.csv", "<KOPFZEILEN:1><WIEDERHOLE: <FELD>,<FELD>,<KURS_EUR:PUNKT>,<DATUM><NZ> >");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.substr(0, kNoPrices.size()), kNoPrices);
  EXPECT_TRUE(Stored().empty());
}

}  // namespace
