// Undo and redo on a large portfolio: 100 movements booked through their form, each an undo
// step, then all taken back and made again. Prints the slowest single undo and redo, the
// slowest booking (recording its step included) and the growth of the resident set over the
// 100 steps.
//   undo_bench FILE
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "document/UndoHistory.h"
#include "forms/KontobewegungForm.h"
#include "platform/Clock.h"

namespace {

class FixedClock : public platform::Clock {
 public:
  std::time_t Now() const override { return 1735603200; }  // 31.12.2024
};

long ResidentKb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return 0;
}

class Silent : public platform::Prompter {
 public:
  platform::Answer Ask(const std::string&, const std::string& text, platform::Icon,
                       platform::Buttons buttons) override {
    if (buttons == platform::Buttons::Ok) std::cerr << text << '\n';
    return buttons == platform::Buttons::OkCancel ? platform::Answer::Ok : platform::Answer::Yes;
  }
};

double Ms(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: undo_bench FILE\n";
    return 2;
  }
  FixedClock clock;
  DocumentError error = DocumentError::None;
  auto doc = CKapibuchDoc::Open(argv[1], clock, error);
  if (!doc) {
    std::cerr << DocumentErrorMessage(error) << '\n';
    return 1;
  }
  doc->KeepUndoHistory();
  const long before = ResidentKb();
  Silent prompter;
  double booking = 0;
  for (int i = 0; i < 100; ++i) {
    const auto start = std::chrono::steady_clock::now();
    KontobewegungForm dlg(*doc);
    dlg.SetDate(CKBXDatum(doc->Account().StartDay().Day() + static_cast<std::uint32_t>(i * 97)));
    dlg.SetKindByName("Kapitaleinlage");
    dlg.amountText = std::to_string(100 + i);
    dlg.LeaveAmount();
    if (!dlg.OnOK(prompter)) {
      std::cerr << "booking refused\n";
      return 1;
    }
    dlg.Book(*doc);
    booking = std::max(booking, Ms(start));
  }
  const long grown = ResidentKb() - before;
  double undo = 0, redo = 0;
  for (int i = 0; i < 100; ++i) {
    const auto start = std::chrono::steady_clock::now();
    if (!doc->UndoChange()) return 1;
    undo = std::max(undo, Ms(start));
  }
  for (int i = 0; i < 100; ++i) {
    const auto start = std::chrono::steady_clock::now();
    if (!doc->RedoChange()) return 1;
    redo = std::max(redo, Ms(start));
  }
  std::printf(
      "undo_slowest_ms %.1f\nredo_slowest_ms %.1f\nbooking_slowest_ms %.1f\nrss_growth_100_steps_mb %ld\n",
      undo, redo, booking, grown / 1024);
  return 0;
}
