#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "qt/Environment.h"

int main(int argc, char** argv) {
  // The smallest screen the program is made for: 1024 x 700 (2048 x 1400 at scale 2).
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" KAPIBUCH_TEST_DATA "/offscreen-1024x700.json");
  // Recovery copies of the windows' documents go to a folder of the run's own.
  QTemporaryDir state;
  qputenv("XDG_STATE_HOME", state.path().toUtf8());
  QApplication app(argc, argv);
  qt::InstallGermanTranslations(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
