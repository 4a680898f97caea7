// The undo steps that exchange a stored state with the document's.
#include "document/StateSteps.h"

#include "circles/CPCircle.h"
#include "document/TesselDoc.h"

#include <algorithm>
#include <unordered_set>

namespace {

// The point as SetGraphExtent would have carried it from one graph area to another; exact
// when the area is the same.
CDPoint Carried(const CDPoint& point, const CDPoint& from, const CTesselDoc& doc) {
    CDPoint carried = point;
    if (from.x != doc.m_extentX && from.x > 0) {
        carried.x *= doc.m_extentX / from.x;
    }
    if (from.y != doc.m_extentY && from.y > 0) {
        carried.y *= doc.m_extentY / from.y;
    }
    return carried;
}

CDPoint ExtentOf(const CTesselDoc& doc) {
    return CDPoint(doc.m_extentX, doc.m_extentY);
}

} // namespace

CPositionsStep::CPositionsStep(int nameId, const CTesselDoc& doc, CCPNode* node,
                               const CDPoint& from)
    : CSwapStep(nameId), m_places{{node, from}}, m_extent(ExtentOf(doc)) {}

CPositionsStep::CPositionsStep(int nameId, const CTesselDoc& doc)
    : CSwapStep(nameId), m_extent(ExtentOf(doc)) {
    m_places.reserve(doc.m_nodes.m_array.size());
    for (CCPNode* node : doc.m_nodes.m_array) {
        m_places.push_back({node, *node});
    }
}

void CPositionsStep::Swap(CTesselDoc& doc) {
    for (Place& place : m_places) {
        const CDPoint now = *place.node;
        place.node->Set(Carried(place.point, m_extent, doc));
        place.point = now;
    }
    m_extent = ExtentOf(doc);
}

std::size_t CPositionsStep::Bytes() const {
    return sizeof(*this) + m_places.size() * sizeof(Place);
}

CPackingStep::CPackingStep(int nameId, const CTesselDoc& doc)
    : CSwapStep(nameId), m_list(doc.m_circles.m_list), m_topologyChanged(doc.m_topologyChanged),
      m_moved(doc.m_moved), m_extent(ExtentOf(doc)) {
    m_nodes.reserve(doc.m_nodes.m_array.size());
    for (const CCPNode* node : doc.m_nodes.m_array) {
        const CCPCircle& c = *node->m_circle;
        m_nodes.push_back({*node, c.m_radius, c.m_euclidRadius, c.m_diskCentre, c.m_euclidCentre});
    }
}

void CPackingStep::Swap(CTesselDoc& doc) {
    for (std::size_t i = 0; i < m_nodes.size(); ++i) {
        CCPNode& node = *doc.m_nodes.m_array[i];
        CCPCircle& c = *node.m_circle;
        NodeState& stored = m_nodes[i];
        const NodeState now{node, c.m_radius, c.m_euclidRadius, c.m_diskCentre, c.m_euclidCentre};
        node.Set(Carried(stored.point, m_extent, doc));
        c.m_radius = stored.radius;
        c.m_euclidRadius = stored.euclidRadius;
        c.m_diskCentre = stored.diskCentre;
        c.m_euclidCentre = stored.euclidCentre;
        stored = now;
    }
    m_list.swap(doc.m_circles.m_list);
    std::swap(m_topologyChanged, doc.m_topologyChanged);
    std::swap(m_moved, doc.m_moved);
    m_extent = ExtentOf(doc);
}

std::size_t CPackingStep::Bytes() const {
    return sizeof(*this) + m_nodes.size() * sizeof(NodeState) + m_list.size() * sizeof(CCPCircle*);
}

CNodeOrderStep::CNodeOrderStep(int nameId, const CTesselDoc& doc)
    : CSwapStep(nameId), m_order(doc.m_nodes.m_array) {
    m_firstEdges.reserve(m_order.size());
    for (const CCPNode* node : m_order) {
        m_firstEdges.push_back(node->GetEdge(0));
    }
}

void CNodeOrderStep::Swap(CTesselDoc& doc) {
    std::vector<CCPEdge*> firstEdges;
    firstEdges.reserve(doc.m_nodes.m_array.size());
    for (const CCPNode* node : doc.m_nodes.m_array) {
        firstEdges.push_back(node->GetEdge(0));
    }
    m_order.swap(doc.m_nodes.m_array);
    for (std::size_t i = 0; i < doc.m_nodes.m_array.size(); ++i) {
        doc.m_nodes.m_array[i]->RotateToEdge(m_firstEdges[i]);
    }
    m_firstEdges.swap(firstEdges);
}

std::size_t CNodeOrderStep::Bytes() const {
    return sizeof(*this) + m_order.size() * (sizeof(CCPNode*) + sizeof(CCPEdge*));
}

CStyleStep::CStyleStep(int nameId, const CTesselDoc& doc) : CSwapStep(nameId) {
    const CCPCircleArray& circles = doc.m_circles;
    for (int i = -1; i < circles.GetCount(); ++i) {
        const CCPCircle* c = circles.GetAt(i);
        if (c->m_selected) {
            m_styles.push_back(
                {const_cast<CCPCircle*>(c), c->m_innerCol, c->m_lineCol, c->m_thickness});
        }
    }
}

void CStyleStep::Swap(CTesselDoc& doc) {
    doc.m_circles.SelectAll(0, true);
    for (Style& style : m_styles) {
        CCPCircle& c = *style.circle;
        std::swap(c.m_innerCol, style.inner);
        std::swap(c.m_lineCol, style.line);
        std::swap(c.m_thickness, style.width);
        c.m_selected = 1;
    }
}

std::size_t CStyleStep::Bytes() const {
    return sizeof(*this) + m_styles.size() * sizeof(Style);
}
