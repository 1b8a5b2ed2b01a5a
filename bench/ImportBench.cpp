// The price import's speed: writes a Yahoo-style daily file of `years` years (for timing
// `kapibuch-cli import --auto` as a process, see scripts/bench.sh) and times the assistant's
// preview (detection, the rows in their columns, what the description reads) on a file of
// about 2 MB, printing "assistant_preview_ms N".
//   import_bench --write-daily PATH YEARS
//   import_bench
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "forms/DateiformatErkennenForm.h"

namespace {

// Weekdays from 1995 on, prices with six decimals as such downloads have them.
std::string DailyFile(int years) {
  std::ostringstream out;
  out << "Date,Open,High,Low,Close,Adj Close,Volume\n";
  unsigned seed = 12345;
  double price = 40.0;
  for (int y = 1995; y < 1995 + years; ++y) {
    for (int m = 1; m <= 12; ++m) {
      for (int d = 1; d <= 28; d += (d % 7 == 5) ? 3 : 1) {
        seed = seed * 1103515245u + 12345u;
        price *= 1.0 + (static_cast<double>(seed >> 16 & 0x7FFF) / 32768.0 - 0.5) / 50.0;
        char line[160];
        std::snprintf(line, sizeof line, "%04d-%02d-%02d,%.6f,%.6f,%.6f,%.6f,%.6f,%u\n", y, m, d,
                      price * 0.99, price * 1.01, price * 0.98, price, price * 0.9, seed % 100000);
        out << line;
      }
    }
  }
  return out.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--write-daily") {
    std::ofstream(argv[2], std::ios::binary) << DailyFile(std::stoi(argv[3]));
    return 0;
  }
  std::string text = DailyFile(30);
  while (text.size() < 2'000'000) text += text.substr(text.find('\n') + 1);  // the same days again
  double best = 1e9;
  for (int run = 0; run < 3; ++run) {
    const auto start = std::chrono::steady_clock::now();
    DateiformatErkennenForm dlg(text, {});
    const auto rows = dlg.Rows();
    const auto preview = dlg.Read();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (!dlg.Detected() || rows.empty() || preview.prices.empty()) {
      std::cerr << "nothing read: " << dlg.Error() << '\n';
      return 1;
    }
    best = std::min(best, ms);
  }
  std::cout << "assistant_preview_bytes " << text.size() << "\nassistant_preview_ms " << best << '\n';
  return 0;
}
