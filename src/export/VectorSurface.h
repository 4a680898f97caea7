// CVectorSurface: what the vector file backends (SVG, Cairo's PDF) share: positions as exact
// numbers, and the drawing a file cannot hold left out.
#pragma once

#include "circles/DrawSurface.h"

// A file has no pixels to combine with: drawing under the XOR or no-op raster operation
// leaves it as it is, and a cross-hatched brush fills nothing. The exports draw their circles
// plainly. A backend draws three kinds of shape, at device positions (the origin added).
class CVectorSurface : public CDrawSurface {
protected:
    // `pixelCentre` 0.5 makes device units pixels, as on a pixel device: coordinate x names the
    // pixel from x to x + 1, so shapes are centred on x + 0.5 and the picture lies where the
    // bitmap exports put it. With 0 a coordinate is a point of the page, as in EPS.
    explicit CVectorSurface(double pixelCentre) : m_pixelCentre(pixelCentre) {}

    // An ellipse of centre (x, y) and radii rx, ry, filled with the state's brush when it is
    // solid and outlined with its pen when it is not null (width 0: one unit).
    virtual void DrawEllipse(double x, double y, double rx, double ry,
                             const SurfaceState& state) = 0;
    // A line with the state's pen, which is not null.
    virtual void DrawSegment(double x0, double y0, double x1, double y1,
                             const SurfaceState& state) = 0;
    // A rectangle of one colour, without outline.
    virtual void DrawBox(double x, double y, double width, double height, COLORREF color) = 0;

private:
    void DoEllipse(const IntRect& rect, const SurfaceState& state) final;
    void DoCircle(const SurfaceCircle& circle, const SurfaceState& state) final;
    void DoLine(IntPoint from, IntPoint to, const SurfaceState& state) final;
    void DoFillRect(const IntRect& rect, COLORREF color, const SurfaceState& state) final;
    void DoSetPixel(IntPoint point, COLORREF color, const SurfaceState& state) final;

    double m_pixelCentre;
};
