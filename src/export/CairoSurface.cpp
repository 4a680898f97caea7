// Drawing calls as Cairo paths.
#include "export/CairoSurface.h"

#include <cairo.h>
#include <numbers>

namespace {

bool Draws(const SurfaceState& state) {
    return state.rasterOp == RasterOp::CopyPen;
}

} // namespace

void CCairoSurface::SetColor(COLORREF color) {
    // Channels as fractions of 255, as the EPS export writes them.
    cairo_set_source_rgb(m_context, GetRValue(color) / 255.0, GetGValue(color) / 255.0,
                         GetBValue(color) / 255.0);
}

void CCairoSurface::Paint(const SurfaceState& state) {
    if (state.brush.style == BrushStyle::Solid) {
        SetColor(state.brush.color);
        cairo_fill_preserve(m_context);
    }
    if (state.pen.style == PenStyle::Solid) {
        SetColor(state.pen.color);
        cairo_set_line_width(m_context, state.pen.width > 0 ? state.pen.width : 1);
        cairo_stroke_preserve(m_context);
    }
    cairo_new_path(m_context);
}

void CCairoSurface::DoCircle(const SurfaceCircle& circle, const SurfaceState& state) {
    if (!Draws(state)) {
        return;
    }
    cairo_new_path(m_context);
    cairo_arc(m_context, state.origin.x + circle.x, state.origin.y + circle.y, circle.radius, 0,
              2 * std::numbers::pi);
    cairo_close_path(m_context);
    Paint(state);
}

void CCairoSurface::DoEllipse(const IntRect& rect, const SurfaceState& state) {
    if (!Draws(state)) {
        return;
    }
    // The ellipse through the rectangle's first and last pixels, as pixel devices draw it.
    double rx = (double(rect.right) - rect.left - 1) / 2;
    double ry = (double(rect.bottom) - rect.top - 1) / 2;
    cairo_new_path(m_context);
    cairo_save(m_context);
    cairo_translate(m_context, state.origin.x + rect.left + rx, state.origin.y + rect.top + ry);
    cairo_scale(m_context, rx > 0 ? rx : 0.5, ry > 0 ? ry : 0.5);
    cairo_arc(m_context, 0, 0, 1, 0, 2 * std::numbers::pi);
    cairo_close_path(m_context);
    cairo_restore(m_context); // the path keeps its shape; the pen is not scaled
    Paint(state);
}

void CCairoSurface::DoLine(IntPoint from, IntPoint to, const SurfaceState& state) {
    if (!Draws(state) || state.pen.style == PenStyle::Null) {
        return;
    }
    SurfaceState pen = state;
    pen.brush = SurfaceBrush::Null();
    cairo_new_path(m_context);
    cairo_move_to(m_context, double(state.origin.x) + from.x, double(state.origin.y) + from.y);
    cairo_line_to(m_context, double(state.origin.x) + to.x, double(state.origin.y) + to.y);
    Paint(pen);
}

void CCairoSurface::FillRectangle(double x, double y, double width, double height,
                                  COLORREF color) {
    cairo_new_path(m_context);
    cairo_rectangle(m_context, x, y, width, height);
    SetColor(color);
    cairo_fill(m_context);
}

void CCairoSurface::DoFillRect(const IntRect& rect, COLORREF color, const SurfaceState& state) {
    if (Draws(state) && rect.right > rect.left && rect.bottom > rect.top) {
        FillRectangle(double(state.origin.x) + rect.left, double(state.origin.y) + rect.top,
                      double(rect.right) - rect.left, double(rect.bottom) - rect.top, color);
    }
}

void CCairoSurface::DoSetPixel(IntPoint point, COLORREF color, const SurfaceState& state) {
    if (Draws(state)) {
        FillRectangle(double(state.origin.x) + point.x, double(state.origin.y) + point.y, 1, 1,
                      color);
    }
}
