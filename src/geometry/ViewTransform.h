// CViewTransform: how a view shows the document's plane: a zoom factor about the window's
// centre and a pan in screen pixels. Only the view uses it; the document, the exports and
// printing always see the plane untransformed.
#pragma once

#include "geometry/DPoint.h"

#include <limits>

class CViewTransform {
public:
    static constexpr double kMinZoom = 0.25;
    static constexpr double kMaxZoom = 4096.0;

    double Zoom() const { return m_zoom; }
    // The screen offset of the document's origin from the window's centre, whole pixels.
    const CDPoint& Pan() const { return m_pan; }
    bool IsIdentity() const { return m_zoom == 1.0 && m_pan == CDPoint(); }
    // Screen points are in the centred frame: (0, 0) is the window's centre.
    CDPoint ToScreen(const CDPoint& document) const { return document * m_zoom + m_pan; }
    CDPoint ToDocument(const CDPoint& screen) const { return (screen - m_pan) / m_zoom; }
    // The length of one screen pixel in document units: hit squares and bands, which stay the
    // same size on screen, are this much larger in the document when zoomed out.
    double PixelSize() const { return 1.0 / m_zoom; }

    void Reset();
    // Multiplies the zoom by factor, within [kMinZoom, kMaxZoom], keeping the document point
    // under `screen` where it is (to the pixel, since the pan stays whole pixels).
    void ZoomAbout(const CDPoint& screen, double factor);
    void PanBy(const CDPoint& delta);
    // Keeps the window's centre within `reach` document units of the origin on each axis, so
    // that the picture cannot be panned out of sight.
    void ClampPan(double reach);

    // A picture's transform (a printed page): zoom and pan as given, and marks (node squares)
    // markScale device units for each screen pixel of their size.
    static CViewTransform ForPicture(double zoom, const CDPoint& pan, double markScale);
    double MarkScale() const { return m_markScale; }

    // The window's half-size in screen pixels; drawing skips what lies wholly outside it.
    // Unset, nothing is skipped (pictures for export and printing).
    void SetWindow(double halfWidth, double halfHeight);
    // Whether the screen box from lo to hi, grown by margin pixels, meets the window.
    bool Shows(const CDPoint& lo, const CDPoint& hi, double margin) const;

private:
    double m_zoom = 1.0;
    CDPoint m_pan;
    double m_markScale = 1.0;
    double m_halfWidth = std::numeric_limits<double>::infinity();
    double m_halfHeight = std::numeric_limits<double>::infinity();
};
