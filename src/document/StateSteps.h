// The undo steps that exchange a part of the document's state as a whole: node positions
// (a drag, Graph Scale-Down), the result of a packing run, the node order of Node Randomize,
// and the styles of the selected circles.
#pragma once

#include "document/EditStep.h"
#include "geometry/Color.h"
#include "geometry/DPoint.h"

#include <vector>

class CCPCircle;
class CCPEdge;
class CCPNode;

// Positions of some nodes. Kept with the graph area they belong to, so that a window resized
// in between moves them as it moved the graph.
class CPositionsStep : public CSwapStep {
public:
    // One node now at its new place, which stood at `from`.
    CPositionsStep(int nameId, const CTesselDoc& doc, CCPNode* node, const CDPoint& from);
    // Every node, at its place now.
    CPositionsStep(int nameId, const CTesselDoc& doc);
    std::size_t Bytes() const override;

protected:
    void Swap(CTesselDoc& doc) override;

private:
    struct Place {
        CCPNode* node;
        CDPoint point;
    };
    std::vector<Place> m_places;
    CDPoint m_extent;
};

// What a packing run or a move of the packing changes: every node's position and circle
// (radius, centres, Euclidean radius), the circle list, whether the graph changed and whether
// the packing was moved since the last run. Node i of the
// collection is the same node whenever the step applies, since the history keeps its order.
class CPackingStep : public CSwapStep {
public:
    // The state before the run.
    CPackingStep(int nameId, const CTesselDoc& doc);
    std::size_t Bytes() const override;

protected:
    void Swap(CTesselDoc& doc) override;

private:
    struct NodeState {
        CDPoint point;
        double radius;
        double euclidRadius;
        CDPoint diskCentre;
        CDPoint euclidCentre;
    };
    std::vector<NodeState> m_nodes;
    std::vector<CCPCircle*> m_list;
    int m_topologyChanged = 0;
    bool m_moved = false;
    CDPoint m_extent;
};

// Node Randomize: the order of the nodes and where each node's fan starts.
class CNodeOrderStep : public CSwapStep {
public:
    CNodeOrderStep(int nameId, const CTesselDoc& doc);
    std::size_t Bytes() const override;

protected:
    void Swap(CTesselDoc& doc) override;

private:
    std::vector<CCPNode*> m_order;
    std::vector<CCPEdge*> m_firstEdges; // per node of m_order; nullptr for a node without edges
};

// The styles of the selected circles (the outer circle among them when it is selected).
// Undo and redo select exactly those circles again, so that the circle bar shows what
// changed.
class CStyleStep : public CSwapStep {
public:
    CStyleStep(int nameId, const CTesselDoc& doc);
    std::size_t Bytes() const override;

protected:
    void Swap(CTesselDoc& doc) override;

private:
    struct Style {
        CCPCircle* circle;
        COLORREF inner;
        COLORREF line;
        int width;
    };
    std::vector<Style> m_styles;
};
