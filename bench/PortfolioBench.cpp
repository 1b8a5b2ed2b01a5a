// Speed of loading, saving and the daily series on a large portfolio (30 years).
#include <benchmark/benchmark.h>

#include "bench/PortfolioGenerator.h"
#include "model/KBXKursverlauf.h"
#include "platform/Clock.h"
#include "platform/RecordingSurface.h"
#include "priceio/FormatMatcher.h"
#include "views/AccountRow.h"
#include "views/Charts.h"
#include "views/DevelopmentView.h"
#include "views/HoldingsRow.h"
#include "views/RealisedRow.h"
#include "views/ReturnsMode.h"
#include "views/TableViews.h"
#include "views/YearlyMode.h"

namespace {

const platform::FixedClock& Clock() {
  static const platform::FixedClock c([] {
    CKBXDatum d;
    d.Set(31, 12, 2024);
    return d.ToTime();
  }());
  return c;
}

CKapibuchDoc& Portfolio() {
  static const std::unique_ptr<CKapibuchDoc> doc = GeneratePortfolio(Clock());
  return *doc;
}

const std::vector<std::uint8_t>& FileBytes() {
  static const std::vector<std::uint8_t> bytes = Portfolio().Serialize();
  return bytes;
}

void BM_Generate(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(GeneratePortfolio(Clock()));
}
BENCHMARK(BM_Generate)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Save(benchmark::State& state) {
  CKapibuchDoc& doc = Portfolio();
  std::size_t size = 0;
  for (auto _ : state) {
    const auto bytes = doc.Serialize();
    size = bytes.size();
    benchmark::DoNotOptimize(bytes.data());
  }
  state.counters["bytes"] = static_cast<double>(size);
  state.counters["prices"] = [&] {
    double n = 0;
    for (const auto& h : doc.Histories()) n += static_cast<double>(h->Points().size());
    return n;
  }();
  state.counters["positions"] = static_cast<double>(doc.Positions().size());
  state.counters["transactions"] = static_cast<double>(doc.Account().Transactions().size());
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

void BM_Load(benchmark::State& state) {
  const auto& bytes = FileBytes();
  for (auto _ : state) benchmark::DoNotOptimize(CKapibuchDoc::Deserialize(bytes, Clock()));
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

// Builds the series for 30 years and reads every day of it, as the development view does.
void BM_ValueSeries30Years(benchmark::State& state) {
  CKapibuchDoc& doc = Portfolio();
  const CKBXDatum start = doc.Account().StartDay();
  const CKBXDatum end = CKBXDatum::Today(Clock());
  for (auto _ : state) {
    doc.ClearSeriesCaches();
    std::int64_t sum = 0;
    for (std::uint32_t d = start.Day(); d <= end.Day(); ++d) sum += doc.ValueOn(CKBXDatum(d), start, end);
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_ValueSeries30Years)->Unit(benchmark::kMillisecond);

void BM_InvestedSeries30Years(benchmark::State& state) {
  CKapibuchDoc& doc = Portfolio();
  const CKBXDatum start = doc.Account().StartDay();
  const CKBXDatum end = CKBXDatum::Today(Clock());
  const auto kind = static_cast<InvestedKind>(state.range(0));
  for (auto _ : state) {
    doc.ClearSeriesCaches();
    std::int64_t sum = 0;
    for (std::uint32_t d = start.Day(); d <= end.Day(); ++d) {
      sum += doc.InvestedOn(kind, kDm, CKBXDatum(d), start, end);
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_InvestedSeries30Years)
    ->Arg(static_cast<int>(InvestedKind::PurchaseCost))
    ->Arg(static_cast<int>(InvestedKind::PurchaseValue))
    ->Unit(benchmark::kMillisecond);

void BM_AccountSeries30Years(benchmark::State& state) {
  CKapibuchDoc& doc = Portfolio();
  const CKBXDatum start = doc.Account().StartDay();
  const CKBXDatum end = CKBXDatum::Today(Clock());
  for (auto _ : state) {
    doc.Account().ClearCaches();
    std::int64_t sum = 0;
    for (std::uint32_t d = start.Day(); d <= end.Day(); ++d) {
      sum += doc.Account().BalanceOn(CKBXDatum(d), kEur) + doc.Account().CapitalOn(CKBXDatum(d), kEur);
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_AccountSeries30Years)->Unit(benchmark::kMillisecond);

// Importing a text file of 100,000 price lines with the first predefined description.
void BM_Import100000Lines(benchmark::State& state) {
  std::string text;
  CKBXDatum day;
  day.Set(2, 1, 1970);
  for (int i = 0; i < 100000; ++i) {
    text += CKBXDatum(day.Day() + static_cast<std::uint32_t>(i % 24000)).Format() + "\t" +
            std::to_string(1000 + i % 977) + "," + std::to_string(10 + i % 90) + "\r\n";
  }
  const char* description = priceio::PredefinedDescriptions()[0].description;
  std::size_t found = 0;
  for (auto _ : state) {
    CKBXKursverlauf result("x", "y");
    priceio::CFormatMatcher matcher(result, nullptr);
    matcher.Run(text, description);
    found = result.Points().size();
  }
  state.counters["prices"] = static_cast<double>(found);
  state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_Import100000Lines)->Unit(benchmark::kMillisecond);

// Rebuilding and measuring the three table views on the large portfolio, as after every
// change of the document (the recording surface measures by a fixed rule).
void BM_HoldingsRebuildAndMeasure(benchmark::State& state) {
  CKapibuchDoc& doc = Portfolio();
  doc.settings.holdings.mergePositions = static_cast<std::int32_t>(state.range(0));
  const CKBXDatum day = CKBXDatum::Today(Clock());
  std::vector<HoldingsRow> rows;
  for (auto _ : state) {
    platform::RecordingSurface surface;
    views::BuildHoldingsRows(day, rows, doc, state.range(0) != 0);
    benchmark::DoNotOptimize(views::MeasureHoldingsColumns(surface, doc, day, rows));
  }
  state.counters["rows"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_HoldingsRebuildAndMeasure)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_RealisedRebuildAndMeasure(benchmark::State& state) {
  CKapibuchDoc& doc = Portfolio();
  const CKBXDatum start = doc.Account().StartDay();
  const CKBXDatum end = CKBXDatum::Today(Clock());
  std::vector<RealisedRow> rows;
  for (auto _ : state) {
    platform::RecordingSurface surface;
    views::BuildRealisedRows(start, end, rows, doc, false);
    benchmark::DoNotOptimize(views::MeasureRealisedColumns(surface, doc, start, end, rows));
  }
  state.counters["rows"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_RealisedRebuildAndMeasure)->Unit(benchmark::kMillisecond);

void BM_AccountRebuildAndMeasure(benchmark::State& state) {
  CKapibuchDoc& doc = Portfolio();
  const CKBXDatum start = doc.Account().StartDay();
  const CKBXDatum end = CKBXDatum::Today(Clock());
  std::vector<AccountRow> rows;
  for (auto _ : state) {
    platform::RecordingSurface surface;
    views::BuildAccountRows(start, end, rows, doc);
    benchmark::DoNotOptimize(views::MeasureAccountColumns(surface, doc, rows));
  }
  state.counters["rows"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_AccountRebuildAndMeasure)->Unit(benchmark::kMillisecond);

// Measuring the development view over the whole 30 years (every day, every position).
void BM_DevelopmentMeasure30Years(benchmark::State& state) {
  CKapibuchDoc& doc = Portfolio();
  const CKBXDatum start = doc.Account().StartDay();
  const CKBXDatum end = CKBXDatum::Today(Clock());
  for (auto _ : state) {
    doc.ClearSeriesCaches();
    views::DevelopmentModel model(doc, start, end);
    platform::RecordingSurface surface;
    benchmark::DoNotOptimize(views::MeasureDevelopmentColumns(surface, model));
  }
}
BENCHMARK(BM_DevelopmentMeasure30Years)->Unit(benchmark::kMillisecond);

void BM_PortfolioSeries30Years(benchmark::State& state) {
  CKapibuchDoc& doc = Portfolio();
  const CKBXDatum start = doc.Account().StartDay();
  const CKBXDatum end = CKBXDatum::Today(Clock());
  std::vector<std::int64_t> values;
  views::ChartAxis axis;
  for (auto _ : state) {
    doc.ClearSeriesCaches();
    doc.Account().ClearCaches();
    views::BuildPortfolioSeries(start, end, values, doc, static_cast<int>(state.range(0)), axis);
  }
}
BENCHMARK(BM_PortfolioSeries30Years)->DenseRange(0, 9)->Unit(benchmark::kMillisecond);

void BM_SecuritySeries30Years(benchmark::State& state) {
  CKapibuchDoc& doc = Portfolio();
  const CKBXDatum start = doc.Account().StartDay();
  const CKBXDatum end = CKBXDatum::Today(Clock());
  std::vector<int> selection;
  for (int i = 0; i < 20; ++i) selection.push_back(i * 50);
  std::vector<std::int64_t> values;
  views::ChartAxis axis;
  for (auto _ : state)
    views::BuildSecuritySeries(start, end, values, doc, static_cast<int>(state.range(0)), axis, selection);
}
BENCHMARK(BM_SecuritySeries30Years)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// The returns view over the whole 30 years: every security's daily values, the rates of
// each row, the table and its columns, as after every change of the document.
void BM_ReturnsView30Years(benchmark::State& state) {
  CKapibuchDoc& doc = Portfolio();
  views::FrameState frame;
  frame.SetDefaultDays(doc);
  frame.mode = views::ViewMode::Returns;
  frame.Days() = {doc.Account().StartDay(), CKBXDatum::Today(Clock())};
  views::ReturnsMode view(doc);
  for (auto _ : state) {
    doc.Account().ClearCaches();
    platform::RecordingSurface surface;
    view.Build(frame);
    view.Measure(surface);
  }
  state.counters["rows"] = static_cast<double>(view.Rows().size());
}
BENCHMARK(BM_ReturnsView30Years)->Unit(benchmark::kMillisecond);

// The whole portfolio's series, and the time-weighted rate of each of the 30 years.
void BM_YearlyWealthRates30Years(benchmark::State& state) {
  CKapibuchDoc& doc = Portfolio();
  const CKBXDatum start = doc.Account().StartDay();
  const CKBXDatum end = CKBXDatum::Today(Clock());
  int first = 0, last = 0, d = 0, m = 0;
  start.Split(d, m, first);
  end.Split(d, m, last);
  for (auto _ : state) {
    doc.Account().ClearCaches();
    const views::PortfolioReturns whole = views::BuildPortfolioReturns(doc, start, end);
    double sum = 0;
    for (int year = first; year <= last; ++year) {
      CKBXDatum from, to;
      from.Set(1, 1, year);
      to.Set(31, 12, year);
      sum += whole.wealth.TimeWeighted(std::max(from, start), std::min(to, end)).value_or(0);
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_YearlyWealthRates30Years)->Unit(benchmark::kMillisecond);

// The yearly overview of all 30 years: the realised gains and movements of every year, the
// daily wealth, each year's rate, the table and the chart measured, as after every change.
void BM_YearlyOverview30Years(benchmark::State& state) {
  CKapibuchDoc& doc = Portfolio();
  views::FrameState frame;
  frame.SetDefaultDays(doc);
  frame.mode = views::ViewMode::Yearly;
  views::YearlyMode view(doc);
  for (auto _ : state) {
    doc.Account().ClearCaches();
    platform::RecordingSurface surface;
    view.Build(frame);
    view.Measure(surface);
  }
  state.counters["years"] = static_cast<double>(view.Overview().years.size());
}
BENCHMARK(BM_YearlyOverview30Years)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
