// Index arrays of a node collection.
#include "model/FanIndex.h"

#include "model/CPNodeArray.h"
#include "model/PointerIndex.h"

CFanIndex::CFanIndex(const CCPNodeArray& nodes) {
    const int n = nodes.GetSize();
    CPointerIndex<CCPNode> index(nodes.m_array);
    index.InsertAll();
    m_kind.resize(n);
    m_start.reserve(n + 1);
    m_start.push_back(0);
    for (int i = 0; i < n; ++i) {
        const CCPNode* node = nodes.m_array[i];
        m_kind[i] = node->m_kind;
        for (int p = 0; p < node->GetEdgeCount(); ++p) {
            const int neighbour = index.Find(node->GetNeighbour(p));
            if (neighbour < 0) {
                m_problem = "node " + std::to_string(i) + " has a broken edge";
                return;
            }
            m_neighbours.push_back(neighbour);
        }
        m_start.push_back(static_cast<int>(m_neighbours.size()));
    }
}
