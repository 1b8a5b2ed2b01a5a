// The stored import descriptions in the settings file: damaged entries are never written
// over, and texts with umlauts come back as they were stored.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/SafeFile.h"
#include "cli/Cli.h"
#include "forms/KurseImportierenForm.h"
#include "qt/QtSettingsStore.h"
#include "tests/cli/CliTestUtil.h"
#include "tests/support/ChildProcess.h"

using namespace clitest;

namespace {

class CliSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("KAPIBUCH_TODAY", "08.12.2026", 1);
    m_dir = testutil::OpenScratchFolder(std::string("settings-") +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    ::setenv("XDG_DATA_HOME", (m_dir / "data").c_str(), 1);
    m_ini = (m_dir / "settings.ini").string();
    ::setenv("KAPIBUCH_SETTINGS", m_ini.c_str(), 1);
    m_file = (m_dir / "depot.kpz").string();
    RunCli({"new", m_file, "--start", "01.01.2004"});
    RunCli({"buy", m_file, "--date", "01.02.2004", "--name", "Aktie", "--wkn", "A1", "--qty", "1", "--price",
            "1", "--commission", "0"});
    m_input = (m_dir / "kurse.txt").string();
    std::ofstream(m_input) << "02.02.2004;10,00\r\n";
  }
  void TearDown() override {
    ::unsetenv("KAPIBUCH_SETTINGS");
    std::filesystem::remove_all(m_dir);
  }

  Result Import() {
    return RunCli({"import", m_file, "--name", "Aktie", "--input", m_input, "--format", "6"});
  }

  platform::SystemClock m_clock;
  std::filesystem::path m_dir;
  std::string m_ini;
  std::string m_file;
  std::string m_input;
};

}  // namespace

TEST_F(CliSettings, DamagedStoredDescriptionsAreNeverWrittenOver) {
  const std::string pairs =
      "ImpFor001Tit=Meins\n"
      "ImpFor001Bes=\"<DATUM>;<KURS_EUR><NZ>\"\n";
  const std::vector<std::string> damaged = {
      "[Settings]\nImpForAnz=abc\n" + pairs,
      "[Settings]\nImpForAnz=2.5\n" + pairs,
      "[Settings]\nImpForAnz=1000000\n" + pairs,
      "[Settings]\nImpForAnz=\" 1\"\n" + pairs,
      // The count names a pair of which nothing is stored.
      "[Settings]\nImpForAnz=3\n" + pairs,
      // An unquoted comma makes a list, not the text.
      "[Settings]\nImpForAnz=1\nImpFor001Tit=Datum, Kurs\nImpFor001Bes=\"<DATUM>;<KURS_EUR><NZ>\"\n",
      // Written in Latin-1: the umlaut cannot be read back.
      "[Settings]\nImpForAnz=1\nImpFor001Tit=Kurs f\xfcr B\xf6rse\nImpFor001Bes=\"<DATUM>;<KURS_EUR><NZ>\"\n",
  };
  int notices = 0;
  for (const std::string& content : damaged) {
    std::ofstream(m_ini, std::ios::binary) << content;
    const Result r = Import();
    EXPECT_EQ(r.status, 0) << content << r.err;
    EXPECT_EQ(Read(m_ini), content);
    notices +=
        r.err.find("Formatbeschreibungen konnten nicht vollständig gelesen werden") != std::string::npos;
  }
  EXPECT_EQ(notices, 1);  // said once

  // What could be read is offered; what the user adds is not stored over the damage.
  std::ofstream(m_ini, std::ios::binary) << damaged[0];
  qt::QtSettingsStore settings(m_ini);
  auto doc = std::make_unique<CKapibuchDoc>(m_clock);
  KurseImportierenForm dlg(*doc, settings);
  EXPECT_TRUE(dlg.FormatsDamaged());
  ASSERT_EQ(dlg.Formats().size(), 1u);
  EXPECT_EQ(dlg.Formats()[0].first, "Meins");
  EXPECT_EQ(dlg.Formats()[0].second, "<DATUM>;<KURS_EUR><NZ>");
  dlg.SaveFormat("Neu");
  dlg.Close();
  settings.Sync();
  EXPECT_EQ(Read(m_ini), damaged[0]);
}

TEST_F(CliSettings, TextsComeBackAsTheyWereStored) {
  // A plain count and a missing single value (read as empty) are no damage.
  std::ofstream(m_ini) << "[Settings]\nImpForAnz=2\nImpFor001Tit=Eins\nImpFor002Bes=<DATUM>\n";
  {
    qt::QtSettingsStore settings(m_ini);
    auto doc = std::make_unique<CKapibuchDoc>(m_clock);
    KurseImportierenForm dlg(*doc, settings);
    EXPECT_FALSE(dlg.FormatsDamaged());
    ASSERT_EQ(dlg.Formats().size(), 2u);
    EXPECT_EQ(dlg.Formats()[0], std::make_pair(std::string("Eins"), std::string()));
    EXPECT_EQ(dlg.Formats()[1], std::make_pair(std::string(), std::string("<DATUM>")));
    dlg.SetDescription("<DATUM>;<KURS_EUR>, \"Börse\"\r\n<NZ>");
    dlg.SaveFormat("Kurs für Börse, Straße; 100 %");
    dlg.Close();
  }
  qt::QtSettingsStore settings(m_ini);
  auto doc = std::make_unique<CKapibuchDoc>(m_clock);
  KurseImportierenForm dlg(*doc, settings);
  EXPECT_FALSE(dlg.FormatsDamaged());
  ASSERT_EQ(dlg.Formats().size(), 3u);
  EXPECT_EQ(dlg.Formats()[2].first, "Kurs für Börse, Straße; 100 %");
  EXPECT_EQ(dlg.Formats()[2].second, "<DATUM>;<KURS_EUR>, \"Börse\"\r\n<NZ>");
  // The stored list changes again as usual.
  EXPECT_EQ(Import().status, 0);
  EXPECT_NE(Read(m_ini).find("ImpForAnz=3"), std::string::npos);
}
