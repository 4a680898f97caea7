// The document's side of undo and redo: recording each kind of edit, and the ownership of
// objects and circles the history keeps out of the document.
#include "document/GraphEditStep.h"
#include "document/StateSteps.h"
#include "document/StringIds.h"
#include "document/TesselDoc.h"

void CTesselDoc::Record(std::unique_ptr<CEditStep> step, bool modifiedBefore) {
    step->m_modifiedBefore = modifiedBefore;
    step->m_modifiedAfter = m_modified;
    m_history.Push(*this, std::move(step));
}

void CTesselDoc::RecordNodeMove(CCPNode* node, const CDPoint& from) {
    if (m_historyEnabled && node != nullptr && from != *node) {
        Record(std::make_unique<CPositionsStep>(ids::kStepMoveNode, *this, node, from), m_modified);
    }
}

void CTesselDoc::ScaleDownGraph(double rate) {
    if (m_historyEnabled) {
        Record(std::make_unique<CPositionsStep>(ids::kStepScaleDown, *this), m_modified);
    }
    m_nodes.Scale(rate, rate);
}

void CTesselDoc::ApplyStyleToSelection(const CCPCircle& style, int flags, int nameId) {
    const bool wasModified = m_modified;
    std::unique_ptr<CEditStep> step =
        m_historyEnabled ? std::make_unique<CStyleStep>(nameId, *this) : nullptr;
    m_circles.ApplyStyle(style, flags);
    SetModifiedFlag(true);
    if (step) {
        Record(std::move(step), wasModified);
    }
}

void CTesselDoc::ApplyGradation(const CGradation& request) {
    std::unique_ptr<CEditStep> step =
        m_historyEnabled ? std::make_unique<CStyleStep>(ids::kStepGradation, *this) : nullptr;
    m_circles.ApplyGradation(request);
    if (step) {
        Record(std::move(step), m_modified);
    }
}

void CTesselDoc::StartGraphEdit(int nameId) {
    if (m_historyEnabled) {
        m_journal = new CGraphEditStep(*this);
        m_journal->SetNameId(nameId);
        m_journalModified = m_modified;
    }
}

void CTesselDoc::FinishGraphEdit() {
    std::unique_ptr<CGraphEditStep> step(m_journal);
    m_journal = nullptr;
    if (step && step->Finish(*this)) {
        Record(std::move(step), m_journalModified != 0);
    }
}

void CTesselDoc::Touch(const CCPNode* node) {
    if (m_journal) {
        m_journal->Touch(node);
    }
}

void CTesselDoc::Touch(const CCPEdge* edge) {
    if (m_journal) {
        m_journal->Touch(edge);
    }
}

void CTesselDoc::UpdateKindOf(CCPNode* node) {
    const int before = node->m_kind;
    node->UpdateKind();
    if (m_journal && node->m_kind != before) {
        m_journal->KindChanged(node, before);
    }
}

void CTesselDoc::UpdateInteriorOf(CCPEdge* edge) {
    const int before = edge->m_interior;
    edge->UpdateInterior();
    if (m_journal && edge->m_interior != before) {
        m_journal->InteriorChanged(edge, before);
    }
}

void CTesselDoc::DropNode(CCPNode* node) {
    if (!m_journal) {
        m_nodes.Remove(node, m_circles);
        return;
    }
    const bool listed = m_circles.Contains(node->m_circle);
    const int index = m_nodes.Detach(node);
    if (index >= 0) {
        m_journal->NodeRemoved(index, node, listed);
    }
}

void CTesselDoc::DropEdge(CCPEdge* edge) {
    if (!m_journal) {
        m_edges.Remove(edge);
        return;
    }
    const int index = m_edges.Detach(edge);
    if (index >= 0) {
        m_journal->EdgeRemoved(index, edge);
    }
}

void CTesselDoc::ReleaseCircleList() {
    if (m_historyEnabled) {
        m_circles.m_list.clear();
        m_circles.m_list.shrink_to_fit();
    } else {
        m_circles.RemoveAll(m_nodes);
    }
}

void CTesselDoc::FreeRetiredCircles() {
    // A retired circle still in the list is freed with the list, as a deleted node's is.
    for (CCPCircle* circle : m_retiredCircles) {
        if (!m_circles.Contains(circle)) {
            delete circle;
        }
    }
    m_retiredCircles.clear();
}
