// Index look-ups in both directions for storing and loading a graph.
#include "document/GraphIndex.h"

#include "document/Archive.h"
#include "model/CPEdgeArray.h"
#include "model/CPNodeArray.h"

#include <string>

namespace {

template <typename Map, typename Array> void Fill(Map& map, const Array& array) {
    map.reserve(array.m_array.size());
    for (std::size_t i = 0; i < array.m_array.size(); ++i) {
        map.emplace(array.m_array[i], static_cast<int>(i));
    }
}

template <typename Map, typename Key> int Find(const Map& map, const Key* key) {
    auto found = map.find(key);
    return found == map.end() ? -1 : found->second;
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
    : m_nodes(nodes), m_edges(edges) {
    Fill(m_nodeIndex, nodes);
    Fill(m_edgeIndex, edges);
}

int CGraphIndex::IndexOfNode(const CCPNode* node) const {
    return Find(m_nodeIndex, node);
}

int CGraphIndex::IndexOfEdge(const CCPEdge* edge) const {
    return Find(m_edgeIndex, edge);
}

CCPNode* CGraphIndex::NodeAt(int index, CArchive& ar) const {
    return At(m_nodes, index, ar, "node");
}

CCPEdge* CGraphIndex::EdgeAt(int index, CArchive& ar) const {
    return At(m_edges, index, ar, "edge");
}
