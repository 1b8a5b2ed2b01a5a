// show and render: one evaluation as text, CSV or JSON, or as printed into a file.
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

#include "cli/Commands.h"
#include "platform/RecordingSurface.h"
#include "qt/Rendering.h"
#include "views/AnalysisView.h"
#include "views/Charts.h"
#include "views/DevelopmentView.h"
#include "views/FrameState.h"
#include "views/KBXAktieImDepot.h"
#include "views/PrintJob.h"
#include "views/TableViews.h"

namespace cli {

namespace {

struct ViewOptions {
  std::string file, day, from, to, select, format = "text", output;
  int mode = 1;
  int series = -1;
  int page = 1;
};

// A view as rows of texts: what `show` prints.
struct Grid {
  std::string title;
  std::vector<std::string> columns;
  std::vector<bool> right;
  std::vector<std::vector<std::string>> rows;
};

std::size_t DisplayWidth(const std::string& s) {
  std::size_t n = 0;
  for (const char c : s) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

std::string CsvField(const std::string& s) {
  if (s.find_first_of(";\"\r\n") == std::string::npos) return s;
  std::string out = "\"";
  for (const char c : s) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

void PrintGrid(std::ostream& out, const Grid& grid, const std::string& format) {
  if (format == "json") {
    nlohmann::ordered_json j;
    j["title"] = grid.title;
    j["columns"] = grid.columns;
    j["rows"] = grid.rows;
    out << j.dump(2) << '\n';
    return;
  }
  if (format == "csv") {
    for (std::size_t i = 0; i < grid.columns.size(); ++i) out << (i ? ";" : "") << CsvField(grid.columns[i]);
    out << "\r\n";
    for (const auto& row : grid.rows) {
      for (std::size_t i = 0; i < row.size(); ++i) out << (i ? ";" : "") << CsvField(row[i]);
      out << "\r\n";
    }
    return;
  }
  std::vector<std::size_t> width(grid.columns.size(), 0);
  for (std::size_t i = 0; i < grid.columns.size(); ++i) width[i] = DisplayWidth(grid.columns[i]);
  for (const auto& row : grid.rows) {
    for (std::size_t i = 0; i < row.size() && i < width.size(); ++i)
      width[i] = std::max(width[i], DisplayWidth(row[i]));
  }
  const auto line = [&](const std::vector<std::string>& cells) {
    std::string text;
    for (std::size_t i = 0; i < cells.size(); ++i) {
      const std::string pad(width[i] - DisplayWidth(cells[i]), ' ');
      if (i) text += "  ";
      text += grid.right[i] ? pad + cells[i] : cells[i] + (i + 1 < cells.size() ? pad : std::string());
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    out << text << '\n';
  };
  out << grid.title << "\n\n";
  line(grid.columns);
  for (const auto& row : grid.rows) line(row);
}

Grid GridOf(const views::Table& table) {
  Grid grid;
  grid.title = table.title;
  std::vector<std::size_t> slots;
  for (std::size_t slot = 0; slot < table.Slots(); ++slot) {
    if (!table.Visible(slot)) continue;
    slots.push_back(slot);
    std::string caption = table.captions[slot];
    for (char& c : caption) {
      if (c == '\n') c = ' ';
    }
    grid.columns.push_back(caption);
    grid.right.push_back(table.rightAligned[slot]);
  }
  for (const auto& cells : table.cells) {
    std::vector<std::string> row;
    for (const std::size_t slot : slots) row.push_back(cells[slot]);
    grid.rows.push_back(std::move(row));
  }
  return grid;
}

// The table of a table mode with the window's days, after the options.
bool TableOf(const Context& ctx, const CKapibuchDoc& doc, const ViewOptions& o, views::Table& table) {
  views::FrameState frame;
  frame.SetDefaultDays(doc);
  CKBXDatum day, from, to;
  if (!o.day.empty() && !ParseDay(ctx, o.day, day)) return false;
  if (!o.from.empty() && !ParseDay(ctx, o.from, from)) return false;
  if (!o.to.empty() && !ParseDay(ctx, o.to, to)) return false;
  switch (o.mode) {
    case 1:
      if (!o.day.empty()) frame.holdingsDay = day;
      views::BuildHoldingsRows(frame.holdingsDay, frame.positions, doc,
                               doc.settings.holdings.mergePositions != 0);
      table = views::HoldingsTable(doc, frame.holdingsDay, frame.positions);
      return true;
    case 3:
      if (!o.from.empty()) frame.realisedStart = from;
      if (!o.to.empty()) frame.realisedEnd = to;
      views::BuildRealisedRows(frame.realisedStart, frame.realisedEnd, frame.realised, doc,
                               doc.settings.realised.mergePositions != 0);
      table = views::RealisedTable(doc, frame.realisedStart, frame.realisedEnd, frame.realised);
      return true;
    case 4:
      if (!o.from.empty()) frame.accountStart = from;
      if (!o.to.empty()) frame.accountEnd = to;
      views::BuildAccountRows(frame.accountStart, frame.accountEnd, frame.accountRows, doc);
      table = views::AccountTable(doc, frame.accountStart, frame.accountEnd, frame.accountRows);
      return true;
    default:
      ctx.err << "Die Ansicht " << o.mode << " wird von kapibuch-cli noch nicht unterstützt.\n";
      return false;
  }
}

// The window's days and choices for the command's mode, after the options.
struct Request {
  views::FrameState frame;
  std::vector<int> selection;
  int series = 0;
};

bool RequestOf(const Context& ctx, const CKapibuchDoc& doc, const ViewOptions& o, Request& r) {
  r.frame.SetDefaultDays(doc);
  CKBXDatum from, to;
  if (!o.from.empty() && !ParseDay(ctx, o.from, from)) return false;
  if (!o.to.empty() && !ParseDay(ctx, o.to, to)) return false;
  if (o.mode == 7) {
    CKBXDatum day;
    if (!o.day.empty() && !ParseDay(ctx, o.day, day)) return false;
    if (!o.day.empty()) r.frame.analysisDay = day;
    if (!o.from.empty()) r.frame.analysisStart = from;
  } else if (o.mode == 2) {
    if (!o.from.empty()) r.frame.developmentStart = from;
    if (!o.to.empty()) r.frame.developmentEnd = to;
  } else if (o.mode == 5) {
    if (!o.from.empty()) r.frame.portfolioChartStart = from;
    if (!o.to.empty()) r.frame.portfolioChartEnd = to;
  } else if (o.mode == 6) {
    if (!o.from.empty()) r.frame.securityChartStart = from;
    if (!o.to.empty()) r.frame.securityChartEnd = to;
  }
  const int seriesCount = o.mode == 6 ? 6 : 10;
  r.series = o.series < 0 ? 0 : o.series;
  if (r.series >= seriesCount) {
    ctx.err << "Die Datenreihe " << o.series << " gibt es in dieser Ansicht nicht (0 bis " << seriesCount - 1
            << ").\n";
    return false;
  }
  if (!o.select.empty()) {
    for (const std::string& item : SplitList(o.select)) {
      char* endPtr = nullptr;
      const long index = std::strtol(item.c_str(), &endPtr, 10);
      if (item.empty() || *endPtr != '\0' || index < 0 ||
          static_cast<std::size_t>(index) >= doc.Positions().size()) {
        ctx.err << "Die Position \"" << item << "\" gibt es nicht (0 bis " << doc.Positions().size() - 1
                << ").\n";
        return false;
      }
      r.selection.push_back(static_cast<int>(index));
    }
  }
  return true;
}

Grid DevelopmentGrid(const CKapibuchDoc& doc, CKBXDatum start, CKBXDatum end) {
  const views::DevelopmentModel model(doc, start, end);
  Grid grid;
  grid.title = "Depotentwicklung vom " + start.Format() + " bis " + end.Format();
  grid.columns.push_back("Datum");
  grid.right.push_back(false);
  std::vector<views::DevelopmentColumn> shown;
  for (int c = 0; c < 6; ++c) {
    const auto column = static_cast<views::DevelopmentColumn>(c);
    if (!model.ShowsSub(column)) continue;
    shown.push_back(column);
    const auto [line1, line2] = model.Caption(column);
    grid.columns.push_back(line1 + " " + line2);
    grid.right.push_back(true);
  }
  for (int k = 0; k < model.PositionColumns(); ++k) {
    grid.columns.push_back("Position " + std::to_string(k + 1) + " Kurs");
    grid.columns.push_back("Position " + std::to_string(k + 1) + " G/V");
    grid.right.push_back(true);
    grid.right.push_back(true);
  }
  const auto& positions = doc.Positions();
  for (int row = 0; row < model.Days(); ++row) {
    const CKBXDatum day(start.Day() + static_cast<std::uint32_t>(row));
    const views::DevelopmentDay values = model.Day(day);
    std::vector<std::string> cells = {day.Format()};
    for (const auto column : shown) cells.push_back(values.texts[static_cast<std::size_t>(column)]);
    std::vector<std::string> pairs(static_cast<std::size_t>(model.PositionColumns()) * 2);
    for (std::size_t i = 0; i < positions.size(); ++i) {
      const views::PositionSpan& span = model.Spans()[i];
      if (span.column < 0) continue;
      std::pair<std::string, std::string> texts;
      if (row == span.saleRow) {
        texts = model.SaleCells(i);
      } else if (row >= span.firstRow && row <= span.lastRow) {
        texts = model.PositionCells(i, day);
      } else {
        continue;
      }
      pairs[static_cast<std::size_t>(span.column) * 2] = model.Shows(0) ? texts.first : "";
      pairs[static_cast<std::size_t>(span.column) * 2 + 1] = model.Shows(1) ? texts.second : "";
    }
    cells.insert(cells.end(), pairs.begin(), pairs.end());
    grid.rows.push_back(std::move(cells));
  }
  return grid;
}

Grid AnalysisGrid(const CKapibuchDoc& doc, CKBXDatum day, CKBXDatum start) {
  std::vector<CKBXAktieImDepot> rows;
  views::AnalysisScales scales;
  views::BuildAnalysisRows(day, start, rows, doc, scales);
  Grid grid;
  grid.title = "Depotanalyse am " + day.Format() + " ab " + start.Format();
  grid.columns.push_back("");
  grid.right.push_back(false);
  const int decimals = views::ShareDecimals(rows);
  std::vector<std::array<std::string, 41>> cells;
  for (std::size_t k = 0; k + 1 < rows.size(); ++k) {
    grid.columns.push_back(std::to_string(k + 1));
    grid.right.push_back(true);
    cells.push_back(views::AnalysisCells(doc, rows[k], decimals));
  }
  const std::vector<std::string> labels = views::AnalysisLabels(doc, day, start);
  for (std::size_t r = 0; r < labels.size(); ++r) {
    if (labels[r].empty()) continue;
    std::vector<std::string> row = {labels[r]};
    for (const auto& c : cells) row.push_back(c[r]);
    grid.rows.push_back(std::move(row));
  }
  return grid;
}

Grid ChartGrid(const CKapibuchDoc& doc, const views::ChartData& chart) {
  Grid grid;
  grid.title = views::ChartTitle(doc, chart);
  grid.columns = {"Datum", views::UnitText(doc, chart.mode, chart.series, chart.axis), "Rohwert"};
  grid.right = {false, true, true};
  for (std::size_t i = 0; i < chart.values.size(); ++i) {
    const CKBXDatum day(chart.start.Day() + static_cast<std::uint32_t>(i));
    grid.rows.push_back(
        {day.Format(), views::TickLabel(chart.values[i], chart.axis), std::to_string(chart.values[i])});
  }
  return grid;
}

views::ChartData ChartOf(const CKapibuchDoc& doc, const ViewOptions& o, const Request& r) {
  platform::RecordingSurface measuring;
  const bool security = o.mode == 6;
  return views::BuildChart(
      measuring, doc, o.mode, security ? r.frame.securityChartStart : r.frame.portfolioChartStart,
      security ? r.frame.securityChartEnd : r.frame.portfolioChartEnd, r.series, r.selection);
}

int RunShow(const Context& ctx, const ViewOptions& o) {
  std::unique_ptr<CKapibuchDoc> doc;
  if (const int status = LoadDocument(ctx, o.file, doc); status != kOk) return status;
  if (o.mode == 2 || o.mode == 5 || o.mode == 6 || o.mode == 7) {
    Request r;
    if (!RequestOf(ctx, *doc, o, r)) return kRefused;
    const Grid grid = o.mode == 2   ? DevelopmentGrid(*doc, r.frame.developmentStart, r.frame.developmentEnd)
                      : o.mode == 7 ? AnalysisGrid(*doc, r.frame.analysisDay, r.frame.analysisStart)
                                    : ChartGrid(*doc, ChartOf(*doc, o, r));
    PrintGrid(ctx.out, grid, o.format);
    return kOk;
  }
  views::Table table;
  if (!TableOf(ctx, *doc, o, table)) return o.mode == 1 || o.mode == 3 || o.mode == 4 ? kRefused : kUsage;
  PrintGrid(ctx.out, GridOf(table), o.format);
  return kOk;
}

int RunRender(const Context& ctx, const ViewOptions& o) {
  std::unique_ptr<CKapibuchDoc> doc;
  if (const int status = LoadDocument(ctx, o.file, doc); status != kOk) return status;
  std::unique_ptr<views::PrintJob> job;
  if (o.mode == 2 || o.mode == 5 || o.mode == 6 || o.mode == 7) {
    Request r;
    if (!RequestOf(ctx, *doc, o, r)) return kRefused;
    if (o.mode == 7) {
      job = std::make_unique<views::AnalysisPrintJob>(*doc, r.frame.analysisDay, r.frame.analysisStart);
    } else if (o.mode == 2) {
      job = std::make_unique<views::DevelopmentPrintJob>(*doc, r.frame.developmentStart,
                                                         r.frame.developmentEnd);
    } else {
      const bool security = o.mode == 6;
      job = std::make_unique<views::ChartPrintJob>(
          *doc, o.mode, security ? r.frame.securityChartStart : r.frame.portfolioChartStart,
          security ? r.frame.securityChartEnd : r.frame.portfolioChartEnd, r.series, r.selection);
    }
  } else {
    views::Table table;
    if (!TableOf(ctx, *doc, o, table)) return o.mode == 1 || o.mode == 3 || o.mode == 4 ? kRefused : kUsage;
    job = std::make_unique<views::TablePrintJob>(std::move(table));
  }
  int pages = 0;
  switch (platform::RenderToFile(*job, o.output, o.page, &pages)) {
    case platform::RenderResult::Ok:
      return kOk;
    case platform::RenderResult::BadPage:
      ctx.err << "Seite " << o.page << " gibt es nicht; die Ansicht hat " << pages << " Seite(n).\n";
      return kUsage;
    case platform::RenderResult::CannotWrite:
      break;
  }
  ctx.err << "Datei kann nicht geöffnet werden!\n";
  return kUnwritable;
}

void AddViewOptions(CLI::App* cmd, ViewOptions& o) {
  cmd->add_option("FILE", o.file)->required();
  cmd->add_option("--mode", o.mode, "Ansicht 1 bis 7")->check(CLI::Range(1, 7));
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
