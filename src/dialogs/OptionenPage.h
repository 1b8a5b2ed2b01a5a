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

class QFormLayout;
class QTabWidget;
class QWidget;

namespace dialogs {

class OptionenPage {
 public:
  // Adds the page as a tab.
  OptionenPage(QTabWidget& tabs, const char* caption);
  QFormLayout& Layout() { return *m_layout; }

  // A length in tenths of a millimetre, typed in centimetres and clamped to the range.
  void Length(const char* caption, std::int32_t& value, int minimum, int maximum);
  void Text(const char* caption, std::string& value);
  // A font face; only choosing an entry changes it, so an uninstalled face is kept.
  void Font(const char* caption, std::string& value);
  void Check(const char* caption, std::int32_t& value);
  void Bit(const char* caption, std::int32_t& flags, int bit);
  // A column check box with its currency pair ("EUR", "DM") beside it.
  void BitWithCurrency(const char* caption, std::int32_t& flags, int bit, std::int32_t& currency);
  // Radio buttons for the values 0, 1, ... in a row.
  void Choice(const char* caption, std::initializer_list<const char*> labels, std::int32_t& value);
  void List(const char* caption, std::initializer_list<const char*> entries, std::int32_t& value);
  void Number(const char* caption, std::int32_t& value, int minimum, int maximum);
  void Day(CKBXDatum& value);
  void Margins(::Margins& margins, bool withRightBottom = true);
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
  QFormLayout* m_layout;
};

}  // namespace dialogs
