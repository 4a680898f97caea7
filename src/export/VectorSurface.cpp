// The drawing calls of the vector file backends as exact shapes at device positions.
#include "export/VectorSurface.h"

namespace {

bool Draws(const SurfaceState& state) {
    return state.rasterOp == RasterOp::CopyPen;
}

} // namespace

void CVectorSurface::DoCircle(const SurfaceCircle& circle, const SurfaceState& state) {
    if (Draws(state)) {
        DrawEllipse(state.origin.x + m_pixelCentre + circle.x,
                    state.origin.y + m_pixelCentre + circle.y, circle.radius, circle.radius, state);
    }
}

void CVectorSurface::DoEllipse(const IntRect& rect, const SurfaceState& state) {
    if (!Draws(state)) {
        return;
    }
    // Through the rectangle's first and last pixels, as pixel devices draw it.
    double rx = (double(rect.right) - rect.left - 1) / 2;
    double ry = (double(rect.bottom) - rect.top - 1) / 2;
    DrawEllipse(double(state.origin.x) + rect.left + m_pixelCentre + rx,
                double(state.origin.y) + rect.top + m_pixelCentre + ry, rx, ry, state);
}

void CVectorSurface::DoLine(IntPoint from, IntPoint to, const SurfaceState& state) {
    if (Draws(state) && state.pen.style != PenStyle::Null) {
        const double x = state.origin.x + m_pixelCentre, y = state.origin.y + m_pixelCentre;
        DrawSegment(x + from.x, y + from.y, x + to.x, y + to.y, state);
    }
}

void CVectorSurface::DoFillRect(const IntRect& rect, COLORREF color, const SurfaceState& state) {
    if (Draws(state) && rect.right > rect.left && rect.bottom > rect.top) {
        DrawBox(double(state.origin.x) + rect.left, double(state.origin.y) + rect.top,
                double(rect.right) - rect.left, double(rect.bottom) - rect.top, color);
    }
}

void CVectorSurface::DoSetPixel(IntPoint point, COLORREF color, const SurfaceState& state) {
    if (Draws(state)) {
        DrawBox(double(state.origin.x) + point.x, double(state.origin.y) + point.y, 1, 1, color);
    }
}
