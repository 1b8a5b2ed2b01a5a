// The desktop program's figures on a large portfolio, through the offscreen platform:
//   desktop_bench FILE
// prints, one per line, "name value unit": the time from the start of the process until
// the holdings window is drawn, switching to each view, opening the sell dialog, the
// development view's print preview until its first page shows, the peak and current
// resident memory after the preview was closed, and how long the window is held up when
// the recovery copy of a changed document is made (the slowest of ten).
#include <sys/resource.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "forms/KontobewegungForm.h"
#include "frames/ChildFrame.h"
#include "frames/KapibuchView.h"
#include "frames/MainFrame.h"
#include "frames/PreviewWindow.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "platform/SettingsStore.h"
#include "qt/DocumentSession.h"

namespace {

// Answers every question with OK or Yes (the preview's question about many pages).
class YesPrompter : public platform::Prompter {
 public:
  platform::Answer Ask(const std::string&, const std::string&, platform::Icon,
                       platform::Buttons buttons) override {
    return buttons == platform::Buttons::YesNo || buttons == platform::Buttons::YesNoCancel
               ? platform::Answer::Yes
               : platform::Answer::Ok;
  }
};

// Milliseconds since this process started.
double SinceStart() {
  std::ifstream stat("/proc/self/stat");
  std::string line;
  std::getline(stat, line);
  std::istringstream fields(line.substr(line.rfind(')') + 2));
  std::string field;
  for (int i = 3; i <= 22; ++i) fields >> field;  // field 22: the start in clock ticks after boot
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  const double startMs = std::stod(field) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
  return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6 - startMs;
}

double ResidentMb() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1 << 20);
}

double PeakMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void Report(const char* name, double value, const char* unit) {
  std::printf("%s %.1f %s\n", name, value, unit);
  std::fflush(stdout);
}

QAction* Command(MainFrame& frame, const QString& text) {
  for (QAction* a : frame.findChildren<QAction*>()) {
    if (a->text() == text) return a;
  }
  std::fprintf(stderr, "no command %s\n", text.toStdString().c_str());
  std::exit(2);
}

// Milliseconds from triggering a command until its modal dialog is shown; `shown` runs then
// and must close the dialog.
double UntilDialogShows(QAction* command, const std::function<void(QDialog*)>& shown) {
  QElapsedTimer clock;
  double ms = -1;
  QTimer poll;
  poll.setInterval(1);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) return;
    poll.stop();
    ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    shown(dialog);
  });
  poll.start();
  clock.start();
  command->trigger();
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: desktop_bench FILE\n");
    return 1;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  CKBXDatum today;
  today.Set(31, 12, 2024);
  const platform::FixedClock clock(today.ToTime());
  platform::MemorySettingsStore settings;
  YesPrompter prompter;
  MainFrame frame(settings, prompter, clock);
  frame.resize(1400, 900);
  frame.show();
  ChildFrame* window = frame.OpenFile(QString::fromLocal8Bit(argv[1]));
  if (!window) return 3;
  window->View().viewport()->repaint();
  Report("start_until_holdings_ms", SinceStart(), "ms");

  using views::ViewMode;
  const std::pair<ViewMode, const char*> views[] = {
      {ViewMode::Account, "switch_to_account_ms"},
      {ViewMode::Development, "switch_to_development_ms"},
      {ViewMode::Realised, "switch_to_realised_ms"},
      {ViewMode::PortfolioChart, "switch_to_portfolio_chart_ms"},
      {ViewMode::SecurityChart, "switch_to_security_chart_ms"},
      {ViewMode::Analysis, "switch_to_analysis_ms"},
      {ViewMode::Holdings, "switch_to_holdings_ms"}};
  for (const auto& [mode, name] : views) {
    QElapsedTimer t;
    t.start();
    frame.ModeAction(mode)->trigger();
    window->View().viewport()->repaint();
    Report(name, static_cast<double>(t.nsecsElapsed()) / 1e6, "ms");
  }

  Report("open_sell_dialog_ms",
         UntilDialogShows(Command(frame, QStringLiteral("&Verkauf...")), [](QDialog* d) { d->reject(); }),
         "ms");

  frame.ModeAction(ViewMode::Development)->trigger();
  int pages = 0;
  const double previewMs =
      UntilDialogShows(Command(frame, QStringLiteral("Sei&tenansicht")), [&](QDialog* d) {
        if (auto* preview = qobject_cast<PreviewWindow*>(d)) pages = preview->Cache().Pages();
        Report("preview_open_rss_mb", ResidentMb(), "MB");
        d->reject();
      });
  Report("development_preview_pages", pages, "pages");
  Report("development_preview_first_page_ms", previewMs, "ms");
  Report("rss_after_preview_closed_mb", ResidentMb(), "MB");
  Report("peak_rss_mb", PeakMb(), "MB");

  // A booking, then the copy the 2-second timer makes: what the window waits for is the
  // part before the copy goes to the disk in the background.
  QTemporaryDir state;
  qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
  CKapibuchDoc& doc = window->Session().Doc();
  double slowest = 0;
  for (int i = 0; i < 10; ++i) {
    KontobewegungForm movement(doc);
    movement.SetDate(today);
    movement.SetKindByName("Kapitaleinlage");
    movement.amountText = std::to_string(100 + i);
    movement.LeaveAmount();
    if (!movement.OnOK(prompter)) return 4;
    movement.Book(doc);
    QElapsedTimer t;
    t.start();
    frame.KeepRecoveryCopies();
    slowest = std::max(slowest, static_cast<double>(t.nsecsElapsed()) / 1e6);
    window->Session().WriteRecoveryCopyNow();  // the next one starts with no write running
  }
  Report("recovery_copy_window_wait_ms", slowest, "ms");
  return 0;
}
