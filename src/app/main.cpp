// Kapitalbuch, the desktop program: opens the files named on the command line (as the
// desktop shell passes them) in a maximised main window. --help and --version answer on
// standard output before anything of Qt starts, so they need no display.
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>

#include "frames/MainFrame.h"
#include "qt/Environment.h"
#include "qt/QtPrompter.h"

namespace {

constexpr const char* kHelp =
    "Aufruf: kapibuch [DATEI...]\n"
    "\n"
    "Kapitalbuch: Wertpapierdepot und Konto eines Privatanlegers führen und auswerten.\n"
    "Öffnet die genannten Kapitalbuch-Dateien (.kpz), jede in einem eigenen Fenster.\n"
    "\n"
    "Optionen:\n"
    "  -h, --help                 Diese Hilfe anzeigen und beenden\n"
    "  --version                  Die Version anzeigen und beenden\n"
    "  -platform NAME, -display ANZEIGE und die anderen Optionen von Qt\n"
    "\n"
    "Umgebungsvariablen:\n"
    "  KAPIBUCH_TODAY=TT.MM.JJJJ  dieser Tag statt des heutigen (für Skripte und Tests)\n"
    "  KAPIBUCH_SETTINGS=PFAD     diese INI-Datei statt der Einstellungen des Benutzers\n"
    "                             (~/.config/KBX Software/Kapibuch.ini)\n"
    "  XDG_CONFIG_HOME            Ordner der Einstellungen statt ~/.config\n"
    "  XDG_DATA_HOME              Ordner der Sicherungskopien (Kapitalbuch/Sicherungen)\n"
    "                             statt ~/.local/share\n"
    "  DISPLAY, WAYLAND_DISPLAY, QT_QPA_PLATFORM, QT_SCALE_FACTOR\n"
    "                             Anzeige, Plattform und Vergrößerung von Qt\n";

// SIGTERM and SIGHUP (logout, shutdown) reach the window through a socket: the handler
// only writes a byte.
int g_signalSocket[2] = {-1, -1};

void OnEndSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(g_signalSocket[0], &byte, 1);
}

// Told to end, the program keeps every unsaved change as a recovery copy, gives up its
// locks and ends at once; the next start offers the changes.
void EndKeepingChanges(MainFrame& frame, QObject& parent) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalSocket) != 0) return;
  auto* notifier = new QSocketNotifier(g_signalSocket[1], QSocketNotifier::Read, &parent);
  QObject::connect(notifier, &QSocketNotifier::activated, &frame, [&frame] {
    frame.KeepChangesForRecovery();
    ::_exit(0);
  });
  struct sigaction action {};
  action.sa_handler = OnEndSignal;
  ::sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &action, nullptr);
  ::sigaction(SIGHUP, &action, nullptr);
}

// What --help and --version print, and the status to end with; nothing for a start.
std::optional<int> AnswerWithoutWindow(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kHelp, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::fputs("kapibuch " KAPIBUCH_VERSION "\n", stdout);
      return 0;
    }
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  if (const std::optional<int> status = AnswerWithoutWindow(argc, argv)) return *status;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kapitalbuch"));
  QApplication::setOrganizationName(QStringLiteral("KBX Software"));
  QApplication::setApplicationVersion(QStringLiteral(KAPIBUCH_VERSION));
  QGuiApplication::setDesktopFileName(QStringLiteral("io.kapitalbuch.Kapitalbuch"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/kapitalbuch.svg")));
  qt::InstallGermanTranslations(app);

  std::string error;
  const std::optional<std::time_t> today = qt::TodayFromEnvironment(error);
  if (!error.empty()) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  platform::SystemClock systemClock;
  platform::FixedClock fixedClock(today.value_or(0));
  const platform::Clock& clock = today ? static_cast<const platform::Clock&>(fixedClock) : systemClock;
  const auto settings = qt::SettingsFromEnvironment();
  qt::QtPrompter prompter;
  MainFrame frame(*settings, prompter, clock);
  prompter.SetParent(&frame);
  // Without a window manager "maximised" means nothing: the window takes the screen itself.
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    frame.setGeometry(screen->availableGeometry());
  frame.showMaximized();
  EndKeepingChanges(frame, app);
  for (const QString& path : QApplication::arguments().mid(1)) frame.OpenFile(path);
  frame.OfferRecoveries();
  const int result = QApplication::exec();
  settings->Sync();
  return result;
}
