#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "base/SafeFile.h"
#include "cli/Cli.h"
#include "tests/cli/CliTestUtil.h"
#include "tests/support/ByteDiff.h"

using namespace clitest;

namespace {

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("KAPIBUCH_TODAY", "08.12.2026", 1);
    m_dir = std::filesystem::temp_directory_path() /
            ("kapibuch-cli-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(m_dir);
    std::filesystem::create_directories(m_dir);
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }

  std::string path(const std::string& name) const { return (m_dir / name).string(); }

  static Result run(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = cli::Run(args, out, err);
    return {status, out.str(), err.str()};
  }

  static std::vector<std::uint8_t> bytes(const std::string& file) {
    std::vector<std::uint8_t> b;
    ReadWholeFile(file, b);
    return b;
  }

  nlohmann::json dump(const std::string& file) {
    const Result r = run({"dump", file});
    EXPECT_EQ(r.status, 0) << r.err;
    return nlohmann::json::parse(r.out);
  }

  std::filesystem::path m_dir;
};

}  // namespace

TEST_F(CliTest, NewCreatesTheAccountAsTheWizardDoes) {
  const std::string file = path("depot.kpz");
  Result r = run({"new", file, "--holder", "Jörg", "--depot", "4711", "--start", "01.01.1999", "--balance",
                  "1.000,50 DM"});
  ASSERT_EQ(r.status, 0) << r.err;
  nlohmann::json j = dump(file);
  EXPECT_EQ(j["magic"], "KapitalbuchDatei.1.0.1");
  EXPECT_EQ(j["depotNumber"], "4711");
  EXPECT_EQ(j["account"]["holder"], "Jörg");
  EXPECT_EQ(j["account"]["initialCurrency"], "DM");  // the typed suffix decides
  EXPECT_EQ(j["account"]["openingBalance"], 100050);
  EXPECT_EQ(j["account"]["startDay"], "01.01.1999");
  EXPECT_EQ(j["account"]["switched"], false);
  EXPECT_EQ(j["settings"]["general.periodEndDay"], "08.12.2026");
  EXPECT_EQ(j["settings"]["holdings.titleTemplate"], "Depotbestand am <DATUM> - <DEPOTNUMMER> - <INHABER>");

  // An existing file is never overwritten.
  const auto before = bytes(file);
  r = run({"new", file});
  EXPECT_EQ(r.status, 4);
  EXPECT_TRUE(testutil::SameBytes(before, bytes(file)));

  // Euro by default, switched from the start day; the start day defaults to 1 January.
  const std::string euro = path("euro.kpz");
  ASSERT_EQ(run({"new", euro, "--balance", "250"}).status, 0);
  j = dump(euro);
  EXPECT_EQ(j["account"]["initialCurrency"], "EUR");
  EXPECT_EQ(j["account"]["openingBalance"], 25000);
  EXPECT_EQ(j["account"]["switched"], true);
  EXPECT_EQ(j["account"]["startDay"], "01.01.2026");
  EXPECT_EQ(j["account"]["switchDay"], "01.01.2026");
}

TEST_F(CliTest, RefusalsAndUsage) {
  const std::string file = path("x.kpz");
  EXPECT_EQ(run({"new", file, "--balance", "12 DM x"}).status, 2);
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(run({"new", file, "--start", "31.02.2000"}).status, 2);
  EXPECT_EQ(run({"new", file, "--holder", "中"}).status, 2);
  EXPECT_EQ(run({"new", file, "--bogus"}).status, 1);
  EXPECT_EQ(run({"new"}).status, 1);
  EXPECT_EQ(run({}).status, 1);
  EXPECT_EQ(run({"--help"}).status, 0);
  EXPECT_EQ(run({"--version"}).status, 0);

  Result r = run({"dump", path("missing.kpz")});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err, "Fehler beim Öffnen des Dokuments.\n");
  std::ofstream(path("junk.kpz")) << "no portfolio";
  r = run({"dump", path("junk.kpz")});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err, "Unerwartetes Dateiformat.\n");
}

TEST_F(CliTest, PriceSetsAndRemovesOneDay) {
  const std::string file = path("p.kpz");
  const std::string sample = std::string(KAPIBUCH_TEST_DATA) + "/sample.kpz";
  std::filesystem::copy_file(sample, file);

  Result r = run({"price", file, "--date", "02.01.2004", "--name", "Siemens AG", "--wkn", "723610", "--price",
                  "24,45 DM"});
  ASSERT_EQ(r.status, 0) << r.err;
  nlohmann::json j = dump(file);
  nlohmann::json points;
  for (const auto& h : j["histories"]) {
    if (h["wkn"] == "723610") points = h["points"];
  }
  ASSERT_EQ(points.size(), 2u);
  EXPECT_EQ(points[1][0], "02.01.2004");
  EXPECT_EQ(points[1][1], 1250);  // 24,45 DM in euro cents

  // A security that is not held on that day is priced all the same.
  ASSERT_EQ(
      run({"price", file, "--date", "01.01.2010", "--name", "Bayer AG", "--wkn", "575200", "--price", "1"})
          .status,
      0);

  ASSERT_EQ(
      run({"price", file, "--date", "02.01.2004", "--name", "Siemens AG", "--wkn", "723610", "--price", ""})
          .status,
      0);
  j = dump(file);
  for (const auto& h : j["histories"]) {
    if (h["wkn"] == "723610") {
      EXPECT_EQ(h["points"].size(), 1u);
    }
  }

  const auto before = bytes(file);
  r = run({"price", file, "--date", "02.01.2004", "--name", "Unbekannt", "--wkn", "1", "--price", "5"});
  EXPECT_EQ(r.status, 2);
  EXPECT_FALSE(r.err.empty());
  EXPECT_EQ(run({"price", file, "--date", "02.01.2004", "--name", "Siemens AG", "--wkn", "723610", "--price",
                 "abc"})
                .status,
            2);
  EXPECT_EQ(
      run({"price", file, "--date", "02.01.2004", "--name", "Siemens AG", "--wkn", "723610", "--price", "-5"})
          .status,
      2);
  EXPECT_EQ(
      run({"price", file, "--date", "1.1.1960", "--name", "Siemens AG", "--wkn", "723610", "--price", "5"})
          .status,
      2);
  EXPECT_TRUE(testutil::SameBytes(before, bytes(file)));
}

TEST_F(CliTest, DumpDescribesTheWholeDocument) {
  const nlohmann::json j = dump(std::string(KAPIBUCH_TEST_DATA) + "/sample.kpz");
  ASSERT_EQ(j["positions"].size(), 3u);
  const auto& bayer = j["positions"][0];
  EXPECT_EQ(bayer["name"], "Bayer AG");
  EXPECT_EQ(bayer["state"], 2);
  EXPECT_EQ(bayer["quantity"], 100000000);
  EXPECT_EQ(bayer["purchasePrice"]["currency"], "DM");
  EXPECT_EQ(bayer["cost"]["dm"], 120990);
  EXPECT_EQ(j["account"]["startCapitalAdjustment"]["dm"], 120990);
  const auto& tx = j["account"]["transactions"];
  ASSERT_EQ(tx.size(), 5u);
  EXPECT_EQ(tx[0]["kindName"], "Kauf");
  EXPECT_EQ(tx[0]["dm"], -301500);
  EXPECT_EQ(j["settings"].size(), 143u);  // items 5 to 149 less the reserved ones, and the two period days
}
