#include <iostream>
#include <optional>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/GermanHelp.h"
#include "forms/DateText.h"
#include "qt/Environment.h"

namespace cli {

platform::Answer PrintingPrompter::Ask(const std::string&, const std::string& text, platform::Icon,
                                       platform::Buttons buttons) {
  switch (buttons) {
    case platform::Buttons::Ok:
      ++m_messages;
      m_err << text << '\n';
      return platform::Answer::Ok;
    case platform::Buttons::OkCancel:
      return platform::Answer::Ok;
    case platform::Buttons::YesNo:
    case platform::Buttons::YesNoCancel:
      return platform::Answer::Yes;
    case platform::Buttons::OverwriteSaveAsCancel:
      return platform::Answer::Cancel;
  }
  return platform::Answer::Ok;
}

int LoadDocument(const Context& ctx, const std::string& path, std::unique_ptr<CKapibuchDoc>& doc) {
  DocumentError error = DocumentError::None;
  doc = CKapibuchDoc::Open(path, ctx.clock, error);
  if (doc) return kOk;
  ctx.err << DocumentErrorMessage(error) << '\n';
  return kUnreadable;
}

int Refuse(const Context& ctx, const std::string& message) {
  ctx.err << message << '\n';
  return kRefused;
}

bool ParseDay(const Context& ctx, const std::string& text, CKBXDatum& day) {
  if (ParseDatum(text, day)) return true;
  // Day and month alone, as on a form: that day of the current year.
  if (const forms::DateReading reading = forms::ReadDayAndMonth(text, CKBXDatum::Today(ctx.clock));
      reading.problem == forms::DateProblem::None) {
    day = reading.day;
    return true;
  }
  ctx.err << "Ungültiges Datum \"" << text
          << "\": erwartet wird TT.MM.JJJJ zwischen 02.01.1970 und 18.01.2038.\n";
  return false;
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string todayError;
  const std::optional<std::time_t> fixed = qt::TodayFromEnvironment(todayError);
  if (!todayError.empty()) {
    err << todayError << '\n';
    return kUsage;
  }
  platform::SystemClock systemClock;
  platform::FixedClock fixedClock(fixed.value_or(0));
  const platform::Clock& clock = fixed ? static_cast<const platform::Clock&>(fixedClock) : systemClock;
  bool dryRun = false;
  const Context ctx{clock, out, err, dryRun};

  CLI::App app{"kapibuch-cli: Kapitalbuch-Dateien ohne Fenster bearbeiten und auswerten", "kapibuch-cli"};
  MakeGerman(app, "kapibuch-cli " KAPIBUCH_VERSION);
  app.require_subcommand(1);
  int result = kOk;
  AddDocumentCommands(app, ctx, result);
  AddBookingCommands(app, ctx, result);
  AddPriceFileCommands(app, ctx, result);
  AddViewCommands(app, ctx, result);
  AddPriceSourceCommands(app, ctx, result);
  // Every command that changes FILE can show its result instead of saving it.
  for (const char* name :
       {"new", "holder", "price", "buy", "sell", "move", "split", "switch-eur", "import", "update-prices"}) {
    app.get_subcommand(name)->add_flag(
        "--dry-run", dryRun,
        "alle Prüfungen ausführen und das Dokument so ausgeben, wie es danach wäre (wie dump), ohne etwas zu "
        "schreiben");
  }

  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e, out, err);
    return code == 0 ? kOk : kUsage;
  }
  return result;
}

}  // namespace cli
