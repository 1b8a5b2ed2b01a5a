#pragma once
// "Kurse eingeben": the prices of many securities for one day, twelve at a time. Each
// price is taken as its field is left; the prices typed are one change of the document,
// applied when the dialog closes.

#include <array>
#include <map>
#include <string>
#include <tuple>

#include "document/Changes.h"
#include "document/KapibuchDoc.h"

class KurseEingebenForm {
 public:
  static constexpr int kHelpTopic = 2011;
  static constexpr const char* kCaption = "Kurse eingeben";
  // Under the fields: a split converts every earlier price, so earlier prices are typed so.
  static constexpr const char* kSplitNote =
      "Kurse für Tage vor einem Aktiensplit geben Sie in geteilter Form ein.";
  static constexpr int kRows = 12;

  // Starts on today's date, page 1, names shown, only held securities.
  explicit KurseEingebenForm(const CKapibuchDoc& doc);

  void SetDay(CKBXDatum day);
  void SetOnlyHeld(bool onlyHeld);
  void SetShowNames(bool showNames);
  void NextPage();
  void PreviousPage();

  CKBXDatum Day() const { return m_day; }
  bool OnlyHeld() const { return m_onlyHeld; }
  bool ShowNames() const { return m_showNames; }
  int Page() const { return m_page; }
  int PageCount() const;
  std::string PageLine() const;  // "Seite 1 von 2"
  bool CanGoBack() const { return m_page > 0; }
  bool CanGoForward() const { return m_page + 1 < PageCount(); }
  const HistoryList& Entries() const { return m_entries; }

  struct Row {
    std::string label;
    std::string priceText;
    bool visible = false;
  };
  const std::array<Row, kRows>& Rows() const { return m_rows; }
  // The text typed into a row's field, then leaving it.
  void SetPriceText(int row, const std::string& text);
  void LeavePrice(int row);

  // Moves to the page that shows the entry and returns its row, or -1 when not listed.
  int ShowEntry(const CKBXKursverlauf* history);

  // The prices taken so far, as one change ("Kurse am 05.01.2024", the day of the last
  // price typed); empty when none was typed.
  bool HasPrices() const { return !m_typed.empty(); }
  PriceChange Change() const;

 private:
  void Rebuild();
  void ShowPage();
  const CKBXKursverlauf* EntryOfRow(int row) const;
  std::string StoredPriceText(const CKBXKursverlauf& history) const;

  const CKapibuchDoc& m_doc;
  // Prices typed (kNoPrice: removed), by security and day, and the day of the last one.
  std::map<std::tuple<std::string, std::string, std::uint32_t>, std::int32_t> m_typed;
  CKBXDatum m_lastTypedDay;
  CKBXDatum m_day;
  bool m_onlyHeld = true;
  bool m_showNames = true;
  int m_page = 0;
  HistoryList m_entries;
  std::array<Row, kRows> m_rows;
};
