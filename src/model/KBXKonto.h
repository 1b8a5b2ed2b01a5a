#pragma once
// The cash account of a portfolio: holder data, opening balance on the start day, the
// switch from DM to EUR and the transactions, with daily balance and invested capital.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/ArchiveObject.h"
#include "base/Money.h"
#include "model/KBXDatum.h"
#include "model/KBXKontoTransaktion.h"

class CKBXKonto {
 public:
  static constexpr const char* kClassName = "CKBXKonto";
  static constexpr std::uint16_t kSchema = 1;

  std::string bankCode;       // Bankleitzahl
  std::string accountNumber;  // Kontonummer
  std::string address;
  std::string holder;

  // Sets up an account that is not yet initialised; false (and nothing changes) otherwise.
  bool Initialise(CKBXDatum startDay, bool euro, std::int32_t openingBalance);
  bool IsInitialised() const { return m_initialised != 0; }

  // What a buy or sale stores, computed in 64 bits before anything changes: the DM and EUR
  // amounts of its transaction or, before the start day, the new parts of the start capital
  // adjustment.
  struct SecurityBooking {
    bool beforeStart = false;
    SplitAmount stored;
    bool Fits() const { return FitsStored(stored); }
  };
  // The value is money in for a sale and out for a buy; the commission is a cost, so a
  // rebate (a negative commission) is money in, as it is in the position's sums.
  SecurityBooking PlanSecurityTransaction(CKBXDatum date, std::int64_t amount, Currency priceCurrency,
                                          std::int64_t commission, Currency commissionCurrency,
                                          bool buy) const;
  // Books a buy or sale as planned above; returns whether a transaction was inserted.
  bool BookSecurityTransaction(CKBXDatum date, std::int32_t positionNumber, std::int64_t amount,
                               Currency priceCurrency, std::int64_t commission, Currency commissionCurrency,
                               const std::string& text, const std::string& note, bool buy);
  // The DM and EUR amounts that a movement stores.
  static SplitAmount MovementAmounts(std::int64_t amount, Currency currency);
  // Books a movement entered by the user; the amount is signed (negative = money out).
  void BookMovement(CKBXDatum date, std::int32_t kind, std::int64_t amount, Currency currency,
                    const std::string& text);
  // Inserts after every transaction of the same day or earlier.
  void InsertTransaction(std::unique_ptr<CKBXKontoTransaktion> transaction);

  // Switches the account to EUR from the day on; a second switch does nothing.
  bool SwitchToEur(CKBXDatum day);
  bool IsSwitched() const { return m_switched != 0; }
  CKBXDatum SwitchDay() const { return m_switchDay; }
  CKBXDatum StartDay() const { return m_startDay; }
  Currency InitialCurrency() const { return m_initialCurrency; }
  std::int32_t OpeningBalance() const { return m_openingBalance; }
  SplitAmount StartCapitalAdjustment() const { return {m_adjustmentEur, m_adjustmentDm}; }
  // The currency the account is kept in on a day.
  Currency CurrencyOn(CKBXDatum day) const;
  Currency CurrentCurrency() const { return IsSwitched() ? kEur : m_initialCurrency; }
  CKBXDatum LastBookingDay() const { return m_lastBookingDay; }

  const std::vector<std::unique_ptr<CKBXKontoTransaktion>>& Transactions() const { return m_transactions; }

  // Balance at the end of a day, in the requested currency.
  std::int64_t BalanceOn(CKBXDatum day, Currency currency) const;
  // Invested capital (opening balance, start capital adjustment, deposits, withdrawals).
  std::int64_t CapitalOn(CKBXDatum day, Currency currency) const;

  static std::string KindName(std::int32_t kind);
  static std::string KindName(const CKBXKontoTransaktion& transaction) { return KindName(transaction.kind); }

  // Drops the daily series and recomputes the last booking day.
  void ClearCaches();

  void Write(ArchiveWriter& archive) const;
  // The fields as Write writes them, without the transactions that follow them.
  void WriteFields(ArchiveWriter& archive) const;
  void Read(ArchiveReader& archive);

  // For undo, which keeps transactions apart: every field of the other account but its
  // transactions, and the transactions themselves to be replaced.
  void AssignFieldsFrom(const CKBXKonto& other);
  std::vector<std::unique_ptr<CKBXKontoTransaktion>>& MutableTransactions() {
    ClearCaches();
    return m_transactions;
  }

 private:
  // The running values of every day from the start day: balance and capital in the
  // currency the account is kept in on that day.
  void BuildSeries() const;
  bool EnsureSeries() const;

  std::vector<std::unique_ptr<CKBXKontoTransaktion>> m_transactions;
  std::int32_t m_adjustmentEur = 0;
  std::int32_t m_adjustmentDm = 0;
  Currency m_initialCurrency = kDm;
  std::int32_t m_openingBalance = 0;
  std::int32_t m_switched = 0;
  CKBXDatum m_switchDay;
  CKBXDatum m_startDay;
  std::int32_t m_initialised = 0;
  CKBXDatum m_lastBookingDay;

  mutable bool m_seriesBuilt = false;
  mutable std::vector<std::int64_t> m_balance;
  mutable std::vector<std::int64_t> m_capital;
};
