#pragma once
// Running test code in a child process: as the unprivileged user "nobody" where file
// permissions matter (the tests run as root, whom no permission stops), or to die without
// cleaning up, as a killed program does. Scratch folders under /tmp that every user can
// reach.

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace testutil {

inline constexpr uid_t kNobody = 65534;
inline constexpr gid_t kNogroup = 65534;

// A new, empty folder /tmp/kapibuch-NAME-PID that everyone may enter and write in.
inline std::filesystem::path OpenScratchFolder(const std::string& name) {
  const auto dir = std::filesystem::path("/tmp") / ("kapibuch-" + name + "-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  ::chmod(dir.c_str(), 0777);
  return dir;
}

struct ChildResult {
  int status = -1;     // the exit status, or 128 + signal
  std::string output;  // what the child wrote to its output
};

inline int StatusOf(int wait) {
  if (WIFEXITED(wait)) return WEXITSTATUS(wait);
  if (WIFSIGNALED(wait)) return 128 + WTERMSIG(wait);
  return -1;
}

// Runs `body` in a forked child, first dropping every privilege when `asNobody` is set.
// The child's exit status is what `body` returns; what it puts into its output argument
// comes back as `output`. The child ends with _exit: no destructors, no leak check.
inline ChildResult RunInChild(const std::function<int(std::string& output)>& body, bool asNobody) {
  int pipe[2];
  if (::pipe(pipe) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(pipe[0]);
    if (asNobody && (::setgroups(0, nullptr) != 0 || ::setgid(kNogroup) != 0 || ::setuid(kNobody) != 0))
      ::_exit(126);
    std::string output;
    const int status = body(output);
    std::size_t done = 0;
    while (done < output.size()) {
      const ssize_t n = ::write(pipe[1], output.data() + done, output.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    ::_exit(status);
  }
  ::close(pipe[1]);
  ChildResult result;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(pipe[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    result.output.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(pipe[0]);
  int wait = 0;
  ::waitpid(pid, &wait, 0);
  result.status = StatusOf(wait);
  return result;
}

// Starts a program with the given arguments and this process's environment.
inline pid_t Spawn(const std::string& program, const std::vector<std::string>& args) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    // Quiet: the tests look at exit statuses and files.
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::dup2(null, 2);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  return pid;
}

inline int WaitFor(pid_t pid) {
  int wait = 0;
  ::waitpid(pid, &wait, 0);
  return StatusOf(wait);
}

}  // namespace testutil
