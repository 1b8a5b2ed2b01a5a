#include "forms/DateiformatErkennenForm.h"

#include <algorithm>

#include "base/SafeFile.h"
#include "forms/FormSupport.h"
#include "priceio/FormatMatcher.h"

DateiformatErkennenForm::DateiformatErkennenForm(std::string text, const priceio::DetectOptions& options)
    : m_text(std::move(text)) {
  priceio::Detection detection = priceio::DetectFormat(m_text, options);
  m_format = std::move(detection.format);
  m_error = std::move(detection.error);
}

std::optional<DateiformatErkennenForm> DateiformatErkennenForm::FromFile(
    const std::string& path, const priceio::DetectOptions& options, platform::Prompter& prompter) {
  std::vector<std::uint8_t> bytes;
  if (const ReadResult read = ReadRegularFile(path, bytes); read != ReadResult::Ok) {
    prompter.Tell(forms::kAppCaption,
                  read == ReadResult::NoMemory ? "Nicht genügend Speicher zum Einlesen der Datei!"
                                               : "Datei kann nicht geöffnet werden!",
                  platform::Icon::Exclamation);
    return std::nullopt;
  }
  return DateiformatErkennenForm(std::string(bytes.begin(), bytes.end()), options);
}

void DateiformatErkennenForm::SetPriceColumn(int column) {
  if (!m_format || column < 0 || column == m_format->dateColumn) return;
  m_format->priceColumn = column;
  const int last = std::max(m_format->dateColumn, column);
  // Rows going on after the last column read are skipped over to their end.
  m_format->moreColumns = false;
  for (const auto& row : priceio::PreviewRows(m_text, *m_format, 1000)) {
    if (static_cast<int>(row.size()) > last + 1) m_format->moreColumns = true;
  }
}

void DateiformatErkennenForm::SetDateColumn(int column) {
  if (!m_format || column < 0 || column == m_format->priceColumn) return;
  m_format->dateColumn = column;
  SetPriceColumn(m_format->priceColumn);
}

void DateiformatErkennenForm::SetDateForm(const std::string& form) {
  if (m_format) {
    m_format->dateForm = form;
    m_format->dateAmbiguous = false;
  }
}

void DateiformatErkennenForm::SetDecimalPoint(bool point) {
  if (m_format) m_format->decimalPoint = point;
}

void DateiformatErkennenForm::SetHeaderLines(int lines) {
  if (m_format) m_format->headerLines = std::max(0, lines);
}

void DateiformatErkennenForm::SetDm(bool dm) {
  if (m_format) m_format->dm = dm;
}

std::string DateiformatErkennenForm::DateNote() const {
  if (!m_format || !m_format->dateAmbiguous) return {};
  return "Jedes Datum passt als Tag/Monat wie als Monat/Tag; gewählt ist " + m_format->dateForm + ".";
}

std::string DateiformatErkennenForm::Found() const {
  if (!m_format) return {};
  const char* encodings[] = {"UTF-8", "UTF-8 mit Byte-Order-Mark", "Windows-1252"};
  const std::string separator = m_format->separator == '\t' ? "Tabulator"
                                : m_format->separator == ' '
                                    ? "Leerzeichen"
                                    : "„" + std::string(1, m_format->separator) + "“";
  return "Zeichensatz " + std::string(encodings[static_cast<int>(m_format->encoding)]) + ", Trennzeichen " +
         separator + ".";
}

std::string DateiformatErkennenForm::Description() const {
  return m_format ? priceio::DescriptionFor(*m_format) : std::string();
}

std::vector<std::vector<std::string>> DateiformatErkennenForm::Rows() const {
  return m_format ? priceio::PreviewRows(m_text, *m_format, kPreviewRows)
                  : std::vector<std::vector<std::string>>();
}

DateiformatErkennenForm::Preview DateiformatErkennenForm::Read() const {
  Preview preview;
  if (!m_format) return preview;
  CKBXKursverlauf result("", "");
  priceio::CFormatMatcher matcher(result, nullptr);
  matcher.Run(m_text, Description());
  preview.prices = result.Points();
  preview.implausible = matcher.Implausible();
  preview.skipped = matcher.Skipped();
  return preview;
}
