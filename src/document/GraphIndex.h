// CGraphIndex: node and edge indices of one graph while it is stored or loaded.
#pragma once

#include "model/PointerIndex.h"

#include <optional>

class CArchive;
class CCPEdge;
class CCPEdgeArray;
class CCPNode;
class CCPNodeArray;
struct CGraphTable;

// Node and edge records name each other by their index in the collections. The document
// hands this index to the archive (CArchive::SetGraph), and the node and edge Serialize use
// it in both directions. Loading only goes from indices to objects, so the look-up by
// address is built on its first use, when storing.
class CGraphIndex {
public:
    CGraphIndex(const CCPNodeArray& nodes, const CCPEdgeArray& edges);

    // -1 for a node or edge that is not in the collection.
    int IndexOfNode(const CCPNode* node) const;
    int IndexOfEdge(const CCPEdge* edge) const;
    // nullptr, with an index-out-of-range failure on the archive, outside the collection.
    CCPNode* NodeAt(int index, CArchive& ar) const;
    CCPEdge* EdgeAt(int index, CArchive& ar) const;
    // While loading, every index asked for is also written down in the table: the edge
    // indices of the nodes' lists and the ends of the edges, in the order they are read (the
    // loader adds the rest), so that the graph can be checked without looking up an address.
    void RecordInto(CGraphTable* table) { m_record = table; }

private:
    const CCPNodeArray& m_nodes;
    const CCPEdgeArray& m_edges;
    mutable std::optional<CPointerIndex<CCPNode>> m_nodeIndex;
    mutable std::optional<CPointerIndex<CCPEdge>> m_edgeIndex;
    CGraphTable* m_record = nullptr;
};
