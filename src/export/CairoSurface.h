// CCairoSurface: the drawing surface on a Cairo context, the backend of the PDF export.
#pragma once

#include "export/VectorSurface.h"

typedef struct _cairo cairo_t;

// Device units are the context's user units, points of the page as in EPS; circles are drawn
// as exact arcs.
class CCairoSurface : public CVectorSurface {
public:
    explicit CCairoSurface(cairo_t* context) : CVectorSurface(0), m_context(context) {}

protected:
    void DrawEllipse(double x, double y, double rx, double ry, const SurfaceState& state) override;
    void DrawSegment(double x0, double y0, double x1, double y1,
                     const SurfaceState& state) override;
    void DrawBox(double x, double y, double width, double height, COLORREF color) override;

private:
    // Fills the current path with the brush and strokes it with the pen, then clears it.
    void Paint(const SurfaceState& state);
    void SetColor(COLORREF color);

    cairo_t* m_context;
};
