// CDibSurface: plain (aliased) drawing straight into a CDibBuffer, for pictures made without
// a window system.
#pragma once

#include "circles/DrawSurface.h"

class CDibBuffer;

// Device coordinates are picture pixels (0, 0 top left); the buffer's own origin is not
// used. Ellipses are drawn as the Qt backend draws them: a one-pixel outline through the
// first and last pixel of the rectangle, a wider pen centred on it, the fill inside; without
// a pen the fill spans the rectangle. The cross hatch is the 8-pixel diagonal grid.
class CDibSurface : public CDrawSurface {
public:
    explicit CDibSurface(CDibBuffer& buffer) : m_buffer(buffer) {}

protected:
    void DoEllipse(const IntRect& rect, const SurfaceState& state) override;
    void DoLine(IntPoint from, IntPoint to, const SurfaceState& state) override;
    void DoFillRect(const IntRect& rect, COLORREF color, const SurfaceState& state) override;
    void DoSetPixel(IntPoint point, COLORREF color, const SurfaceState& state) override;

private:
    // Paints one pixel of a pen or brush colour under the raster operation.
    void Plot(long long x, long long y, COLORREF color, RasterOp op);
    // Paints a brush pixel: hatch gaps take the background or stay untouched.
    void PlotBrush(long long x, long long y, const SurfaceState& state);

    CDibBuffer& m_buffer;
};
