// The undo step of a click edit of the graph.
#include "document/GraphEditStep.h"

#include "circles/CPCircle.h"
#include "document/TesselDoc.h"

#include <algorithm>
#include <cassert>

CGraphEditStep::CGraphEditStep(const CTesselDoc& doc)
    : CEditStep(0), m_nodeCount(doc.m_nodes.GetSize()), m_edgeCount(doc.m_edges.GetSize()),
      m_topologyBefore(doc.m_topologyChanged), m_statesBefore(doc.m_statesCurrent) {}

CGraphEditStep::~CGraphEditStep() = default;

CGraphEditStep::NodeFields CGraphEditStep::FieldsOf(const CCPNode* node) {
    return {const_cast<CCPNode*>(node), node->m_kind, node->m_edges};
}

CGraphEditStep::EdgeFields CGraphEditStep::FieldsOf(const CCPEdge* edge) {
    return {const_cast<CCPEdge*>(edge), edge->m_start, edge->m_end, edge->m_interior};
}

void CGraphEditStep::Touch(const CCPNode* node) {
    if (node != nullptr && m_touched.insert(node).second) {
        m_nodesBefore.push_back(FieldsOf(node));
    }
}

void CGraphEditStep::Touch(const CCPEdge* edge) {
    if (edge != nullptr && m_touched.insert(edge).second) {
        m_edgesBefore.push_back(FieldsOf(edge));
    }
}

void CGraphEditStep::KindChanged(const CCPNode* node, int before) {
    if (m_touched.insert(node).second) {
        m_nodesBefore.push_back(FieldsOf(node));
        m_nodesBefore.back().kind = before;
    }
}

void CGraphEditStep::InteriorChanged(const CCPEdge* edge, int before) {
    if (m_touched.insert(edge).second) {
        m_edgesBefore.push_back(FieldsOf(edge));
        m_edgesBefore.back().interior = before;
    }
}

void CGraphEditStep::NodeRemoved(int index, CCPNode* node, bool listed) {
    m_removedNodes.push_back({index, node, listed});
}

void CGraphEditStep::EdgeRemoved(int index, CCPEdge* edge) {
    m_removedEdges.push_back({index, edge});
}

bool CGraphEditStep::Finish(const CTesselDoc& doc) {
    // An edit either appends or removes; what it appended stands at the end.
    const int keptNodes = m_nodeCount - static_cast<int>(m_removedNodes.size());
    const int keptEdges = m_edgeCount - static_cast<int>(m_removedEdges.size());
    m_addedNodes.assign(doc.m_nodes.m_array.begin() + keptNodes, doc.m_nodes.m_array.end());
    m_addedEdges.assign(doc.m_edges.m_array.begin() + keptEdges, doc.m_edges.m_array.end());
    std::unordered_set<const void*> outside(m_addedNodes.begin(), m_addedNodes.end());
    outside.insert(m_addedEdges.begin(), m_addedEdges.end());
    for (const RemovedNode& removed : m_removedNodes) {
        outside.insert(removed.node);
    }
    for (const RemovedEdge& removed : m_removedEdges) {
        outside.insert(removed.edge);
    }
    // What the edit added holds its own fields; what it removed keeps them while it is out.
    std::erase_if(m_nodesBefore, [&](const NodeFields& f) { return outside.contains(f.node); });
    std::erase_if(m_edgesBefore, [&](const EdgeFields& f) { return outside.contains(f.edge); });
    for (const NodeFields& before : m_nodesBefore) {
        m_nodesAfter.push_back(FieldsOf(before.node));
    }
    for (const EdgeFields& before : m_edgesBefore) {
        m_edgesAfter.push_back(FieldsOf(before.edge));
    }
    m_touched.clear();
    m_topologyAfter = doc.m_topologyChanged;
    m_statesAfter = doc.m_statesCurrent;
    NoteHeldExtent(doc);
    return !outside.empty() || !m_nodesBefore.empty() || !m_edgesBefore.empty();
}

void CGraphEditStep::Apply(const std::vector<NodeFields>& nodes,
                           const std::vector<EdgeFields>& edges) {
    for (const NodeFields& f : nodes) {
        f.node->m_kind = f.kind;
        f.node->m_edges = f.edges;
    }
    for (const EdgeFields& f : edges) {
        f.edge->m_start = f.start;
        f.edge->m_end = f.end;
        f.edge->m_interior = f.interior;
    }
}

void CGraphEditStep::NoteHeldExtent(const CTesselDoc& doc) {
    m_heldExtent = CDPoint(doc.m_extentX, doc.m_extentY);
}

void CGraphEditStep::Rescale(const CTesselDoc& doc, CCPNode* node) const {
    // As SetGraphExtent would have moved the node had it stayed in the graph.
    if (m_heldExtent.x != doc.m_extentX && m_heldExtent.x > 0) {
        node->x *= doc.m_extentX / m_heldExtent.x;
    }
    if (m_heldExtent.y != doc.m_extentY && m_heldExtent.y > 0) {
        node->y *= doc.m_extentY / m_heldExtent.y;
    }
}

void CGraphEditStep::Undo(CTesselDoc& doc) {
    for (auto it = m_addedEdges.rbegin(); it != m_addedEdges.rend(); ++it) {
        assert(doc.m_edges.m_array.back() == *it);
        doc.m_edges.m_array.pop_back();
    }
    for (auto it = m_addedNodes.rbegin(); it != m_addedNodes.rend(); ++it) {
        assert(doc.m_nodes.m_array.back() == *it);
        doc.m_nodes.m_array.pop_back();
    }
    for (auto it = m_removedEdges.rbegin(); it != m_removedEdges.rend(); ++it) {
        doc.m_edges.InsertAt(it->index, it->edge);
    }
    for (auto it = m_removedNodes.rbegin(); it != m_removedNodes.rend(); ++it) {
        Rescale(doc, it->node);
        doc.m_nodes.InsertAt(it->index, it->node);
    }
    Apply(m_nodesBefore, m_edgesBefore);
    doc.m_topologyChanged = m_topologyBefore;
    doc.m_statesCurrent = m_statesBefore;
    NoteHeldExtent(doc);
}

void CGraphEditStep::Redo(CTesselDoc& doc) {
    for (const RemovedEdge& removed : m_removedEdges) {
        assert(doc.m_edges.m_array[removed.index] == removed.edge);
        doc.m_edges.m_array.erase(doc.m_edges.m_array.begin() + removed.index);
    }
    for (const RemovedNode& removed : m_removedNodes) {
        assert(doc.m_nodes.m_array[removed.index] == removed.node);
        doc.m_nodes.m_array.erase(doc.m_nodes.m_array.begin() + removed.index);
    }
    for (CCPNode* node : m_addedNodes) {
        Rescale(doc, node);
        doc.m_nodes.Add(node);
    }
    for (CCPEdge* edge : m_addedEdges) {
        doc.m_edges.Add(edge);
    }
    Apply(m_nodesAfter, m_edgesAfter);
    doc.m_topologyChanged = m_topologyAfter;
    doc.m_statesCurrent = m_statesAfter;
    NoteHeldExtent(doc);
}

void CGraphEditStep::Release(CTesselDoc& doc, bool done) {
    if (done) {
        for (const RemovedEdge& removed : m_removedEdges) {
            delete removed.edge;
        }
        for (const RemovedNode& removed : m_removedNodes) {
            // A circle that was listed may be in a list the history keeps; the document
            // frees it once no list can come back.
            if (removed.listed) {
                doc.RetireCircle(removed.node->m_circle);
            } else {
                removed.node->DeleteCircle();
            }
            delete removed.node;
        }
    } else {
        for (CCPEdge* edge : m_addedEdges) {
            delete edge;
        }
        for (CCPNode* node : m_addedNodes) {
            if (doc.m_circles.Contains(node->m_circle)) {
                doc.RetireCircle(node->m_circle);
            } else {
                node->DeleteCircle();
            }
            delete node;
        }
    }
    m_removedEdges.clear();
    m_removedNodes.clear();
    m_addedEdges.clear();
    m_addedNodes.clear();
}

std::size_t CGraphEditStep::Bytes() const {
    std::size_t bytes = sizeof(*this);
    for (const auto* fields : {&m_nodesBefore, &m_nodesAfter}) {
        for (const NodeFields& f : *fields) {
            bytes += sizeof(f) + f.edges.size() * sizeof(CCPEdge*);
        }
    }
    bytes += (m_edgesBefore.size() + m_edgesAfter.size()) * sizeof(EdgeFields);
    // The objects held out of the document, with a node's circle and edge list.
    bytes += (m_removedNodes.size() + m_addedNodes.size()) * (sizeof(CCPNode) + sizeof(CCPCircle));
    bytes += (m_removedEdges.size() + m_addedEdges.size()) * sizeof(CCPEdge);
    return bytes;
}
