// CQtSurface: the drawing surface on a QPainter, for the view, images and printing.
#pragma once

#include "circles/DrawSurface.h"

#include <QColor>
#include <QTransform>
#include <optional>

class QPainter;

// A colour 0x00BBGGRR as Qt's colour.
QColor ToQColor(COLORREF color);

// Draws aliased, as the program's pictures are pixel-exact. The XOR raster operation is
// exact on raster devices (images, widgets); elsewhere (printers) it draws as a copy.
//
// The painter hears of a state only when something is drawn in it: drawers save, change and
// restore the state around every item, mostly back to what it was, and a graph of a million
// edges would otherwise spend most of its time changing the painter's pen to and fro. The
// painter's pen, brush and the like are therefore left undefined for direct drawing on it
// while the surface lives.
class CQtSurface : public CDrawSurface {
public:
    // The painter must outlive the surface; its transform at this moment is kept under the
    // surface's own origin. Pens are penScale device units wide for each unit of their width,
    // a width of 0 counting as 1 unless the scale is 1 (a printer's points rather than the
    // screen's single pixels).
    explicit CQtSurface(QPainter& painter, double penScale = 1.0);

protected:
    void DoEllipse(const IntRect& rect, const SurfaceState& state) override;
    // On a device of more than one pixel per unit (a high-density screen) the circle is drawn
    // at its exact centre and radius, not snapped to whole units.
    void DoCircle(const SurfaceCircle& circle, const SurfaceState& state) override;
    void DoLine(IntPoint from, IntPoint to, const SurfaceState& state) override;
    void DoFillRect(const IntRect& rect, COLORREF color, const SurfaceState& state) override;
    void DoSetPixel(IntPoint point, COLORREF color, const SurfaceState& state) override;

private:
    // Tells the painter what differs from the state it was last told.
    void Apply(const SurfaceState& state);
    // The ellipse whose outline the pen strokes along path.
    void DrawEllipse(const QRectF& path, const SurfaceState& state);

    // The pen's width in device units.
    double PenWidth(const SurfacePen& pen) const;

    QPainter& m_painter;
    QTransform m_base;
    double m_penScale = 1.0;
    bool m_raster = false;
    bool m_exactCircles = false;
    std::optional<SurfaceState> m_applied; // what the painter was last told
};
