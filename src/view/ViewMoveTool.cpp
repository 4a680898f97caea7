// The hyperbolic moves of the view: the Move Packing tool, whose left drag moves the packing
// so that the grabbed point stays under the pointer (Shift: turns it about the middle), and
// Centre on Circle, by the command or a double click in circle mode.
#include "document/StringIds.h"
#include "document/TesselDoc.h"
#include "geometry/DiskMove.h"
#include "view/TesselView.h"

#include <QMouseEvent>
#include <cmath>

namespace {

// The pointer's disk point is kept this far inside the rim, where a move that carries it
// stays within what doubles resolve.
constexpr double kLargestReach = 0.999;

CDPoint WithinReach(const CDPoint& p) {
    const double reach = p.Abs();
    return reach > kLargestReach ? p * (kLargestReach / reach) : p;
}

} // namespace

void CTesselView::SetMoveTool(bool on) {
    if (!on) {
        CancelMoveDrag();
    }
    m_moveTool = on;
    UpdateCursor();
    emit CommandsChanged();
}

bool CTesselView::StartMoveDrag(QMouseEvent* event) {
    if (!m_moveTool || event->button() != Qt::LeftButton || m_captured || m_radius <= 0.0 ||
        !m_document.StartMove(ids::kStepMovePacking)) {
        return false;
    }
    m_moveDrag = true;
    m_captured = true;
    m_moveTurns = (event->modifiers() & Qt::ShiftModifier) != 0;
    m_moveGrab = WithinReach(DiskPoint(CenterPoint(event->position().toPoint())));
    UpdateCursor();
    return true;
}

void CTesselView::DragMove(QPoint client) {
    const CDPoint to = WithinReach(DiskPoint(CenterPoint(client)));
    if (m_moveTurns) {
        // About the middle: by the angle the pointer has turned about it.
        if (m_moveGrab.Abs() > 0 && to.Abs() > 0) {
            m_document.ShowMove(CDiskMove::Rotation(to.Arg() - m_moveGrab.Arg()));
        }
    } else {
        m_document.ShowMove(CDiskMove::Along(m_moveGrab, to));
    }
    InvalidateView(true);
}

void CTesselView::FinishMoveDrag() {
    m_moveDrag = false;
    m_captured = false;
    m_document.FinishMove();
    UpdateCursor();
    InvalidateView(true);
    emit CommandsChanged();
}

void CTesselView::CancelMoveDrag() {
    if (!m_moveDrag) {
        return;
    }
    m_moveDrag = false;
    m_captured = false;
    m_document.CancelMove();
    UpdateCursor();
    InvalidateView(true);
}

const CCPNode* CTesselView::SelectedCircleNode() const {
    const CCPNode* chosen = nullptr;
    if (m_mode != CircleMode || m_document.m_circles.m_outer.m_selected) {
        return nullptr;
    }
    for (const CCPNode* node : m_document.m_nodes.m_array) {
        if (node->m_circle && node->m_circle->m_selected) {
            if (chosen) {
                return nullptr;
            }
            chosen = node;
        }
    }
    return chosen;
}

bool CTesselView::CanCentreOnCircle() const {
    return !m_captured && m_document.FindCentringMove(SelectedCircleNode()).has_value();
}

void CTesselView::CentreOn(const CCPNode* node) {
    if (std::optional<CDiskMove> move = m_document.FindCentringMove(node)) {
        m_document.MovePacking(*move, ids::kStepCentreOnCircle);
        InvalidateView(true);
        emit CommandsChanged();
    }
}

void CTesselView::OnCentreOnCircle() {
    CentreOn(SelectedCircleNode());
}

void CTesselView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (m_mode != CircleMode || event->button() != Qt::LeftButton || m_panning || m_radius <= 0.0) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    const CDPoint q = DiskPoint(CenterPoint(event->position().toPoint()));
    const CCPCircle* hit = m_document.m_circles.HitTest(q, false);
    for (const CCPNode* node : m_document.m_nodes.m_array) {
        if (hit && node->m_circle == hit) {
            CentreOn(node);
            return;
        }
    }
}
