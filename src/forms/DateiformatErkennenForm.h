#pragma once
// "Dateiformat erkennen": the assistant of "Kurse importieren". It detects the shape of the
// chosen file, lets the user change column, date form, decimal mark, header lines and
// currency, previews what the description reads and hands the description back.

#include <optional>
#include <string>
#include <vector>

#include "model/KBXKursverlauf.h"
#include "platform/Prompter.h"
#include "priceio/FormatDetector.h"
#include "priceio/ImportReport.h"

class DateiformatErkennenForm {
 public:
  static constexpr const char* kCaption = "Dateiformat erkennen";
  static constexpr std::size_t kPreviewRows = 50;

  // The file's text and what the detection found (or why nothing fits).
  DateiformatErkennenForm(std::string text, const priceio::DetectOptions& options);
  // Reads the file first; nothing (with the message told) when it cannot be read.
  static std::optional<DateiformatErkennenForm> FromFile(const std::string& path,
                                                         const priceio::DetectOptions& options,
                                                         platform::Prompter& prompter);

  bool Detected() const { return m_format.has_value(); }
  const std::string& Error() const { return m_error; }
  const priceio::DetectedFormat& Format() const { return *m_format; }

  void SetPriceColumn(int column);
  void SetDateColumn(int column);
  void SetDateForm(const std::string& form);  // "" for TT.MM.JJJJ or JJJJ-MM-TT
  void SetDecimalPoint(bool point);
  void SetHeaderLines(int lines);
  void SetDm(bool dm);
  // A line for the user about the date form, when both day orders fit.
  std::string DateNote() const;
  // What was found that the user cannot change: "Zeichensatz UTF-8, Trennzeichen „;“."
  std::string Found() const;

  // The description for "&Übernehmen".
  std::string Description() const;
  // The first rows of the file in their columns.
  std::vector<std::vector<std::string>> Rows() const;

  struct Preview {
    std::vector<CKBXKurs> prices;
    std::vector<CKBXDatum> implausible;
    std::vector<priceio::SkippedLine> skipped;
  };
  // What the description reads from the whole file.
  Preview Read() const;

 private:
  std::string m_text;
  std::optional<priceio::DetectedFormat> m_format;
  std::string m_error;
};
