// Structural soundness of a graph: what every operation on it relies on to stay in bounds.
#include "model/GraphCheck.h"

#include "model/CPEdgeArray.h"
#include "model/CPNodeArray.h"
#include "model/PointerIndex.h"

#include <utility>
#include <vector>

namespace {

using NodeIndex = CPointerIndex<CCPNode>;
using EdgeIndex = CPointerIndex<CCPEdge>;

bool Fail(std::string* problem, std::string text) {
    if (problem) {
        *problem = std::move(text);
    }
    return false;
}

std::string NodeName(int i) {
    return "Node " + std::to_string(i);
}

std::string EdgeName(int i) {
    return "Edge " + std::to_string(i);
}

bool IndexNodes(const CCPNodeArray& nodes, NodeIndex& index, std::string* problem) {
    std::vector<const CCPCircle*> circles(nodes.m_array.size());
    CPointerIndex<const CCPCircle> circleIndex(circles);
    for (int i = 0; i < nodes.GetSize(); ++i) {
        const CCPNode* node = nodes.m_array[i];
        if (!node) {
            return Fail(problem, NodeName(i) + " is missing.");
        }
        if (int first = index.Insert(i); first >= 0) {
            return Fail(problem, NodeName(i) + " is node " + std::to_string(first) + " again.");
        }
        if (node->m_kind != Outer && node->m_kind != Inner && node->m_kind != NotConnected) {
            return Fail(problem, NodeName(i) + " has the unknown kind " +
                                     std::to_string(node->m_kind) + ".");
        }
        if (!node->m_circle) {
            return Fail(problem, NodeName(i) + " has no circle.");
        }
        circles[i] = node->m_circle;
        if (circleIndex.Insert(i) >= 0) {
            return Fail(problem, NodeName(i) + " shares its circle with another node.");
        }
    }
    return true;
}

bool IndexEdges(const CCPEdgeArray& edges, const NodeIndex& nodes, EdgeIndex& index,
                std::string* problem) {
    for (int i = 0; i < edges.GetSize(); ++i) {
        const CCPEdge* edge = edges.m_array[i];
        if (!edge) {
            return Fail(problem, EdgeName(i) + " is missing.");
        }
        if (int first = index.Insert(i); first >= 0) {
            return Fail(problem, EdgeName(i) + " is edge " + std::to_string(first) + " again.");
        }
        if (nodes.Find(edge->m_start) < 0 || nodes.Find(edge->m_end) < 0) {
            return Fail(problem, EdgeName(i) + " does not join two nodes of the graph.");
        }
        if (edge->m_start == edge->m_end) {
            return Fail(problem, EdgeName(i) + " joins a node to itself.");
        }
    }
    return true;
}

// Each node lists only collection edges that end at it, each at most once; counting the
// listings then shows whether every edge is listed by both its ends.
bool CheckLists(const CCPNodeArray& nodes, const CCPEdgeArray& edgeArray, const EdgeIndex& edges,
                std::string* problem) {
    struct Listing {
        int lastNode = -1; // the node that listed the edge last
        int count = 0;
    };
    std::vector<Listing> listings(edgeArray.m_array.size());
    for (int i = 0; i < nodes.GetSize(); ++i) {
        const CCPNode* node = nodes.m_array[i];
        for (const CCPEdge* edge : node->m_edges) {
            const int e = edges.Find(edge);
            if (e < 0) {
                return Fail(problem, NodeName(i) + " lists an edge that is not in the graph.");
            }
            if (!edge->HasNode(node)) {
                return Fail(problem, NodeName(i) + " lists edge " + std::to_string(e) +
                                         ", which does not end at it.");
            }
            Listing& listing = listings[e];
            if (listing.lastNode == i) {
                return Fail(problem, NodeName(i) + " lists edge " + std::to_string(e) + " twice.");
            }
            listing.lastNode = i;
            ++listing.count;
        }
    }
    for (int e = 0; e < edgeArray.GetSize(); ++e) {
        if (listings[e].count != 2) {
            return Fail(problem, EdgeName(e) + " is not listed by both its ends.");
        }
    }
    return true;
}

} // namespace

bool CheckGraph(const CCPNodeArray& nodes, const CCPEdgeArray& edges, std::string* problem) {
    NodeIndex nodeIndex(nodes.m_array);
    EdgeIndex edgeIndex(edges.m_array);
    return IndexNodes(nodes, nodeIndex, problem) &&
           IndexEdges(edges, nodeIndex, edgeIndex, problem) &&
           CheckLists(nodes, edges, edgeIndex, problem);
}
