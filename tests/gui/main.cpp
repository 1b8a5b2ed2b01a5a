#include <gtest/gtest.h>

#include <QApplication>

#include "qt/Environment.h"

int main(int argc, char** argv) {
  // The smallest screen the program is made for: 1024 x 700 (2048 x 1400 at scale 2).
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" KAPIBUCH_TEST_DATA "/offscreen-1024x700.json");
  QApplication app(argc, argv);
  platform::InstallGermanTranslations(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
