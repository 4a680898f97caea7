// The drawing state rules shared by every backend.
#include "circles/DrawSurface.h"

#include <cassert>
#include <cstdint>

void CDrawSurface::SaveState() {
    m_saved.push_back(m_state);
    OnSaveState();
}

void CDrawSurface::RestoreState() {
    assert(!m_saved.empty() && "RestoreState without a matching SaveState");
    if (m_saved.empty()) {
        return;
    }
    m_state = m_saved.back();
    m_saved.pop_back();
    OnRestoreState();
    OnStateChanged(m_state);
}

void CDrawSurface::Change(const SurfaceState& next) {
    if (next == m_state) {
        return;
    }
    m_state = next;
    OnStateChanged(m_state);
}

void CDrawSurface::SelectPen(const SurfacePen& pen) {
    SurfaceState next = m_state;
    next.pen = pen;
    Change(next);
}

void CDrawSurface::SelectBrush(const SurfaceBrush& brush) {
    SurfaceState next = m_state;
    next.brush = brush;
    Change(next);
}

void CDrawSurface::SetTransparentBackground(bool transparent) {
    SurfaceState next = m_state;
    next.transparentBackground = transparent;
    Change(next);
}

void CDrawSurface::SetRasterOp(RasterOp op) {
    SurfaceState next = m_state;
    next.rasterOp = op;
    Change(next);
}

void CDrawSurface::SetOrigin(IntPoint origin) {
    SurfaceState next = m_state;
    next.origin = origin;
    Change(next);
}

void CDrawSurface::Ellipse(const IntRect& rect) {
    DoEllipse(rect, m_state);
}

void CDrawSurface::Circle(const SurfaceCircle& circle) {
    DoCircle(circle, m_state);
}

void CDrawSurface::Line(IntPoint from, IntPoint to) {
    DoLine(from, to, m_state);
}

void CDrawSurface::FillRect(const IntRect& rect, COLORREF color) {
    DoFillRect(rect, color, m_state);
}

void CDrawSurface::SetPixel(IntPoint point, COLORREF color) {
    DoSetPixel(point, color, m_state);
}

bool CDrawSurface::IsVisible(const IntRect& rect, int margin) const {
    if (!m_visible) {
        return true;
    }
    // In 64 bits: rectangles reach the ends of the 32-bit range.
    const std::int64_t grow = std::int64_t{margin} + 1;
    const IntPoint o = m_state.origin;
    return std::int64_t{rect.left} + o.x - grow < m_visible->right &&
           std::int64_t{rect.right} + o.x + grow > m_visible->left &&
           std::int64_t{rect.top} + o.y - grow < m_visible->bottom &&
           std::int64_t{rect.bottom} + o.y + grow > m_visible->top;
}
