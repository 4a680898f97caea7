// CGraphSwapStep: a change that replaces the whole graph (a refinement, a boundary layer),
// undone by putting the old graph back: the step holds whichever of the two graphs is out of
// the document, with its circle list.
#pragma once

#include "document/EditStep.h"
#include "geometry/DPoint.h"

#include <vector>

class CCPCircle;
class CCPEdge;
class CCPEdgeArray;
class CCPNode;
class CCPNodeArray;

class CGraphSwapStep : public CSwapStep {
public:
    // Puts the nodes and edges into the document in place of its graph, which the step takes
    // with its circle list; the collections given are left empty.
    CGraphSwapStep(int nameId, CTesselDoc& doc, CCPNodeArray& nodes, CCPEdgeArray& edges);
    std::size_t Bytes() const override;
    void Release(CTesselDoc& doc, bool done) override;

protected:
    void Swap(CTesselDoc& doc) override;

private:
    std::vector<CCPNode*> m_nodes;
    std::vector<CCPEdge*> m_edges;
    std::vector<CCPCircle*> m_list;
    int m_topologyChanged = 0;
    CDPoint m_extent; // the graph area the held nodes were drawn in
};
