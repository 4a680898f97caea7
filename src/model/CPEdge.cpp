// Graph edges: their ends, the interior flag, the hit band and the line they draw.
#include "model/CPEdge.h"

#include "circles/DrawSurface.h"
#include "model/CPNode.h"

#include <algorithm>
#include <cmath>
#include <utility>

TESSEL_IMPLEMENT_DYNCREATE(CCPEdge, CObject)

namespace {

constexpr COLORREF DefaultInnerColor = 0x00FF0000;
constexpr COLORREF DefaultOuterColor = 0x000000FF;
constexpr int DefaultThickness = 1;
constexpr double DefaultHit = 3.0;

bool InClosedSpan(double v, double a, double b) {
    return std::min(a, b) <= v && v <= std::max(a, b);
}

// Whether every pixel a line from `from` to `to` in a pen `width` pixels wide can touch lies
// inside the square: the pen's half-width beside the line, one pixel more for how the pixel
// grid rounds it.
bool InsideSquare(IntPoint from, IntPoint to, int width, const IntRect& square) {
    const int reach = (std::max(width, 1) + 1) / 2 + 1;
    return square.left <= std::min(from.x, to.x) - reach &&
           std::max(from.x, to.x) + reach < square.right &&
           square.top <= std::min(from.y, to.y) - reach &&
           std::max(from.y, to.y) + reach < square.bottom;
}

} // namespace

COLORREF CCPEdge::m_innerColor = DefaultInnerColor;
COLORREF CCPEdge::m_outerColor = DefaultOuterColor;
int CCPEdge::m_thickness = DefaultThickness;
double CCPEdge::m_hit = DefaultHit;

void CCPEdge::ResetDefaults() {
    m_innerColor = DefaultInnerColor;
    m_outerColor = DefaultOuterColor;
    m_thickness = DefaultThickness;
    m_hit = DefaultHit;
}

CCPNode* CCPEdge::Other(const CCPNode* node) const {
    if (!node) {
        return nullptr;
    }
    if (node == m_start) {
        return m_end;
    }
    return node == m_end ? m_start : nullptr;
}

CCPNode* CCPEdge::StartAt(const CCPNode* node) {
    CCPNode* previous = m_start;
    if (node && node == m_end && node != m_start) {
        std::swap(m_start, m_end);
    }
    return previous;
}

int CCPEdge::ComputeInterior() const {
    if (!m_start || !m_end) {
        return 0;
    }
    int triangles = 0;
    for (int i = 0; i < m_start->GetEdgeCount(); ++i) {
        const CCPNode* apex = m_start->GetNeighbour(i);
        if (apex && m_end->IsNeighbour(apex) && apex->HasConsecutive(this)) {
            ++triangles;
        }
    }
    return triangles == 2 ? 1 : 0;
}

bool CCPEdge::HitTest(const CDPoint& p, double pixel) const {
    if (!m_start || !m_end) {
        return false;
    }
    const CCPNode& s = *m_start;
    const CCPNode& t = *m_end;
    double dx = s.x - t.x;
    double dy = s.y - t.y;
    double d = std::abs(dy * (p.x - s.x) - dx * (p.y - s.y)) / std::sqrt(dx * dx + dy * dy);
    // Written so that an edge of length zero, whose distance is not a number, is never hit.
    if (!(d <= m_hit * pixel)) {
        return false;
    }
    if (std::abs(dy) >= std::abs(dx)) {
        return InClosedSpan(p.y, s.y, t.y);
    }
    return InClosedSpan(p.x, s.x, t.x);
}

void CCPEdge::Draw(CDrawSurface& dc, const CViewTransform& view) const {
    dc.SaveState();
    DrawInBracket(dc, view);
    dc.RestoreState();
}

bool CCPEdge::UnderEndSquare(IntPoint from, IntPoint to, const CViewTransform& view) const {
    return InsideSquare(from, to, m_thickness, m_start->Square(view)) ||
           InsideSquare(from, to, m_thickness, m_end->Square(view));
}

void CCPEdge::DrawInBracket(CDrawSurface& dc, const CViewTransform& view) const {
    if (!m_start || !m_end) {
        return;
    }
    const CDPoint a = view.ToScreen(*m_start);
    const CDPoint b = view.ToScreen(*m_end);
    if (!view.Shows({std::min(a.x, b.x), std::min(a.y, b.y)},
                    {std::max(a.x, b.x), std::max(a.y, b.y)}, m_thickness + 1.0)) {
        return;
    }
    const IntPoint from = a.ToPoint();
    const IntPoint to = b.ToPoint();
    if (dc.IsScreen() && (from == to || UnderEndSquare(from, to, view))) {
        return;
    }
    dc.SelectPen(SurfacePen::Solid(m_thickness, m_interior == 1 ? m_innerColor : m_outerColor));
    dc.Line(from, to);
}
