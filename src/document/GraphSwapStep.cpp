// Exchanging the document's graph with the one a step holds.
#include "document/GraphSwapStep.h"

#include "circles/CPCircle.h"
#include "document/TesselDoc.h"

#include <unordered_set>

CGraphSwapStep::CGraphSwapStep(int nameId, CTesselDoc& doc, CCPNodeArray& nodes,
                               CCPEdgeArray& edges)
    : CSwapStep(nameId), m_nodes(std::move(nodes.m_array)), m_edges(std::move(edges.m_array)),
      m_topologyChanged(1), m_extent(doc.m_extentX, doc.m_extentY) {
    nodes.m_array.clear();
    edges.m_array.clear();
    Swap(doc);
}

// Held nodes come back in the graph area the document has now, as a resize would have moved
// them.
void CGraphSwapStep::Swap(CTesselDoc& doc) {
    const double sx = m_extent.x > 0 ? doc.m_extentX / m_extent.x : 1.0;
    const double sy = m_extent.y > 0 ? doc.m_extentY / m_extent.y : 1.0;
    if (sx != 1.0 || sy != 1.0) {
        for (CCPNode* node : m_nodes) {
            node->Set(node->x * sx, node->y * sy);
        }
    }
    std::swap(doc.m_nodes.m_array, m_nodes);
    std::swap(doc.m_edges.m_array, m_edges);
    std::swap(doc.m_circles.m_list, m_list);
    std::swap(doc.m_topologyChanged, m_topologyChanged);
    m_extent.Set(doc.m_extentX, doc.m_extentY);
    doc.RecomputeStates();
}

// Circles a list in the document may still show are retired, as a removed node's are.
void CGraphSwapStep::Release(CTesselDoc& doc, bool) {
    const std::unordered_set<const CCPCircle*> shown(doc.m_circles.m_list.begin(),
                                                     doc.m_circles.m_list.end());
    for (CCPNode* node : m_nodes) {
        if (shown.contains(node->m_circle)) {
            doc.RetireCircle(node->m_circle);
        } else {
            node->DeleteCircle();
        }
        delete node;
    }
    for (CCPEdge* edge : m_edges) {
        delete edge;
    }
    m_nodes.clear();
    m_edges.clear();
    m_list.clear();
}

std::size_t CGraphSwapStep::Bytes() const {
    std::size_t bytes = sizeof(*this) + m_list.size() * sizeof(CCPCircle*);
    for (const CCPNode* node : m_nodes) {
        bytes += sizeof(CCPNode) + sizeof(CCPCircle) + node->m_edges.size() * sizeof(CCPEdge*);
    }
    return bytes + m_edges.size() * sizeof(CCPEdge);
}
