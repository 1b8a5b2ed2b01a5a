// Peak memory of `kapibuch-cli dump` on the large generated portfolio (30 years, about
// 16 MB): the JSON is written piece by piece, so the tool needs little more than the
// document itself. The goal is below 150 MB; measure a Release build (sanitizers add
// their own bookkeeping).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "bench/PortfolioGenerator.h"
#include "platform/Clock.h"

namespace {

constexpr double kGoalMegabytes = 150;

// Runs kapibuch-cli dump FILE, its output thrown away; the child's peak resident size in MB.
double DumpPeakMegabytes(const std::string& file) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::execl(KAPIBUCH_CLI_PATH, KAPIBUCH_CLI_PATH, "dump", file.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  ::wait4(pid, &status, 0, &usage);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in kilobytes
}

void BM_DumpPeakMemory(benchmark::State& state) {
  CKBXDatum today;
  today.Set(31, 12, 2024);
  const platform::FixedClock clock(today.ToTime());
  const std::string file = (std::filesystem::temp_directory_path() /
                            ("kapibuch-dump-bench-" + std::to_string(::getpid()) + ".kpz"))
                               .string();
  GeneratorSize size;
  size.movements = size.positions * 8;  // as make_portfolio makes it
  if (GeneratePortfolio(clock, size)->Save(file) != DocumentError::None) {
    state.SkipWithError("the portfolio could not be saved");
    return;
  }
  double peak = 0;
  for (auto _ : state) peak = DumpPeakMegabytes(file);
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
  state.counters["peak_MB"] = peak;
  state.counters["goal_MB"] = kGoalMegabytes;
  std::filesystem::remove(file);
  if (peak < 0) state.SkipWithError("kapibuch-cli dump failed");
  if (peak > kGoalMegabytes) state.SkipWithError("dump needs more memory than the goal");
}
BENCHMARK(BM_DumpPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
