// Index arrays of a node collection.
#include "packing/FanIndex.h"

#include "model/CPNodeArray.h"

#include <unordered_map>

CFanIndex::CFanIndex(const CCPNodeArray& nodes) {
    int n = nodes.GetSize();
    std::unordered_map<const CCPNode*, int> index;
    index.reserve(n);
    for (int i = 0; i < n; ++i) {
        index.emplace(nodes.m_array[i], i);
    }
    m_inner.resize(n);
    m_start.reserve(n + 1);
    m_start.push_back(0);
    for (int i = 0; i < n && m_problem.empty(); ++i) {
        const CCPNode* node = nodes.m_array[i];
        if (node->m_kind == NotConnected) {
            m_problem = "node " + std::to_string(i) + " is not joined to an inner node";
            break;
        }
        if (!node->m_circle) {
            m_problem = "node " + std::to_string(i) + " has no circle";
            break;
        }
        m_inner[i] = node->m_kind == Inner;
        for (int p = 0; p < node->GetEdgeCount(); ++p) {
            auto found = index.find(node->GetNeighbour(p));
            if (found == index.end()) {
                m_problem = "node " + std::to_string(i) + " has a broken edge";
                break;
            }
            m_neighbours.push_back(found->second);
        }
        m_start.push_back(static_cast<int>(m_neighbours.size()));
    }
}

