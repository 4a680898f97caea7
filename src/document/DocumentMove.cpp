// Moving the packing by isometries of the disk: the move tool's drags, Centre on Circle and
// tessel-cli move.
#include "circles/CPCircle.h"
#include "document/StateSteps.h"
#include "document/TesselDoc.h"
#include "geometry/DiskMove.h"
#include "packing/PackingMove.h"

#include <cmath>

namespace {

// Circles of the last packing run; a node added since has a circle of radius 0.
bool LaidOut(const CCPCircle& c) {
    return c.m_euclidRadius > 0 && std::isfinite(c.m_euclidRadius) &&
           std::isfinite(c.m_euclidCentre.x) && std::isfinite(c.m_euclidCentre.y);
}

CDiskCircle DiskCircleOf(const CCPCircle& c) {
    return {c.m_diskCentre, c.m_euclidCentre, c.m_euclidRadius};
}

} // namespace

bool CTesselDoc::StartMove(int nameId) {
    if (!HasPacking() || m_move) {
        return false;
    }
    auto move = std::make_unique<CMoveInProgress>();
    for (CCPNode* node : m_nodes.m_array) {
        if (node->m_circle && LaidOut(*node->m_circle)) {
            move->nodes.push_back(node);
            move->places.push_back(*node);
            move->circles.push_back(DiskCircleOf(*node->m_circle));
        }
    }
    if (move->nodes.empty()) {
        return false;
    }
    move->wasModified = m_modified;
    if (m_historyEnabled) {
        move->before = std::make_unique<CPackingStep>(nameId, *this);
    }
    m_move = std::move(move);
    return true;
}

void CTesselDoc::ShowMove(const CDiskMove& move) {
    if (!m_move) {
        return;
    }
    const double scale = GetPackingScale();
    for (std::size_t i = 0; i < m_move->nodes.size(); ++i) {
        CCPNode* node = m_move->nodes[i];
        CCPCircle& c = *node->m_circle;
        const CDiskCircle moved = MoveCircle(m_move->circles[i], move);
        c.m_diskCentre = moved.diskCentre;
        c.m_euclidCentre = moved.euclidCentre;
        c.m_euclidRadius = moved.euclidRadius;
        node->Set(moved.euclidCentre * scale);
    }
}

void CTesselDoc::FinishMove() {
    if (!m_move) {
        return;
    }
    std::unique_ptr<CMoveInProgress> move = std::move(m_move);
    bool changed = false;
    for (std::size_t i = 0; i < move->nodes.size() && !changed; ++i) {
        const CCPCircle& c = *move->nodes[i]->m_circle;
        changed = !(c.m_euclidCentre == move->circles[i].euclidCentre) ||
                  c.m_euclidRadius != move->circles[i].euclidRadius;
    }
    if (!changed) {
        return;
    }
    m_moved = true;
    SetModifiedFlag(true);
    if (move->before) {
        Record(std::move(move->before), move->wasModified);
    }
}

void CTesselDoc::CancelMove() {
    if (!m_move) {
        return;
    }
    for (std::size_t i = 0; i < m_move->nodes.size(); ++i) {
        CCPNode* node = m_move->nodes[i];
        CCPCircle& c = *node->m_circle;
        c.m_diskCentre = m_move->circles[i].diskCentre;
        c.m_euclidCentre = m_move->circles[i].euclidCentre;
        c.m_euclidRadius = m_move->circles[i].euclidRadius;
        node->Set(m_move->places[i]);
    }
    m_move.reset();
}

bool CTesselDoc::MovePacking(const CDiskMove& move, int nameId) {
    if (!StartMove(nameId)) {
        return false;
    }
    ShowMove(move);
    FinishMove();
    return true;
}

std::optional<CDiskMove> CTesselDoc::FindCentringMove(const CCPNode* node) const {
    if (!node || !node->m_circle || !LaidOut(*node->m_circle) ||
        IsHorocycle(DiskCircleOf(*node->m_circle)) ||
        !CDiskMove::Inside(node->m_circle->m_diskCentre)) {
        return std::nullopt;
    }
    return CDiskMove::ToOrigin(node->m_circle->m_diskCentre);
}
