// Kapitalbuch, the desktop program: opens the files named on the command line (as the
// desktop shell passes them) in a maximised main window.
#include <QApplication>
#include <QIcon>

#include "frames/MainFrame.h"
#include "qt/QtPrompter.h"
#include "qt/QtSettingsStore.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kapitalbuch"));
  QApplication::setOrganizationName(QStringLiteral("KBX Software"));
  QApplication::setApplicationVersion(QStringLiteral(KAPIBUCH_VERSION));
  QGuiApplication::setDesktopFileName(QStringLiteral("io.kapitalbuch.Kapitalbuch"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/kapitalbuch.svg")));
  platform::QtSettingsStore settings;
  platform::QtPrompter prompter;
  platform::SystemClock clock;
  MainFrame frame(settings, prompter, clock);
  prompter.SetParent(&frame);
  frame.showMaximized();
  for (const QString& path : QApplication::arguments().mid(1)) frame.OpenFile(path);
  const int result = QApplication::exec();
  settings.Sync();
  return result;
}
