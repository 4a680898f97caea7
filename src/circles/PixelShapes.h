// The pixel geometry the plain (aliased) pixel surfaces share, so that they set the same
// pixels: which pixels an ellipse's pen and brush cover, the hatch grid, the line walk.
#pragma once

#include "circles/DrawSurface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

// The background hatch gaps show in opaque mode: that of a fresh device context.
inline constexpr COLORREF kOpaqueBackground = 0x00FFFFFF;

// The cross hatch: the 8-pixel diagonal grid.
inline bool OnDiagonalCross(long long x, long long y) {
    auto mod8 = [](long long v) { return ((v % 8) + 8) % 8; };
    return mod8(x + y) == 0 || mod8(x - y) == 0;
}

// An ellipse drawn at device origin (ox, oy): a one-pixel outline through the first and last
// pixel of the rectangle, a wider pen centred on that path, the fill inside it; without a pen
// the fill spans the rectangle.
class PixelEllipse {
public:
    PixelEllipse(const IntRect& rect, long long ox, long long oy, const SurfacePen& pen)
        : m_pen(pen.style == PenStyle::Solid) {
        // The path runs through the centres of the first and last pixels when there is a pen.
        const double inset = m_pen ? 1 : 0;
        const double width = double(rect.right) - rect.left;
        const double height = double(rect.bottom) - rect.top;
        m_empty = width <= 0 || height <= 0;
        m_ax = (width - inset) / 2;
        m_ay = (height - inset) / 2;
        m_cx = ox + rect.left + (width - 1) / 2;
        m_cy = oy + rect.top + (height - 1) / 2;
        m_twiceCx = 2 * (ox + rect.left) + (long long)rect.right - rect.left - 1;
        m_twiceCy = 2 * (oy + rect.top) + (long long)rect.bottom - rect.top - 1;
        m_half = m_pen ? std::max(1, pen.width) / 2.0 : 0;
        const long long reach = (long long)std::ceil(m_half);
        m_x0 = ox + rect.left - reach;
        m_x1 = ox + rect.right + reach;
        m_y0 = oy + rect.top - reach;
        m_y1 = oy + rect.bottom + reach;
        m_scale = std::min(std::max(m_ax, 0.5), std::max(m_ay, 0.5));
    }

    bool Empty() const { return m_empty; }
    bool HasPen() const { return m_pen; }
    // The pixels it may touch: [X0, X1) x [Y0, Y1).
    long long X0() const { return m_x0; }
    long long X1() const { return m_x1; }
    long long Y0() const { return m_y0; }
    long long Y1() const { return m_y1; }

    // The normalised height of row y.
    double RowOf(long long y) const {
        return m_ay > 0 ? (y - m_cy) / m_ay : (y == m_cy ? 0 : INFINITY);
    }
    // How far pixel x of the row at normalised height ny lies outside the path, in pixels
    // (exact for circles).
    double Along(long long x, double ny) const {
        const double nx = m_ax > 0 ? (x - m_cx) / m_ax : (x == m_cx ? 0 : INFINITY);
        return (std::sqrt(nx * nx + ny * ny) - 1) * m_scale;
    }
    bool IsPen(double along) const { return m_pen && std::abs(along) <= m_half; }
    bool IsBrush(double along) const { return along <= (m_pen ? -m_half : 0); }

    // Row y and row MirrorRow(y) hold the same pixels, as do pixel x and MirrorColumn(x) of a
    // row: the centre lies on a pixel or halfway between two.
    long long MirrorRow(long long y) const { return m_twiceCy - y; }
    long long MirrorColumn(long long x) const { return m_twiceCx - x; }

    // The last pixel of the row at normalised height ny that the pen or the brush covers
    // (inner false), or the brush alone (inner true); below the middle column when there are
    // none, the first being its mirror image. Along grows with the distance from the centre,
    // so the pixels form one run, found from the exact crossing and settled with the same
    // test a pixel-by-pixel walk makes.
    long long RunEnd(double ny, bool inner) const {
        const auto inside = [&](long long x) {
            const double along = Along(x, ny);
            return inner ? !IsPen(along) && IsBrush(along) : IsPen(along) || IsBrush(along);
        };
        const long long middle = (m_twiceCx + 1) >> 1; // the nearest pixel at or after the centre
        if (!inside(middle)) {
            return middle - 1;
        }
        const double limit = inner ? (m_pen ? -m_half : 0) : m_half;
        const double rho = 1 + limit / m_scale;
        const double reach = m_ax * std::sqrt(std::max(0.0, rho * rho - ny * ny));
        long long last = std::max(middle, (long long)(m_cx + reach));
        while (inside(last + 1)) {
            ++last;
        }
        while (!inside(last)) {
            --last;
        }
        return last;
    }

private:
    bool m_pen = false;
    bool m_empty = true;
    double m_ax = 0;
    double m_ay = 0;
    double m_cx = 0;
    double m_cy = 0;
    long long m_twiceCx = 0;
    long long m_twiceCy = 0;
    double m_half = 0;
    double m_scale = 1;
    long long m_x0 = 0;
    long long m_x1 = 0;
    long long m_y0 = 0;
    long long m_y1 = 0;
};

// Bresenham's walk from one point to another, the end point itself left out.
template <typename Plot> void WalkLine(IntPoint from, IntPoint to, Plot plot) {
    long long x = from.x, y = from.y;
    long long dx = std::llabs((long long)to.x - from.x), dy = -std::llabs((long long)to.y - from.y);
    long long sx = from.x < to.x ? 1 : -1, sy = from.y < to.y ? 1 : -1;
    long long err = dx + dy;
    while (x != to.x || y != to.y) {
        plot(x, y);
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
