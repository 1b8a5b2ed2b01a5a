#pragma once
// kapibuch-cli: bookings, reports and rendering on portfolio files without a window.

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "document/KapibuchDoc.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "platform/SettingsStore.h"

namespace cli {

// kUnreadable: FILE is no portfolio, or an input file cannot be read; kLocked: another
// program holds the file's lock; kDownloadFailed: update-prices could not fetch the prices
// of one or more securities (what the others brought is saved).
enum Exit {
  kOk = 0,
  kUsage = 1,
  kRefused = 2,
  kUnreadable = 3,
  kUnwritable = 4,
  kLocked = 5,
  kDownloadFailed = 6
};

// Runs one command line; what the tool prints goes to out and err.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Prints every message to the error stream and answers every question with OK / Yes.
class PrintingPrompter : public platform::Prompter {
 public:
  explicit PrintingPrompter(std::ostream& err) : m_err(err) {}
  platform::Answer Ask(const std::string& caption, const std::string& text, platform::Icon icon,
                       platform::Buttons buttons) override;
  // The messages that were not questions (the refusals of checks).
  int Messages() const { return m_messages; }

 private:
  std::ostream& m_err;
  int m_messages = 0;
};

struct Context {
  const platform::Clock& clock;
  std::ostream& out;
  std::ostream& err;
  // --dry-run of a command that changes FILE (set while the command line is parsed).
  const bool& dryRun;
};

// Opens FILE as a portfolio; on failure prints the message and gives the exit status.
int LoadDocument(const Context& ctx, const std::string& path, std::unique_ptr<CKapibuchDoc>& doc);
// Prints a refusal and gives kRefused.
int Refuse(const Context& ctx, const std::string& message);
// Parses DD.MM.YYYY, or DD.MM. and DD.MM as that day of the current year; on failure prints a
// message.
bool ParseDay(const Context& ctx, const std::string& text, CKBXDatum& day);

}  // namespace cli
