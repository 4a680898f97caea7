// CSpanSurface: plain (aliased) drawing straight into 32-bit pixels, a row's run at a time,
// for pictures that must be drawn many times a second.
#pragma once

#include "circles/DrawSurface.h"

#include <cstddef>
#include <cstdint>

// The pixels are 0xFFRRGGBB words (a QImage of Format_RGB32), `stride` words from one row to
// the next, owned by the caller; device coordinates are pixels, (0, 0) top left. The pixels
// set are those CDibSurface sets: ellipses, hatch, lines, XOR. Pen widths are penScale
// pixels for each unit of width (a high-density screen's device pixels), a width of 0
// counting as 1 unless the scale is 1.
class CSpanSurface : public CDrawSurface {
public:
    CSpanSurface(std::uint32_t* pixels, int width, int height, std::ptrdiff_t stride,
                 double penScale = 1.0);

protected:
    void DoEllipse(const IntRect& rect, const SurfaceState& state) override;
    void DoLine(IntPoint from, IntPoint to, const SurfaceState& state) override;
    void DoFillRect(const IntRect& rect, COLORREF color, const SurfaceState& state) override;
    void DoSetPixel(IntPoint point, COLORREF color, const SurfaceState& state) override;

private:
    // Pixels [x0, x1] of row y in a pen colour under the raster operation; the row must be in
    // the picture, the run is clipped to it.
    void PenRun(long long y, long long x0, long long x1, COLORREF color, RasterOp op);
    // The same with the brush: its colour, or its hatch and the gaps between.
    void BrushRun(long long y, long long x0, long long x1, const SurfaceState& state);
    SurfacePen ScaledPen(const SurfacePen& pen) const;

    std::uint32_t* m_pixels;
    int m_width;
    int m_height;
    std::ptrdiff_t m_stride;
    double m_penScale;
};
