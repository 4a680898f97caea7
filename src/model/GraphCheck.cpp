// Structural soundness of a graph: what every operation on it relies on to stay in bounds.
#include "model/GraphCheck.h"

#include "model/CPEdgeArray.h"
#include "model/CPNodeArray.h"

#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace {

using NodeIndex = std::unordered_map<const CCPNode*, int>;
using EdgeIndex = std::unordered_map<const CCPEdge*, int>;

bool Fail(std::string* problem, std::string text) {
    if (problem) {
        *problem = std::move(text);
    }
    return false;
}

bool IndexNodes(const CCPNodeArray& nodes, NodeIndex& index, std::string* problem) {
    std::unordered_set<const CCPCircle*> circles;
    for (int i = 0; i < nodes.GetSize(); ++i) {
        const CCPNode* node = nodes.m_array[i];
        std::string name = "Node " + std::to_string(i);
        if (!node) {
            return Fail(problem, name + " is missing.");
        }
        if (!index.emplace(node, i).second) {
            return Fail(problem, name + " is node " + std::to_string(index[node]) + " again.");
        }
        if (node->m_kind != Outer && node->m_kind != Inner && node->m_kind != NotConnected) {
            return Fail(problem,
                        name + " has the unknown kind " + std::to_string(node->m_kind) + ".");
        }
        if (!node->m_circle) {
            return Fail(problem, name + " has no circle.");
        }
        if (!circles.insert(node->m_circle).second) {
            return Fail(problem, name + " shares its circle with another node.");
        }
    }
    return true;
}

bool IndexEdges(const CCPEdgeArray& edges, const NodeIndex& nodes, EdgeIndex& index,
                std::string* problem) {
    for (int i = 0; i < edges.GetSize(); ++i) {
        const CCPEdge* edge = edges.m_array[i];
        std::string name = "Edge " + std::to_string(i);
        if (!edge) {
            return Fail(problem, name + " is missing.");
        }
        if (!index.emplace(edge, i).second) {
            return Fail(problem, name + " is edge " + std::to_string(index[edge]) + " again.");
        }
        if (!nodes.contains(edge->m_start) || !nodes.contains(edge->m_end)) {
            return Fail(problem, name + " does not join two nodes of the graph.");
        }
        if (edge->m_start == edge->m_end) {
            return Fail(problem, name + " joins a node to itself.");
        }
    }
    return true;
}

// Each node lists only collection edges that end at it, each at most once; counting the
// listings then shows whether every edge is listed by both its ends.
bool CheckLists(const CCPNodeArray& nodes, const CCPEdgeArray& edgeArray, const EdgeIndex& edges,
                std::string* problem) {
    std::unordered_map<const CCPEdge*, int> listings;
    for (int i = 0; i < nodes.GetSize(); ++i) {
        const CCPNode* node = nodes.m_array[i];
        std::string name = "Node " + std::to_string(i);
        std::unordered_set<const CCPEdge*> seen;
        for (const CCPEdge* edge : node->m_edges) {
            if (!edges.contains(edge)) {
                return Fail(problem, name + " lists an edge that is not in the graph.");
            }
            if (!edge->HasNode(node)) {
                return Fail(problem, name + " lists edge " + std::to_string(edges.at(edge)) +
                                         ", which does not end at it.");
            }
            if (!seen.insert(edge).second) {
                return Fail(problem,
                            name + " lists edge " + std::to_string(edges.at(edge)) + " twice.");
            }
            ++listings[edge];
        }
    }
    for (int i = 0; i < edgeArray.GetSize(); ++i) {
        if (listings[edgeArray.m_array[i]] != 2) {
            return Fail(problem, "Edge " + std::to_string(i) + " is not listed by both its ends.");
        }
    }
    return true;
}

} // namespace

bool CheckGraph(const CCPNodeArray& nodes, const CCPEdgeArray& edges, std::string* problem) {
    NodeIndex nodeIndex;
    EdgeIndex edgeIndex;
    return IndexNodes(nodes, nodeIndex, problem) &&
           IndexEdges(edges, nodeIndex, edgeIndex, problem) &&
           CheckLists(nodes, edges, edgeIndex, problem);
}
