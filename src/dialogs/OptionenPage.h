#pragma once
// One page of the options sheet, built row by row: each control is bound to its setting in
// the sheet's copy of the display options and writes it as it changes.

#include <QString>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "document/Settings.h"
#include "model/KBXDatum.h"
#include "platform/Clock.h"

class QFormLayout;
class QTabWidget;
class QWidget;

namespace dialogs {

class OptionenPage {
 public:
  // Adds the page as a tab.
  OptionenPage(QTabWidget& tabs, const char* caption);
  QFormLayout& Layout() { return *m_layout; }

  // The rows added until EndGroup() go into a box with this caption.
  void BeginGroup(const char* caption);
  void EndGroup();

  // A length in tenths of a millimetre, typed in centimetres and clamped to the range.
  void Length(const char* caption, std::int32_t& value, int minimum, int maximum);
  void Text(const char* caption, std::string& value);
  // A font face; only choosing an entry changes it, so an uninstalled face is kept (the
  // list shows the face that draws in its place).
  void Font(const char* caption, std::string& value);
  void Check(const char* caption, std::int32_t& value);
  void Bit(const char* caption, std::int32_t& flags, int bit);
  // A column check box with its currency pair ("EUR", "DM") beside it.
  void BitWithCurrency(const char* caption, std::int32_t& flags, int bit, std::int32_t& currency);
  // Radio buttons for the values 0, 1, ... in a row.
  void Choice(const char* caption, std::initializer_list<const char*> labels, std::int32_t& value);
  void List(const char* caption, std::initializer_list<const char*> entries, std::int32_t& value);
  void Number(const char* caption, std::int32_t& value, int minimum, int maximum);
  // The clock gives the year of a day typed without one.
  void Day(CKBXDatum& value, const platform::Clock& clock);
  void Margins(::Margins& margins, bool withRightBottom = true);
  // The box "Druckoptionen/Seitenränder" of a table page: margins and grid lines.
  void PrintOptions(::Margins& margins, std::int32_t& gridLinesOnly);
  void Colour(const char* caption, std::int32_t& value);

  // The rows that several pages share: a table's layout, a gains table's sort order and
  // margins, its columns (with the currency index of each amount column, -1: none), and a
  // chart's layout and options.
  void TableLayout(TableSettings& table);
  void SortAndMargins(TableSettings& table, std::initializer_list<const char*> sortKeys);
  template <std::size_t N>
  void Columns(TableSettings& table, const char* const (&columns)[N], const int (&currency)[N]) {
    Columns(table, columns, currency, N);
  }
  void Chart(ChartSettings& chart, bool portfolio);

 private:
  QWidget* Radios(std::initializer_list<const char*> labels, std::int32_t& value);
  void Columns(TableSettings& table, const char* const* columns, const int* currency, std::size_t count);

  QWidget* m_widget;
  QFormLayout* m_page;    // the page's own rows
  QFormLayout* m_layout;  // where rows go now: the page or a group
};

}  // namespace dialogs
