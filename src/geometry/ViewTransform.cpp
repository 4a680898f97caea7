// Zoom and pan of a view.
#include "geometry/ViewTransform.h"

#include <algorithm>
#include <cmath>

namespace {

CDPoint Rounded(const CDPoint& p) {
    return {RoundHalfAway(p.x), RoundHalfAway(p.y)};
}

} // namespace

void CViewTransform::Reset() {
    m_zoom = 1.0;
    m_pan = CDPoint();
}

void CViewTransform::ZoomAbout(const CDPoint& screen, double factor) {
    if (!std::isfinite(factor) || factor <= 0.0) {
        return;
    }
    const CDPoint fixed = ToDocument(screen);
    m_zoom = std::clamp(m_zoom * factor, kMinZoom, kMaxZoom);
    m_pan = Rounded(screen - fixed * m_zoom);
}

CViewTransform CViewTransform::ForPicture(double zoom, const CDPoint& pan, double markScale) {
    CViewTransform picture;
    picture.m_zoom = zoom;
    picture.m_pan = pan;
    picture.m_markScale = markScale;
    return picture;
}

void CViewTransform::PanBy(const CDPoint& delta) {
    if (std::isfinite(delta.x) && std::isfinite(delta.y)) {
        m_pan = Rounded(m_pan + delta);
    }
}

void CViewTransform::ClampPan(double reach) {
    const double limit = std::isfinite(reach) && reach > 0.0 ? std::round(reach * m_zoom) : 0.0;
    m_pan = CDPoint(std::clamp(m_pan.x, -limit, limit), std::clamp(m_pan.y, -limit, limit));
}

void CViewTransform::SetWindow(double halfWidth, double halfHeight) {
    m_halfWidth = halfWidth;
    m_halfHeight = halfHeight;
}

bool CViewTransform::Shows(const CDPoint& lo, const CDPoint& hi, double margin) const {
    // Written so that a box with a coordinate that is not a number is shown, not lost.
    return !(hi.x + margin < -m_halfWidth || lo.x - margin > m_halfWidth ||
             hi.y + margin < -m_halfHeight || lo.y - margin > m_halfHeight);
}
