// Prices from the internet: the sources kept in the settings ("source set", "source list",
// "source remove") and "update-prices", which fetches every security's new prices and
// merges them as one change.
#include <optional>
#include <ostream>

#include "base/SafeFile.h"
#include "cli/ChangeSession.h"
#include "cli/Commands.h"
#include "forms/PriceUpdate.h"
#include "platform/Downloads.h"
#include "qt/Environment.h"
#include "qt/QtSettingsStore.h"

namespace cli {

namespace {

struct SourceOptions {
  std::string wkn, url, symbol, formatFile, column;
  bool automatic = false;
};

struct UpdateOptions {
  std::string file, name, wkn, from;
};

// Stores what was set; a settings file that cannot be written is told (exit 4).
int Saved(const Context& ctx, qt::QtSettingsStore& settings) {
  if (settings.Sync()) return kOk;
  ctx.err << "Die Einstellungen können nicht gespeichert werden.\n";
  return kUnwritable;
}

int RunSourceSet(const Context& ctx, const SourceOptions& o) {
  if (o.wkn.find_first_not_of(' ') == std::string::npos) {
    ctx.err << "Bitte geben Sie die WKN/Kürzel des Wertpapiers an.\n";
    return kRefused;
  }
  if (!forms::AllowedAddress(o.url)) {
    ctx.err << "Die Adresse \"" << forms::ShownAddress(o.url)
            << "\" ist nicht erlaubt: nur https:-, http:- und file:-Adressen.\n";
    return kRefused;
  }
  forms::PriceSource source{o.wkn, o.url, o.symbol, "", o.column};
  // Placeholders and date forms are checked now, not at the first download.
  std::string error;
  if (!forms::ExpandAddress(source, CKBXDatum(), CKBXDatum(), error)) {
    ctx.err << error << '\n';
    return kRefused;
  }
  if (!o.formatFile.empty()) {
    std::vector<std::uint8_t> bytes;
    if (ReadRegularFile(o.formatFile, bytes) != ReadResult::Ok) {
      ctx.err << "Datei kann nicht geöffnet werden!\n";
      return kUnreadable;
    }
    source.format.assign(bytes.begin(), bytes.end());
    if (source.format.empty()) {
      ctx.err << "Die Formatbeschreibung ist leer.\n";
      return kRefused;
    }
  }
  const auto settings = qt::SettingsFromEnvironment();
  forms::PriceSources::Store(*settings, source);
  return Saved(ctx, *settings);
}

int RunSourceList(const Context& ctx) {
  const auto settings = qt::SettingsFromEnvironment();
  for (const forms::PriceSource& s : forms::PriceSources::Load(*settings)) {
    std::string format = "automatisch";
    if (!s.format.empty()) format = s.format.substr(0, s.format.find_first_of("\r\n"));
    ctx.out << s.wkn << '\t' << forms::ShownAddress(s.address) << '\t' << s.symbol << '\t' << format << '\n';
  }
  return kOk;
}

int RunSourceRemove(const Context& ctx, const std::string& wkn) {
  const auto settings = qt::SettingsFromEnvironment();
  if (!forms::PriceSources::Remove(*settings, wkn)) {
    ctx.err << "Für \"" << wkn << "\" gibt es keine Kursquelle.\n";
    return kRefused;
  }
  return Saved(ctx, *settings);
}

int RunUpdate(const Context& ctx, const UpdateOptions& o) {
  std::optional<CKBXDatum> from;
  if (!o.from.empty()) {
    CKBXDatum day;
    if (!ParseDay(ctx, o.from, day)) return kRefused;
    if (CKBXDatum::Today(ctx.clock) < day) {
      ctx.err << "Der Tag \"" << o.from << "\" liegt nach dem heutigen Tag.\n";
      return kRefused;
    }
    from = day;
  }
  ChangeSession change(ctx, o.file);
  if (const int status = change.Open(); status != kOk) return status;
  CKapibuchDoc& doc = change.Doc();
  const auto settings = qt::SettingsFromEnvironment();
  std::vector<std::string> problems;
  const std::vector<forms::UpdateItem> items =
      forms::PlanUpdate(doc, *settings, from, o.name, o.wkn, problems);
  std::ostream& lines = ctx.dryRun ? ctx.err : ctx.out;
  if (items.empty() && problems.empty()) {
    ctx.err << (o.name.empty() && o.wkn.empty() ? "Kein Wertpapier der Datei hat eine Kursquelle"
                                                : "Kein gewähltes Wertpapier der Datei hat eine Kursquelle")
            << " (kapibuch-cli source set).\n";
    return kRefused;
  }
  const forms::UpdateRun run = forms::RunUpdate(doc, items, problems, &platform::DownloadAll, {});
  for (const std::string& line : run.lines) lines << line << '\n';
  // Every download has ended: what they brought is one change, saved once.
  const int status = change.Commit(doc.Apply(*run.change));
  if (status != kOk) return status;
  return run.failed ? kDownloadFailed : kOk;
}

}  // namespace

void AddPriceSourceCommands(CLI::App& app, const Context& ctx, int& result) {
  CLI::App* source = app.add_subcommand("source", "Kursquellen für \"update-prices\" (in den Einstellungen)");
  source->require_subcommand(1);

  auto set = std::make_shared<SourceOptions>();
  CLI::App* setCmd = source->add_subcommand("set", "Kursquelle eines Wertpapiers festlegen oder ändern");
  setCmd->add_option("--wkn", set->wkn, "WKN/Kürzel des Wertpapiers")->required();
  setCmd->add_option("--url", set->url, "Adressvorlage mit {SYMBOL}, {WKN}, {VON:...}, {BIS:...}")
      ->required();
  setCmd->add_option("--symbol", set->symbol, "Name des Wertpapiers beim Anbieter (sonst die WKN/Kürzel)");
  auto* formatFile =
      setCmd->add_option("--format-file", set->formatFile, "Datei mit einer Formatbeschreibung");
  auto* automatic =
      setCmd->add_flag("--auto", set->automatic, "das Dateiformat jeder Antwort erkennen (Vorgabe)");
  auto* column = setCmd->add_option("--column", set->column,
                                    "mit --auto: Spalte des Kurses, Nummer ab 1 oder Text der Kopfzeile");
  formatFile->excludes(automatic);
  column->excludes(formatFile);
  setCmd->callback([&ctx, &result, set] { result = RunSourceSet(ctx, *set); });

  source->add_subcommand("list", "Kursquellen auflisten")->callback([&ctx, &result] {
    result = RunSourceList(ctx);
  });

  auto removeWkn = std::make_shared<std::string>();
  CLI::App* removeCmd = source->add_subcommand("remove", "Kursquelle eines Wertpapiers entfernen");
  removeCmd->add_option("--wkn", *removeWkn, "WKN/Kürzel des Wertpapiers")->required();
  removeCmd->callback([&ctx, &result, removeWkn] { result = RunSourceRemove(ctx, *removeWkn); });

  auto update = std::make_shared<UpdateOptions>();
  CLI::App* updateCmd = app.add_subcommand(
      "update-prices", "Kurse aller Wertpapiere mit Kursquelle aus dem Internet aktualisieren");
  updateCmd->add_option("FILE", update->file, "Kapitalbuch-Datei")->required();
  updateCmd->add_option("--name", update->name, "nur das Wertpapier dieser Bezeichnung");
  updateCmd->add_option("--wkn", update->wkn, "nur das Wertpapier dieser WKN/Kürzel");
  updateCmd->add_option("--from", update->from,
                        "ab diesem Tag (sonst je Wertpapier ab dem Tag nach dem letzten Kurs)");
  updateCmd->callback([&ctx, &result, update] { result = RunUpdate(ctx, *update); });
}

}  // namespace cli
