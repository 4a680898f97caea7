// The document's graph edits: the starting triangle, growing, connecting, deleting, the
// extent, and the status-bar hints.
#include "document/TesselDoc.h"

#include "document/StringIds.h"
#include "document/StringTable.h"

#include <cmath>

TESSEL_IMPLEMENT_DYNCREATE(CTesselDoc, CObject)

namespace {

constexpr double TwoThirdsPi = 2.0943951023931953;
constexpr double ThirdPi = 1.0471975511965976;

void AddHint(std::string& hint, int id) {
    if (!hint.empty()) {
        hint += '/';
    }
    hint += LoadString(id);
}

bool IsPositive(double v) {
    return std::isfinite(v) && v > 0;
}

// The scale that carries an axis from its old half-size to a new one. An old half-size that
// is not a positive number (a damaged file) gives no useful ratio; the coordinates then stay.
double AxisScale(double from, double to) {
    return IsPositive(from) ? to / from : 1.0;
}

template <typename T> T ClampAxis(T v, double extent) {
    if (v < -extent) {
        return RoundToPixel(-extent);
    }
    if (v > extent) {
        return RoundToPixel(extent);
    }
    return v;
}

} // namespace

bool CTesselDoc::OnNewDocument() {
    SetModifiedFlag(false);
    m_circles.SelectAll(0, true);
    NewGraph(GetViewRadius());
    return true;
}

double CTesselDoc::GetViewRadius() const {
    return m_viewRadius && IsPositive(*m_viewRadius) ? *m_viewRadius : DefaultViewRadius;
}

void CTesselDoc::NewGraph(double a) {
    RemoveAll();
    const double third = 1.0 / 3;
    const double minusThird = -1.0 / 3;
    auto* p = new CCPNode(0, a * minusThird, NotConnected, 0);
    auto* q = new CCPNode(a * std::sin(TwoThirdsPi) * third, a * std::cos(TwoThirdsPi) * minusThird,
                          NotConnected, 0);
    auto* r = new CCPNode(a * std::sin(TwoThirdsPi) * minusThird,
                          a * std::cos(TwoThirdsPi) * minusThird, NotConnected, 0);
    auto* e1 = new CCPEdge(p, q);
    auto* e2 = new CCPEdge(q, r);
    auto* e3 = new CCPEdge(r, p);
    p->m_edges = {e1, e3};
    q->m_edges = {e2, e1};
    r->m_edges = {e3, e2};
    for (CCPNode* node : {p, q, r}) {
        m_nodes.Add(node);
    }
    for (CCPEdge* edge : {e1, e2, e3}) {
        m_edges.Add(edge);
    }
    m_circles.m_outer.ResetAsOuter();
    m_statesCurrent = true;
    SetModifiedFlag(true);
}

void CTesselDoc::RemoveAll() {
    // The history's objects go first, while the list still shows which circles it frees.
    m_history.Clear(*this);
    FreeRetiredCircles();
    m_nodes.RemoveAll(m_circles);
    m_edges.RemoveAll();
    m_circles.RemoveAll(m_nodes);
    m_statesCurrent = false;
    m_move.reset();
    m_moved = false;
}

void CTesselDoc::SetGraphExtent(double w, double h) {
    double sx = IsPositive(w) ? AxisScale(m_extentX, w) : 1.0;
    double sy = IsPositive(h) ? AxisScale(m_extentY, h) : 1.0;
    m_nodes.Scale(sx, sy);
    if (IsPositive(w)) {
        m_extentX = w;
    }
    if (IsPositive(h)) {
        m_extentY = h;
    }
}

void CTesselDoc::ClampToExtent(IntPoint& p) const {
    p.x = ClampAxis(p.x, m_extentX);
    p.y = ClampAxis(p.y, m_extentY);
}

void CTesselDoc::ClampToExtent(CDPoint& p) const {
    p.x = ClampAxis(p.x, m_extentX);
    p.y = ClampAxis(p.y, m_extentY);
}

void CTesselDoc::ClickAdd(const CDPoint& p, double pixel) {
    if (CCPNode* node = m_nodes.HitTest(p, pixel)) {
        StartGraphEdit(ids::kStepConnectNode);
        ConnectNode(node);
        m_topologyChanged = 1;
        FinishGraphEdit();
    } else if (CCPEdge* edge = m_edges.HitTest(p, pixel)) {
        StartGraphEdit(ids::kStepGrowNode);
        GrowNode(edge);
        m_topologyChanged = 1;
        FinishGraphEdit();
    }
}

// A deletion the user makes marks the document modified, so that closing the window asks to
// save it like any other edit; DeleteNode and DeleteEdge themselves leave the flag alone.
void CTesselDoc::ClickDelete(const CDPoint& p, double pixel) {
    if (CCPNode* node = m_nodes.HitTest(p, pixel)) {
        StartGraphEdit(ids::kStepDeleteNode);
        if (DeleteNode(node)) {
            SetModifiedFlag(true);
        }
        m_topologyChanged = 1;
        FinishGraphEdit();
    } else if (CCPEdge* edge = m_edges.HitTest(p, pixel)) {
        StartGraphEdit(ids::kStepDeleteEdge);
        if (DeleteEdge(edge)) {
            SetModifiedFlag(true);
        }
        m_topologyChanged = 1;
        FinishGraphEdit();
    }
}

std::string CTesselDoc::GetHintText(const CDPoint& p, double pixel) const {
    std::string hint;
    if (const CCPNode* node = m_nodes.HitTest(p, pixel)) {
        AddHint(hint, ids::kHintMove);
        if (node->CanConnect()) {
            AddHint(hint, ids::kHintCreateEdges);
        }
        if (CanDeleteNode(node)) {
            AddHint(hint, ids::kHintDeleteNode);
        }
    } else if (const CCPEdge* edge = m_edges.HitTest(p, pixel)) {
        if (edge->m_interior != 1) {
            AddHint(hint, ids::kHintCreateNode);
        }
        if (CanDeleteEdge(edge)) {
            AddHint(hint, ids::kHintDeleteEdge);
        }
    }
    return hint;
}

bool CTesselDoc::GrowNode(CCPEdge* edge) {
    if (!edge || edge->m_interior == 1 || !edge->m_start || !edge->m_end ||
        edge->m_start == edge->m_end) {
        return false;
    }
    CCPNode* s = edge->m_start;
    CCPNode* t = edge->m_end;
    Touch(edge);
    Touch(s);
    Touch(t);
    edge->m_interior = 1;
    CDPoint d = *s - *t;
    const double c = std::cos(ThirdPi);
    const double sn = std::sin(ThirdPi);
    const double third = 1.0 / 3;
    auto* n = new CCPNode((s->x + 2 * t->x + c * d.x - sn * d.y) * third,
                          (s->y + 2 * t->y + c * d.y + sn * d.x) * third, NotConnected, 0);
    auto* a = new CCPEdge(s, n);
    auto* b = new CCPEdge(n, t);
    n->m_edges = {b, a};
    s->InsertEdgeFirst(a);
    t->AddEdge(b);
    m_nodes.Add(n);
    m_edges.Add(a);
    m_edges.Add(b);
    // Growing keeps every kind and flag right unless the edge was not a boundary edge with
    // one triangle between two nodes that are not inner, which only a damaged file makes.
    if (s->m_kind == Inner || t->m_kind == Inner || edge->ComputeInterior() != 1) {
        m_statesCurrent = false;
    }
    SetModifiedFlag(true);
    return true;
}

bool CTesselDoc::ConnectNode(CCPNode* node) {
    if (node && node->CanConnect()) {
        Touch(node);
        Touch(node->GetNeighbour(0));
        Touch(node->GetNeighbour(node->GetEdgeCount() - 1));
    }
    CCPEdge* edge = node ? node->Connect() : nullptr;
    if (!edge) {
        return false;
    }
    m_edges.Add(edge);
    RecomputeStatesAfterConnect(node);
    SetModifiedFlag(true);
    return true;
}

bool CTesselDoc::CanDeleteNode(const CCPNode* node) const {
    return node && m_nodes.GetSize() > 3 && node->m_kind == NotConnected &&
           node->GetEdgeCount() == 2;
}

bool CTesselDoc::DeleteNode(CCPNode* node) {
    if (!CanDeleteNode(node) || m_nodes.IndexOf(node) < 0) {
        return false;
    }
    CCPEdge* e0 = node->GetEdge(0);
    CCPEdge* e1 = node->GetEdge(1);
    CCPNode* a = node->GetNeighbour(0);
    CCPNode* b = node->GetNeighbour(1);
    // The triangle's third side must exist for the boundary to close up again.
    CCPEdge* across = m_edges.FindEdge(a, b);
    if (!a || !b || a == b || e0 == e1 || !across || m_edges.IndexOf(e0) < 0 ||
        m_edges.IndexOf(e1) < 0) {
        return false;
    }
    Touch(a);
    Touch(b);
    Touch(across);
    a->RemoveEdge(e0);
    b->RemoveEdge(e1);
    across->StartAt(b);
    DropEdge(e0);
    DropEdge(e1);
    DropNode(node);
    RecomputeStates();
    return true;
}

CCPNode* CTesselDoc::FindApex(const CCPEdge* edge) const {
    const CCPNode* s = edge->m_start;
    for (int i = 0; i < s->GetEdgeCount(); ++i) {
        CCPNode* q = s->GetNeighbour(i);
        if (q && q->m_kind == Inner && q->HasConsecutive(edge)) {
            return q;
        }
    }
    return nullptr;
}

bool CTesselDoc::CanDeleteEdge(const CCPEdge* edge) const {
    return edge && edge->m_start && edge->m_end && m_nodes.GetSize() >= 4 &&
           edge->m_interior == 0 && edge->m_start->m_kind == Outer &&
           edge->m_end->m_kind == Outer && FindApex(edge);
}

bool CTesselDoc::DeleteEdge(CCPEdge* edge) {
    if (!CanDeleteEdge(edge) || m_edges.IndexOf(edge) < 0) {
        return false;
    }
    CCPNode* s = edge->m_start;
    CCPNode* t = edge->m_end;
    CCPNode* q = FindApex(edge);
    CCPEdge* toS = m_edges.FindEdge(q, s);
    CCPEdge* toT = m_edges.FindEdge(q, t);
    if (!toS || !toT) {
        return false;
    }
    for (const CCPNode* changed : {q, s, t}) {
        Touch(changed);
    }
    Touch(toS);
    Touch(toT);
    q->m_kind = Outer;
    q->RotateToNeighbour(t);
    s->RemoveEdge(edge);
    t->RemoveEdge(edge);
    toS->StartAt(s);
    toT->StartAt(q);
    DropEdge(edge);
    RecomputeStates();
    return true;
}

void CTesselDoc::RecomputeStates() {
    if (!m_journal) {
        m_nodes.UpdateKinds();
        m_edges.UpdateInteriors();
    } else {
        for (CCPNode* node : m_nodes.m_array) {
            UpdateKindOf(node);
        }
        for (CCPEdge* edge : m_edges.m_array) {
            UpdateInteriorOf(edge);
        }
    }
    m_statesCurrent = true;
}

// A connection makes one node inner and adds one edge between its first and last
// neighbours. Only the kinds of the node's neighbours and the flags of the edges at those
// two ends can change, so a full pass over a large graph is needed only when the states
// were not known to be right before.
void CTesselDoc::RecomputeStatesAfterConnect(CCPNode* node) {
    if (!m_statesCurrent) {
        RecomputeStates();
        return;
    }
    for (int i = 0; i < node->GetEdgeCount(); ++i) {
        if (CCPNode* neighbour = node->GetNeighbour(i)) {
            UpdateKindOf(neighbour);
        }
    }
    for (const CCPNode* end :
         {node->GetNeighbour(0), node->GetNeighbour(node->GetEdgeCount() - 1)}) {
        for (CCPEdge* edge : end->m_edges) {
            UpdateInteriorOf(edge);
        }
    }
}
