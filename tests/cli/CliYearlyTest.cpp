// The yearly overview through the command line, on a portfolio booked as a user would book
// it: DM purchases, sales in three years, the switch to euro, income, costs, taxes and
// capital movements. Every expected figure is worked out by hand in the comments.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <tuple>

#include "cli/Cli.h"
#include "tests/cli/CliTestUtil.h"
#include "tests/support/ChildProcess.h"

using namespace clitest;

namespace {

// Columns of the overview's rows.
enum Column {
  kYear,
  kRealised,
  kDividends,
  kInterest,
  kOther,
  kCosts,
  kTaxes,
  kIn,
  kOut,
  kValue,
  kWealth,
  kRate
};

class CliYearly : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("KAPIBUCH_TODAY", "30.06.2003", 1);
    m_dir = testutil::OpenScratchFolder(std::string("cli-yearly-") +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    ::setenv("XDG_DATA_HOME", (m_dir / "data").c_str(), 1);
    m_file = (m_dir / "depot.kpz").string();
    Ok({"new", m_file, "--holder", "Erika Mustermann", "--depot", "4711", "--start", "01.01.1999",
        "--balance", "10.000 DM"});
    // 1999 (DM): Alpha 100 x 50 DM + 10 DM, Beta 10 x 200 DM; 40 Alpha sold at 60 DM - 5 DM.
    Ok({"buy", m_file, "--date", "01.02.1999", "--name", "Alpha", "--wkn", "A1", "--qty", "100", "--price",
        "50 DM", "--commission", "10 DM"});
    Ok({"buy", m_file, "--date", "01.03.1999", "--name", "Beta", "--wkn", "B1", "--qty", "10", "--price",
        "200 DM", "--commission", "0 DM"});
    Move("15.05.1999", "Dividenden-Gutschrift", "100 DM");
    Move("30.06.1999", "Zinserträge (Haben-Zins)", "19,56 DM");
    Ok({"sell", m_file, "--date", "01.10.1999", "--name", "Alpha", "--qty", "40", "--price", "60 DM",
        "--commission", "5 DM"});
    Move("31.12.1999", "Depotgebühren", "39,12 DM");
    // 2000 (DM): a deposit, a tax, and Beta sold at a loss.
    Move("01.03.2000", "Kapitaleinlage", "1.000 DM");
    Move("15.06.2000", "Steuern", "50 DM");
    Ok({"sell", m_file, "--date", "01.08.2000", "--name", "Beta", "--qty", "10", "--price", "150 DM",
        "--commission", "0 DM"});
    // 2001: nothing at all. 2002 in euro: every further kind once, half of Alpha sold.
    Ok({"switch-eur", m_file, "--date", "01.01.2002"});
    Move("01.03.2002", "Sonstige Erträge", "12");
    Move("01.04.2002", "Werbungskosten", "3");
    Move("01.04.2002", "Limit-Gebühren", "5");
    Move("01.04.2002", "Zinskosten (Soll-Zins)", "2");
    Move("01.04.2002", "Sonstige Kosten", "1");
    Move("02.05.2002", "Coupon-Gutschrift", "8");
    Move("02.05.2002", "Ausschüttung", "4");
    Move("02.05.2002", "Bezugsrechtsverkauf", "2");
    Ok({"sell", m_file, "--date", "01.06.2002", "--name", "Alpha", "--qty", "30", "--price", "40",
        "--commission", "2"});
    Move("01.07.2002", "Kapitalentnahme", "100");
    Move("15.08.2002", "Steuern", "10");
    // 2003, the current year: a dividend booked under Alpha's "Kaufpreis", then the rest sold.
    Ok({"move", m_file, "--date", "01.05.2003", "--kind", "Dividenden-Gutschrift", "--amount", "20",
        "--security", "Alpha", "--book-to", "kaufpreis"});
    Ok({"sell", m_file, "--date", "01.06.2003", "--name", "Alpha", "--qty", "30", "--price", "45",
        "--commission", "0"});
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }

  void Ok(const std::vector<std::string>& args) {
    const Result r = RunCli(args);
    ASSERT_EQ(r.status, 0) << args[0] << ": " << r.err;
  }
  void Move(const std::string& date, const std::string& kind, const std::string& amount) {
    Ok({"move", m_file, "--date", date, "--kind", kind, "--amount", amount});
  }
  nlohmann::json Show(std::vector<std::string> extra) {
    std::vector<std::string> args = {"show", m_file, "--format", "json"};
    args.insert(args.end(), extra.begin(), extra.end());
    const Result r = RunCli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return nlohmann::json::parse(r.out);
  }

  std::filesystem::path m_dir;
  std::string m_file;
};

// The wealth at the end of the days that matter, in cents. Alpha is worth 25,56 EUR a share
// (50 DM converted; no prices), Beta 102,26 EUR (200 DM); the balance is the DM balance
// converted, from 2002 on the euro balance.
constexpr double kWealthEnd1998 = 511292;  // 10.000 DM opening balance
constexpr double kWealthEnd1999 = 535064;  // 60 Alpha + 10 Beta + 5.465,44 DM
constexpr double kWealthEnd2000 = 558070;  // 60 Alpha + 7.930,44 DM
constexpr double kWealth30062002 = 602690;
constexpr double kWealth01072002 = 592690;  // after taking out 100,00
constexpr double kWealthEnd2002 = 591690;
constexpr double kWealth30062003 = 652010;  // today: everything sold

}  // namespace

TEST_F(CliYearly, EachKindInItsColumnAndYear) {
  const nlohmann::json j = Show({"--mode", "9"});
  EXPECT_EQ(j["title"], "Jahresübersicht 1999 bis 2003 - 4711 - Erika Mustermann");
  ASSERT_EQ(j["columns"].size(), 12u);
  EXPECT_EQ(j["columns"][kRealised], "Realisierte G/V in EUR");
  EXPECT_EQ(j["columns"][kRate], "Rendite in %");
  // The account's first year to the current one, newest last, then the sums.
  ASSERT_EQ(j["rows"].size(), 6u);
  ASSERT_EQ(j["values"].size(), 6u);
  const std::vector<std::string> labels = {"1999", "2000", "2001", "2002", "2003", "Summe"};
  for (std::size_t r = 0; r < labels.size(); ++r) {
    EXPECT_EQ(j["rows"][r][kYear], labels[r]);
    EXPECT_EQ(j["values"][r][kYear], labels[r]);
  }

  // Money per year, in cents:
  // realised 1999: 40 x 60 DM - 5 = 2.395 DM (1.224,54) against 40 x 50 DM + 4 DM = 2.004 DM
  //   (1.024,63): 199,91. 2000: 1.500 DM (766,94) - 2.000 DM (1.022,58) = -255,64.
  //   2002: 30 x 40 - 2 = 1.198,00 against half of the remaining 3.006 DM, 1.503 DM (768,47):
  //   429,53. 2003: 30 x 45 = 1.350,00 against 1.503 DM less the 20,00 booked under
  //   "Kaufpreis": 601,53.
  // dividends 1999: 100 DM = 51,13; 2002: 8 + 4 + 2; 2003: 20,00 (also in the gain above).
  // interest 19,56 DM = 10,00; costs 39,12 DM = 20,00 and 3 + 5 + 2 + 1; taxes 50 DM = 25,56
  // and 10,00; deposit 1.000 DM = 511,29; withdrawal 100,00.
  const std::vector<std::vector<std::int64_t>> money = {
      // realised, dividends, interest, other, costs, taxes, in, out
      {19991, 5113, 1000, 0, 2000, 0, 0, 0},
      {-25564, 0, 0, 0, 0, 2556, 51129, 0},
      {0, 0, 0, 0, 0, 0, 0, 0},
      {42953, 1400, 0, 1200, 1100, 1000, 0, 10000},
      {60153, 2000, 0, 0, 0, 0, 0, 0},
  };
  const std::vector<std::int64_t> values = {255620, 153360, 153360, 76680, 0};  // 100/60/60/30/0 shares
  const std::vector<double> wealth = {kWealthEnd1999, kWealthEnd2000, kWealthEnd2000, kWealthEnd2002,
                                      kWealth30062003};
  std::vector<std::int64_t> sums(8, 0);
  for (std::size_t y = 0; y < money.size(); ++y) {
    SCOPED_TRACE(labels[y]);
    const auto& v = j["values"][y];
    for (std::size_t c = 0; c < 8; ++c) {
      EXPECT_EQ(v[kRealised + c].get<std::int64_t>(), money[y][c]) << j["columns"][kRealised + c];
      sums[c] += money[y][c];
    }
    EXPECT_EQ(v[kValue].get<std::int64_t>(), values[y]);
    EXPECT_EQ(v[kWealth].get<std::int64_t>(), static_cast<std::int64_t>(wealth[y]));
  }
  // A year without any movement is a row of zeros, not a missing row.
  EXPECT_EQ(j["rows"][2][kDividends], "0,00");
  EXPECT_EQ(j["rows"][2][kRealised], "0,00");

  // The sums add the years' money; values at the end of the last year.
  const auto& total = j["values"][5];
  for (std::size_t c = 0; c < 8; ++c) EXPECT_EQ(total[kRealised + c].get<std::int64_t>(), sums[c]);
  EXPECT_EQ(sums[0], 97533);
  EXPECT_EQ(j["rows"][5][kRealised], "975,33");
  EXPECT_EQ(total[kValue].get<std::int64_t>(), 0);
  EXPECT_EQ(total[kWealth].get<std::int64_t>(), static_cast<std::int64_t>(kWealth30062003));
}

TEST_F(CliYearly, RatesOfTheWholeWealth) {
  const nlohmann::json j = Show({"--mode", "9"});
  const auto rate = [&](std::size_t row) { return j["values"][row][kRate].get<double>(); };
  // 1999 and 2003 have no deposit or withdrawal: the rate is the change of the wealth.
  EXPECT_NEAR(rate(0), kWealthEnd1999 / kWealthEnd1998 - 1, 1e-12);
  // 2000: the deposit of 511,29 on 01.03. counts from the start of its day.
  const double rate2000 = kWealthEnd2000 / (kWealthEnd1999 + 51129) - 1;
  EXPECT_NEAR(rate(1), rate2000, 1e-12);
  EXPECT_EQ(rate(2), 0.0);  // nothing changed in 2001
  EXPECT_EQ(j["rows"][2][kRate], "+0,0%");
  // 2002: the withdrawal of 100,00 on 01.07. counts at the end of its day.
  const double rate2002 = kWealth30062002 / kWealthEnd2000 * (kWealth01072002 + 10000) / kWealth30062002 *
                              kWealthEnd2002 / kWealth01072002 -
                          1;
  EXPECT_NEAR(rate(3), rate2002, 1e-12);
  const double rate2003 = kWealth30062003 / kWealthEnd2002 - 1;
  EXPECT_NEAR(rate(4), rate2003, 1e-12);
  EXPECT_EQ(j["rows"][4][kRate], "+10,2%");
  // The sums: linked over all the years.
  EXPECT_NEAR(rate(5), (1 + rate(0)) * (1 + rate2000) * (1 + rate2002) * (1 + rate2003) - 1, 1e-12);

  // Each year's rate is the returns view's rate of the wealth for that year.
  for (const auto& [row, from, to] :
       {std::tuple{1, "01.01.2000", "31.12.2000"}, std::tuple{3, "01.01.2002", "31.12.2002"},
        std::tuple{4, "01.01.2003", "30.06.2003"}}) {
    const nlohmann::json returns = Show({"--mode", "8", "--from", from, "--to", to});
    EXPECT_EQ(returns["rows"].back()[0], "Vermögen");
    EXPECT_EQ(returns["values"].back()[11].get<double>(), rate(static_cast<std::size_t>(row))) << from;
  }
}

TEST_F(CliYearly, RealisedGainsAreTheRealisedViewsSumEveryYear) {
  const nlohmann::json yearly = Show({"--mode", "9"});
  for (int year = 1999; year <= 2003; ++year) {
    const std::string y = std::to_string(year);
    const nlohmann::json realised = Show({"--mode", "3", "--from", "01.01." + y, "--to", "31.12." + y});
    const auto& columns = realised["columns"];
    const auto gain = std::find(columns.begin(), columns.end(), "G/V in EUR") - columns.begin();
    ASSERT_LT(gain, static_cast<std::ptrdiff_t>(columns.size()));
    EXPECT_EQ(realised["rows"].back()[0], "Summe");
    EXPECT_EQ(realised["rows"].back()[static_cast<std::size_t>(gain)],
              yearly["rows"][static_cast<std::size_t>(year - 1999)][kRealised])
        << y;
  }
}

TEST_F(CliYearly, PeriodIsTheYearsOfTheTwoDays) {
  nlohmann::json j = Show({"--mode", "9", "--from", "15.06.2000", "--to", "01.02.2002"});
  EXPECT_EQ(j["title"], "Jahresübersicht 2000 bis 2002 - 4711 - Erika Mustermann");
  ASSERT_EQ(j["rows"].size(), 4u);
  EXPECT_EQ(j["rows"][0][kYear], "2000");
  // Whole years, whatever the days: 2000's tax of 15.06. and its deposit of 01.03. count.
  EXPECT_EQ(j["values"][0][kTaxes].get<std::int64_t>(), 2556);
  EXPECT_EQ(j["values"][0][kIn].get<std::int64_t>(), 51129);
  EXPECT_EQ(j["rows"][3][kRealised], "173,89");  // -255,64 + 0 + 429,53

  // A last day before the first gives the first year alone.
  j = Show({"--mode", "9", "--from", "01.01.2002", "--to", "01.01.2000"});
  ASSERT_EQ(j["rows"].size(), 2u);
  EXPECT_EQ(j["rows"][0][kYear], "2002");
  EXPECT_EQ(j["rows"][1][kRealised], j["rows"][0][kRealised]);
  EXPECT_EQ(j["values"][1][kRate], j["values"][0][kRate]);
}

TEST_F(CliYearly, CsvAndRender) {
  const Result csv = RunCli({"show", m_file, "--mode", "9", "--format", "csv"});
  ASSERT_EQ(csv.status, 0) << csv.err;
  EXPECT_EQ(
      csv.out.rfind("Jahr;Realisierte G/V in EUR;Dividenden etc. in EUR;Zinsen in EUR;Sonstige Erträge in "
                    "EUR;Kosten in EUR;Steuern in EUR;Einlagen in EUR;Entnahmen in EUR;Depotwert in "
                    "EUR;Vermögen in EUR;Rendite in %\r\n",
                    0),
      0u);
  EXPECT_NE(
      csv.out.find("\r\n2000;-255,64;0,00;0,00;0,00;0,00;25,56;511,29;0,00;1.533,60;5.580,70;-4,8%\r\n"),
      std::string::npos);

  // Twelve columns take two page columns of A4; five years leave room for the chart under
  // the table on the first page.
  const std::string pdf = (m_dir / "j.pdf").string();
  EXPECT_EQ(RunCli({"render", m_file, "--mode", "9", "--output", pdf}).status, 0);
  EXPECT_GT(std::filesystem::file_size(pdf), 1000u);
  const auto page = [&](int n) {
    const std::string svg = (m_dir / ("j" + std::to_string(n) + ".svg")).string();
    EXPECT_EQ(RunCli({"render", m_file, "--mode", "9", "--page", std::to_string(n), "--output", svg}).status,
              0);
    std::ifstream in(svg);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  };
  const std::string first = page(1);
  for (const char* drawn : {"Jahresübersicht 1999 bis 2003", "Summe",
                            "Erträge, realisierte G/V, Kosten und Steuern 1999 bis 2003"})
    EXPECT_NE(first.find(drawn), std::string::npos) << drawn;
  const std::string second = page(2);
  EXPECT_NE(second.find("Vermögen"), std::string::npos);
  EXPECT_EQ(second.find("Kosten und Steuern"), std::string::npos);
  EXPECT_EQ(RunCli({"render", m_file, "--mode", "9", "--page", "3", "--output", (m_dir / "j3.svg").string()})
                .status,
            1);
}

// Prices dated after today count in no year: the current year's row ends today, a later
// year's row values the holdings at the prices known today, and the sums' rate links the
// years' rates, so a future booking between today and the next year counts in no rate either.
TEST(CliYearlyToday, PricesAfterTodayCountInNoRow) {
  ::setenv("KAPIBUCH_TODAY", "01.12.2020", 1);
  const auto dir = testutil::OpenScratchFolder("cli-yearly-today");
  ::setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
  const std::string file = (dir / "depot.kpz").string();
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"new", file, "--start", "01.01.2020", "--balance", "1.000"},
           {"buy", file, "--date", "02.01.2020", "--name", "Alpha", "--wkn", "A1", "--qty", "10", "--price",
            "50", "--commission", "0"},
           {"price", file, "--date", "30.11.2020", "--name", "Alpha", "--price", "60"},
           {"price", file, "--date", "15.12.2020", "--name", "Alpha", "--price", "80"},  // after today
           {"price", file, "--date", "15.01.2021", "--name", "Alpha", "--price", "90"},  // next year
           {"move", file, "--date", "20.12.2020", "--kind", "Dividenden-Gutschrift", "--amount", "110"},
       }) {
    const Result r = RunCli(args);
    ASSERT_EQ(r.status, 0) << args[0] << ": " << r.err;
  }
  const Result r =
      RunCli({"show", file, "--mode", "9", "--from", "01.01.2020", "--to", "31.12.2021", "--format", "json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const nlohmann::json j = nlohmann::json::parse(r.out);
  ASSERT_EQ(j["rows"].size(), 3u);
  // 2020 up to today: 1.000,00 in cash, then 500,00 cash and 10 x 50,00, on 30.11. 10 x 60,00:
  // 1.100,00, +10 %. The dividend of 20.12. counts in its year's column.
  EXPECT_EQ(j["rows"][0][kDividends], "110,00");
  EXPECT_EQ(j["rows"][0][kValue], "600,00");
  EXPECT_EQ(j["rows"][0][kWealth], "1.100,00");
  EXPECT_EQ(j["rows"][0][kRate], "+10,0%");
  EXPECT_NEAR(j["values"][0][kRate].get<double>(), 0.1, 1e-12);
  // 2021: still 60,00 a share (the prices of 15.12. and 15.01. are not known yet), and 610,00
  // cash after the dividend: 1.210,00 all year, +0 %.
  EXPECT_EQ(j["rows"][1][kValue], "600,00");
  EXPECT_EQ(j["rows"][1][kWealth], "1.210,00");
  EXPECT_EQ(j["values"][1][kRate].get<double>(), 0.0);
  // The sums: 1,1 x 1,0 - 1.
  EXPECT_EQ(j["rows"][2][kYear], "Summe");
  EXPECT_EQ(j["rows"][2][kRate], "+10,0%");
  const double product =
      (1 + j["values"][0][kRate].get<double>()) * (1 + j["values"][1][kRate].get<double>()) - 1;
  EXPECT_NEAR(j["values"][2][kRate].get<double>(), product, 1e-15);
  EXPECT_EQ(j["rows"][2][kValue], "600,00");
  EXPECT_EQ(j["rows"][2][kWealth], "1.210,00");
  std::filesystem::remove_all(dir);
}
