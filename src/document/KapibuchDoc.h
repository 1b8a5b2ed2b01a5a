#pragma once
// The portfolio document: positions, price histories, the cash account, the holder's
// portfolio number and the display settings of all seven view modes; read from and
// written to a portfolio file (".kpz").

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/ArchiveException.h"
#include "base/Money.h"
#include "document/Settings.h"
#include "model/KBXAktie.h"
#include "model/KBXDatum.h"
#include "model/KBXKonto.h"
#include "model/KBXKurs.h"
#include "model/KBXKursverlauf.h"

namespace platform {
class Clock;
}

// What the views are told: the document changed (every view of it follows), or only the
// state of one window (its mode, period, selection): the views of that window follow.
struct DocumentUpdate {
  enum class What { Document, WindowState };
  What what = What::Document;
  const void* window = nullptr;  // the window whose state changed

  static DocumentUpdate OfWindow(const void* window) { return {What::WindowState, window}; }
  bool Concerns(const void* view) const { return what == What::Document || window == view; }
};

class DocumentObserver {
 public:
  virtual ~DocumentObserver() = default;
  virtual void OnDocumentUpdate(const DocumentUpdate& update) = 0;
};

// Backup: the copy of the old file that has to come first could not be made.
enum class DocumentError { None, Format, Open, Save, Backup };
// "Unerwartetes Dateiformat." and the like; empty for None.
std::string DocumentErrorMessage(DocumentError error);

// What the new-file wizard hands to a new document.
struct NewFileData {
  std::string holder;
  std::string address;
  std::string depotNumber;
  std::string accountNumber;
  std::string bankCode;
  CKBXDatum startDay;
  std::int32_t openingBalance = 0;
  Currency currency = kEur;
};

using HistoryList = std::vector<const CKBXKursverlauf*>;

// One position's part of a sale: its number and the quantity sold (1/10,000,000 shares).
struct SaleAllocation {
  std::int32_t positionNumber = 0;
  std::int64_t quantity = 0;
};

// What a buy stores: the security, day, quantity (whole shares and 1/10,000,000), price and
// commission as typed, and the note.
struct PurchaseTerms {
  std::string name;
  std::string wkn;
  CKBXDatum date;
  std::int32_t quantityInteger = 0;
  std::int32_t quantityFraction = 0;
  std::int32_t price = 0;
  Currency priceCurrency = kEur;
  std::int32_t commission = 0;
  Currency commissionCurrency = kEur;
  std::string note;
};

// The price, commission, day and note of a sale.
struct SaleTerms {
  std::int32_t price = 0;
  Currency priceCurrency = kEur;
  std::int32_t commission = 0;
  Currency commissionCurrency = kEur;
  CKBXDatum date;
  std::string note;
};

class UndoHistory;
class DocumentChange;

// What an invested amount sums: the positions' purchase values, or their purchase costs
// (values with the commissions).
enum class InvestedKind { PurchaseValue = 0, PurchaseCost = 1 };

class CKapibuchDoc {
 public:
  static constexpr const char* kMagic = "KapitalbuchDatei.1.0.1";

  explicit CKapibuchDoc(const platform::Clock& clock);
  ~CKapibuchDoc();
  CKapibuchDoc(const CKapibuchDoc&) = delete;
  CKapibuchDoc& operator=(const CKapibuchDoc&) = delete;

  const platform::Clock& Clock() const { return m_clock; }
  CKBXDatum Today() const;

  // ---- content
  ViewSettings settings;
  std::string depotNumber;
  // The import dialog's memory while the document is open (not stored).
  std::string lastImportFormat;
  std::string lastImportFile;
  std::int32_t lastImportSecurity = -2;

  CKBXKonto& Account() { return m_account; }
  const CKBXKonto& Account() const { return m_account; }
  // Ascending by purchase date; same-day positions in order of entry.
  const std::vector<std::unique_ptr<CKBXAktie>>& Positions() const { return m_positions; }
  std::vector<std::unique_ptr<CKBXAktie>>& MutablePositions() { return m_positions; }
  // In order of first appearance of a security.
  const std::vector<std::unique_ptr<CKBXKursverlauf>>& Histories() const { return m_histories; }
  std::int32_t LastPositionNumber() const { return m_lastPositionNumber; }
  // Raises the last-issued position number and returns it.
  std::int32_t IssuePositionNumber() { return ++m_lastPositionNumber; }
  CKBXAktie* FindPosition(std::int32_t number) const;

  // Takes the wizard's answers: holder data, and the account's start day, currency and
  // opening balance. Marks the document modified.
  void SetupNew(const NewFileData& data);

  // ---- file
  // The whole file; throws ArchiveException for a text that code page 1252 cannot hold.
  std::vector<std::uint8_t> Serialize() const;
  // A document's content as shared objects that are never changed (the undo history's
  // states): a file can be written from them on another thread while the document changes.
  struct SharedParts {
    std::int32_t lastPositionNumber = 0;
    std::string depotNumber;
    std::shared_ptr<const ViewSettings> settings;
    std::shared_ptr<const CKBXKonto> account;  // its fields; the transactions follow
    std::vector<std::shared_ptr<const CKBXKontoTransaktion>> transactions;
    std::vector<std::shared_ptr<const CKBXAktie>> positions;
    std::vector<std::shared_ptr<const CKBXKursverlauf>> histories;
  };
  // The whole file of such parts, as Serialize writes it; throws as Serialize does.
  static std::vector<std::uint8_t> SerializeParts(const SharedParts& parts);
  // Parses a whole file; throws ArchiveException. Nothing half-read survives a failure.
  static std::unique_ptr<CKapibuchDoc> Deserialize(std::span<const std::uint8_t> bytes,
                                                   const platform::Clock& clock);
  // Reads a regular file of a sane size; every failure, a lack of memory too, is an error.
  static std::unique_ptr<CKapibuchDoc> Open(const std::string& path, const platform::Clock& clock,
                                            DocumentError& error);
  // Called with the existing file about to be replaced; false when the copy that must come
  // first could not be made (the save then stops and changes nothing).
  using BackupStep = std::function<bool(const std::string& file)>;
  // Writes safely over what is at the path (see FileSaver) and clears the modified flag.
  // `modeIfNew`: the mode of the file when none is at the path (see FileSaver::Replace).
  DocumentError Save(const std::string& path, const BackupStep& backup = {}, unsigned modeIfNew = 0);
  // Writes a new file; refused when the name is taken.
  DocumentError SaveNew(const std::string& path);
  // Whether the path names a regular file that begins as a portfolio file does (anything
  // else that must never be overwritten with other content).
  static bool IsPortfolioFile(const std::string& path);

  // ---- change tracking
  bool IsModified() const { return m_modified; }
  void SetModified(bool modified = true) {
    m_modified = modified;
    ++m_changes;
  }
  // Grows with every change (and every change of the modified flag): whether the document
  // may differ from a copy written earlier.
  std::uint64_t Changes() const { return m_changes; }
  // The document is as its file now holds it (after a save).
  void MarkSaved();
  void AddObserver(DocumentObserver* observer);
  void RemoveObserver(DocumentObserver* observer);
  void UpdateAllViews(const DocumentUpdate& update = {});
  // The one door for a change of the content (document/Changes.h): the change is made,
  // and when it changed anything the document is modified, its series are dropped, every
  // view is told once and, where the document keeps one, its undo history gets a step with
  // the change's label ("Kauf Siemens AG am 05.01.2024"). Whether anything changed.
  bool Apply(const DocumentChange& change);
  // Keeps the document's states from now on, for undo and redo (the desktop program).
  void KeepUndoHistory();
  // Null when the document keeps none.
  const UndoHistory* Undo() const { return m_undo.get(); }
  // Take back the last change, or make it again: the document is modified unless it is
  // back at the state last saved, and every view is updated. False when there is none.
  bool UndoChange();
  bool RedoChange();

  // ---- portfolio operations
  CKBXKursverlauf* FindHistory(const std::string& name, const std::string& wkn) const;
  std::int32_t PriceOnOrBefore(const std::string& name, const std::string& wkn, CKBXDatum day) const;
  std::int32_t FirstPrice(const std::string& name, const std::string& wkn) const;
  // False when the security has no history; otherwise whether the history changed (the
  // series are then dropped). A step of a change (PriceChange), which announces it.
  bool SetPrice(const std::string& name, const std::string& wkn, CKBXDatum date, std::int32_t price);
  bool IsHeldOn(const std::string& name, const std::string& wkn, CKBXDatum day) const;
  // Adds the histories of the securities held on the day that are not yet in the list,
  // each in sorted place (by name, or by WKN/Kürzel), case-insensitively.
  void SecuritiesHeldOn(CKBXDatum day, HistoryList& list, bool sortByName) const;
  void AllSecurities(HistoryList& list, bool sortByName) const;
  static void InsertSorted(HistoryList& list, const CKBXKursverlauf* history, bool sortByName);

  // Market value of all positions held on the day, in euro cents.
  std::int64_t ValueOn(CKBXDatum day, std::optional<CKBXDatum> rangeStart = {},
                       std::optional<CKBXDatum> rangeEnd = {}) const;
  // Invested amount on the day: purchase-cost sums or purchase values.
  std::int64_t InvestedOn(InvestedKind kind, Currency currency, CKBXDatum day,
                          std::optional<CKBXDatum> rangeStart = {},
                          std::optional<CKBXDatum> rangeEnd = {}) const;

  // What keeps a split from being stored: a quantity or a price past the file's 32-bit
  // fields, or an open position left with no shares.
  enum class SplitProblem { None, QuantityTooLarge, PriceTooLarge, NoSharesLeft };
  SplitProblem CheckStockSplit(const std::string& name, const std::string& wkn, CKBXDatum splitDay,
                               double ratio) const;
  // A quantity times the ratio, truncated to 1/10,000,000 share; nothing when the whole
  // shares would not fit 32 bits.
  static std::optional<std::int64_t> SplitQuantity(std::int64_t quantity, double ratio);
  // One share became `ratio` shares on the split day.
  void StockSplit(const std::string& name, const std::string& wkn, CKBXDatum splitDay, double ratio);
  // Inserts after all positions of the same day and makes sure the security has a history.
  void AddPosition(std::unique_ptr<CKBXAktie> position);
  void ClearSeriesCaches();

  // Books a buy: a new open position with the next number (after every position of its
  // day) and its "Kauf" transaction. Returns the position's number.
  std::int32_t BuyPosition(const PurchaseTerms& terms);
  // Books a sale: one "Verkauf" transaction, and each allocated position sells its
  // quantity (a position sold in part is split first). Positions by their numbers, in the
  // order in which the commission is divided; zero quantities are left out.
  void SellPositions(const std::vector<SaleAllocation>& allocation, const SaleTerms& terms);
  // Whether every sum the sale stores (its account booking, each sold position's proceeds)
  // fits the file's 32-bit fields.
  bool SaleFits(const std::vector<SaleAllocation>& allocation, const SaleTerms& terms) const;

 private:
  void Changed(std::string label);

  struct Series {
    bool built = false;
    std::uint32_t start = 0;
    std::uint32_t end = 0;
    InvestedKind kind = InvestedKind::PurchaseValue;
    Currency currency = kEur;
    std::vector<std::int64_t> values;
    bool Covers(std::uint32_t day) const { return !values.empty() && day >= start && day <= end; }
  };
  // The range rules shared by both series; false when the range is empty.
  bool SeriesRange(CKBXDatum day, std::optional<CKBXDatum> rangeStart, std::optional<CKBXDatum> rangeEnd,
                   std::uint32_t& start, std::uint32_t& end) const;
  void BuildValueSeries(std::uint32_t start, std::uint32_t end) const;
  void BuildCostSeries(InvestedKind kind, Currency currency, std::uint32_t start, std::uint32_t end) const;
  // The last day a position counts in a series ending on `end`.
  static std::uint32_t LastCountedDay(const CKBXAktie& position, std::uint32_t end);

  const platform::Clock& m_clock;
  CKBXKonto m_account;
  std::int32_t m_lastPositionNumber = 0;
  std::vector<std::unique_ptr<CKBXKursverlauf>> m_histories;
  std::vector<std::unique_ptr<CKBXAktie>> m_positions;

  mutable Series m_valueSeries;
  mutable Series m_costSeries;

  bool m_modified = false;
  std::uint64_t m_changes = 0;
  std::unique_ptr<UndoHistory> m_undo;
  friend class UndoHistory;
  std::vector<DocumentObserver*> m_observers;
};
