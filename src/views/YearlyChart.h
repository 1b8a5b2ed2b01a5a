#pragma once
// The bar chart under the yearly overview: one group of four bars per year (income, realised
// gains, costs, taxes) on a common value axis, with a legend. It takes its size, font and
// colours from the portfolio chart's settings: the income bars in that chart's line colour,
// the realised gains in the security chart's (or the next free colour where both are the
// same), costs and taxes in further palette colours; on paper in shades of grey when the
// chart prints in black and white. Year labels that would run into each other are thinned
// to every 2nd, 5th, 10th, 20th or 50th year; the legend breaks into further lines rather
// than overlap.

#include <array>
#include <string>
#include <vector>

#include "document/KapibuchDoc.h"
#include "platform/Surface.h"
#include "views/Charts.h"
#include "views/YearlyModel.h"

namespace views {

class YearlyChart {
 public:
  static constexpr std::size_t kBars = 4;

  // The bars of the years of an overview (the sums row is not drawn).
  void Build(const CKapibuchDoc& doc, const YearlyOverview& overview);
  // Scales the value axis and places the labels for this surface's fonts.
  void Measure(platform::Surface& surface);
  // Width and height of the chart (tenths of a millimetre).
  platform::Size Size() const;
  // Draws the chart with its top-left corner at (left, top).
  void Draw(platform::Surface& surface, int left, int top) const;

  const ChartAxis& Axis() const { return m_axis; }
  // Every how many years a year is labelled; the number of legend lines.
  int YearStep() const { return m_yearStep; }
  int LegendLines() const { return m_legendLines; }
  // The bar colours on this surface (paper in black and white gets greys).
  std::array<platform::Color, kBars> Colours(const platform::Surface& surface) const;
  static const std::array<const char*, kBars>& LegendTexts();

 private:
  struct Group {
    int year = 0;
    std::array<std::int64_t, kBars> values{};
  };
  // The plot's rectangle within the chart at (left, top).
  platform::Rect PlotRect(int left, int top) const;
  int LegendHeight() const;

  const CKapibuchDoc* m_doc = nullptr;
  ChartSettings m_settings;
  platform::Color m_secondColour = 0;
  std::string m_title;
  int m_titleFontHeight = 0;
  std::vector<Group> m_groups;
  ChartAxis m_axis;
  int m_yearStep = 1;
  int m_legendLines = 1;
  std::vector<int> m_legendWidths;  // per entry: swatch, gap and text
};

}  // namespace views
