#include "document/KapibuchDoc.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"
#include "base/FileSaver.h"
#include "base/SafeFile.h"
#include "base/TextCompare.h"
#include "document/SalePlan.h"
#include "document/UndoHistory.h"
#include "model/ModelClasses.h"
#include "model/PriceCursor.h"
#include "platform/Clock.h"

namespace {

struct SettingsWriter {
  ArchiveWriter& archive;
  void int32(const std::string&, std::int32_t& value) { archive.WriteInt32(value); }
  void text(const std::string&, std::string& value) { archive.WriteString(value); }
  void reserved() { archive.WriteInt32(0); }
};

struct SettingsReader {
  ArchiveReader& archive;
  void int32(const std::string&, std::int32_t& value) { value = archive.ReadInt32(); }
  void text(const std::string&, std::string& value) { value = archive.ReadString(); }
  void reserved() { archive.ReadInt32(); }
};

// Serialises the document and lets `write` put the bytes at the path.
template <typename WriteStep>
DocumentError WriteDocument(CKapibuchDoc& doc, const std::string& path, const WriteStep& write) {
  std::vector<std::uint8_t> bytes;
  try {
    bytes = doc.Serialize();
  } catch (const std::exception&) {  // a text code page 1252 cannot hold, or no memory
    return DocumentError::Save;
  }
  FileSaver saver(path);
  const FileSaver::Status status = write(saver, bytes);
  if (status == FileSaver::Status::Cancelled) return DocumentError::Backup;
  if (status != FileSaver::Status::Ok) return DocumentError::Save;
  doc.MarkSaved();
  return DocumentError::None;
}

}  // namespace

std::string DocumentErrorMessage(DocumentError error) {
  switch (error) {
    case DocumentError::None:
      return {};
    case DocumentError::Format:
      return "Unerwartetes Dateiformat.";
    case DocumentError::Open:
      return "Fehler beim Öffnen des Dokuments.";
    case DocumentError::Save:
      return "Fehler beim Speichern des Dokuments.";
    case DocumentError::Backup:
      return "Die Sicherungskopie konnte nicht angelegt werden; die Datei wurde nicht verändert.";
  }
  return {};
}

CKapibuchDoc::CKapibuchDoc(const platform::Clock& clock) : m_clock(clock) {
  settings.general.periodStartDay = Today();
  settings.general.periodEndDay = Today();
}

CKapibuchDoc::~CKapibuchDoc() = default;

void CKapibuchDoc::MarkSaved() {
  SetModified(false);
  if (m_undo) m_undo->MarkSaved();
}

CKBXDatum CKapibuchDoc::Today() const {
  return CKBXDatum::Today(m_clock);
}

CKBXAktie* CKapibuchDoc::FindPosition(std::int32_t number) const {
  for (const auto& position : m_positions) {
    if (position->number == number) return position.get();
  }
  return nullptr;
}

void CKapibuchDoc::SetupNew(const NewFileData& data) {
  m_lastPositionNumber = 0;
  depotNumber = data.depotNumber;
  m_account.holder = data.holder;
  m_account.address = data.address;
  m_account.accountNumber = data.accountNumber;
  m_account.bankCode = data.bankCode;
  m_account.Initialise(data.startDay, data.currency == kEur, data.openingBalance);
  ClearSeriesCaches();
  SetModified();
}

// ------------------------------------------------------------------------------ file

namespace {

// The whole file, from the document or from the parts an undo state shares.
template <typename Positions, typename Histories, typename Transactions>
std::vector<std::uint8_t> WriteFile(std::int32_t lastPositionNumber, const std::string& depotNumber,
                                    const ViewSettings& settings, const Positions& positions,
                                    const Histories& histories, const CKBXKonto& account,
                                    const Transactions& transactions) {
  ArchiveWriter archive;
  archive.WriteString(CKapibuchDoc::kMagic);
  archive.WriteInt32(lastPositionNumber);
  archive.WriteString(depotNumber);
  ViewSettings stored = settings;
  SettingsWriter writer{archive};
  VisitStoredSettings(writer, stored);
  archive.WriteObjectArray(positions);
  archive.WriteObjectArray(histories);
  account.WriteFields(archive);
  archive.WriteObjectArray(transactions);
  settings.general.periodStartDay.Write(archive);
  settings.general.periodEndDay.Write(archive);
  return archive.TakeBytes();
}

}  // namespace

std::vector<std::uint8_t> CKapibuchDoc::Serialize() const {
  return WriteFile(m_lastPositionNumber, depotNumber, settings, m_positions, m_histories, m_account,
                   m_account.Transactions());
}

std::vector<std::uint8_t> CKapibuchDoc::SerializeParts(const SharedParts& parts) {
  return WriteFile(parts.lastPositionNumber, parts.depotNumber, *parts.settings, parts.positions,
                   parts.histories, *parts.account, parts.transactions);
}

std::unique_ptr<CKapibuchDoc> CKapibuchDoc::Deserialize(std::span<const std::uint8_t> bytes,
                                                        const platform::Clock& clock) {
  auto doc = std::make_unique<CKapibuchDoc>(clock);
  ArchiveReader archive(bytes, ModelClassRegistry());
  archive.ReadString();  // the magic is read, not compared
  doc->m_lastPositionNumber = archive.ReadInt32();
  doc->depotNumber = archive.ReadString();
  SettingsReader reader{archive};
  VisitStoredSettings(reader, doc->settings);
  doc->m_positions = archive.ReadObjectArray<CKBXAktie>();
  doc->m_histories = archive.ReadObjectArray<CKBXKursverlauf>();
  doc->m_account.Read(archive);
  doc->settings.general.periodStartDay.Read(archive);
  doc->settings.general.periodEndDay.Read(archive);
  doc->ClearSeriesCaches();
  doc->m_account.ClearCaches();
  return doc;
}

bool CKapibuchDoc::IsPortfolioFile(const std::string& path) {
  ArchiveWriter archive;
  archive.WriteString(kMagic);
  const std::vector<std::uint8_t> start = archive.TakeBytes();
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  std::ifstream in(path, std::ios::binary);
  std::vector<char> head(start.size());
  if (!in.read(head.data(), static_cast<std::streamsize>(head.size()))) return false;
  return std::equal(start.begin(), start.end(), head.begin(),
                    [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); });
}

std::unique_ptr<CKapibuchDoc> CKapibuchDoc::Open(const std::string& path, const platform::Clock& clock,
                                                 DocumentError& error) {
  error = DocumentError::Open;
  std::vector<std::uint8_t> bytes;
  if (ReadRegularFile(path, bytes) != ReadResult::Ok) return nullptr;
  try {
    auto doc = Deserialize(bytes, clock);
    error = DocumentError::None;
    return doc;
  } catch (const ArchiveException&) {
    error = DocumentError::Format;
  } catch (const std::exception&) {  // memory above all
    error = DocumentError::Open;
  }
  return nullptr;
}

DocumentError CKapibuchDoc::Save(const std::string& path, const BackupStep& backup, unsigned modeIfNew) {
  return WriteDocument(*this, path, [&](FileSaver& saver, std::span<const std::uint8_t> bytes) {
    return saver.Replace(
        bytes,
        backup ? std::function<bool()>([&] { return backup(saver.Target()); }) : std::function<bool()>(),
        modeIfNew);
  });
}

DocumentError CKapibuchDoc::SaveNew(const std::string& path) {
  return WriteDocument(*this, path, [](FileSaver& saver, std::span<const std::uint8_t> bytes) {
    return saver.CreateNew(bytes);
  });
}

// ------------------------------------------------------------------- change tracking

void CKapibuchDoc::AddObserver(DocumentObserver* observer) {
  m_observers.push_back(observer);
}

void CKapibuchDoc::RemoveObserver(DocumentObserver* observer) {
  m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

void CKapibuchDoc::UpdateAllViews(const DocumentUpdate& update) {
  // A copy: an observer may remove itself while being told.
  const std::vector<DocumentObserver*> observers = m_observers;
  for (DocumentObserver* observer : observers) observer->OnDocumentUpdate(update);
}

// -------------------------------------------------------------- portfolio operations

CKBXKursverlauf* CKapibuchDoc::FindHistory(const std::string& name, const std::string& wkn) const {
  for (const auto& history : m_histories) {
    if (history->Is(name, wkn)) return history.get();
  }
  return nullptr;
}

std::int32_t CKapibuchDoc::PriceOnOrBefore(const std::string& name, const std::string& wkn,
                                           CKBXDatum day) const {
  const CKBXKursverlauf* history = FindHistory(name, wkn);
  return history ? history->PriceOnOrBefore(day.Day()) : kNoPrice;
}

std::int32_t CKapibuchDoc::FirstPrice(const std::string& name, const std::string& wkn) const {
  const CKBXKursverlauf* history = FindHistory(name, wkn);
  return history ? history->FirstPrice() : kNoPrice;
}

bool CKapibuchDoc::SetPrice(const std::string& name, const std::string& wkn, CKBXDatum date,
                            std::int32_t price) {
  CKBXKursverlauf* history = FindHistory(name, wkn);
  if (!history || !history->SetPrice(date, price)) return false;
  ClearSeriesCaches();
  return true;
}

bool CKapibuchDoc::IsHeldOn(const std::string& name, const std::string& wkn, CKBXDatum day) const {
  return std::any_of(m_positions.begin(), m_positions.end(),
                     [&](const auto& p) { return p->Is(name, wkn) && p->IsHeldOn(day); });
}

void CKapibuchDoc::InsertSorted(HistoryList& list, const CKBXKursverlauf* history, bool sortByName) {
  for (const CKBXKursverlauf* entry : list) {
    if (entry->Is(history->Name(), history->Wkn())) return;
  }
  const auto key = [sortByName](const CKBXKursverlauf* h) -> const std::string& {
    return sortByName ? h->Name() : h->Wkn();
  };
  const auto at = std::find_if(list.begin(), list.end(), [&](const CKBXKursverlauf* entry) {
    return CompareNoCase(key(entry), key(history)) > 0;
  });
  list.insert(at, history);
}

void CKapibuchDoc::SecuritiesHeldOn(CKBXDatum day, HistoryList& list, bool sortByName) const {
  for (const auto& position : m_positions) {
    if (!position->IsHeldOn(day)) continue;
    if (const CKBXKursverlauf* history = FindHistory(position->name, position->wkn)) {
      InsertSorted(list, history, sortByName);
    }
  }
}

void CKapibuchDoc::AllSecurities(HistoryList& list, bool sortByName) const {
  for (const auto& history : m_histories) InsertSorted(list, history.get(), sortByName);
}

CKapibuchDoc::SplitProblem CKapibuchDoc::CheckStockSplit(const std::string& name, const std::string& wkn,
                                                         CKBXDatum splitDay, double ratio) const {
  bool noSharesLeft = false;
  bool priceTooLarge = false;
  for (const auto& position : m_positions) {
    const CKBXAktie& p = *position;
    if (!p.Is(name, wkn) || !(p.purchaseDate < splitDay)) continue;
    const std::optional<std::int64_t> quantity = SplitQuantity(p.Quantity(), ratio);
    if (!quantity) return SplitProblem::QuantityTooLarge;
    noSharesLeft |= *quantity == 0 && p.Quantity() != 0 && p.IsOpen();
    priceTooLarge |=
        !SplitPriceFits(p.purchasePrice, ratio) || (p.IsSold() && !SplitPriceFits(p.salePrice, ratio));
  }
  if (noSharesLeft) return SplitProblem::NoSharesLeft;
  if (const CKBXKursverlauf* history = FindHistory(name, wkn)) {
    for (const CKBXKurs& point : history->Points()) {
      priceTooLarge |= point.Date() < splitDay && !SplitPriceFits(point.Price(), ratio);
    }
  }
  return priceTooLarge ? SplitProblem::PriceTooLarge : SplitProblem::None;
}

std::optional<std::int64_t> CKapibuchDoc::SplitQuantity(std::int64_t quantity, double ratio) {
  // The first quantity whose integer part leaves 32 bits: 2^31 shares.
  constexpr double kLimit = 2147483648.0 * static_cast<double>(kQuantityUnit);
  const double product = static_cast<double>(quantity) * ratio;
  if (!(product < kLimit && product > -kLimit)) return std::nullopt;
  return static_cast<std::int64_t>(product);
}

void CKapibuchDoc::StockSplit(const std::string& name, const std::string& wkn, CKBXDatum splitDay,
                              double ratio) {
  if (CKBXKursverlauf* history = FindHistory(name, wkn)) history->AdjustForSplit(splitDay, ratio);
  for (const auto& position : m_positions) {
    CKBXAktie& p = *position;
    if (!p.Is(name, wkn) || !(p.purchaseDate < splitDay)) continue;
    // Checked before (CheckStockSplit); an unchecked ratio keeps the quantity rather than wrap it.
    p.SetQuantity(SplitQuantity(p.Quantity(), ratio).value_or(p.Quantity()));
    p.purchasePrice = SplitAdjustedPrice(p.purchasePrice, ratio);
    if (p.IsSold()) p.salePrice = SplitAdjustedPrice(p.salePrice, ratio);
  }
  ClearSeriesCaches();
}

void CKapibuchDoc::AddPosition(std::unique_ptr<CKBXAktie> position) {
  if (!FindHistory(position->name, position->wkn)) {
    m_histories.push_back(std::make_unique<CKBXKursverlauf>(position->name, position->wkn));
  }
  const CKBXDatum day = position->purchaseDate;
  const auto at = std::find_if(m_positions.begin(), m_positions.end(),
                               [day](const auto& p) { return p->purchaseDate > day; });
  m_positions.insert(at, std::move(position));
  ClearSeriesCaches();
}

bool CKapibuchDoc::SaleFits(const std::vector<SaleAllocation>& allocation, const SaleTerms& terms) const {
  return SalePlan(*this, allocation, terms).Fits(m_account);
}

std::int32_t CKapibuchDoc::BuyPosition(const PurchaseTerms& terms) {
  auto p = std::make_unique<CKBXAktie>();
  p->number = IssuePositionNumber();
  p->purchaseDate = terms.date;
  p->quantityInteger = terms.quantityInteger;
  p->quantityFraction = terms.quantityFraction;
  p->purchasePrice = terms.price;
  p->purchasePriceCurrency = terms.priceCurrency;
  p->purchaseCommission = terms.commission;
  p->purchaseCommissionCurrency = terms.commissionCurrency;
  p->name = terms.name;
  p->wkn = terms.wkn;
  p->purchaseNote = terms.note;
  p->state = CKBXAktie::kOpen;
  const std::int64_t value =
      ShareValue(QuantityOf(terms.quantityInteger, terms.quantityFraction), terms.price);
  SplitAmount cost;
  cost.Add(value, terms.priceCurrency).Add(terms.commission, terms.commissionCurrency);
  p->costEur = static_cast<std::int32_t>(cost.eur);
  p->costDm = static_cast<std::int32_t>(cost.dm);

  const std::int32_t number = p->number;
  const std::string bookingText =
      FormatQuantity(terms.quantityInteger, terms.quantityFraction, -1) + " St. " + terms.name;
  AddPosition(std::move(p));
  m_account.BookSecurityTransaction(terms.date, number, value, terms.priceCurrency, terms.commission,
                                    terms.commissionCurrency, bookingText, terms.note, true);
  return number;
}

void CKapibuchDoc::SellPositions(const std::vector<SaleAllocation>& allocation, const SaleTerms& terms) {
  const SalePlan plan(*this, allocation, terms);
  if (plan.Parts().empty()) return;

  const auto narrow = [](std::int64_t v) { return static_cast<std::int32_t>(v); };
  const CKBXAktie& first = *plan.Parts().front().position;
  const std::string text = FormatQuantity(static_cast<std::int32_t>(plan.Total() / kQuantityUnit),
                                          static_cast<std::int32_t>(plan.Total() % kQuantityUnit), -1) +
                           " St. " + first.name;
  m_account.BookSecurityTransaction(terms.date, first.number, plan.Value(), terms.priceCurrency,
                                    terms.commission, terms.commissionCurrency, text, terms.note, false);

  for (const SalePlan::Part& part : plan.Parts()) {
    CKBXAktie& p = *part.position;
    const std::int64_t held = p.Quantity();
    const std::int64_t sold = part.sold;
    if (held != sold) {
      auto rest = std::make_unique<CKBXAktie>();
      rest->number = IssuePositionNumber();
      rest->purchasePrice = p.purchasePrice;
      rest->purchasePriceCurrency = p.purchasePriceCurrency;
      rest->purchaseCommissionCurrency = p.purchaseCommissionCurrency;
      rest->name = p.name;
      rest->purchaseNote = p.purchaseNote;
      rest->wkn = p.wkn;
      rest->purchaseDate = p.purchaseDate;
      rest->SetQuantity(held - sold);
      rest->state = CKBXAktie::kOpen;
      const auto divide = [&](std::int32_t& kept, std::int32_t& given) {
        const ProratedAmount shares = Prorate(kept, sold, held);
        kept = narrow(shares.part);
        given = narrow(shares.rest);
      };
      divide(p.purchaseCommission, rest->purchaseCommission);
      divide(p.dividendDm, rest->dividendDm);
      divide(p.dividendEur, rest->dividendEur);
      divide(p.costDm, rest->costDm);
      divide(p.costEur, rest->costEur);
      p.SetQuantity(sold);
      AddPosition(std::move(rest));
    }
    const SplitAmount proceeds = plan.Proceeds(part);
    p.state = CKBXAktie::kSold;
    p.salePrice = terms.price;
    p.salePriceCurrency = terms.priceCurrency;
    p.saleCommissionCurrency = terms.commissionCurrency;
    p.saleCommission = narrow(part.commission);
    p.saleDate = terms.date;
    p.saleNote = terms.note;
    p.proceedsEur = narrow(proceeds.eur);
    p.proceedsDm = narrow(proceeds.dm);
  }
  ClearSeriesCaches();
}
