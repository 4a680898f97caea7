// Aliased ellipses, lines, fills and pixels in a CDibBuffer.
#include "circles/DibSurface.h"

#include "circles/DibBuffer.h"
#include "circles/PixelShapes.h"

#include <algorithm>

void CDibSurface::Plot(long long x, long long y, COLORREF color, RasterOp op) {
    if (op == RasterOp::NoOp || x < 0 || y < 0 || x >= m_buffer.Width() || y >= m_buffer.Height()) {
        return;
    }
    std::uint8_t* p = m_buffer.Row(int(y)) + 3 * x;
    WriteBgr(p, op == RasterOp::XorPen ? (ReadBgr(p) ^ color) & 0xFFFFFF : color);
}

void CDibSurface::PlotBrush(long long x, long long y, const SurfaceState& state) {
    const SurfaceBrush& brush = state.brush;
    if (brush.style == BrushStyle::Solid || OnDiagonalCross(x, y)) {
        Plot(x, y, brush.color, state.rasterOp);
    } else if (!state.transparentBackground) {
        Plot(x, y, kOpaqueBackground, state.rasterOp);
    }
}

void CDibSurface::DoEllipse(const IntRect& rect, const SurfaceState& state) {
    const PixelEllipse shape(rect, state.origin.x, state.origin.y, state.pen);
    if (shape.Empty()) {
        return;
    }
    long long x0 = std::max<long long>(shape.X0(), 0);
    long long x1 = std::min<long long>(shape.X1(), m_buffer.Width());
    long long y0 = std::max<long long>(shape.Y0(), 0);
    long long y1 = std::min<long long>(shape.Y1(), m_buffer.Height());
    for (long long y = y0; y < y1; ++y) {
        const double ny = shape.RowOf(y);
        for (long long x = x0; x < x1; ++x) {
            const double along = shape.Along(x, ny);
            if (shape.IsPen(along)) {
                Plot(x, y, state.pen.color, state.rasterOp);
            } else if (shape.IsBrush(along) && state.brush.style != BrushStyle::Null) {
                PlotBrush(x, y, state);
            }
        }
    }
}

void CDibSurface::DoLine(IntPoint from, IntPoint to, const SurfaceState& state) {
    if (state.pen.style == PenStyle::Null) {
        return;
    }
    WalkLine(from, to, [&](long long x, long long y) {
        Plot(x + state.origin.x, y + state.origin.y, state.pen.color, state.rasterOp);
    });
}

void CDibSurface::DoFillRect(const IntRect& rect, COLORREF color, const SurfaceState& state) {
    long long x0 = std::max<long long>((long long)rect.left + state.origin.x, 0);
    long long x1 = std::min<long long>((long long)rect.right + state.origin.x, m_buffer.Width());
    long long y0 = std::max<long long>((long long)rect.top + state.origin.y, 0);
    long long y1 = std::min<long long>((long long)rect.bottom + state.origin.y, m_buffer.Height());
    for (long long y = y0; y < y1; ++y) {
        m_buffer.FillSpan(int(y), int(x0), int(x1), color);
    }
}

void CDibSurface::DoSetPixel(IntPoint point, COLORREF color, const SurfaceState& state) {
    Plot((long long)point.x + state.origin.x, (long long)point.y + state.origin.y, color,
         state.rasterOp);
}
