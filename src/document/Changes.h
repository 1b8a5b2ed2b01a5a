#pragma once
// The changes of a document. Each is a value, made and checked by its form (in a dialog or
// on the command line), that carries its label and is applied through CKapibuchDoc::Apply:
// the one way the content of a document changes. Apply marks the document modified, tells
// the views once and, where the document keeps one, adds a step to its undo history.

#include <cstdint>
#include <string>
#include <vector>

#include "base/Money.h"
#include "document/KapibuchDoc.h"
#include "document/Settings.h"
#include "model/KBXDatum.h"

class DocumentChange {
 public:
  virtual ~DocumentChange() = default;
  // What the undo step is called: "Kauf Siemens AG am 05.01.2024".
  virtual std::string Label() const = 0;

 private:
  friend class CKapibuchDoc;
  // Makes the change; false when the document is as it was.
  virtual bool ApplyTo(CKapibuchDoc& doc) const = 0;
};

// A buy: a new open position and its account booking.
class BuyChange : public DocumentChange {
 public:
  explicit BuyChange(PurchaseTerms terms) : m_terms(std::move(terms)) {}
  std::string Label() const override;
  const PurchaseTerms& Terms() const { return m_terms; }

 private:
  bool ApplyTo(CKapibuchDoc& doc) const override;
  PurchaseTerms m_terms;
};

// A sale of a security over the positions allocated to it.
class SaleChange : public DocumentChange {
 public:
  SaleChange(std::string name, std::vector<SaleAllocation> allocation, SaleTerms terms)
      : m_name(std::move(name)), m_allocation(std::move(allocation)), m_terms(std::move(terms)) {}
  std::string Label() const override;

 private:
  bool ApplyTo(CKapibuchDoc& doc) const override;
  std::string m_name;
  std::vector<SaleAllocation> m_allocation;
  SaleTerms m_terms;
};

// A cash movement, and the parts of it assigned to positions.
class MovementChange : public DocumentChange {
 public:
  // Which sum of a position an assigned part goes to.
  enum class Target { PurchaseCost, Dividend, Proceeds };
  struct Part {
    std::int32_t positionNumber = 0;
    std::int64_t change = 0;  // added to the sum, in the movement's currency
  };
  struct Terms {
    CKBXDatum date;
    std::int32_t kind = 0;  // CKBXKontoTransaktion's kind code
    std::string kindName;   // "Dividenden-Gutschrift"
    std::int64_t amount = 0;
    Currency currency = kEur;
    std::string text;
    Target target = Target::Dividend;
    std::vector<Part> parts;
  };
  explicit MovementChange(Terms terms) : m_terms(std::move(terms)) {}
  std::string Label() const override;
  // The sum of a position that a part goes to, in the movement's currency.
  static std::int32_t& SumOf(CKBXAktie& position, Target target, Currency currency);
  static std::int32_t SumOf(const CKBXAktie& position, Target target, Currency currency) {
    return SumOf(const_cast<CKBXAktie&>(position), target, currency);
  }

 private:
  bool ApplyTo(CKapibuchDoc& doc) const override;
  Terms m_terms;
};

// Prices set or removed (kNoPrice), typed, imported or downloaded.
class PriceChange : public DocumentChange {
 public:
  struct Entry {
    std::string name;
    std::string wkn;
    CKBXDatum date;
    std::int32_t price = 0;  // euro cents; kNoPrice removes the day's price
  };
  PriceChange(std::string label, std::vector<Entry> entries)
      : m_label(std::move(label)), m_entries(std::move(entries)) {}
  std::string Label() const override { return m_label; }
  const std::vector<Entry>& Entries() const { return m_entries; }

 private:
  bool ApplyTo(CKapibuchDoc& doc) const override;
  std::string m_label;
  std::vector<Entry> m_entries;
};

// A stock split: one share became `ratio` shares on the day.
class SplitChange : public DocumentChange {
 public:
  SplitChange(std::string name, std::string wkn, CKBXDatum date, double ratio)
      : m_name(std::move(name)), m_wkn(std::move(wkn)), m_date(date), m_ratio(ratio) {}
  std::string Label() const override;

 private:
  bool ApplyTo(CKapibuchDoc& doc) const override;
  std::string m_name, m_wkn;
  CKBXDatum m_date;
  double m_ratio;
};

// The account's switch from DM to euro on the day.
class CurrencySwitchChange : public DocumentChange {
 public:
  explicit CurrencySwitchChange(CKBXDatum date) : m_date(date) {}
  std::string Label() const override { return "Kontowährung umstellen"; }

 private:
  bool ApplyTo(CKapibuchDoc& doc) const override;
  CKBXDatum m_date;
};

// The holder's data.
class HolderDataChange : public DocumentChange {
 public:
  struct Data {
    std::string holder, address, depotNumber, accountNumber, bankCode;
  };
  explicit HolderDataChange(Data data) : m_data(std::move(data)) {}
  std::string Label() const override { return "Depotdaten"; }

 private:
  bool ApplyTo(CKapibuchDoc& doc) const override;
  Data m_data;
};

// The display settings stored in the file.
class SettingsChange : public DocumentChange {
 public:
  explicit SettingsChange(ViewSettings settings) : m_settings(std::move(settings)) {}
  std::string Label() const override { return "Optionen"; }

 private:
  bool ApplyTo(CKapibuchDoc& doc) const override;
  ViewSettings m_settings;
};
