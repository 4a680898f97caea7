// CCPNode: a node of the graph, its ordered fan of edges, its kind and its circle.
#pragma once

#include "geometry/Random.h"
#include "model/HotSpot.h"

#include <vector>

class CCPCircle;
class CCPEdge;

// A node's place in the triangulated disk.
enum NodeKind : int {
    Outer = 0,        // on the boundary, next to at least one inner node
    Inner = 1,        // its fan of triangles is closed
    NotConnected = 2, // on the boundary with no inner neighbour yet
};

class CCPNode : public CHotSpot {
    TESSEL_DECLARE_DYNCREATE(CCPNode)

public:
    // No circle and no edges: the archive fills the node in.
    CCPNode() = default;
    // A node with a new circle in the current default style.
    CCPNode(double x, double y, int kind, int highlight);
    // The circle is left alone: its owner is decided by the node collection (see
    // CCPNodeArray::Remove).
    ~CCPNode() override = default;
    CCPNode(const CCPNode&) = delete;
    CCPNode& operator=(const CCPNode&) = delete;
    using CDPoint::operator=;
    // The point, the edge indices in list order, the kind and the circle as a tagged
    // object; indices go through the archive's graph index. Defined with the file format
    // (src/document/DocumentFormat.cpp).
    void Serialize(CArchive& ar) override;

    int GetEdgeCount() const { return static_cast<int>(m_edges.size()); }
    // The i-th edge, or nullptr when i is out of range.
    CCPEdge* GetEdge(int i) const;
    void AddEdge(CCPEdge* edge) { m_edges.push_back(edge); }
    void InsertEdgeFirst(CCPEdge* edge);
    // Removes the first occurrence of the edge; does nothing when it is not listed.
    void RemoveEdge(const CCPEdge* edge);
    int IndexOfEdge(const CCPEdge* edge) const;
    // The node across the i-th edge, or nullptr when there is no such edge or the edge does
    // not end at this node.
    CCPNode* GetNeighbour(int i) const;
    // Position of the first edge whose other end is that node, or -1.
    int IndexOfNeighbour(const CCPNode* node) const;
    bool IsNeighbour(const CCPNode* node) const { return IndexOfNeighbour(node) >= 0; }
    // Whether the edge's two ends are neighbours i and i + 1 (either way round) for some i,
    // or the last and the first neighbour of an inner node: the triangle of this node and
    // that edge is in the node's fan.
    bool HasConsecutive(const CCPEdge* edge) const;
    // Rotates the list, keeping its cyclic order, until that edge (or the edge to that node)
    // stands first; does nothing when there is none.
    void RotateToEdge(const CCPEdge* edge);
    void RotateToNeighbour(const CCPNode* node);

    // Not inner, at least three edges, and the first and last neighbours are two different
    // nodes that are not yet joined.
    bool CanConnect() const;
    // Closes the fan with a new boundary edge from the last to the first neighbour and makes
    // the node inner. Returns the edge, which the caller adds to the edge collection, or
    // nullptr when CanConnect fails.
    CCPEdge* Connect();
    // Outer when some neighbour is inner, else NotConnected; an inner node stays inner.
    void UpdateKind();
    void DeleteCircle();

    // The square in the colour of the node's kind, or the highlight colour.
    void Draw(CDrawSurface& dc, const CViewTransform& view = {}) const;
    COLORREF GetColor() const;

    // Puts the class-wide colours and the solver threshold back to their built-in values.
    // The profile reads and writes them through the settings table (src/document).
    static void ResetDefaults();

    // Radius solver (src/packing/RadiusSolver.cpp).
    //
    // Cosine of the angle at this node's centre between neighbours i and j (j < 0: the one
    // after i, cyclically), from the current radii; NaN when either is missing.
    double CosAngle(int i, int j) const;
    // The fan's angle sum, less a full turn for an inner node, from the current radii; NaN
    // when the node or a neighbour lacks a circle.
    double AngleSumError() const;
    // Adjusts this node's radius against its neighbours' current radii until the angle-sum
    // error is below the threshold (or can get no closer).
    void SolveRadius();

    // Layout (src/packing/Layout.cpp).
    //
    // The two consecutive placed neighbours (A, B) with the smallest sum of placement
    // generations, the earliest on ties; false when no such pair exists.
    bool FindPlacedPair(CCPNode*& a, CCPNode*& b) const;
    // Places this node's circle tangent to the pair FindPlacedPair gives. True when the node
    // is placed (already or now), false when it cannot be placed yet.
    bool Place();
    // The layout's second node: among the neighbours level with or below this node (y not
    // smaller), the one nearest in x, the earliest on ties; else the first neighbour.
    CCPNode* FindUpNeighbour() const;

    // Node Randomize (src/packing/NodeOrder.cpp): an inner node's fan starts at a random
    // neighbour, its cyclic order kept; other nodes are left alone.
    void RandomRotate(const RandomSource& next);

    // Placement generation of the layout. It grows like a Fibonacci number along a chain of
    // placements; a long double holds it exactly for 90 generations and orders pairs by it
    // for some 23,000, where a 32-bit integer would saturate after 45 and tie every pair.
    long double m_order = 0;
    int m_placed = 0; // 1 once the layout has placed the circle in the current run
    int m_kind = NotConnected;
    CCPCircle* m_circle = nullptr;
    std::vector<CCPEdge*> m_edges; // in neighbour order; the edge collection owns them

    static COLORREF m_innerColor;
    static COLORREF m_outerColor;
    static COLORREF m_notConnectColor;
    static COLORREF m_highlightColor;
    static double m_threshold; // convergence threshold of the radius solver
};
