// Aliased ellipses, lines, fills and pixels in a CDibBuffer.
#include "circles/DibSurface.h"

#include "circles/DibBuffer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr COLORREF kOpaqueBackground = 0x00FFFFFF; // the background of a fresh context

bool OnDiagonalCross(long long x, long long y) {
    auto mod8 = [](long long v) { return ((v % 8) + 8) % 8; };
    return mod8(x + y) == 0 || mod8(x - y) == 0;
}

} // namespace

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
    long long ox = state.origin.x, oy = state.origin.y;
    bool pen = state.pen.style == PenStyle::Solid;
    // The path runs through the centres of the first and last pixels when there is a pen.
    double inset = pen ? 1 : 0;
    double width = double(rect.right) - rect.left, height = double(rect.bottom) - rect.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    double ax = (width - inset) / 2, ay = (height - inset) / 2;
    double cx = ox + rect.left + (width - 1) / 2;
    double cy = oy + rect.top + (height - 1) / 2;
    double half = pen ? std::max(1, state.pen.width) / 2.0 : 0;
    long long reach = (long long)std::ceil(half);
    long long x0 = std::max<long long>(ox + rect.left - reach, 0);
    long long x1 = std::min<long long>(ox + rect.right + reach, m_buffer.Width());
    long long y0 = std::max<long long>(oy + rect.top - reach, 0);
    long long y1 = std::min<long long>(oy + rect.bottom + reach, m_buffer.Height());
    double scale = std::min(std::max(ax, 0.5), std::max(ay, 0.5));
    for (long long y = y0; y < y1; ++y) {
        double ny = ay > 0 ? (y - cy) / ay : (y == cy ? 0 : INFINITY);
        for (long long x = x0; x < x1; ++x) {
            double nx = ax > 0 ? (x - cx) / ax : (x == cx ? 0 : INFINITY);
            // Distance from the path in pixels, exact for circles.
            double along = (std::sqrt(nx * nx + ny * ny) - 1) * scale;
            if (pen && std::abs(along) <= half) {
                Plot(x, y, state.pen.color, state.rasterOp);
            } else if (along <= (pen ? -half : 0) && state.brush.style != BrushStyle::Null) {
                PlotBrush(x, y, state);
            }
        }
    }
}

void CDibSurface::DoLine(IntPoint from, IntPoint to, const SurfaceState& state) {
    if (state.pen.style == PenStyle::Null) {
        return;
    }
    // Bresenham's walk; the end point itself is not drawn.
    long long x = from.x, y = from.y;
    long long dx = std::llabs((long long)to.x - from.x), dy = -std::llabs((long long)to.y - from.y);
    long long sx = from.x < to.x ? 1 : -1, sy = from.y < to.y ? 1 : -1;
    long long err = dx + dy;
    while (x != to.x || y != to.y) {
        Plot(x + state.origin.x, y + state.origin.y, state.pen.color, state.rasterOp);
        long long e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
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
