// CEditHistory: the document's undo and redo history, bounded by the memory its steps keep.
#pragma once

#include "document/EditStep.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

class CEditHistory {
public:
    // The history is capped by the memory its steps keep, not by their number: a click keeps
    // only the objects it touched, but a packing run keeps 72 bytes a node, so this holds the
    // last three packing runs of a million-node document, or thousands of clicks.
    static constexpr std::size_t DefaultMemoryLimit = std::size_t{256} << 20;

    bool CanUndo() const { return m_position > 0; }
    bool CanRedo() const { return m_position < m_steps.size(); }
    // The string id naming the step Undo or Redo would take; 0 when there is none.
    int UndoNameId() const;
    int RedoNameId() const;

    // Takes a step just done. The steps undone before are dropped; then the oldest steps go
    // while the history keeps more than its limit, though the newest always stays.
    void Push(CTesselDoc& doc, std::unique_ptr<CEditStep> step);
    // Each returns false when there is nothing to take. The modified flag follows: clear at
    // the state last saved, as the step recorded it elsewhere.
    bool Undo(CTesselDoc& doc);
    bool Redo(CTesselDoc& doc);

    // The document now is as its file is (opened or saved); `reachable` false forgets it.
    void MarkSaved(bool reachable = true);
    // Drops every step, before the document is replaced.
    void Clear(CTesselDoc& doc);

    void SetMemoryLimit(std::size_t bytes) { m_limit = bytes; }
    std::size_t Bytes() const { return m_bytes; }
    std::size_t Count() const { return m_steps.size(); }

private:
    void Drop(CTesselDoc& doc, std::size_t index, bool done);

    std::vector<std::unique_ptr<CEditStep>> m_steps; // oldest first
    std::size_t m_position = 0;                      // steps done; the rest are undone
    std::optional<std::size_t> m_savedAt;            // position of the saved state
    std::size_t m_bytes = 0;
    std::size_t m_limit = DefaultMemoryLimit;
};
