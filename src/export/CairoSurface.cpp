// Drawing calls as Cairo paths.
#include "export/CairoSurface.h"

#include <cairo.h>
#include <numbers>

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

void CCairoSurface::DrawEllipse(double x, double y, double rx, double ry,
                                const SurfaceState& state) {
    cairo_new_path(m_context);
    if (rx == ry) {
        cairo_arc(m_context, x, y, rx, 0, 2 * std::numbers::pi);
    } else {
        cairo_save(m_context);
        cairo_translate(m_context, x, y);
        cairo_scale(m_context, rx > 0 ? rx : 0.5, ry > 0 ? ry : 0.5);
        cairo_arc(m_context, 0, 0, 1, 0, 2 * std::numbers::pi);
        cairo_restore(m_context); // the path keeps its shape; the pen is not scaled
    }
    cairo_close_path(m_context);
    Paint(state);
}

void CCairoSurface::DrawSegment(double x0, double y0, double x1, double y1,
                                const SurfaceState& state) {
    SurfaceState pen = state;
    pen.brush = SurfaceBrush::Null();
    cairo_new_path(m_context);
    cairo_move_to(m_context, x0, y0);
    cairo_line_to(m_context, x1, y1);
    Paint(pen);
}

void CCairoSurface::DrawBox(double x, double y, double width, double height, COLORREF color) {
    cairo_new_path(m_context);
    cairo_rectangle(m_context, x, y, width, height);
    SetColor(color);
    cairo_fill(m_context);
}
