// CCairoSurface: the drawing surface on a Cairo context, the backend of the PDF export.
#pragma once

#include "circles/DrawSurface.h"

typedef struct _cairo cairo_t;

// Device units are the context's user units; circles are drawn as exact arcs. As in every
// file backend, drawing under the XOR or no-op raster operation leaves the page as it is and a
// cross-hatched brush fills nothing.
class CCairoSurface : public CDrawSurface {
public:
    explicit CCairoSurface(cairo_t* context) : m_context(context) {}

protected:
    void DoEllipse(const IntRect& rect, const SurfaceState& state) override;
    void DoCircle(const SurfaceCircle& circle, const SurfaceState& state) override;
    void DoLine(IntPoint from, IntPoint to, const SurfaceState& state) override;
    void DoFillRect(const IntRect& rect, COLORREF color, const SurfaceState& state) override;
    void DoSetPixel(IntPoint point, COLORREF color, const SurfaceState& state) override;

private:
    // Fills the current path with the brush and strokes it with the pen, then clears it.
    void Paint(const SurfaceState& state);
    void SetColor(COLORREF color);
    void FillRectangle(double x, double y, double width, double height, COLORREF color);

    cairo_t* m_context;
};
