// CEditStep: one undoable change of the document, able to take it back and to make it again.
#pragma once

#include <cstddef>

class CTesselDoc;

class CEditStep {
public:
    explicit CEditStep(int nameId) : m_nameId(nameId) {}
    virtual ~CEditStep() = default;
    CEditStep(const CEditStep&) = delete;
    CEditStep& operator=(const CEditStep&) = delete;

    // The string id that names the step in the Undo and Redo menu items.
    int NameId() const { return m_nameId; }

    // From the state right after the step to the state right before it, and back. The
    // history calls them in strict order, so the document is always in the state the step
    // expects.
    virtual void Undo(CTesselDoc& doc) = 0;
    virtual void Redo(CTesselDoc& doc) = 0;
    // The history lets the step go. A step that was undone last (`done` false) or done last
    // may hold objects that are out of the document; it frees them here.
    virtual void Release(CTesselDoc&, bool /*done*/) {}
    // Roughly what the step keeps in memory, for the history's limit.
    virtual std::size_t Bytes() const = 0;

    bool m_modifiedBefore = false;
    bool m_modifiedAfter = false;

protected:
    void SetNameId(int nameId) { m_nameId = nameId; }

private:
    int m_nameId;
};

// A step whose undo and redo both exchange a state it keeps with the document's.
class CSwapStep : public CEditStep {
public:
    using CEditStep::CEditStep;
    void Undo(CTesselDoc& doc) override { Swap(doc); }
    void Redo(CTesselDoc& doc) override { Swap(doc); }

protected:
    virtual void Swap(CTesselDoc& doc) = 0;
};
