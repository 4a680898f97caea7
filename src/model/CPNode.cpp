// Graph nodes: the fan of edges around a node, closing it, and its kind.
#include "model/CPNode.h"

#include "circles/CPCircle.h"
#include "model/CPEdge.h"

#include <algorithm>

TESSEL_IMPLEMENT_DYNCREATE(CCPNode, CHotSpot)

namespace {

constexpr COLORREF DefaultInnerColor = 0x00FFFF00;
constexpr COLORREF DefaultOuterColor = 0x00FF00FF;
constexpr COLORREF DefaultNotConnectColor = 0x0000FFFF;
constexpr COLORREF DefaultHighlightColor = 0x0000FF00;
constexpr double DefaultThreshold = 0.0001;

} // namespace

COLORREF CCPNode::m_innerColor = DefaultInnerColor;
COLORREF CCPNode::m_outerColor = DefaultOuterColor;
COLORREF CCPNode::m_notConnectColor = DefaultNotConnectColor;
COLORREF CCPNode::m_highlightColor = DefaultHighlightColor;
double CCPNode::m_threshold = DefaultThreshold;

void CCPNode::ResetDefaults() {
    m_innerColor = DefaultInnerColor;
    m_outerColor = DefaultOuterColor;
    m_notConnectColor = DefaultNotConnectColor;
    m_highlightColor = DefaultHighlightColor;
    m_threshold = DefaultThreshold;
}

CCPNode::CCPNode(double x, double y, int kind, int highlight)
    : CHotSpot(x, y, highlight), m_kind(kind), m_circle(new CCPCircle) {}

CCPEdge* CCPNode::GetEdge(int i) const {
    return i >= 0 && i < GetEdgeCount() ? m_edges[i] : nullptr;
}

void CCPNode::InsertEdgeFirst(CCPEdge* edge) {
    m_edges.insert(m_edges.begin(), edge);
}

void CCPNode::RemoveEdge(const CCPEdge* edge) {
    auto it = std::find(m_edges.begin(), m_edges.end(), edge);
    if (it != m_edges.end()) {
        m_edges.erase(it);
    }
}

int CCPNode::IndexOfEdge(const CCPEdge* edge) const {
    auto it = std::find(m_edges.begin(), m_edges.end(), edge);
    return it == m_edges.end() ? -1 : static_cast<int>(it - m_edges.begin());
}

CCPNode* CCPNode::GetNeighbour(int i) const {
    const CCPEdge* edge = GetEdge(i);
    return edge ? edge->Other(this) : nullptr;
}

int CCPNode::IndexOfNeighbour(const CCPNode* node) const {
    if (!node) {
        return -1;
    }
    for (int i = 0; i < GetEdgeCount(); ++i) {
        if (GetNeighbour(i) == node) {
            return i;
        }
    }
    return -1;
}

bool CCPNode::HasConsecutive(const CCPEdge* edge) const {
    int n = GetEdgeCount();
    if (!edge || n < 2) {
        return false;
    }
    auto joins = [&](int i, int j) {
        const CCPNode* a = GetNeighbour(i);
        const CCPNode* b = GetNeighbour(j);
        return a && b &&
               ((a == edge->m_start && b == edge->m_end) ||
                (a == edge->m_end && b == edge->m_start));
    };
    for (int i = 0; i + 1 < n; ++i) {
        if (joins(i, i + 1)) {
            return true;
        }
    }
    return m_kind == Inner && joins(n - 1, 0);
}

void CCPNode::RotateToEdge(const CCPEdge* edge) {
    auto it = std::find(m_edges.begin(), m_edges.end(), edge);
    if (it != m_edges.end()) {
        std::rotate(m_edges.begin(), it, m_edges.end());
    }
}

void CCPNode::RotateToNeighbour(const CCPNode* node) {
    int i = IndexOfNeighbour(node);
    if (i >= 0) {
        std::rotate(m_edges.begin(), m_edges.begin() + i, m_edges.end());
    }
}

bool CCPNode::CanConnect() const {
    if (m_kind == Inner || GetEdgeCount() < 3) {
        return false;
    }
    // A damaged file can leave the fan without proper ends; an edge from a node to itself
    // would then follow.
    const CCPNode* first = GetNeighbour(0);
    const CCPNode* last = GetNeighbour(GetEdgeCount() - 1);
    return first && last && first != last && first != this && last != this &&
           !first->IsNeighbour(last);
}

CCPEdge* CCPNode::Connect() {
    if (!CanConnect()) {
        return nullptr;
    }
    CCPNode* first = GetNeighbour(0);
    CCPNode* last = GetNeighbour(GetEdgeCount() - 1);
    auto* edge = new CCPEdge(last, first);
    first->AddEdge(edge);
    last->InsertEdgeFirst(edge);
    m_kind = Inner;
    return edge;
}

void CCPNode::UpdateKind() {
    if (m_kind == Inner) {
        return;
    }
    m_kind = NotConnected;
    for (int i = 0; i < GetEdgeCount(); ++i) {
        const CCPNode* neighbour = GetNeighbour(i);
        if (neighbour && neighbour->m_kind == Inner) {
            m_kind = Outer;
            return;
        }
    }
}

void CCPNode::DeleteCircle() {
    delete m_circle;
    m_circle = nullptr;
}

COLORREF CCPNode::GetColor() const {
    if (m_highlight) {
        return m_highlightColor;
    }
    switch (m_kind) {
    case Outer:
        return m_outerColor;
    case Inner:
        return m_innerColor;
    default:
        return m_notConnectColor;
    }
}

void CCPNode::Draw(CDrawSurface& dc, const CViewTransform& view) const {
    CHotSpot::Draw(dc, GetColor(), view);
}
