// CCPCircle: one node's circle, its geometry from the packing and its drawing style.
#pragma once

#include "geometry/Color.h"
#include "geometry/DPoint.h"
#include "geometry/IntGeometry.h"

#include <string>

class CDrawSurface;
class CDibBuffer;
class COutputFile;

// The int base keeps any value a valid mode: values other than these draw as DrawNormal.
enum DrawMode : int { DrawNormal = 0, DrawBack = 1, DrawPlain = 2, DrawSelection = 3 };

// Process-wide style defaults, read from the profile's "Circle" section at start-up through
// the settings table (src/document).
extern COLORREF DefInnerCol;
extern COLORREF DefLineCol;
extern int DefThickness;
extern COLORREF DefOutInnerCol;
extern COLORREF DefOutLineCol;
extern int DefOutThickness;
extern COLORREF BackModeColor;

// Puts the seven defaults back to their built-in values (white, black, 1, the same for the
// outer circle, grey).
void ResetCircleDefaults();

// The hatch colour that marks selected circles; not configurable.
constexpr COLORREF SelectionHatchColor = 0x007FBFFF;

// A width below zero draws no outline, as zero does; widths are kept at zero or more wherever
// a circle's width is set or loaded, so that drawing never has to change it.
constexpr int NormalisedThickness(int width) {
    return width < 0 ? 0 : width;
}

// A circle of this radius in device pixels is less than a pixel across: a screen cannot draw
// it as a shape, only as a share of the one pixel under its centre (see BlendTinyCircles).
constexpr bool IsBelowPixel(double deviceRadius) {
    return !(2 * deviceRadius >= 1.0);
}

class CCPCircle : public CObject {
    TESSEL_DECLARE_DYNCREATE(CCPCircle)

public:
    // A circle in the current default style, hyperbolic radius 1, not yet placed.
    CCPCircle();
    // The style record: inner colour, line colour, thickness (a negative one loads as 0).
    // Geometry and selection are not stored; loading leaves them as a new circle has them.
    // Defined with the file format (src/document/DocumentFormat.cpp).
    void Serialize(CArchive& ar) override;

    // The unit circle in the outer circle's default style.
    void ResetAsOuter();

    // Line colour, inner colour and width (normalised) only.
    void CopyStyle(const CCPCircle& source);
    // Strictly inside the Euclidean circle.
    bool ContainsPoint(const CDPoint& p) const;
    // Whether the disk meets the rectangle with opposite corners a and b.
    bool IntersectsRect(const CDPoint& a, const CDPoint& b) const;

    // Drawing (src/circles/CPCircleDraw.cpp).
    //
    // The circle as one ellipse at the given scale (device units per unit-disk length), in its
    // own save/restore bracket; a width of 0 or less draws no outline. `background` fills the
    // circle in DrawBack: the view's background colour. Reads the circle only, so several
    // threads may draw it at once.
    void Draw(CDrawSurface& dc, double scale, DrawMode mode,
              COLORREF background = 0x00FFFFFF) const;
    // Rasterises the circle with exact pixel coverage onto what the image already holds.
    void DrawAntialiased(CDibBuffer& image, double scale) const;
    // The rectangle its ellipse is drawn in, right and bottom excluded: the rounded extremes
    // are part of the ellipse. Coordinates beyond 32 bits are pinned to the limits.
    IntRect GetEllipseRect(double scale) const;

    // Export lines (src/circles/CPCircleWrite.cpp).
    //
    // One EPS drawing line: a filled disk, outlined when the width is positive.
    void WriteEpsLine(COutputFile& file, double scale) const;
    // One line of the text export in the user's token format.
    void WriteTextLine(COutputFile& file, double scale, const std::string& format) const;

    int m_selected = 0;
    int m_thickness = DefThickness;
    COLORREF m_lineCol = DefLineCol;
    COLORREF m_innerCol = DefInnerCol;
    double m_radius = 1.0;       // hyperbolic radius, solved by the packing
    double m_euclidRadius = 0.0; // Euclidean radius in the unit disk
    CDPoint m_diskCentre;        // hyperbolic centre in the Poincaré disk
    CDPoint m_euclidCentre;      // Euclidean centre in the unit disk
};
