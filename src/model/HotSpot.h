// CHotSpot: a clickable point of the graph with the square that hit tests and drawing share.
#pragma once

#include "geometry/Color.h"
#include "geometry/DPoint.h"
#include "geometry/ViewTransform.h"

class CDrawSurface;

class CHotSpot : public CDPoint {
    TESSEL_DECLARE_DYNCREATE(CHotSpot)

public:
    CHotSpot() = default;
    CHotSpot(double x, double y, int highlight) : CDPoint(x, y), m_highlight(highlight) {}
    using CDPoint::operator=;
    // The point; loading clears the highlight, which is never stored. Defined with the file
    // format (src/document/DocumentFormat.cpp).
    void Serialize(CArchive& ar) override;

    // Inside the square of half-width m_size screen pixels around the point, a pixel being
    // `pixel` document units long; the border misses.
    bool HitTest(const CDPoint& p, double pixel = 1.0) const;
    bool HitTest(IntPoint p) const { return HitTest(CDPoint(p)); }
    // Fills the square of side 2 * m_size + 1 whose top-left corner is the rounded
    // (x - m_size, y - m_size), the point taken to the screen by view (both lengths times
    // its mark scale on a printed page); nothing when the square lies outside view's window.
    void Draw(CDrawSurface& dc, COLORREF color, const CViewTransform& view = {}) const;
    // The square Draw fills, right and bottom excluded.
    IntRect Square(const CViewTransform& view) const;

    // Puts m_size back to its built-in value.
    static void ResetDefaults();

    int m_highlight = 0;

    // Half-width of every hot spot's square, in model units (profile "Node", "Size").
    static int m_size;
};
