// Aliased drawing into 32-bit pixels by runs of a row.
#include "circles/SpanSurface.h"

#include "circles/PixelShapes.h"

#include <algorithm>
#include <cmath>

namespace {

std::uint32_t ToPixel(COLORREF c) {
    return 0xFF000000u | (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) |
           std::uint32_t(GetBValue(c));
}

} // namespace

CSpanSurface::CSpanSurface(std::uint32_t* pixels, int width, int height, std::ptrdiff_t stride,
                           double penScale)
    : m_pixels(pixels), m_width(std::max(width, 0)), m_height(std::max(height, 0)),
      m_stride(stride), m_penScale(penScale) {}

SurfacePen CSpanSurface::ScaledPen(const SurfacePen& pen) const {
    if (m_penScale == 1.0) {
        return pen;
    }
    SurfacePen scaled = pen;
    const double width = std::round(std::max(1, pen.width) * m_penScale);
    scaled.width = int(std::min(width, double(INT32_MAX)));
    return scaled;
}

void CSpanSurface::PenRun(long long y, long long x0, long long x1, COLORREF color, RasterOp op) {
    x0 = std::max<long long>(x0, 0);
    x1 = std::min<long long>(x1, m_width - 1);
    if (op == RasterOp::NoOp || x0 > x1) {
        return;
    }
    std::uint32_t* row = m_pixels + y * m_stride;
    const std::uint32_t pixel = ToPixel(color);
    if (op == RasterOp::XorPen) {
        for (long long x = x0; x <= x1; ++x) {
            row[x] ^= pixel & 0x00FFFFFFu;
        }
    } else {
        std::fill(row + x0, row + x1 + 1, pixel);
    }
}

void CSpanSurface::BrushRun(long long y, long long x0, long long x1, const SurfaceState& state) {
    const SurfaceBrush& brush = state.brush;
    if (brush.style == BrushStyle::Null) {
        return;
    }
    if (brush.style == BrushStyle::Solid) {
        PenRun(y, x0, x1, brush.color, state.rasterOp);
        return;
    }
    x0 = std::max<long long>(x0, 0);
    x1 = std::min<long long>(x1, m_width - 1);
    for (long long x = x0; x <= x1; ++x) {
        if (OnDiagonalCross(x, y)) {
            PenRun(y, x, x, brush.color, state.rasterOp);
        } else if (!state.transparentBackground) {
            PenRun(y, x, x, kOpaqueBackground, state.rasterOp);
        }
    }
}

void CSpanSurface::DoEllipse(const IntRect& rect, const SurfaceState& state) {
    const PixelEllipse shape(rect, state.origin.x, state.origin.y, ScaledPen(state.pen));
    if (shape.Empty() || state.rasterOp == RasterOp::NoOp) {
        return;
    }
    const long long y0 = std::max<long long>(shape.Y0(), 0);
    const long long y1 = std::min<long long>(shape.Y1(), m_height);
    for (long long y = y0; y < y1; ++y) {
        // Each pair of mirrored rows is settled once, at the first of them drawn.
        const long long mirror = shape.MirrorRow(y);
        if (mirror >= y0 && mirror < y) {
            continue;
        }
        const double ny = shape.RowOf(y);
        // Both runs kept within the rectangle the ellipse may touch, as a long ellipse's wide
        // pen would reach past its ends.
        long long last = shape.RunEnd(ny, false);
        const long long first = std::max(shape.MirrorColumn(last), shape.X0());
        last = std::min(last, shape.X1() - 1);
        if (first > last || last < 0 || first >= m_width) {
            continue;
        }
        long long inLast = shape.RunEnd(ny, true);
        const long long inFirst = std::max(shape.MirrorColumn(inLast), shape.X0());
        inLast = std::min(inLast, shape.X1() - 1);
        const auto drawRow = [&](long long row) {
            if (inFirst > inLast) {
                if (shape.HasPen()) {
                    PenRun(row, first, last, state.pen.color, state.rasterOp);
                } else {
                    BrushRun(row, first, last, state);
                }
                return;
            }
            // Pen, brush, pen: the brush's run lies inside the whole run.
            PenRun(row, first, inFirst - 1, state.pen.color, state.rasterOp);
            BrushRun(row, inFirst, inLast, state);
            PenRun(row, inLast + 1, last, state.pen.color, state.rasterOp);
        };
        drawRow(y);
        if (mirror > y && mirror < y1) {
            drawRow(mirror);
        }
    }
}

void CSpanSurface::DoLine(IntPoint from, IntPoint to, const SurfaceState& state) {
    if (state.pen.style == PenStyle::Null) {
        return;
    }
    WalkLine(from, to, [&](long long x, long long y) {
        DoSetPixel({int(x), int(y)}, state.pen.color, state);
    });
}

void CSpanSurface::DoFillRect(const IntRect& rect, COLORREF color, const SurfaceState& state) {
    const long long y0 = std::max<long long>((long long)rect.top + state.origin.y, 0);
    const long long y1 = std::min<long long>((long long)rect.bottom + state.origin.y, m_height);
    const long long x0 = (long long)rect.left + state.origin.x;
    const long long x1 = (long long)rect.right + state.origin.x - 1;
    for (long long y = y0; y < y1; ++y) {
        PenRun(y, x0, x1, color, RasterOp::CopyPen);
    }
}

void CSpanSurface::DoSetPixel(IntPoint point, COLORREF color, const SurfaceState& state) {
    const long long x = (long long)point.x + state.origin.x;
    const long long y = (long long)point.y + state.origin.y;
    if (y >= 0 && y < m_height) {
        PenRun(y, x, x, color, state.rasterOp);
    }
}
