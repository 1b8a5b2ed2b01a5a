// import, export: the price import and export dialogs driven from the command line.
#include <ostream>

#include "base/SafeFile.h"
#include "cli/ChangeSession.h"
#include "cli/Commands.h"
#include "cli/SecurityChoice.h"
#include "forms/DateiformatErkennenForm.h"
#include "forms/ImportergebnisForm.h"
#include "forms/KurseExportierenForm.h"
#include "forms/KurseImportierenForm.h"
#include "forms/StoredFormats.h"
#include "priceio/FormatMatcher.h"
#include "qt/Environment.h"

namespace cli {
namespace {

struct DetectOptions {
  std::string input, column, currency = "EUR";
};

struct ImportOptions {
  std::string file, name, input, formatFile;
  int format = 0;
  bool onlyHeld = false;
  bool automatic = false;
  DetectOptions detect;
};

// The description the assistant writes for the input; kOk, or the exit status with the
// reason printed.
int Detect(const Context& ctx, const DetectOptions& o, std::string& description) {
  PrintingPrompter prompter(ctx.err);
  const std::optional<DateiformatErkennenForm> dlg =
      DateiformatErkennenForm::FromFile(o.input, {o.column, o.currency == "DM"}, prompter);
  if (!dlg) return kUnreadable;
  if (!dlg->Detected()) {
    ctx.err << dlg->Error() << '\n';
    return kRefused;
  }
  if (const std::string note = dlg->DateNote(); !note.empty()) ctx.err << note << '\n';
  description = dlg->Description();
  return kOk;
}

struct ExportOptions {
  std::string file, name, wkn, output, separator = "<TAB>";
  bool withName = false, withWkn = false;
};

int RunImport(const Context& ctx, const ImportOptions& o) {
  ChangeSession change(ctx, o.file);
  if (const int status = change.Open(); status != kOk) return status;
  CKapibuchDoc* doc = &change.Doc();
  std::string description;
  if (o.automatic) {
    if (const int status = Detect(ctx, o.detect, description); status != kOk) return status;
  } else if (!o.formatFile.empty()) {
    std::vector<std::uint8_t> bytes;
    if (const ReadResult read = ReadRegularFile(o.formatFile, bytes); read != ReadResult::Ok) {
      ctx.err << (read == ReadResult::NoMemory ? "Nicht genügend Speicher zum Einlesen der Datei!"
                                               : "Datei kann nicht geöffnet werden!")
              << '\n';
      return kUnreadable;
    }
    description.assign(bytes.begin(), bytes.end());
  } else {
    description = priceio::PredefinedDescriptions()[static_cast<std::size_t>(o.format - 1)].description;
  }

  const auto settings = qt::SettingsFromEnvironment();
  PrintingPrompter prompter(ctx.err);
  KurseImportierenForm dlg(*doc, *settings);
  if (dlg.FormatsDamaged()) {
    if (const std::string notice = forms::TakeDamagedFormatsNotice(); !notice.empty())
      ctx.err << notice << '\n';
  }
  dlg.ChooseName(o.name);
  dlg.fileName = o.input;
  dlg.SetDescription(description);
  std::optional<ImportergebnisForm> result = dlg.StartImport(prompter);
  // "Schließen" stores the descriptions; a dry run writes nothing, the settings neither.
  if (!ctx.dryRun) {
    dlg.Close();
    settings->Sync();
  }
  if (!result) return dlg.InputUnreadable() ? kUnreadable : kRefused;
  result->SetOnlyHeld(o.onlyHeld);
  // With --dry-run standard output holds only the document. Implausible prices stay
  // unticked: they are reported with the skipped lines.
  (ctx.dryRun ? ctx.err : ctx.out) << result->CountLine() << '\n';
  for (const std::string& line : result->SkippedLines()) ctx.err << line << '\n';
  // No price changed: the file stays as it is.
  return change.Commit(result->OnOK(*doc));
}

int RunExport(const Context& ctx, const ExportOptions& o) {
  std::unique_ptr<CKapibuchDoc> doc;
  if (const int status = LoadDocument(ctx, o.file, doc); status != kOk) return status;
  KurseExportierenForm dlg(*doc);
  const SecurityChoice choice{o.name, o.wkn};
  if (!choice.ConsistentAmongHistories(ctx, *doc)) return kRefused;
  choice.ApplyTo(dlg);
  dlg.fileName = o.output;
  dlg.withName = o.withName;
  dlg.withWkn = o.withWkn;
  dlg.separator = o.separator;
  // The closing "Kurse wurden exportiert." goes to standard output, the refusals to errors.
  struct Collector : platform::Prompter {
    std::string text;
    platform::Answer Ask(const std::string&, const std::string& message, platform::Icon,
                         platform::Buttons) override {
      text = message;
      return platform::Answer::Ok;
    }
  } prompter;
  if (dlg.StartExport(prompter)) {
    ctx.out << prompter.text << '\n';
    return kOk;
  }
  ctx.err << prompter.text << '\n';
  return dlg.Focus() == forms::Field::None ? kUnwritable : kRefused;
}

}  // namespace

void AddPriceFileCommands(CLI::App& app, const Context& ctx, int& result) {
  auto imp = std::make_shared<ImportOptions>();
  CLI::App* cmd = app.add_subcommand("import", "Kurse eines Wertpapiers aus einer Textdatei importieren");
  cmd->add_option("FILE", imp->file)->required();
  cmd->add_option("--name", imp->name, "Bezeichnung des Wertpapiers")->required();
  cmd->add_option("--input", imp->input, "die Textdatei mit den Kursen")->required();
  auto* format = cmd->add_option("--format", imp->format, "vordefinierte Formatbeschreibung 1 bis 10")
                     ->check(CLI::Range(1, 10));
  auto* formatFile = cmd->add_option("--format-file", imp->formatFile, "Datei mit einer Formatbeschreibung");
  format->excludes(formatFile);
  auto* automatic = cmd->add_flag("--auto", imp->automatic, "das Dateiformat erkennen (wie „Erkennen...“)");
  auto* column = cmd->add_option("--column", imp->detect.column,
                                 "mit --auto: Spalte des Kurses, Nummer ab 1 oder Text der Kopfzeile");
  auto* currency =
      cmd->add_option("--currency", imp->detect.currency, "mit --auto: Währung der Kurse (EUR oder DM)")
          ->check(CLI::IsMember({"EUR", "DM"}));
  automatic->excludes(format)->excludes(formatFile);
  column->needs(automatic);
  currency->needs(automatic);
  cmd->add_flag("--only-held", imp->onlyHeld,
                "Kurs nur dann übernehmen, wenn sich das Wertpapier zu diesem Zeitpunkt im Depot befindet");
  cmd->callback([&ctx, &result, imp, format, formatFile, automatic] {
    if (format->count() == 0 && formatFile->count() == 0 && automatic->count() == 0)
      throw CLI::RequiredError("--format or --format-file or --auto");
    imp->detect.input = imp->input;
    result = RunImport(ctx, *imp);
  });

  auto det = std::make_shared<DetectOptions>();
  cmd = app.add_subcommand("detect-format",
                           "das Dateiformat einer Kursdatei erkennen und seine Formatbeschreibung ausgeben");
  cmd->add_option("--input", det->input, "die Textdatei mit den Kursen")->required();
  cmd->add_option("--column", det->column, "Spalte des Kurses, Nummer ab 1 oder Text der Kopfzeile");
  cmd->add_option("--currency", det->currency, "Währung der Kurse (EUR oder DM)")
      ->check(CLI::IsMember({"EUR", "DM"}));
  cmd->callback([&ctx, &result, det] {
    std::string description;
    result = Detect(ctx, *det, description);
    // Lines end as in a text file of this system, without carriage returns.
    for (std::size_t cr = description.find('\r'); cr != std::string::npos; cr = description.find('\r'))
      description.erase(cr, 1);
    if (result == kOk) ctx.out << description << '\n';
  });

  auto exp = std::make_shared<ExportOptions>();
  cmd = app.add_subcommand("export", "Kurse eines Wertpapiers in eine Textdatei schreiben");
  cmd->add_option("FILE", exp->file)->required();
  cmd->add_option("--name", exp->name, "Bezeichnung (allein wählt sie ihre WKN/Kürzel)");
  cmd->add_option("--wkn", exp->wkn, "WKN/Kürzel (allein wählt sie ihre Bezeichnung)");
  cmd->add_option("--output", exp->output, "die zu schreibende Textdatei")->required();
  cmd->add_flag("--with-name", exp->withName, "Bezeichnung speichern");
  cmd->add_flag("--with-wkn", exp->withWkn, "WKN/Kürzel speichern");
  cmd->add_option("--separator", exp->separator, "Trennzeichen (Vorgabe <TAB>)");
  cmd->callback([&ctx, &result, exp] { result = RunExport(ctx, *exp); });
}

}  // namespace cli
