#include "model/KBXKonto.h"

#include <algorithm>

#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"

namespace {

// Longer series than this (about 2,800 years) only come from damaged files.
constexpr std::uint32_t kMaxSeriesDays = 1u << 20;

std::int32_t Narrow(std::int64_t amount) {
  return static_cast<std::int32_t>(amount);
}

}  // namespace

bool CKBXKonto::Initialise(CKBXDatum startDay, bool euro, std::int32_t openingBalance) {
  if (IsInitialised()) return false;
  m_startDay = startDay;
  m_initialCurrency = euro ? kEur : kDm;
  m_openingBalance = openingBalance;
  m_adjustmentEur = 0;
  m_adjustmentDm = 0;
  m_transactions.clear();
  if (euro) {
    m_switched = 1;
    m_switchDay = startDay;
  }
  m_initialised = 1;
  ClearCaches();
  return true;
}

CKBXKonto::SecurityBooking CKBXKonto::PlanSecurityTransaction(CKBXDatum date, std::int64_t amount,
                                                              Currency priceCurrency, std::int64_t commission,
                                                              Currency commissionCurrency, bool buy) const {
  commission = -commission;
  if (amount < 0) amount = -amount;
  if (buy) amount = -amount;

  SecurityBooking booking;
  if (date < m_startDay) {
    // A trade before the start day moves the start capital adjustment, not the balance.
    booking.beforeStart = true;
    booking.stored = StartCapitalAdjustment();
    booking.stored.Add(-amount, priceCurrency).Add(-commission, commissionCurrency);
    return booking;
  }

  std::int64_t dm = 0;
  std::int64_t eur = 0;
  if (CurrencyOn(date) == kDm) {
    if (priceCurrency == kDm) {
      dm = amount + (commissionCurrency == kDm ? commission : EurToDm(commission));
    } else if (commissionCurrency == kDm) {
      dm = EurToDm(amount) + commission;
    } else {
      dm = EurToDm(amount + commission);
    }
    eur = DmToEur(dm);
  } else {
    if (priceCurrency == kEur) {
      eur = amount + (commissionCurrency == kEur ? commission : DmToEur(commission));
    } else if (commissionCurrency == kDm) {
      eur = DmToEur(amount + commission);
    } else {
      eur = DmToEur(amount) + commission;
    }
    dm = EurToDm(eur);
  }
  booking.stored = {eur, dm};
  return booking;
}

bool CKBXKonto::BookSecurityTransaction(CKBXDatum date, std::int32_t positionNumber, std::int64_t amount,
                                        Currency priceCurrency, std::int64_t commission,
                                        Currency commissionCurrency, const std::string& text,
                                        const std::string& note, bool buy) {
  const SecurityBooking booking =
      PlanSecurityTransaction(date, amount, priceCurrency, commission, commissionCurrency, buy);
  if (booking.beforeStart) {
    m_adjustmentEur = Narrow(booking.stored.eur);
    m_adjustmentDm = Narrow(booking.stored.dm);
    ClearCaches();
    return false;
  }

  auto transaction = std::make_unique<CKBXKontoTransaktion>();
  transaction->kind = buy ? CKBXKontoTransaktion::kKauf : CKBXKontoTransaktion::kVerkauf;
  transaction->positionNumber = positionNumber;
  transaction->date = date;
  transaction->amountDm = Narrow(booking.stored.dm);
  transaction->amountEur = Narrow(booking.stored.eur);
  transaction->text = note.empty() ? text : text + ": " + note;
  InsertTransaction(std::move(transaction));
  return true;
}

SplitAmount CKBXKonto::MovementAmounts(std::int64_t amount, Currency currency) {
  return {ConvertAmount(amount, currency, kEur), ConvertAmount(amount, currency, kDm)};
}

void CKBXKonto::BookMovement(CKBXDatum date, std::int32_t kind, std::int64_t amount, Currency currency,
                             const std::string& text) {
  const SplitAmount stored = MovementAmounts(amount, currency);
  auto transaction = std::make_unique<CKBXKontoTransaktion>();
  transaction->positionNumber = -1;
  transaction->kind = kind;
  transaction->date = date;
  transaction->amountDm = Narrow(stored.dm);
  transaction->amountEur = Narrow(stored.eur);
  transaction->text = text;
  InsertTransaction(std::move(transaction));
}

void CKBXKonto::InsertTransaction(std::unique_ptr<CKBXKontoTransaktion> transaction) {
  const auto at = std::upper_bound(m_transactions.begin(), m_transactions.end(), transaction->date,
                                   [](CKBXDatum d, const auto& t) { return d < t->date; });
  m_transactions.insert(at, std::move(transaction));
  ClearCaches();
}

bool CKBXKonto::SwitchToEur(CKBXDatum day) {
  if (IsSwitched()) return false;
  m_switched = 1;
  m_switchDay = day;
  ClearCaches();
  return true;
}

Currency CKBXKonto::CurrencyOn(CKBXDatum day) const {
  if (m_initialCurrency == kEur) return kEur;
  return IsSwitched() && day >= m_switchDay ? kEur : kDm;
}

std::string CKBXKonto::KindName(std::int32_t kind) {
  switch (kind) {
    case CKBXKontoTransaktion::kKauf:
      return "Kauf";
    case CKBXKontoTransaktion::kVerkauf:
      return "Verkauf";
    case CKBXKontoTransaktion::kKapitaleinlage:
      return "Kapitaleinlage";
    case CKBXKontoTransaktion::kKapitalentnahme:
      return "Kapitalentnahme";
    case CKBXKontoTransaktion::kDividende:
      return "Dividenden-Gutschrift";
    case CKBXKontoTransaktion::kCoupon:
      return "Coupon-Gutschrift";
    case CKBXKontoTransaktion::kBezugsrechtsverkauf:
      return "Bezugsrechtsverkauf";
    case CKBXKontoTransaktion::kAusschuettung:
      return "Ausschüttung";
    case CKBXKontoTransaktion::kLimitGebuehren:
      return "Limit-Gebühren";
    case CKBXKontoTransaktion::kHabenZins:
      return "Zinserträge (Haben-Zins)";
    case CKBXKontoTransaktion::kSollZins:
      return "Zinskosten (Soll-Zins)";
    case CKBXKontoTransaktion::kSteuern:
      return "Steuern";
    case CKBXKontoTransaktion::kWerbungskosten:
      return "Werbungskosten";
    case CKBXKontoTransaktion::kSonstigeErtraege:
      return "Sonstige Erträge";
    case CKBXKontoTransaktion::kSonstigeKosten:
      return "Sonstige Kosten";
    case CKBXKontoTransaktion::kDepotgebuehren:
      return "Depotgebühren";
    default:
      return {};
  }
}

void CKBXKonto::AssignFieldsFrom(const CKBXKonto& other) {
  bankCode = other.bankCode;
  accountNumber = other.accountNumber;
  address = other.address;
  holder = other.holder;
  m_adjustmentEur = other.m_adjustmentEur;
  m_adjustmentDm = other.m_adjustmentDm;
  m_initialCurrency = other.m_initialCurrency;
  m_openingBalance = other.m_openingBalance;
  m_switched = other.m_switched;
  m_switchDay = other.m_switchDay;
  m_startDay = other.m_startDay;
  m_initialised = other.m_initialised;
  m_lastBookingDay = other.m_lastBookingDay;
  ClearCaches();
}

void CKBXKonto::ClearCaches() {
  m_seriesBuilt = false;
  m_balance.clear();
  m_balance.shrink_to_fit();
  m_capital.clear();
  m_capital.shrink_to_fit();
  m_lastBookingDay = m_transactions.empty() ? m_startDay : m_transactions.back()->date;
}

void CKBXKonto::BuildSeries() const {
  m_seriesBuilt = true;
  const std::uint32_t start = m_startDay.Day();
  const std::uint32_t end = std::max(m_lastBookingDay.Day(), start);
  if (end - start >= kMaxSeriesDays) return;  // left empty: the queries answer 0
  const std::size_t days = end - start + 1;
  m_balance.resize(days);
  m_capital.resize(days);

  Currency running = m_initialCurrency;
  std::int64_t balance = m_openingBalance;
  std::int64_t capital = m_openingBalance + StartCapitalAdjustment().ValueIn(m_initialCurrency);
  std::size_t next = 0;
  // Counted by index: the last day may be the largest day number there is.
  for (std::size_t i = 0; i < days; ++i) {
    const auto day = static_cast<std::uint32_t>(start + i);
    if (running == kDm && CurrencyOn(CKBXDatum(day)) == kEur) {
      balance = DmToEur(balance);
      capital = DmToEur(capital);
      running = kEur;
    }
    for (; next < m_transactions.size() && m_transactions[next]->date.Day() <= day; ++next) {
      const std::int64_t amount = m_transactions[next]->AmountIn(running);
      balance += amount;
      if (m_transactions[next]->IsCapitalMovement()) capital += amount;
    }
    m_balance[i] = balance;
    m_capital[i] = capital;
  }
}

bool CKBXKonto::EnsureSeries() const {
  if (!m_seriesBuilt) BuildSeries();
  return !m_balance.empty();
}

std::int64_t CKBXKonto::BalanceOn(CKBXDatum day, Currency currency) const {
  if (day < m_startDay) return ConvertAmount(m_openingBalance, m_initialCurrency, currency);
  if (day > m_lastBookingDay) day = std::max(m_lastBookingDay, m_startDay);
  if (!EnsureSeries()) return 0;
  return ConvertAmount(m_balance[day.Day() - m_startDay.Day()], CurrencyOn(day), currency);
}

std::int64_t CKBXKonto::CapitalOn(CKBXDatum day, Currency currency) const {
  if (day < m_startDay) day = m_startDay;
  if (day > m_lastBookingDay) day = std::max(m_lastBookingDay, m_startDay);
  if (!EnsureSeries()) return 0;
  return ConvertAmount(m_capital[day.Day() - m_startDay.Day()], CurrencyOn(day), currency);
}

void CKBXKonto::Write(ArchiveWriter& a) const {
  WriteFields(a);
  a.WriteObjectArray(m_transactions);
}

void CKBXKonto::WriteFields(ArchiveWriter& a) const {
  a.WriteInt32(m_switched);
  a.WriteByte(m_initialCurrency);
  a.WriteInt32(m_initialised);
  a.WriteInt32(m_openingBalance);
  a.WriteInt32(m_adjustmentDm);
  a.WriteInt32(m_adjustmentEur);
  a.WriteString(bankCode);
  a.WriteString(holder);
  a.WriteString(address);
  a.WriteString(accountNumber);
  m_startDay.Write(a);
  m_switchDay.Write(a);
}

void CKBXKonto::Read(ArchiveReader& a) {
  m_switched = a.ReadInt32();
  m_initialCurrency = static_cast<Currency>(a.ReadByte());
  m_initialised = a.ReadInt32();
  m_openingBalance = a.ReadInt32();
  m_adjustmentDm = a.ReadInt32();
  m_adjustmentEur = a.ReadInt32();
  bankCode = a.ReadString();
  holder = a.ReadString();
  address = a.ReadString();
  accountNumber = a.ReadString();
  m_startDay.Read(a);
  m_switchDay.Read(a);
  m_transactions = a.ReadObjectArray<CKBXKontoTransaktion>();
  ClearCaches();
}
