// The returns view in its corners, through the command line as a user books and asks:
// a total loss, a rate too large to print, and DM trades in euro. Every expected figure is
// worked out by hand in the comments.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/cli/CliTestUtil.h"
#include "tests/support/ChildProcess.h"

using namespace clitest;

namespace {

// Columns of the returns table.
enum Column {
  kName,
  kWkn,
  kStart,
  kBought,
  kSold,
  kIn,
  kOut,
  kIncome,
  kEnd,
  kGain,
  kIrr,
  kTtwror,
  kTtwrorPerYear
};

class CliReturns : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("KAPIBUCH_TODAY", "31.12.2021", 1);
    m_dir = testutil::OpenScratchFolder(std::string("cli-returns-") +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    ::setenv("XDG_DATA_HOME", (m_dir / "data").c_str(), 1);
    m_file = (m_dir / "depot.kpz").string();
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }

  void Ok(const std::vector<std::string>& args) {
    const Result r = RunCli(args);
    ASSERT_EQ(r.status, 0) << args[0] << ": " << r.err;
  }
  void New(const std::string& start, const std::string& balance) {
    Ok({"new", m_file, "--holder", "Erika Mustermann", "--depot", "4711", "--start", start, "--balance",
        balance});
  }
  void Trade(const std::string& command, const std::string& date, const std::string& name,
             const std::string& qty, const std::string& price, const std::string& commission) {
    Ok({command, m_file, "--date", date, "--name", name, "--wkn", name.substr(0, 1), "--qty", qty, "--price",
        price, "--commission", commission});
  }
  std::string Show(const std::string& from, const std::string& to, const std::string& format) {
    const Result r = RunCli({"show", m_file, "--mode", "8", "--from", from, "--to", to, "--format", format});
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out;
  }
  nlohmann::json Json(const std::string& from, const std::string& to) {
    return nlohmann::json::parse(Show(from, to, "json"));
  }

  std::filesystem::path m_dir;
  std::string m_file;
};

}  // namespace

TEST_F(CliReturns, TotalLossIsMinus100PercentAlsoWhenPaidInOnOneDay) {
  New("01.01.2020", "1.000");
  Trade("buy", "03.03.2020", "Alpha", "10", "20", "0");  // 200,00 paid on one day
  Trade("sell", "01.07.2020", "Alpha", "10", "0", "0");  // written off: nothing back

  // The year: 200,00 in on 03.03., nothing ever out. TTWROR: the sale day's value 0 over
  // 200,00 the day before; per year (365 days) the same.
  nlohmann::json j = Json("01.01.2020", "31.12.2020");
  ASSERT_EQ(j["rows"].size(), 3u);
  for (std::size_t row : {0u, 1u}) {  // Alpha and all securities
    const auto& cells = j["rows"][row];
    EXPECT_EQ(cells[kBought], "200,00");
    EXPECT_EQ(cells[kSold], "0,00");
    EXPECT_EQ(cells[kEnd], "0,00");
    EXPECT_EQ(cells[kGain], "-200,00");
    EXPECT_EQ(cells[kIrr], "-100,0%");
    EXPECT_EQ(j["values"][row][kIrr].get<double>(), -1.0);
    EXPECT_EQ(cells[kTtwror], "-100,0%");
    EXPECT_EQ(cells[kTtwrorPerYear], "-100,0%");
  }
  // The wealth: 1.000,00 at the start, 800,00 a year later: 0,8 - 1.
  EXPECT_EQ(j["rows"][2][kName], "Vermögen");
  EXPECT_EQ(j["rows"][2][kIrr], "-20,0%");

  // Held from before the period: its value at the start, 10 x 20,00 (no prices: the
  // purchase price), is all that went in, on the first day.
  j = Json("01.06.2020", "31.12.2020");
  EXPECT_EQ(j["rows"][0][kStart], "200,00");
  EXPECT_EQ(j["rows"][0][kBought], "0,00");
  EXPECT_EQ(j["rows"][0][kIrr], "-100,0%");
  EXPECT_EQ(j["rows"][0][kTtwrorPerYear], "-");  // 213 days
}

TEST_F(CliReturns, ExtremeRateWhereverThePeriodStarts) {
  New("01.01.2020", "1.000");
  Trade("buy", "29.12.2020", "Alpha", "1", "100", "0");
  Trade("sell", "31.12.2020", "Alpha", "1", "150", "0");

  // The same two payments from either start: 100,00 out, 150,00 back two days later,
  // 1,5^(365 / 2) - 1 = 1,369792480022564e32 per year (136979248002256396418414440689546).
  const double rate = 1.369792480022564e32;
  for (const char* from : {"01.01.2020", "29.12.2020", "01.01.1995"}) {
    SCOPED_TRACE(from);
    const nlohmann::json j = Json(from, "31.12.2020");
    for (std::size_t row : {0u, 1u}) {
      EXPECT_EQ(j["rows"][row][kIrr], "> 999.999,9 %");
      EXPECT_NEAR(j["values"][row][kIrr].get<double>() / rate, 1, 1e-12);  // JSON keeps the number
      EXPECT_EQ(j["rows"][row][kTtwror], "+50,0%");
    }
  }
  // The wealth over the two days: 1.000,00 to 1.050,00, 1,05^182,5 - 1 = 7.361,869...:
  // below the limit, written as ever.
  EXPECT_EQ(Json("29.12.2020", "31.12.2020")["rows"][2][kIrr], "+736186,9%");
  // Over the year: 1,05 - 1.
  EXPECT_EQ(Json("01.01.2020", "31.12.2020")["rows"][2][kIrr], "+5,0%");

  // Text and CSV print the cell's text; the TTWROR p.a. of the year is 1,5 - 1.
  EXPECT_NE(Show("01.01.2020", "31.12.2020", "csv")
                .find("\r\nAlpha;A;0,00;100,00;150,00;-;-;-;0,00;50,00;"
                      "> 999.999,9 %;+50,0%;+50,0%\r\n"),
            std::string::npos);
  const std::string text = Show("01.01.2020", "31.12.2020", "text");
  // (the IZF column as wide as its widest cell, the others as their captions)
  EXPECT_NE(text.find("50,00  > 999.999,9 %       +50,0%            +50,0%\n"), std::string::npos) << text;
  // So does the printed page.
  std::string pages;
  for (const char* page : {"1", "2"}) {
    const std::string svg = (m_dir / (std::string("r") + page + ".svg")).string();
    ASSERT_EQ(RunCli({"render", m_file, "--mode", "8", "--from", "01.01.2020", "--to", "31.12.2020", "--page",
                      page, "--output", svg})
                  .status,
              0);
    pages += Read(svg);
  }
  EXPECT_NE(pages.find("&gt; 999.999,9 %"), std::string::npos);
  EXPECT_EQ(pages.find("e+32"), std::string::npos);
}

TEST_F(CliReturns, DmTradesConvertedAsTheAccountBooksThem) {
  New("01.01.1999", "1.000 DM");
  // Alpha: 1 x 100,00 DM + 0,01 DM = 100,01 DM booked, 51,13 EUR (51,1343), not
  // 51,13 + 0,01.
  Trade("buy", "01.03.1999", "Alpha", "1", "100 DM", "0,01 DM");
  // Beta: one purchase of 2 x 100,00 DM + 0,02 DM = 200,02 DM, 102,27 EUR (102,2686), then
  // divided by the sale of one share for 100,00 DM = 51,13 EUR (51,1292).
  Trade("buy", "01.03.1999", "Beta", "2", "100 DM", "0,02 DM");
  Trade("sell", "01.06.1999", "Beta", "1", "100 DM", "0 DM");
  // Gamma: two purchases of 100,01 DM, 51,13 EUR each, sold together in one sale of
  // 200,02 DM, 102,27 EUR.
  Trade("buy", "01.03.1999", "Gamma", "1", "100,01 DM", "0 DM");
  Trade("buy", "01.04.1999", "Gamma", "1", "100,01 DM", "0 DM");
  Trade("sell", "01.07.1999", "Gamma", "2", "100,01 DM", "0 DM");

  const nlohmann::json j = Json("01.01.1999", "31.12.1999");
  ASSERT_EQ(j["rows"].size(), 5u);
  // name, bought, sold, end (no prices: 100,00 DM a share, 51,13), gain
  const std::vector<std::vector<std::string>> expected = {
      {"Alpha", "51,13", "0,00", "51,13", "0,00"},
      // 51,13 + 51,13 - 102,27: the 0,02 DM commission.
      {"Beta", "102,27", "51,13", "51,13", "-0,01"},
      // What the account's euro amounts say: 102,27 - 51,13 - 51,13.
      {"Gamma", "102,26", "102,27", "0,00", "0,01"},
      {"Wertpapiere gesamt", "255,66", "153,40", "102,26", "0,00"},
  };
  for (std::size_t row = 0; row < expected.size(); ++row) {
    const auto& cells = j["rows"][row];
    EXPECT_EQ(cells[kName], expected[row][0]);
    EXPECT_EQ(cells[kBought], expected[row][1]) << expected[row][0];
    EXPECT_EQ(cells[kSold], expected[row][2]) << expected[row][0];
    EXPECT_EQ(cells[kEnd], expected[row][3]) << expected[row][0];
    EXPECT_EQ(cells[kGain], expected[row][4]) << expected[row][0];
  }
  // The account books Alpha's purchase at 100,01 DM.
  const Result account =
      RunCli({"show", m_file, "--mode", "4", "--from", "01.03.1999", "--to", "01.03.1999"});
  EXPECT_NE(account.out.find("1 St. Alpha  -100,01 DM"), std::string::npos) << account.out;
}
