// Selection, shared styles and gradations over the outer circle and the packed circles.
#include "circles/CPCircleArray.h"

#include "circles/ColorHsv.h"
#include "model/CPNode.h"
#include "model/CPNodeArray.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_set>

TESSEL_IMPLEMENT_DYNCREATE(CCPCircleArray, CObject)

CCPCircleArray::CCPCircleArray() {
    m_outer.ResetAsOuter();
}

bool CCPCircleArray::Contains(const CCPCircle* circle) const {
    return std::find(m_list.begin(), m_list.end(), circle) != m_list.end();
}

void CCPCircleArray::RemoveAll(const CCPNodeArray& owners) {
    // One set instead of a search of the nodes per circle: after a packing run both hold
    // every circle.
    std::unordered_set<const CCPCircle*> owned;
    for (int i = 0; i < owners.GetSize(); ++i) {
        owned.insert(owners.GetAt(i)->m_circle);
    }
    for (CCPCircle* circle : m_list) {
        if (!owned.contains(circle)) {
            delete circle;
        }
    }
    m_list.clear();
    m_list.shrink_to_fit();
}

void CCPCircleArray::SelectAll(int value, bool includeOuter) {
    if (includeOuter) {
        m_outer.m_selected = value;
    }
    for (CCPCircle* circle : m_list) {
        circle->m_selected = value;
    }
}

void CCPCircleArray::InvertSelection() {
    for (CCPCircle* circle : m_list) {
        circle->m_selected = !circle->m_selected;
    }
}

CCPCircle* CCPCircleArray::HitTest(const CDPoint& p, bool includeOuter) {
    for (CCPCircle* circle : m_list) {
        if (circle->ContainsPoint(p)) {
            return circle;
        }
    }
    if (includeOuter && m_outer.ContainsPoint(p)) {
        return &m_outer;
    }
    return nullptr;
}

void CCPCircleArray::ToggleInRect(const CDPoint& a, const CDPoint& b) {
    for (CCPCircle* circle : m_list) {
        if (circle->IntersectsRect(a, b)) {
            circle->m_selected = !circle->m_selected;
        }
    }
}

int CCPCircleArray::GetCommonStyle(CCPCircle& target) const {
    bool any = false;
    bool sameInner = true;
    bool sameLine = true;
    bool sameWidth = true;
    for (int i = -1; i < GetCount(); ++i) {
        const CCPCircle& c = *GetAt(i);
        if (!c.m_selected) {
            continue;
        }
        if (!any) {
            target.CopyStyle(c);
            any = true;
            continue;
        }
        // Once an attribute differs it takes the default and is not compared again.
        if (sameInner && c.m_innerCol != target.m_innerCol) {
            target.m_innerCol = DefInnerCol;
            sameInner = false;
        }
        if (sameLine && c.m_lineCol != target.m_lineCol) {
            target.m_lineCol = DefLineCol;
            sameLine = false;
        }
        if (sameWidth && c.m_thickness != target.m_thickness) {
            target.m_thickness = DefThickness;
            sameWidth = false;
        }
    }
    return (any ? StyleAnySelected : 0) | (sameInner ? StyleInnerColor : 0) |
           (sameLine ? StyleLineColor : 0) | (sameWidth ? StyleLineWidth : 0);
}

void CCPCircleArray::ApplyStyle(const CCPCircle& source, int flags) {
    for (int i = -1; i < GetCount(); ++i) {
        CCPCircle& c = *GetAt(i);
        if (!c.m_selected) {
            continue;
        }
        if (flags & StyleInnerColor) {
            c.m_innerCol = source.m_innerCol;
        }
        if (flags & StyleLineColor) {
            c.m_lineCol = source.m_lineCol;
        }
        if (flags & StyleLineWidth) {
            c.m_thickness = NormalisedThickness(source.m_thickness);
        }
    }
}

namespace {

// The gradation's colour at parameter t; the ends keep their exact colours.
COLORREF GradationColor(const CGradation& request, const CHsv& start, const CHsv& end, double t) {
    if (request.kind == GradLinear && t <= 0) {
        return request.startColor;
    }
    if (t >= 1) {
        return request.endColor;
    }
    return Interpolate(start, end, t);
}

} // namespace

void CCPCircleArray::ApplyGradation(const CGradation& request) {
    if (!request.applyLine && !request.applyInner) {
        return;
    }
    if (request.kind != GradLinear && request.kind != GradCircular) {
        return;
    }
    CDPoint start = request.start;
    CDPoint end = request.end;
    if (request.snap) {
        if (const CCPCircle* hit = HitTest(start, false)) {
            start = hit->m_euclidCentre;
        }
        if (const CCPCircle* hit = HitTest(end, false)) {
            end = hit->m_euclidCentre;
        }
    }
    if (start == end) {
        return;
    }
    CHsv startHsv = RgbToHsv(request.startColor);
    CHsv endHsv = RgbToHsv(request.endColor);
    CDPoint d = end - start;
    double length = d.Abs();
    if (!(length > 0) || !std::isfinite(length)) {
        return; // the points are too close or too far apart for a direction
    }
    CDPoint unit = d / length;
    for (int i = -1; i < GetCount(); ++i) {
        CCPCircle& c = *GetAt(i);
        if (!c.m_selected) {
            continue;
        }
        double t = request.kind == GradLinear ? unit.Dot(c.m_euclidCentre - start) / length
                                              : c.m_euclidCentre.Distance(start) / length;
        COLORREF color = GradationColor(request, startHsv, endHsv, t);
        if (request.applyLine) {
            c.m_lineCol = color;
        }
        if (request.applyInner) {
            c.m_innerCol = color;
        }
    }
}

IntRect CCPCircleArray::GetExtent(double scale) const {
    // Widened so that a damaged width cannot overflow; callers refuse scales whose extent
    // does not fit device coordinates.
    std::int64_t c = std::int64_t{RoundToPixel(scale)} + m_outer.m_thickness + ExtentMargin;
    auto side = static_cast<std::int32_t>(std::clamp<std::int64_t>(c, -INT32_MAX, INT32_MAX));
    return {-side, -side, side, side};
}
