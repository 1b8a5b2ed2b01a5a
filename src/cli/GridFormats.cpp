#include "cli/GridFormats.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <ostream>
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

// Collects what a sink prints and hands it to the stream in large pieces: a long period
// has millions of cells, and a stream call per cell would cost more than making them.
class Output {
 public:
  explicit Output(std::ostream& out) : m_out(out) { m_buffer.reserve(kChunk + 4096); }
  ~Output() { Flush(); }
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;

  std::string& Text() { return m_buffer; }
  // After each row: writes when a chunk is full.
  void RowDone() {
    if (m_buffer.size() >= kChunk) Flush();
  }
  void Flush() {
    if (m_buffer.empty()) return;
    m_out.write(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
    m_buffer.clear();
  }

 private:
  static constexpr std::size_t kChunk = 1 << 16;
  std::ostream& m_out;
  std::string m_buffer;
};

void AppendCsvField(std::string& out, const std::string& s) {
  if (s.find_first_of(";\"\r\n") == std::string::npos) {
    out += s;
    return;
  }
  out += '"';
  for (const char c : s) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

// `;` separated, fields quoted when they need it, lines ended by CR LF.
class CsvSink : public views::GridSink {
 public:
  explicit CsvSink(std::ostream& out) : m_out(out) {}
  void Begin(const std::string&, const std::vector<views::GridColumn>& columns) override {
    std::vector<std::string> captions;
    for (const auto& c : columns) captions.push_back(c.caption);
    Row(captions);
  }
  void Row(const std::vector<std::string>& cells) override {
    std::string& text = m_out.Text();
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (i) text += ';';
      AppendCsvField(text, cells[i]);
    }
    text += "\r\n";
    m_out.RowDone();
  }
  void End() override { m_out.Flush(); }

 private:
  Output m_out;
};

// A JSON string as a JSON library prints it (texts are UTF-8; control characters escaped).
void AppendQuoted(std::string& out, const std::string& s) {
  const bool plain = std::all_of(s.begin(), s.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x20 && u < 0x80 && c != '"' && c != '\\';
  });
  if (!plain) {
    out += nlohmann::json(s).dump();
    return;
  }
  out += '"';
  out += s;
  out += '"';
}

// {"title": ..., "columns": [...], "rows": [[...], ...]}, indented by two as a JSON library
// would print the whole object.
class JsonSink : public views::GridSink {
 public:
  explicit JsonSink(std::ostream& out) : m_out(out) {}
  void Begin(const std::string& title, const std::vector<views::GridColumn>& columns) override {
    std::string& text = m_out.Text();
    text += "{\n  \"title\": ";
    AppendQuoted(text, title);
    text += ",\n  \"columns\": ";
    std::vector<std::string> captions;
    for (const auto& c : columns) captions.push_back(c.caption);
    Array(text, captions, "  ", AppendQuoted);
    text += ",\n  \"rows\": [";
  }
  void Row(const std::vector<std::string>& cells) override {
    m_out.Text() += m_rows++ ? ",\n    " : "\n    ";
    Array(m_out.Text(), cells, "    ", AppendQuoted);
    m_out.RowDone();
  }
  // The figures follow the rows as "values", an array parallel to "rows".
  void RowWithValues(const std::vector<std::string>& cells,
                     const std::vector<views::GridValue>& values) override {
    Row(cells);
    m_values += m_valueRows++ ? ",\n    " : "\n    ";
    Array(m_values, values, "    ", AppendNumber);
  }
  void End() override {
    std::string& text = m_out.Text();
    text += m_rows ? "\n  ]" : "]";
    if (m_valueRows) {
      text += ",\n  \"values\": [";
      text += m_values;
      text += "\n  ]";
    }
    text += "\n}\n";
    m_out.Flush();
  }

 private:
  // null, a whole number, a fraction in full precision, or the text.
  static void AppendNumber(std::string& out, const views::GridValue& value) {
    std::visit(
        [&out](const auto& v) {
          using T = std::decay_t<decltype(v)>;
          if constexpr (std::is_same_v<T, std::monostate>) {
            out += "null";
          } else {
            out += nlohmann::json(v).dump();
          }
        },
        value);
  }
  template <typename Item, typename Append>
  static void Array(std::string& out, const std::vector<Item>& items, const char* indent, Append append) {
    if (items.empty()) {
      out += "[]";
      return;
    }
    out += '[';
    for (std::size_t i = 0; i < items.size(); ++i) {
      out += i ? ",\n" : "\n";
      out += indent;
      out += "  ";
      append(out, items[i]);
    }
    out += '\n';
    out += indent;
    out += ']';
  }

  Output m_out;
  std::size_t m_rows = 0;
  std::size_t m_valueRows = 0;
  std::string m_values;  // the "values" rows, written after the texts
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
    m_out.Text() += title;
    m_out.Text() += "\n\n";
    Row(captions);
  }
  void Row(const std::vector<std::string>& cells) override {
    std::string& line = m_out.Text();
    const std::size_t start = line.size();
    for (std::size_t i = 0; i < cells.size(); ++i) {
      const std::size_t pad = m_width[i] - DisplayWidth(cells[i]);
      if (i) line += "  ";
      if (m_right[i]) {
        line.append(pad, ' ');
        line += cells[i];
      } else {
        line += cells[i];
        if (i + 1 < cells.size()) line.append(pad, ' ');
      }
    }
    while (line.size() > start && line.back() == ' ') line.pop_back();
    line += '\n';
    m_out.RowDone();
  }
  void End() override { m_out.Flush(); }

 private:
  Output m_out;
  std::vector<std::size_t> m_width;
  std::vector<bool> m_right;
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
