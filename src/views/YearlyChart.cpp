#include "views/YearlyChart.h"

#include <algorithm>

#include "views/Table.h"
#include "views/TitleText.h"

namespace views {

using platform::Color;
using platform::Rect;
using platform::Rgb;

namespace {

// Further bar colours, in the order they are taken where the chart settings leave a bar
// without a colour of its own; all from the drawing palette.
constexpr std::array<Color, 7> kFurtherColours = {Rgb(0, 0, 192),   Rgb(255, 128, 0), Rgb(0, 192, 192),
                                                  Rgb(192, 0, 192), Rgb(0, 255, 0),   Rgb(128, 128, 128),
                                                  Rgb(255, 0, 0)};
// Black-and-white paper: four shades of grey, each bar outlined in black.
constexpr std::array<Color, 4> kGreys = {Rgb(0, 0, 0), Rgb(128, 128, 128), Rgb(205, 205, 205),
                                         Rgb(255, 255, 255)};

}  // namespace

const std::array<const char*, YearlyChart::kBars>& YearlyChart::LegendTexts() {
  static const std::array<const char*, kBars> texts = {"Erträge", "Realisierte G/V", "Kosten", "Steuern"};
  return texts;
}

void YearlyChart::Build(const CKapibuchDoc& doc, const YearlyOverview& overview) {
  m_doc = &doc;
  m_settings = doc.settings.portfolioChart;
  m_secondColour = static_cast<Color>(doc.settings.securityChart.lineColour);
  m_groups.clear();
  for (const YearlyRow& row : overview.years)
    m_groups.push_back({row.year, {row.Income(), row.realised, row.costs, row.taxes}});
  const int first = overview.years.empty() ? 0 : overview.years.front().year;
  const int last = overview.years.empty() ? 0 : overview.years.back().year;
  m_title = "Erträge, realisierte G/V, Kosten und Steuern " + std::to_string(first) + " bis " +
            std::to_string(last);
}

std::array<Color, YearlyChart::kBars> YearlyChart::Colours(const platform::Surface& surface) const {
  if (surface.IsPrinting() && m_settings.blackAndWhite) return kGreys;
  std::array<Color, kBars> colours{};
  std::size_t taken = 0;
  const auto take = [&](Color c) {
    if (taken < kBars && std::find(colours.begin(), colours.begin() + taken, c) == colours.begin() + taken)
      colours[taken++] = c;
  };
  take(platform::NearestPaletteColor(static_cast<Color>(m_settings.lineColour)));
  take(platform::NearestPaletteColor(m_secondColour));
  for (const Color c : kFurtherColours) take(c);
  return colours;
}

int YearlyChart::LegendHeight() const {
  return m_legendLines * (m_settings.fontHeight + m_settings.textSpacing) + m_settings.textSpacing;
}

Rect YearlyChart::PlotRect(int left, int top) const {
  const ChartSettings& s = m_settings;
  const int labels = std::max(m_axis.tickLabelWidth, m_axis.unitLabelWidth);
  return {left, top - s.titleHeight - LegendHeight(), left + s.width - labels, top - s.height + s.fontHeight};
}

void YearlyChart::Measure(platform::Surface& surface) {
  const ChartSettings& s = m_settings;
  const int f = s.fontHeight, g = s.textSpacing;
  surface.SetFont({s.fontName, f, 400, 0});

  // The legend: entries side by side, a new line where the next would not fit.
  m_legendWidths.clear();
  m_legendLines = 1;
  int x = g;
  for (const char* text : LegendTexts()) {
    const int width = f + g + surface.TextExtent(text).cx;
    m_legendWidths.push_back(width);
    if (x > g && x + width > s.width - g) {
      ++m_legendLines;
      x = g;
    }
    x += width + 3 * g;
  }

  // The value axis, with 0 always on it: a bar starts at 0.
  std::vector<std::int64_t> values = {0};
  for (const Group& group : m_groups) values.insert(values.end(), group.values.begin(), group.values.end());
  const int plotHeight = s.height - s.titleHeight - LegendHeight() - f;
  ScaleChartAxis(values, std::max(1, plotHeight / std::max(1, 2 * f)), m_axis);
  m_axis.percent = false;
  m_axis.divisor = m_axis.step % 100 == 0 ? 100 : 1;
  m_axis.unitLabelWidth = surface.TextExtent("EUR").cx + 2 * g;
  int widest = 0;
  for (std::int64_t v = m_axis.minimum; v <= m_axis.maximum; v += m_axis.step)
    widest = std::max(widest, surface.TextExtent(TickLabel(v, m_axis)).cx);
  m_axis.tickLabelWidth = widest + 2 * g;

  // Year labels: every year, or every 2nd, 5th ... year, whatever leaves room between them.
  const Rect plot = PlotRect(0, 0);
  const std::int64_t groups = std::max<std::int64_t>(1, static_cast<std::int64_t>(m_groups.size()));
  const std::int64_t yearWidth = surface.TextExtent("8888").cx + 2 * g;
  for (const int step : {1, 2, 5, 10, 20, 50}) {
    m_yearStep = step;
    if (static_cast<std::int64_t>(plot.right - plot.left) * step >= yearWidth * groups) break;
  }

  // The title in the title font, or in the labels' font where it would be cut (and smaller
  // still, or wrapped, where it does not fit that either).
  surface.SetFont({s.fontName, s.titleHeight, 400, 0});
  m_titleFontHeight = surface.TextExtent(m_title).cx <= plot.right - plot.left - 2 * g ? s.titleHeight : f;
}

platform::Size YearlyChart::Size() const {
  return {m_settings.width, m_settings.height};
}

void YearlyChart::Draw(platform::Surface& surface, int left, int top) const {
  const ChartSettings& s = m_settings;
  const bool printing = surface.IsPrinting();
  const Color background = printing && s.blackAndWhite ? Rgb(255, 255, 255) : Rgb(240, 240, 240);
  const Color grid = printing ? Rgb(0, 0, 0) : Rgb(192, 192, 192);
  const Color frame = printing ? Rgb(0, 0, 0) : Rgb(128, 128, 128);
  const int f = s.fontHeight, g = s.textSpacing;
  const Rect plot = PlotRect(left, top);
  const Rect titleBand{left, top, plot.right, top - s.titleHeight};
  const Rect legendBand{left, titleBand.bottom, plot.right, plot.top};
  const Rect labelColumn{plot.right, top, left + s.width, top - s.height};
  const Rect yearRow{left, plot.bottom, plot.right, top - s.height};
  for (const Rect& band : {titleBand, legendBand, labelColumn, yearRow})
    surface.FillRect(band, background, background);

  const platform::Font titleFont{s.fontName, m_titleFontHeight, 400, 0};
  surface.SetFont(titleFont);
  DrawTitle(surface, titleFont, {titleBand.left + g, titleBand.top, titleBand.right - g, titleBand.bottom},
            m_title, platform::kAlignLeft | platform::kSingleLine);

  // The legend.
  surface.SetFont({s.fontName, f, 400, 0});
  const std::array<Color, kBars> colours = Colours(surface);
  const Color border = printing ? Rgb(0, 0, 0) : frame;
  int x = legendBand.left + g;
  int lineTop = legendBand.top - g;
  for (std::size_t i = 0; i < kBars; ++i) {
    const int width = i < m_legendWidths.size() ? m_legendWidths[i] : f;
    if (x > legendBand.left + g && x + width > left + s.width - g) {
      x = legendBand.left + g;
      lineTop -= f + g;
    }
    surface.FillRect({x, lineTop, x + f, lineTop - f}, colours[i], border);
    surface.DrawText({x + f + g, lineTop, x + width, lineTop - f}, LegendTexts()[i],
                     platform::kAlignLeft | platform::kSingleLine | platform::kNoClip);
    x += width + 3 * g;
  }

  // The value axis and its grid.
  const int plotHeight = plot.top - plot.bottom;
  const auto yOf = [&](std::int64_t v) {
    const std::int64_t range = std::max<std::int64_t>(1, m_axis.maximum - m_axis.minimum);
    return plot.bottom + static_cast<int>((v - m_axis.minimum) * plotHeight / range);
  };
  surface.DrawText({plot.right + g, top, left + s.width - g, top - f}, "EUR",
                   platform::kAlignRight | platform::kSingleLine);
  for (std::int64_t v = m_axis.minimum; v <= m_axis.maximum; v += m_axis.step) {
    const int y = yOf(v);
    if (v > m_axis.minimum && v < m_axis.maximum) surface.Line(plot.left, y, plot.right, y, grid, 0);
    if (v < m_axis.maximum) {
      surface.DrawText({plot.right + g, y + f / 2, left + s.width - g, y + f / 2 - f}, TickLabel(v, m_axis),
                       platform::kAlignRight | platform::kSingleLine);
    }
  }

  // The bars: each year's group takes the middle four fifths of its share of the plot.
  const int count = static_cast<int>(m_groups.size());
  const int zero = yOf(0);
  for (int i = 0; i < count; ++i) {
    const int groupLeft =
        plot.left + static_cast<int>(static_cast<std::int64_t>(i) * (plot.right - plot.left) / count);
    const int groupRight =
        plot.left + static_cast<int>(static_cast<std::int64_t>(i + 1) * (plot.right - plot.left) / count);
    const int groupWidth = groupRight - groupLeft;
    const int barWidth = std::max(1, groupWidth * 8 / 10 / static_cast<int>(kBars));
    const int barsLeft = groupLeft + (groupWidth - barWidth * static_cast<int>(kBars)) / 2;
    const Group& group = m_groups[static_cast<std::size_t>(i)];
    for (std::size_t k = 0; k < kBars; ++k) {
      if (group.values[k] == 0) continue;
      const int x0 = barsLeft + static_cast<int>(k) * barWidth;
      const int y = yOf(group.values[k]);
      surface.FillRect({x0, std::max(y, zero), x0 + barWidth, std::min(y, zero)}, colours[k], border);
    }
    // The year under its group, where its turn has come; never wider than its share.
    if (group.year % m_yearStep != 0 && m_yearStep > 1) continue;
    const int centre = (groupLeft + groupRight) / 2;
    const int half = groupWidth * m_yearStep / 2;
    const Rect label{std::max(plot.left, centre - half), yearRow.top, std::min(plot.right, centre + half),
                     yearRow.top - f};
    const std::string text = std::to_string(group.year);
    if (surface.TextExtent(text).cx > label.right - label.left) continue;
    surface.DrawText(label, text, platform::kAlignCenter | platform::kSingleLine);
  }
  if (zero > plot.bottom && zero < plot.top) surface.Line(plot.left, zero, plot.right, zero, frame, 0);

  for (const Rect& band : {plot, titleBand, legendBand, labelColumn, yearRow})
    DrawOutline(surface, band, frame, 0);
}

}  // namespace views
