#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "base/ArchiveWriter.h"
#include "base/SafeFile.h"
#include "document/Changes.h"
#include "document/KapibuchDoc.h"
#include "tests/document/SamplePortfolio.h"
#include "tests/support/ByteDiff.h"
#include "tests/support/FileMode.h"

using namespace testutil;

namespace {

std::size_t CountOf(const Bytes& haystack, const Bytes& needle) {
  std::size_t n = 0;
  for (auto it = haystack.begin();
       (it = std::search(it, haystack.end(), needle.begin(), needle.end())) != haystack.end(); ++it)
    ++n;
  return n;
}

// The length word and the bytes of a class name, as its new-class tag holds them.
Bytes ClassTag(const std::string& name) {
  Bytes b;
  U16(b, static_cast<std::uint16_t>(name.size()));
  b.insert(b.end(), name.begin(), name.end());
  return b;
}

std::string TempPath(const std::string& name) {
  const auto dir = std::filesystem::temp_directory_path() / ("kapibuch-test-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

Bytes ReadFile(const std::string& path) {
  Bytes bytes;
  EXPECT_TRUE(ReadWholeFile(path, bytes));
  return bytes;
}

}  // namespace

TEST(FileLayout, HeaderOfANewDocumentItemByItem) {
  CKapibuchDoc doc(TestClock());
  doc.depotNumber = "D1";
  const Bytes bytes = doc.Serialize();

  Bytes e;
  Str(e, "KapitalbuchDatei.1.0.1");                  // 1
  I32(e, 0);                                         // 2 last-issued position number
  Str(e, "D1");                                      // 3
  I32(e, 0);                                         // 4 reserved
  I32(e, 0);                                         // 5 table display
  I32(e, 1);                                         // 6 percent decimals
  I32(e, 0);                                         // 7 period start choice
  I32(e, 0);                                         // 8 period end choice
  I32(e, 0);                                         // 9 reserved
  for (int v : {50, 80, 40, 30, 10, 10}) I32(e, v);  // 10-15
  Str(e, "Depotbestand am <DATUM> - <DEPOTNUMMER> - <INHABER>");
  Str(e, "Arial");
  for (int v : {0x1FFFF, 1, 1, 3, 0, 150, 150, 150, 150, 1}) I32(e, v);  // 18-27
  I32(e, 0);                                                             // 28 reserved
  I32(e, 40);                                                            // 29
  Str(e, "Arial");
  for (int v : {10, 10, 20}) I32(e, v);
  Str(e, "<STUECK> x <BEZ> (<WKN>)");                                                       // 34
  for (int v : {0x1BD, 1, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 150, 150, 150, 150, 1}) I32(e, v);  // 35-51
  I32(e, 0);                                                                                // 52 reserved
  for (int v : {50, 80, 40, 30, 10, 10}) I32(e, v);                                         // 53-58
  Str(e, "Realisierte Gewinne und Verluste von <STARTDATUM> bis <ENDDATUM> - <DEPOTNUMMER> - <INHABER>");
  Str(e, "Arial");
  for (int v : {0xFFFFF, 0, 1, 4, 0, 150, 150, 150, 150, 1}) I32(e, v);  // 61-70
  I32(e, 0);                                                             // 71 reserved
  for (int v : {50, 80, 40, 30, 10, 10}) I32(e, v);                      // 72-77
  Str(e, "Kontobewegungen von <STARTDATUM> bis <ENDDATUM> - <KONTONUMMER> - <INHABER>");
  Str(e, "Arial");
  for (int v : {31, 150, 150, 150, 150, 1}) I32(e, v);   // 80-85
  for (int v : {1500, 1000, 40, 70, 10, 10}) I32(e, v);  // 86-91
  Str(e, "<STANDARDTITEL> - <INHABER>");
  Str(e, "Arial");
  for (int v : {150, 150, 1, 0, 0, 0, 0, 1, 255, 5}) I32(e, v);  // 94-103
  for (int v : {1500, 1000, 40, 70, 10, 10}) I32(e, v);          // 104-109
  Str(e, "<STANDARDTITEL> - <BEZEICHNUNGEN>");
  Str(e, "Arial");
  for (int v : {150, 150, 1, 0, 1, 255, 5}) I32(e, v);                               // 112-118
  Str(e, "Arial Narrow");                                                            // 119
  for (int v : {45, 5, 10, 0, 1, 0, 140, 300, 3, 0, 150, 150, 150, 150}) I32(e, v);  // 120-133
  for (int i = 0; i < 16; ++i) I32(e, 0);  // 134-149 column currencies

  ASSERT_GE(bytes.size(), e.size());
  EXPECT_TRUE(SameBytes(e, Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(e.size()))));

  // 150-154: no positions, no histories, the account, both period days (today).
  Bytes tail;
  U16(tail, 0);
  U16(tail, 0);
  CKBXKonto emptyAccount;
  ArchiveWriter account;
  emptyAccount.Write(account);
  tail.insert(tail.end(), account.Bytes().begin(), account.Bytes().end());
  I32(tail, static_cast<std::int32_t>(Day(8, 12, 2026).Day()));
  I32(tail, static_cast<std::int32_t>(Day(8, 12, 2026).Day()));
  EXPECT_TRUE(SameBytes(tail, Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(e.size()), bytes.end())));
}

TEST(FileLayout, ClassNamesAppearOncePerClass) {
  CKapibuchDoc doc(TestClock());
  doc.AddPosition(MakePosition("A", "1", Day(1, 2, 2000), QuantityOf(1, 0), 100, kEur, 0));
  doc.AddPosition(MakePosition("B", "2", Day(1, 3, 2000), QuantityOf(1, 0), 100, kEur, 0));
  Bytes bytes = doc.Serialize();
  EXPECT_EQ(CountOf(bytes, ClassTag("CKBXAktie")), 1u);
  EXPECT_EQ(CountOf(bytes, ClassTag("CKBXKursverlauf")), 1u);
  EXPECT_EQ(CountOf(bytes, ClassTag("CKBXKurs")), 0u);

  doc.SetPrice("A", "1", Day(2, 2, 2000), 110);
  doc.SetPrice("A", "1", Day(3, 2, 2000), 120);
  bytes = doc.Serialize();
  EXPECT_EQ(CountOf(bytes, ClassTag("CKBXKurs")), 1u);
}

TEST(FileLayout, NewDocumentSavedAndReopened) {
  CKapibuchDoc doc(TestClock());
  NewFileData data;
  data.holder = "Anna";
  data.depotNumber = "77";
  data.startDay = Day(1, 1, 2001);
  data.openingBalance = 250000;
  data.currency = kDm;
  doc.SetupNew(data);
  EXPECT_TRUE(doc.IsModified());
  doc.settings.holdings.rowHeight = 55;  // a display option lands in its place

  const std::string path = TempPath("new.kpz");
  ASSERT_EQ(doc.Save(path), DocumentError::None);
  EXPECT_FALSE(doc.IsModified());
  DocumentError error = DocumentError::Save;
  auto back = CKapibuchDoc::Open(path, TestClock(), error);
  ASSERT_TRUE(back);
  EXPECT_EQ(error, DocumentError::None);
  EXPECT_TRUE(back->Positions().empty());
  EXPECT_TRUE(back->Histories().empty());
  EXPECT_EQ(back->settings.holdings.rowHeight, 55);
  EXPECT_EQ(back->settings.holdings.titleTemplate, doc.settings.holdings.titleTemplate);
  EXPECT_EQ(back->Account().StartDay(), Day(1, 1, 2001));
  EXPECT_EQ(back->Account().InitialCurrency(), kDm);
  EXPECT_FALSE(back->Account().IsSwitched());
  EXPECT_EQ(back->Account().OpeningBalance(), 250000);
  EXPECT_EQ(back->Account().holder, "Anna");
  EXPECT_EQ(back->depotNumber, "77");
  EXPECT_TRUE(SameBytes(ReadFile(path), back->Serialize()));
  // Not stored: every document starts with a holding period of 12 months.
  EXPECT_EQ(back->settings.general.holdingPeriodLength, 12);
}

TEST(FileLayout, WrittenAgainGivesTheSameBytes) {
  auto doc = SamplePortfolio();
  const Bytes first = doc->Serialize();
  auto back = CKapibuchDoc::Deserialize(first, TestClock());
  EXPECT_TRUE(SameBytes(first, back->Serialize()));
  EXPECT_EQ(back->Positions().size(), 3u);
  EXPECT_EQ(back->Account().Transactions().size(), 5u);
  EXPECT_EQ(back->Account().BalanceOn(Day(1, 1, 2026), kEur),
            doc->Account().BalanceOn(Day(1, 1, 2026), kEur));
}

TEST(FileLayout, PortfolioPastTheSmallIndexRange) {
  auto doc = SamplePortfolio();
  // 40,000 price points push the transactions' class past index 0x7FFF.
  for (std::uint32_t d = 0; d < 40000; ++d) {
    ASSERT_TRUE(doc->SetPrice("Siemens AG", "723610", CKBXDatum(10000u + d),
                              static_cast<std::int32_t>(1000 + d % 97)));
  }
  const Bytes first = doc->Serialize();
  // The transactions' class is introduced once, then used through big class tags.
  EXPECT_EQ(CountOf(first, ClassTag("CKBXKontoTransaktion")), 1u);
  const Bytes bigClassTag = {0xFF, 0x7F};
  EXPECT_GE(CountOf(first, bigClassTag), 4u);
  auto back = CKapibuchDoc::Deserialize(first, TestClock());
  EXPECT_TRUE(SameBytes(first, back->Serialize()));
  EXPECT_EQ(back->Account().Transactions().size(), 5u);
}

TEST(FileLayout, DamagedFilesAreRefusedWithTheMessage) {
  const Bytes good = SamplePortfolio()->Serialize();
  const std::string path = TempPath("damaged.kpz");
  std::size_t refused = 0;
  for (std::size_t n = 0; n < good.size(); n += 7) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(good.data()), static_cast<std::streamsize>(n));
    DocumentError error = DocumentError::None;
    auto doc = CKapibuchDoc::Open(path, TestClock(), error);
    EXPECT_FALSE(doc) << n;
    EXPECT_EQ(DocumentErrorMessage(error), "Unerwartetes Dateiformat.") << n;
    ++refused;
  }
  EXPECT_GT(refused, 100u);

  // Every single bit flipped: the file is either read or refused, never a crash.
  for (std::size_t i = 0; i < good.size(); ++i) {
    for (int bit = 0; bit < 8; ++bit) {
      Bytes flipped = good;
      flipped[i] = static_cast<std::uint8_t>(flipped[i] ^ (1u << bit));
      try {
        auto doc = CKapibuchDoc::Deserialize(flipped, TestClock());
        doc->Account().BalanceOn(Day(1, 1, 2010), kEur);
        doc->ValueOn(Day(1, 1, 2010));
      } catch (const ArchiveException&) {
      }
    }
  }

  DocumentError error = DocumentError::None;
  EXPECT_FALSE(CKapibuchDoc::Open(TempPath("missing.kpz"), TestClock(), error));
  EXPECT_EQ(DocumentErrorMessage(error), "Fehler beim Öffnen des Dokuments.");
}

TEST(FileLayout, AFailedSaveKeepsTheOldFile) {
  auto doc = SamplePortfolio();
  const std::string path = TempPath("keep.kpz");
  ASSERT_EQ(doc->Save(path), DocumentError::None);
  ::chmod(path.c_str(), 0640);
  const Bytes before = ReadFile(path);

  // A text that the file's code page cannot hold: nothing is written.
  doc->Account().holder = "中文";
  EXPECT_EQ(doc->Save(path), DocumentError::Save);
  EXPECT_EQ(DocumentErrorMessage(DocumentError::Save), "Fehler beim Speichern des Dokuments.");
  EXPECT_TRUE(SameBytes(before, ReadFile(path)));

  // A write error half-way (the file size limit of the process).
  doc->Account().holder = "Jörg Müller";
  std::vector<PriceChange::Entry> prices;
  for (int i = 0; i < 200; ++i)
    prices.push_back({"Siemens AG", "723610", CKBXDatum(12000u + static_cast<std::uint32_t>(i)), 100 + i});
  ASSERT_TRUE(doc->Apply(PriceChange("Kursimport Siemens AG", prices)));
  ::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit small = old;
  small.rlim_cur = before.size() / 2;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const DocumentError result = doc->Save(path);
  ::setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_EQ(result, DocumentError::Save);
  EXPECT_TRUE(doc->IsModified());
  EXPECT_TRUE(SameBytes(before, ReadFile(path)));
  // No temporary file is left behind.
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(path).parent_path())) {
    files += entry.path().string().find("keep.kpz") != std::string::npos;
  }
  EXPECT_EQ(files, 1u);

  // A successful save replaces the file and keeps its permissions.
  ASSERT_EQ(doc->Save(path), DocumentError::None);
  EXPECT_NE(ReadFile(path), before);
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(testutil::ModeText(st.st_mode), "0640");
}

// The sample portfolio's file is kept byte for byte: any change of the layout shows here.
// scripts/update-goldens.sh writes it anew, with the fuzz seed (it sets
// KAPIBUCH_UPDATE_GOLDEN=1: the file is written and nothing compared).
TEST(FileLayout, GoldenSamplePortfolio) {
  const Bytes bytes = SamplePortfolio()->Serialize();
  const std::string golden = std::string(KAPIBUCH_TEST_DATA) + "/sample.kpz";
  if (const char* update = std::getenv("KAPIBUCH_UPDATE_GOLDEN"); update && std::string(update) == "1") {
    ASSERT_TRUE(WriteFileSafely(golden, bytes));
    ASSERT_TRUE(WriteFileSafely(
        std::string(KAPIBUCH_TEST_DATA) + "/../fuzz/corpus/document_loader_fuzz/sample.kpz", bytes));
    GTEST_SKIP() << "recorded " << golden;
  }
  EXPECT_TRUE(SameBytes(ReadFile(golden), bytes));
  auto back = CKapibuchDoc::Deserialize(ReadFile(golden), TestClock());
  EXPECT_EQ(back->Positions().size(), 3u);
}
