// show and render: one evaluation as text, CSV or JSON, or as printed into a file.
#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <vector>

#include "cli/Commands.h"
#include "cli/GridFormats.h"
#include "platform/RecordingSurface.h"
#include "qt/Rendering.h"
#include "views/FrameState.h"
#include "views/ModeFactory.h"

namespace cli {

namespace {

struct ViewOptions {
  std::string file, day, from, to, select, format = "text", output;
  int mode = 1;
  int series = -1;
  int page = 1;
};

// The window's days and choices for the command's mode, after the options: --day is the
// day of a mode that shows one day, --from and --to the ends of a period, and --from the
// start day of a mode that shows a day against a start day.
bool FrameOf(const Context& ctx, const CKapibuchDoc& doc, const ViewOptions& o, views::FrameState& frame) {
  const auto mode = views::ModeFromNumber(o.mode);
  if (!mode) {
    ctx.err << "Die Ansicht " << o.mode << " gibt es nicht.\n";
    return false;
  }
  frame.mode = *mode;
  frame.SetDefaultDays(doc);
  CKBXDatum day, from, to;
  if (!o.day.empty() && !ParseDay(ctx, o.day, day)) return false;
  if (!o.from.empty() && !ParseDay(ctx, o.from, from)) return false;
  if (!o.to.empty() && !ParseDay(ctx, o.to, to)) return false;
  const views::ModeTraits& traits = views::Traits(*mode);
  views::Period& days = frame.Days();
  switch (traits.period) {
    case views::PeriodKind::Day:
      if (!o.day.empty()) days.first = day;
      break;
    case views::PeriodKind::Range:
    case views::PeriodKind::Years:  // the view takes the years of the two days
      if (!o.from.empty()) days.first = from;
      if (!o.to.empty()) days.second = to;
      break;
    case views::PeriodKind::DayAndStart:
      if (!o.day.empty()) days.first = day;
      if (!o.from.empty()) days.second = from;
      break;
  }
  if (traits.series != views::SeriesChoice::None) {
    const int seriesCount = traits.series == views::SeriesChoice::Security ? 6 : 10;
    const int series = o.series < 0 ? 0 : o.series;
    if (series >= seriesCount) {
      ctx.err << "Die Datenreihe " << o.series << " gibt es in dieser Ansicht nicht (0 bis "
              << seriesCount - 1 << ").\n";
      return false;
    }
    (traits.series == views::SeriesChoice::Security ? frame.securitySeries : frame.portfolioSeries) = series;
  }
  if (!o.select.empty()) {
    for (const std::string& item : SplitList(o.select)) {
      char* endPtr = nullptr;
      const long index = std::strtol(item.c_str(), &endPtr, 10);
      if (item.empty() || *endPtr != '\0' || index < 0 ||
          static_cast<std::size_t>(index) >= doc.Positions().size()) {
        ctx.err << "Die Position \"" << item << "\" gibt es nicht";
        if (doc.Positions().empty()) {
          ctx.err << ": das Depot hat keine Positionen.\n";
        } else {
          ctx.err << " (0 bis " << doc.Positions().size() - 1 << ").\n";
        }
        return false;
      }
      frame.selection.push_back(doc.Positions()[static_cast<std::size_t>(index)]->number);
    }
  }
  return true;
}

std::unique_ptr<views::ModeView> ViewOf(const Context& ctx, const CKapibuchDoc& doc, const ViewOptions& o) {
  views::FrameState frame;
  if (!FrameOf(ctx, doc, o, frame)) return nullptr;
  auto view = views::CreateModeView(frame.mode, doc);
  view->Build(frame);
  return view;
}

int RunShow(const Context& ctx, const ViewOptions& o) {
  std::unique_ptr<CKapibuchDoc> doc;
  if (const int status = LoadDocument(ctx, o.file, doc); status != kOk) return status;
  const auto view = ViewOf(ctx, *doc, o);
  if (!view) return kRefused;
  platform::RecordingSurface measuring;
  view->Measure(measuring);
  PrintGrid(*view, ctx.out, o.format);
  return kOk;
}

int RunRender(const Context& ctx, const ViewOptions& o) {
  std::unique_ptr<CKapibuchDoc> doc;
  if (const int status = LoadDocument(ctx, o.file, doc); status != kOk) return status;
  const auto view = ViewOf(ctx, *doc, o);
  if (!view) return kRefused;
  const std::unique_ptr<views::PrintJob> job = view->MakePrintJob();
  int pages = 0;
  switch (qt::RenderToFile(*job, o.output, o.page, &pages)) {
    case qt::RenderResult::Ok:
      return kOk;
    case qt::RenderResult::BadPage:
      ctx.err << "Seite " << o.page << " gibt es nicht; die Ansicht hat " << pages << " Seite(n).\n";
      return kUsage;
    case qt::RenderResult::CannotWrite:
      break;
  }
  ctx.err << "Datei kann nicht geöffnet werden!\n";
  return kUnwritable;
}

// The modes by number.
std::vector<const views::ModeTraits*> ModesByNumber() {
  std::vector<const views::ModeTraits*> modes;
  for (int number = 1; number <= views::kModeCount; ++number)
    modes.push_back(&views::Traits(*views::ModeFromNumber(number)));
  return modes;
}

// --mode: a number or a mode's name, case ignored; a name is turned into its number. The
// help shows every value, "ANSICHT:{1,...,9,bestand,...}", as it shows other choices.
CLI::Validator ModeChoice() {
  std::string numbers, names;
  for (const views::ModeTraits* traits : ModesByNumber()) {
    numbers += std::to_string(views::ModeNumber(traits->mode)) + ",";
    names += std::string(names.empty() ? "" : ",") + traits->name;
  }
  return CLI::Validator(
      [](std::string& text) -> std::string {
        if (const auto mode = views::ModeFromName(text)) {
          text = std::to_string(views::ModeNumber(*mode));
          return {};
        }
        char* end = nullptr;
        const long number = std::strtol(text.c_str(), &end, 10);
        if (!text.empty() && *end == '\0' && number >= 1 && number <= views::kModeCount) {
          text = std::to_string(number);
          return {};
        }
        return "Die Ansicht \"" + text + "\" gibt es nicht (1 bis " + std::to_string(views::kModeCount) +
               " oder ein Name aus --help)";
      },
      "{" + numbers + names + "}");
}

// The table below the options of show and render: number, name and the menu's shortcut.
std::string ModesTable() {
  std::string table = "Ansichten:\n  Nr.  Name              Menü    Ansicht\n";
  for (const views::ModeTraits* traits : ModesByNumber()) {
    std::string name = traits->name;
    name.resize(std::max<std::size_t>(name.size(), 16), ' ');
    table += "  " + std::to_string(views::ModeNumber(traits->mode)) + "    " + name + "  Strg+" +
             traits->key + "  " + traits->title + "\n";
  }
  return table +
         "--mode nimmt die Nummer oder den Namen (Groß- und Kleinschreibung gleich). Die Nummern sind\n"
         "die Ansichten der Datei, die Tastenkürzel die des Menüs \"Ansicht\" im Programm.";
}

void AddViewOptions(CLI::App* cmd, ViewOptions& o) {
  cmd->add_option("FILE", o.file)->required();
  cmd->add_option("--mode", o.mode, "Ansicht: Nummer oder Name (siehe Ansichten unten)")
      ->type_name("ANSICHT")
      ->transform(ModeChoice());
  cmd->footer(ModesTable());
  cmd->add_option("--day", o.day, "Tag (Modus 1 und 7)");
  cmd->add_option("--from", o.from, "erster Tag des Zeitraums");
  cmd->add_option("--to", o.to, "letzter Tag des Zeitraums");
  cmd->add_option("--series", o.series, "Datenreihe der Grafiken");
  cmd->add_option("--select", o.select, "Positionen der Wertpapier-Grafik (Indizes ab 0)");
}

}  // namespace

void AddViewCommands(CLI::App& app, const Context& ctx, int& result) {
  auto show = std::make_shared<ViewOptions>();
  CLI::App* cmd = app.add_subcommand("show", "Eine Auswertung als Text, CSV oder JSON ausgeben");
  AddViewOptions(cmd, *show);
  cmd->add_option("--format", show->format)->check(CLI::IsMember({"text", "csv", "json"}));
  cmd->callback([&ctx, &result, show] { result = RunShow(ctx, *show); });

  auto render = std::make_shared<ViewOptions>();
  cmd = app.add_subcommand("render", "Eine Auswertung wie gedruckt als PDF, SVG oder PNG schreiben");
  AddViewOptions(cmd, *render);
  cmd->add_option("--output", render->output, "Zieldatei (.pdf, .svg oder .png)")
      ->required()
      ->check([](const std::string& path) -> std::string {
        for (const char* ext : {".pdf", ".svg", ".png"}) {
          if (path.size() >= 4 && path.compare(path.size() - 4, 4, ext) == 0) return {};
        }
        return "die Zieldatei muss auf .pdf, .svg oder .png enden";
      });
  cmd->add_option("--page", render->page, "Seite (SVG, PNG)")->check(CLI::PositiveNumber);
  cmd->callback([&ctx, &result, render] { result = RunRender(ctx, *render); });
}

}  // namespace cli
