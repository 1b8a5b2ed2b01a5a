// The programs started as processes, as a shell starts them: --help and --version of the
// desktop program answer on standard output without a display and without a window, and
// both programs give the project's version.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Outcome {
  int status = -1;
  std::string out, err;
};

// Runs the program without any display: DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM unset.
Outcome Start(const std::string& program, const std::vector<std::string>& args) {
  int out[2], err[2];
  if (::pipe(out) != 0 || ::pipe(err) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) ::unsetenv(name);
    ::dup2(out[1], 1);
    ::dup2(err[1], 2);
    ::close(out[0]);
    ::close(err[0]);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  ::close(err[1]);
  Outcome run;
  // Both pipes are small enough for what these programs print; read one, then the other.
  for (auto [fd, text] : {std::pair{out[0], &run.out}, std::pair{err[0], &run.err}}) {
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
      text->append(buffer, static_cast<std::size_t>(n));
    ::close(fd);
  }
  int wait = 0;
  ::waitpid(pid, &wait, 0);
  run.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : 128 + WTERMSIG(wait);
  return run;
}

}  // namespace

TEST(Startup, HelpAnswersWithoutADisplay) {
  for (const char* option : {"--help", "-h"}) {
    const Outcome run = Start(KAPIBUCH_APP_PATH, {option});
    EXPECT_EQ(run.status, 0) << option << ": " << run.err;
    EXPECT_EQ(run.err, "") << option;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n') + 1), "Aufruf: kapibuch [DATEI...]\n") << option;
    for (const char* named :
         {"--help", "--version", "Optionen:", "Umgebungsvariablen:", "KAPIBUCH_TODAY=TT.MM.JJJJ",
          "KAPIBUCH_SETTINGS=PFAD", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
      EXPECT_NE(run.out.find(named), std::string::npos) << named;
  }
  // Named files do not open either: help comes first.
  const Outcome withFile = Start(KAPIBUCH_APP_PATH, {"/nonexistent/depot.kpz", "--help"});
  EXPECT_EQ(withFile.status, 0) << withFile.err;
  EXPECT_EQ(withFile.out.substr(0, 28), "Aufruf: kapibuch [DATEI...]\n");
}

TEST(Startup, BothProgramsGiveTheProjectsVersion) {
  const Outcome app = Start(KAPIBUCH_APP_PATH, {"--version"});
  EXPECT_EQ(app.status, 0) << app.err;
  EXPECT_EQ(app.out, std::string("kapibuch ") + KAPIBUCH_VERSION + "\n");
  EXPECT_EQ(app.err, "");
  const Outcome cli = Start(KAPIBUCH_CLI_PATH, {"--version"});
  EXPECT_EQ(cli.status, 0) << cli.err;
  EXPECT_EQ(cli.out, std::string("kapibuch-cli ") + KAPIBUCH_VERSION + "\n");
}
