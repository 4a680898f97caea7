// The undo and redo history.
#include "document/EditHistory.h"

#include "document/TesselDoc.h"

int CEditHistory::UndoNameId() const {
    return CanUndo() ? m_steps[m_position - 1]->NameId() : 0;
}

int CEditHistory::RedoNameId() const {
    return CanRedo() ? m_steps[m_position]->NameId() : 0;
}

void CEditHistory::Drop(CTesselDoc& doc, std::size_t index, bool done) {
    m_bytes -= m_steps[index]->Bytes();
    m_steps[index]->Release(doc, done);
    m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(index));
}

void CEditHistory::Push(CTesselDoc& doc, std::unique_ptr<CEditStep> step) {
    // The newest undone step goes first: it may hold objects that older ones refer to.
    while (m_steps.size() > m_position) {
        Drop(doc, m_steps.size() - 1, false);
    }
    if (m_savedAt && *m_savedAt > m_position) {
        m_savedAt.reset();
    }
    m_bytes += step->Bytes();
    m_steps.push_back(std::move(step));
    ++m_position;
    while (m_bytes > m_limit && m_steps.size() > 1) {
        Drop(doc, 0, true);
        --m_position;
        if (m_savedAt) {
            m_savedAt = *m_savedAt == 0 ? std::nullopt : std::optional(*m_savedAt - 1);
        }
    }
}

bool CEditHistory::Undo(CTesselDoc& doc) {
    if (!CanUndo()) {
        return false;
    }
    CEditStep& step = *m_steps[--m_position];
    step.Undo(doc);
    doc.SetModifiedFlag(m_savedAt != m_position && step.m_modifiedBefore);
    return true;
}

bool CEditHistory::Redo(CTesselDoc& doc) {
    if (!CanRedo()) {
        return false;
    }
    CEditStep& step = *m_steps[m_position++];
    step.Redo(doc);
    doc.SetModifiedFlag(m_savedAt != m_position && step.m_modifiedAfter);
    return true;
}

void CEditHistory::MarkSaved(bool reachable) {
    m_savedAt = reachable ? std::optional(m_position) : std::nullopt;
}

void CEditHistory::Clear(CTesselDoc& doc) {
    while (m_steps.size() > m_position) {
        Drop(doc, m_steps.size() - 1, false);
    }
    while (!m_steps.empty()) {
        Drop(doc, m_steps.size() - 1, true);
    }
    m_position = 0;
    m_savedAt.reset();
}
