#pragma once
// The states of a document since it was opened, for undo and redo. Each change the
// document announces (CKapibuchDoc::Changed) adds a state with the change's label; states
// share every position, transaction and price history that a change left as it was, so a
// booking costs little more than what it changed. Undo and redo write back only the parts
// that differ between two neighbouring states: a saved file after a change and its undo
// holds the bytes it held before the change.

#include <cstddef>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/KapibuchDoc.h"
#include "document/Settings.h"
#include "model/KBXAktie.h"
#include "model/KBXKonto.h"
#include "model/KBXKontoTransaktion.h"
#include "model/KBXKursverlauf.h"

class UndoHistory {
 public:
  // At least this many changes can be undone; older ones are forgotten.
  static constexpr std::size_t kSteps = 200;

  // Starts with the document as it is now (opened, or new). The first state is copied on
  // another thread, so that a large portfolio opens without waiting for it: the document
  // may be read meanwhile, and is changed only after Ready().
  explicit UndoHistory(const CKapibuchDoc& doc);
  // Waits until the first state is copied (before the document changes).
  void Ready() const;
  ~UndoHistory();

  // The document after a change labelled as given; what could be redone is dropped. A
  // "change" that left the document as it was is no step (false).
  bool Record(const CKapibuchDoc& doc, std::string label);

  bool CanUndo() const { return m_current > 0; }
  bool CanRedo() const { return m_current + 1 < m_states.size(); }  // false before the first state
  // The label of the change that undo takes back, or redo makes again; empty when none.
  std::string UndoLabel() const;
  std::string RedoLabel() const;
  // Take back the last change, or make the last change taken back again; false when none.
  bool Undo(CKapibuchDoc& doc);
  bool Redo(CKapibuchDoc& doc);

  // The state now is the one in the file; whether the document is back at that state.
  void MarkSaved() { m_saved = m_current; }
  bool AtSaved() const { return m_saved == m_current; }

  // The document as the last change left it, shared: it stays as it is while the document
  // changes on (a file is written from it away from the window, CKapibuchDoc::SerializeParts).
  std::shared_ptr<const CKapibuchDoc::SharedParts> Current() const;

 private:
  struct State;
  void MoveTo(CKapibuchDoc& doc, std::size_t to);

  mutable std::future<std::shared_ptr<State>> m_first;
  mutable std::vector<std::shared_ptr<State>> m_states;
  std::size_t m_current = 0;
  std::optional<std::size_t> m_saved;
};
