// Index look-ups in both directions for storing and loading a graph.
#include "document/GraphIndex.h"

#include "document/Archive.h"
#include "model/CPEdgeArray.h"
#include "model/CPNodeArray.h"
#include "model/GraphCheck.h"

#include <string>

namespace {

template <typename T>
int Find(std::optional<CPointerIndex<T>>& index, const std::vector<T*>& items, const T* item) {
    if (!index) {
        index.emplace(items);
        index->InsertAll();
    }
    return index->Find(item);
}

template <typename Array> auto At(const Array& array, int index, CArchive& ar, const char* what) {
    auto* element = array.GetAt(index);
    if (!element) {
        ar.Fail(ArchiveError::IndexOutOfRange,
                std::string(what) + " index " + std::to_string(index) + " where the file has " +
                    std::to_string(array.GetSize()) + " " + what + "s");
    }
    return element;
}

} // namespace

CGraphIndex::CGraphIndex(const CCPNodeArray& nodes, const CCPEdgeArray& edges)
    : m_nodes(nodes), m_edges(edges) {}

int CGraphIndex::IndexOfNode(const CCPNode* node) const {
    return Find(m_nodeIndex, m_nodes.m_array, node);
}

int CGraphIndex::IndexOfEdge(const CCPEdge* edge) const {
    return Find(m_edgeIndex, m_edges.m_array, edge);
}

CCPNode* CGraphIndex::NodeAt(int index, CArchive& ar) const {
    if (m_record) {
        m_record->edgeData.push_back(index);
    }
    return At(m_nodes, index, ar, "node");
}

CCPEdge* CGraphIndex::EdgeAt(int index, CArchive& ar) const {
    if (m_record) {
        m_record->listEdges.push_back(index);
    }
    return At(m_edges, index, ar, "edge");
}
