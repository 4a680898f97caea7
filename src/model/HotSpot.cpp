// The hit square of clickable graph points.
#include "model/HotSpot.h"

#include "circles/DrawSurface.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

TESSEL_IMPLEMENT_DYNCREATE(CHotSpot, CDPoint)

namespace {

constexpr int DefaultSize = 4;

// The far side of a square, kept in range for squares at the very edge of the pixel range.
std::int32_t FarSide(std::int32_t near, std::int64_t side) {
    std::int64_t far = std::int64_t{near} + side;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(far, INT32_MIN, INT32_MAX));
}

} // namespace

int CHotSpot::m_size = DefaultSize;

void CHotSpot::ResetDefaults() {
    m_size = DefaultSize;
}

bool CHotSpot::HitTest(const CDPoint& p, double pixel) const {
    const double half = m_size * pixel;
    return std::abs(x - p.x) < half && std::abs(y - p.y) < half;
}

void CHotSpot::Draw(CDrawSurface& dc, COLORREF color, const CViewTransform& view) const {
    const CDPoint screen = view.ToScreen(*this);
    if (!view.Shows(screen, screen, (m_size + 1) * view.MarkScale())) {
        return;
    }
    dc.FillRect(Square(view), color);
}

IntRect CHotSpot::Square(const CViewTransform& view) const {
    const CDPoint screen = view.ToScreen(*this);
    const double half = m_size * view.MarkScale();
    IntPoint corner = CDPoint(screen.x - half, screen.y - half).ToPoint();
    std::int64_t side = std::llround((2.0 * m_size + 1.0) * view.MarkScale());
    return {corner.x, corner.y, FarSide(corner.x, side), FarSide(corner.y, side)};
}
