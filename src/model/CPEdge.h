// CCPEdge: an edge of the graph between two nodes, interior or on the boundary.
#pragma once

#include "geometry/Color.h"
#include "geometry/DPoint.h"
#include "geometry/ViewTransform.h"

class CCPNode;
class CDrawSurface;

class CCPEdge : public CObject {
    TESSEL_DECLARE_DYNCREATE(CCPEdge)

public:
    // No ends: the archive fills the edge in.
    CCPEdge() = default;
    CCPEdge(CCPNode* start, CCPNode* end) : m_end(end), m_start(start) {}
    CCPEdge(const CCPEdge&) = delete;
    CCPEdge& operator=(const CCPEdge&) = delete;
    // Start index, end index and the interior flag; indices go through the archive's graph
    // index. Defined with the file format (src/document/DocumentFormat.cpp).
    void Serialize(CArchive& ar) override;

    // The end seen from the start, the start seen from the end, else nullptr.
    CCPNode* Other(const CCPNode* node) const;
    bool HasNode(const CCPNode* node) const { return node && (node == m_start || node == m_end); }
    // Swaps the ends when the node is the end and not the start; returns the previous start.
    CCPNode* StartAt(const CCPNode* node);

    // 1 when exactly two common neighbours of the ends hold this edge in their fans (the edge
    // lies between two triangles), else 0.
    int ComputeInterior() const;
    void UpdateInterior() { m_interior = ComputeInterior(); }

    // Within m_hit of the line through the ends (the distance m_hit itself included), and
    // within the ends' span along the edge's dominant axis (y when the axes tie).
    // The band's half-width is m_hit screen pixels, a pixel being `pixel` document units.
    bool HitTest(const CDPoint& p, double pixel = 1.0) const;
    bool HitTest(IntPoint p) const { return HitTest(CDPoint(p)); }
    // A line from the start to the end in the pen of the edge's kind.
    // Between the ends taken to the screen by view; nothing when the line lies outside
    // view's window.
    void Draw(CDrawSurface& dc, const CViewTransform& view = {}) const;
    // Draw without its own save/restore bracket: the pen stays selected, for a caller that
    // draws many edges in one bracket. On a screen, an edge whose ends fall in the same pixel
    // draws nothing (the end point of a line is not drawn) and is skipped, and so is an edge
    // that lies inside the square of a node at one of its ends, which the nodes, drawn after
    // the edges, cover: far below a pixel apart, nearly every edge of a large graph.
    void DrawInBracket(CDrawSurface& dc, const CViewTransform& view) const;

    // Puts the class-wide colours, thickness and hit distance back to their built-in values.
    // The profile reads and writes them through the settings table (src/document).
    static void ResetDefaults();

    int m_interior = 0;
    CCPNode* m_end = nullptr;
    CCPNode* m_start = nullptr;

    static COLORREF m_innerColor; // pen of interior edges
    static COLORREF m_outerColor; // pen of boundary edges
    static int m_thickness;       // pen width in pixels
    static double m_hit;          // largest distance at which a click hits an edge

private:
    bool UnderEndSquare(IntPoint from, IntPoint to, const CViewTransform& view) const;
};
