#include "cli/GridFormats.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>
#include <type_traits>
#include <variant>
#include <vector>

namespace cli {

namespace {

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

// `;` separated, fields quoted when they need it, lines ended by CR LF.
class CsvSink : public views::GridSink {
 public:
  explicit CsvSink(std::ostream& out) : m_out(out) {}
  void Begin(const std::string&, const std::vector<views::GridColumn>& columns) override {
    for (std::size_t i = 0; i < columns.size(); ++i) m_out << (i ? ";" : "") << CsvField(columns[i].caption);
    m_out << "\r\n";
  }
  void Row(const std::vector<std::string>& cells) override {
    for (std::size_t i = 0; i < cells.size(); ++i) m_out << (i ? ";" : "") << CsvField(cells[i]);
    m_out << "\r\n";
  }

 private:
  std::ostream& m_out;
};

// {"title": ..., "columns": [...], "rows": [[...], ...]}, indented by two as a JSON library
// would print the whole object.
class JsonSink : public views::GridSink {
 public:
  explicit JsonSink(std::ostream& out) : m_out(out) {}
  void Begin(const std::string& title, const std::vector<views::GridColumn>& columns) override {
    m_out << "{\n  \"title\": " << Quoted(title) << ",\n  \"columns\": ";
    std::vector<std::string> captions;
    for (const auto& c : columns) captions.push_back(Quoted(c.caption));
    Array(m_out, captions, "  ");
    m_out << ",\n  \"rows\": [";
  }
  void Row(const std::vector<std::string>& cells) override {
    m_out << (m_rows++ ? ",\n    " : "\n    ");
    std::vector<std::string> items;
    for (const std::string& cell : cells) items.push_back(Quoted(cell));
    Array(m_out, items, "    ");
  }
  // The figures follow the rows as "values", an array parallel to "rows".
  void RowWithValues(const std::vector<std::string>& cells,
                     const std::vector<views::GridValue>& values) override {
    Row(cells);
    std::vector<std::string> items;
    for (const views::GridValue& value : values) items.push_back(Number(value));
    m_values << (m_valueRows++ ? ",\n    " : "\n    ");
    Array(m_values, items, "    ");
  }
  void End() override {
    m_out << (m_rows ? "\n  ]" : "]");
    if (m_valueRows) m_out << ",\n  \"values\": [" << m_values.str() << "\n  ]";
    m_out << "\n}\n";
  }

 private:
  static std::string Quoted(const std::string& s) { return nlohmann::json(s).dump(); }
  // null, a whole number, a fraction in full precision, or the text.
  static std::string Number(const views::GridValue& value) {
    return std::visit(
        [](const auto& v) -> std::string {
          using T = std::decay_t<decltype(v)>;
          if constexpr (std::is_same_v<T, std::monostate>) {
            return "null";
          } else {
            return nlohmann::json(v).dump();
          }
        },
        value);
  }
  // Items already in JSON form.
  static void Array(std::ostream& out, const std::vector<std::string>& items, const char* indent) {
    if (items.empty()) {
      out << "[]";
      return;
    }
    out << "[";
    for (std::size_t i = 0; i < items.size(); ++i) out << (i ? ",\n" : "\n") << indent << "  " << items[i];
    out << "\n" << indent << "]";
  }
  std::ostream& m_out;
  std::size_t m_rows = 0;
  std::ostringstream m_values;
  std::size_t m_valueRows = 0;
};

// Aligned columns: the first pass keeps the widths, the second prints.
class TextWidths : public views::GridSink {
 public:
  void Begin(const std::string&, const std::vector<views::GridColumn>& columns) override {
    width.assign(columns.size(), 0);
    for (std::size_t i = 0; i < columns.size(); ++i) width[i] = DisplayWidth(columns[i].caption);
  }
  void Row(const std::vector<std::string>& cells) override {
    for (std::size_t i = 0; i < cells.size() && i < width.size(); ++i)
      width[i] = std::max(width[i], DisplayWidth(cells[i]));
  }
  std::vector<std::size_t> width;
};

class TextSink : public views::GridSink {
 public:
  TextSink(std::ostream& out, std::vector<std::size_t> width) : m_out(out), m_width(std::move(width)) {}
  void Begin(const std::string& title, const std::vector<views::GridColumn>& columns) override {
    m_right.clear();
    std::vector<std::string> captions;
    for (const auto& c : columns) {
      captions.push_back(c.caption);
      m_right.push_back(c.right);
    }
    m_out << title << "\n\n";
    Row(captions);
  }
  void Row(const std::vector<std::string>& cells) override {
    m_line.clear();
    for (std::size_t i = 0; i < cells.size(); ++i) {
      const std::string pad(m_width[i] - DisplayWidth(cells[i]), ' ');
      if (i) m_line += "  ";
      if (m_right[i]) {
        m_line += pad;
        m_line += cells[i];
      } else {
        m_line += cells[i];
        if (i + 1 < cells.size()) m_line += pad;
      }
    }
    while (!m_line.empty() && m_line.back() == ' ') m_line.pop_back();
    m_out << m_line << '\n';
  }

 private:
  std::ostream& m_out;
  std::vector<std::size_t> m_width;
  std::vector<bool> m_right;
  std::string m_line;
};

}  // namespace

void PrintGrid(const views::ModeView& view, std::ostream& out, const std::string& format) {
  if (format == "json") {
    JsonSink sink(out);
    view.WriteGrid(sink);
  } else if (format == "csv") {
    CsvSink sink(out);
    view.WriteGrid(sink);
  } else {
    TextWidths widths;
    view.WriteGrid(widths);
    TextSink sink(out, std::move(widths.width));
    view.WriteGrid(sink);
  }
}

}  // namespace cli
