// Recovery after a crash: a program that books and is then killed leaves a recovery copy;
// the next program that opens the file offers it, and "Ja" brings the booking back. The
// killed program is this test executable itself, started a second time to run
// RecoveryChild.BooksAndWaits only.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "base/SafeFile.h"
#include "document/BackupStore.h"
#include "document/Changes.h"
#include "document/RecoveryStore.h"
#include "frames/ChildFrame.h"
#include "frames/MainFrame.h"
#include "qt/DocumentSession.h"
#include "tests/forms/FormsTestUtil.h"
#include "tests/support/ByteDiff.h"
#include "tests/support/FileMode.h"

namespace {

constexpr const char* kChildFile = "KAPIBUCH_RECOVERY_CHILD_FILE";
constexpr const char* kChildState = "KAPIBUCH_RECOVERY_CHILD_STATE";  // its XDG_STATE_HOME

// Waits up to 30 s for the folder to hold a recovery copy; never a fixed sleep.
bool WaitForCopy(const RecoveryStore& store) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::chrono::steady_clock::now() < end) {
    if (!store.List().empty()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

}  // namespace

// The child: opens the file, books a deposit, then lets the window run until it is killed.
TEST(RecoveryChild, BooksAndWaits) {
  const char* file = std::getenv(kChildFile);
  if (!file) GTEST_SKIP() << "run by Recovery.AKilledProgramsBookingComesBack";
  qputenv("XDG_STATE_HOME", qgetenv(kChildState));
  platform::MemorySettingsStore settings;
  testutil::ScriptedPrompter prompter;
  MainFrame frame(settings, prompter, testutil::TestClock());
  frame.show();
  ChildFrame* window = frame.OpenFile(QString::fromUtf8(file));
  ASSERT_NE(window, nullptr);
  CKapibuchDoc& doc = window->Session().Doc();
  MovementChange::Terms deposit;
  deposit.date = testutil::Day(2, 12, 2026);
  deposit.kind = CKBXKontoTransaktion::kKapitaleinlage;
  deposit.kindName = "Kapitaleinlage";
  deposit.amount = 123456;
  deposit.text = "Erbschaft";
  doc.Apply(MovementChange(deposit));
  for (;;) QTest::qWait(100);
}

TEST(Recovery, AKilledProgramsBookingComesBack) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("kapibuch-recovery-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string file = (dir / "depot.kpz").string();
  std::filesystem::copy_file(std::string(KAPIBUCH_TEST_DATA) + "/sample.kpz", file);
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
  const std::vector<std::uint8_t> original = [&] {
    std::vector<std::uint8_t> bytes;
    ReadWholeFile(file, bytes);
    return bytes;
  }();
  const QByteArray stateBefore = qgetenv("XDG_STATE_HOME");
  const QByteArray dataBefore = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_STATE_HOME", (dir / "state").c_str());
  qputenv("XDG_DATA_HOME", (dir / "data").c_str());
  const RecoveryStore store;
  ASSERT_EQ(store.Folder(), (dir / "state/Kapitalbuch/Wiederherstellung").string());

  for (const bool take : {false, true}) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromUtf8(kChildFile), QString::fromStdString(file));
    env.insert(QString::fromUtf8(kChildState), QString::fromStdString((dir / "state").string()));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=RecoveryChild.BooksAndWaits")});
    ASSERT_TRUE(child.waitForStarted());
    ASSERT_TRUE(WaitForCopy(store)) << child.readAllStandardError().toStdString();
    child.kill();  // SIGKILL: nothing of the program's own runs any more
    child.waitForFinished();

    const auto copies = store.List();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].origin, file);
    struct stat st {};
    ASSERT_EQ(::stat(copies[0].copy.c_str(), &st), 0);
    EXPECT_EQ(testutil::ModeText(st.st_mode), "0640");  // the file's own mode
    std::vector<std::uint8_t> unchanged;
    ReadWholeFile(file, unchanged);
    EXPECT_TRUE(testutil::SameBytes(original, unchanged));  // the file itself was never written

    platform::MemorySettingsStore settings;
    testutil::ScriptedPrompter prompter;
    prompter.answers = {take ? platform::Answer::Yes : platform::Answer::No};
    {
      MainFrame frame(settings, prompter, testutil::TestClock());
      ChildFrame* window = frame.OpenFile(QString::fromStdString(file));  // the dead lock is taken over
      ASSERT_NE(window, nullptr);
      ASSERT_EQ(prompter.messages.size(), 1u);
      EXPECT_TRUE(prompter.Last().starts_with("Kapitalbuch wurde nicht ordnungsgemäß beendet. Für „" + file +
                                              "“ gibt es ungespeicherte Änderungen vom "))
          << prompter.Last();
      EXPECT_TRUE(prompter.Last().ends_with(". Möchten Sie sie wiederherstellen?"));
      const CKapibuchDoc& doc = window->Session().Doc();
      const auto& last = *doc.Account().Transactions().back();
      if (take) {
        EXPECT_EQ(last.text, "Erbschaft");
        EXPECT_EQ(last.amountEur, 123456);
        EXPECT_TRUE(doc.IsModified());  // saved only when the user saves
        EXPECT_FALSE(store.List().empty());
        ASSERT_TRUE(frame.SaveActive(false));
        frame.KeepRecoveryCopies();
        EXPECT_TRUE(store.List().empty());  // saved: no copy left
      } else {
        EXPECT_NE(last.text, "Erbschaft");
        EXPECT_FALSE(doc.IsModified());
        EXPECT_TRUE(store.List().empty());
        EXPECT_EQ(BackupStore().List().size(), 1u);  // "Nein" keeps it among the backups
      }
      prompter.answers.assign(4, platform::Answer::No);
    }
    EXPECT_TRUE(store.List().empty());
  }
  std::vector<std::uint8_t> saved;
  ReadWholeFile(file, saved);
  EXPECT_NE(saved, original);

  qputenv("XDG_STATE_HOME", stateBefore);
  qputenv("XDG_DATA_HOME", dataBefore);
  std::filesystem::remove_all(dir);
}

// A document never saved, left by a program that is gone, is offered at start-up and opens
// as a new, modified document; its old copy goes. One of a running program is left alone.
TEST(Recovery, ANeverSavedDocumentIsOfferedAtStartUp) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("kapibuch-recovery-new-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  const QByteArray stateBefore = qgetenv("XDG_STATE_HOME");
  qputenv("XDG_STATE_HOME", (dir / "state").c_str());
  const RecoveryStore store;
  ASSERT_TRUE(BackupStore::MakePrivateFolder(store.Folder()));
  const auto leave = [&](const std::string& key, const std::string& title) {
    std::filesystem::copy_file(std::string(KAPIBUCH_TEST_DATA) + "/sample.kpz",
                               store.Folder() + "/" + title + "-" + key + ".kpz");
    std::ofstream(store.Folder() + "/" + title + "-" + key + ".ort") << "neu:" << title << "\n";
  };
  leave("neu999999999", "Depot1");  // a process id no program has
  leave("neu1", "Depot7");          // process 1 runs: not ours to offer
  ASSERT_EQ(store.List().size(), 2u);

  platform::MemorySettingsStore settings;
  testutil::ScriptedPrompter prompter;
  prompter.answers = {platform::Answer::Yes};
  {
    MainFrame frame(settings, prompter, testutil::TestClock());
    frame.OfferRecoveries();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(
        prompter.Last().starts_with("Kapitalbuch wurde nicht ordnungsgemäß beendet. Für „Depot1“ gibt es"));
    ASSERT_EQ(frame.Frames().size(), 1u);
    const CKapibuchDoc& doc = frame.Frames()[0]->Session().Doc();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.Account().holder, "Jörg Müller");
    const auto left = store.List();
    ASSERT_EQ(left.size(), 1u);  // the running program's copy
    EXPECT_EQ(left[0].origin, "Depot7");
    prompter.answers.assign(4, platform::Answer::No);
  }
  qputenv("XDG_STATE_HOME", stateBefore);
  std::filesystem::remove_all(dir);
}
