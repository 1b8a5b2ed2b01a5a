#include "document/UndoHistory.h"

#include <algorithm>

#include "base/ArchiveWriter.h"
#include "document/KapibuchDoc.h"

namespace {

// The stored settings as the file holds them, for telling whether a change touched them.
struct SettingsBytes {
  ArchiveWriter archive;
  void int32(const std::string&, std::int32_t& value) { archive.WriteInt32(value); }
  void text(const std::string&, std::string& value) { archive.WriteString(value); }
  void reserved() { archive.WriteInt32(0); }
};

std::vector<std::uint8_t> StoredBytes(const ViewSettings& settings) {
  ViewSettings copy = settings;
  SettingsBytes visitor;
  VisitStoredSettings(visitor, copy);
  copy.general.periodStartDay.Write(visitor.archive);
  copy.general.periodEndDay.Write(visitor.archive);
  return visitor.archive.TakeBytes();
}

template <typename T>
std::vector<std::uint8_t> ObjectBytes(const T& object) {
  ArchiveWriter archive;
  object.Write(archive);
  return archive.TakeBytes();
}

bool Same(const CKBXKursverlauf& a, const CKBXKursverlauf& b) {
  return a.Name() == b.Name() && a.Wkn() == b.Wkn() &&
         std::equal(a.Points().begin(), a.Points().end(), b.Points().begin(), b.Points().end(),
                    [](const CKBXKurs& x, const CKBXKurs& y) {
                      return x.Date() == y.Date() && x.Price() == y.Price();
                    });
}

bool Same(const CKBXKontoTransaktion& a, const CKBXKontoTransaktion& b) {
  return a.text == b.text && a.positionNumber == b.positionNumber && a.kind == b.kind &&
         a.amountDm == b.amountDm && a.amountEur == b.amountEur && a.date == b.date;
}

bool Same(const CKBXAktie& a, const CKBXAktie& b) {
  return a.number == b.number && ObjectBytes(a) == ObjectBytes(b);
}

// The objects of the document as shared copies: those equal to the previous state's (the
// unchanged run at the start and at the end) are that state's own.
template <typename T>
std::vector<std::shared_ptr<const T>> Share(const std::vector<std::unique_ptr<T>>& now,
                                            const std::vector<std::shared_ptr<const T>>& before) {
  std::vector<std::shared_ptr<const T>> shared(now.size());
  std::size_t head = 0;
  while (head < now.size() && head < before.size() && Same(*now[head], *before[head])) {
    shared[head] = before[head];
    ++head;
  }
  std::size_t tail = 0;
  while (tail < now.size() - head && tail < before.size() - head &&
         Same(*now[now.size() - 1 - tail], *before[before.size() - 1 - tail])) {
    shared[now.size() - 1 - tail] = before[before.size() - 1 - tail];
    ++tail;
  }
  for (std::size_t i = head; i < now.size() - tail; ++i) shared[i] = std::make_shared<const T>(*now[i]);
  return shared;
}

// Writes the state's objects back; objects at a place the document has keep their address.
template <typename T>
void Restore(std::vector<std::unique_ptr<T>>& target, const std::vector<std::shared_ptr<const T>>& state) {
  target.resize(state.size());
  for (std::size_t i = 0; i < state.size(); ++i) {
    if (target[i]) {
      *target[i] = *state[i];
    } else {
      target[i] = std::make_unique<T>(*state[i]);
    }
  }
}

}  // namespace

struct UndoHistory::State : CKapibuchDoc::SharedParts {
  std::string label;  // of the change that led to this state
  std::shared_ptr<const std::vector<std::uint8_t>> settingsBytes;
  std::shared_ptr<const std::vector<std::uint8_t>> accountBytes;

  static std::shared_ptr<State> Of(const CKapibuchDoc& doc, const State* before) {
    auto state = std::make_shared<State>();
    state->lastPositionNumber = doc.LastPositionNumber();
    state->depotNumber = doc.depotNumber;

    auto settingsBytes = std::make_shared<const std::vector<std::uint8_t>>(StoredBytes(doc.settings));
    if (before && *before->settingsBytes == *settingsBytes) {
      state->settings = before->settings;
      state->settingsBytes = before->settingsBytes;
    } else {
      state->settings = std::make_shared<const ViewSettings>(doc.settings);
      state->settingsBytes = std::move(settingsBytes);
    }

    auto fields = std::make_shared<CKBXKonto>();
    fields->AssignFieldsFrom(doc.Account());
    ArchiveWriter archive;
    fields->Write(archive);
    auto accountBytes = std::make_shared<const std::vector<std::uint8_t>>(archive.TakeBytes());
    if (before && *before->accountBytes == *accountBytes) {
      state->account = before->account;
      state->accountBytes = before->accountBytes;
    } else {
      state->account = std::move(fields);
      state->accountBytes = std::move(accountBytes);
    }

    static const State kNone;
    const State& previous = before ? *before : kNone;
    state->transactions = Share(doc.Account().Transactions(), previous.transactions);
    state->positions = Share(doc.Positions(), previous.positions);
    state->histories = Share(doc.Histories(), previous.histories);
    return state;
  }

  // Whether the document is the same in both (labels aside).
  bool SameAs(const State& other) const {
    return lastPositionNumber == other.lastPositionNumber && depotNumber == other.depotNumber &&
           settings == other.settings && account == other.account && transactions == other.transactions &&
           positions == other.positions && histories == other.histories;
  }
};

UndoHistory::UndoHistory(const CKapibuchDoc& doc) {
  m_first = std::async(std::launch::async, [&doc] { return State::Of(doc, nullptr); });
  if (!doc.IsModified()) m_saved = 0;
}

void UndoHistory::Ready() const {
  if (m_first.valid()) m_states.push_back(m_first.get());
}

UndoHistory::~UndoHistory() = default;

bool UndoHistory::Record(const CKapibuchDoc& doc, std::string label) {
  Ready();
  auto state = State::Of(doc, m_states[m_current].get());
  if (state->SameAs(*m_states[m_current])) return false;
  m_states.resize(m_current + 1);  // what could be redone is gone
  if (m_saved && *m_saved > m_current) m_saved.reset();
  state->label = std::move(label);
  m_states.push_back(std::move(state));
  ++m_current;
  if (m_states.size() > kSteps + 1) {
    m_states.erase(m_states.begin());
    --m_current;
    if (m_saved) m_saved = *m_saved == 0 ? std::nullopt : std::optional<std::size_t>(*m_saved - 1);
  }
  return true;
}

std::shared_ptr<const CKapibuchDoc::SharedParts> UndoHistory::Current() const {
  Ready();
  return m_states[m_current];
}

std::string UndoHistory::UndoLabel() const {
  return CanUndo() ? m_states[m_current]->label : std::string();
}

std::string UndoHistory::RedoLabel() const {
  return CanRedo() ? m_states[m_current + 1]->label : std::string();
}

bool UndoHistory::Undo(CKapibuchDoc& doc) {
  if (!CanUndo()) return false;
  MoveTo(doc, m_current - 1);
  return true;
}

bool UndoHistory::Redo(CKapibuchDoc& doc) {
  if (!CanRedo()) return false;
  MoveTo(doc, m_current + 1);
  return true;
}

void UndoHistory::MoveTo(CKapibuchDoc& doc, std::size_t to) {
  Ready();
  const State& from = *m_states[m_current];
  const State& state = *m_states[to];
  // Only what differs between the two states is written: a part the document holds no
  // differently from either state stays as it is.
  doc.m_lastPositionNumber = state.lastPositionNumber;
  doc.depotNumber = state.depotNumber;
  if (from.settings != state.settings) doc.settings = *state.settings;
  if (from.account != state.account) doc.m_account.AssignFieldsFrom(*state.account);
  if (from.transactions != state.transactions)
    Restore(doc.m_account.MutableTransactions(), state.transactions);
  if (from.positions != state.positions) Restore(doc.m_positions, state.positions);
  if (from.histories != state.histories) Restore(doc.m_histories, state.histories);
  doc.m_account.ClearCaches();
  doc.ClearSeriesCaches();
  m_current = to;
}
