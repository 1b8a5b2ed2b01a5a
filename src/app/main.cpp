// Kapitalbuch, the desktop program: opens the files named on the command line (as the
// desktop shell passes them) in a maximised main window.
#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <cstdio>

#include "frames/MainFrame.h"
#include "qt/Environment.h"
#include "qt/QtPrompter.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kapitalbuch"));
  QApplication::setOrganizationName(QStringLiteral("KBX Software"));
  QApplication::setApplicationVersion(QStringLiteral(KAPIBUCH_VERSION));
  QGuiApplication::setDesktopFileName(QStringLiteral("io.kapitalbuch.Kapitalbuch"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/kapitalbuch.svg")));
  platform::InstallGermanTranslations(app);

  std::string error;
  const std::optional<std::time_t> today = platform::TodayFromEnvironment(error);
  if (!error.empty()) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  platform::SystemClock systemClock;
  platform::FixedClock fixedClock(today.value_or(0));
  const platform::Clock& clock = today ? static_cast<const platform::Clock&>(fixedClock) : systemClock;
  const auto settings = platform::SettingsFromEnvironment();
  platform::QtPrompter prompter;
  MainFrame frame(*settings, prompter, clock);
  prompter.SetParent(&frame);
  // Without a window manager "maximised" means nothing: the window takes the screen itself.
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    frame.setGeometry(screen->availableGeometry());
  frame.showMaximized();
  for (const QString& path : QApplication::arguments().mid(1)) frame.OpenFile(path);
  const int result = QApplication::exec();
  settings->Sync();
  return result;
}
