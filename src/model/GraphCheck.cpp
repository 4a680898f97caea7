// Structural soundness of a graph: what every operation on it relies on to stay in bounds.
#include "model/GraphCheck.h"

#include "model/CPEdgeArray.h"
#include "model/CPNodeArray.h"
#include "model/InHalves.h"
#include "model/PointerIndex.h"

#include <algorithm>
#include <utility>

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

bool IndexNodes(const CCPNodeArray& nodes, NodeIndex& index, CGraphTable& table,
                std::string* problem) {
    std::vector<const CCPCircle*> circles(nodes.m_array.size());
    CPointerIndex<const CCPCircle> circleIndex(circles);
    table.kind.reserve(nodes.m_array.size());
    for (int i = 0; i < nodes.GetSize(); ++i) {
        const CCPNode* node = nodes.m_array[i];
        if (!node) {
            return Fail(problem, NodeName(i) + " is missing.");
        }
        if (int first = index.Insert(i); first >= 0) {
            return Fail(problem, NodeName(i) + " is node " + std::to_string(first) + " again.");
        }
        if (!node->m_circle) {
            return Fail(problem, NodeName(i) + " has no circle.");
        }
        circles[i] = node->m_circle;
        if (circleIndex.Insert(i) >= 0) {
            return Fail(problem, NodeName(i) + " shares its circle with another node.");
        }
        table.kind.push_back(node->m_kind);
    }
    return true;
}

bool IndexEdges(const CCPEdgeArray& edges, const NodeIndex& nodes, EdgeIndex& index,
                CGraphTable& table, std::string* problem) {
    table.edgeData.reserve(3 * edges.m_array.size());
    for (int i = 0; i < edges.GetSize(); ++i) {
        const CCPEdge* edge = edges.m_array[i];
        if (!edge) {
            return Fail(problem, EdgeName(i) + " is missing.");
        }
        if (int first = index.Insert(i); first >= 0) {
            return Fail(problem, EdgeName(i) + " is edge " + std::to_string(first) + " again.");
        }
        const int start = nodes.Find(edge->m_start);
        const int end = nodes.Find(edge->m_end);
        if (start < 0 || end < 0) {
            return Fail(problem, EdgeName(i) + " does not join two nodes of the graph.");
        }
        table.edgeData.insert(table.edgeData.end(), {start, end, edge->m_interior});
    }
    return true;
}

bool IndexLists(const CCPNodeArray& nodes, const EdgeIndex& edges, CGraphTable& table,
                std::string* problem) {
    table.listStart.reserve(nodes.m_array.size() + 1);
    for (int i = 0; i < nodes.GetSize(); ++i) {
        for (const CCPEdge* edge : nodes.m_array[i]->m_edges) {
            const int e = edges.Find(edge);
            if (e < 0) {
                return Fail(problem, NodeName(i) + " lists an edge that is not in the graph.");
            }
            table.listEdges.push_back(e);
        }
        table.listStart.push_back(static_cast<int>(table.listEdges.size()));
    }
    return true;
}

// Each node lists only edges that end at it, each at most once, and every edge is listed by
// both its ends: every edge then has a place in its start's list and in its end's. The nodes
// [begin, end) write only their own entries and the places on their own side of an edge, so
// two ranges can be read at once whatever the table holds.
std::string ReadNodeLists(const CGraphTable& table, CTableFans& fans, int begin, int end) {
    for (int i = begin; i < end; ++i) {
        for (int at = table.listStart[i]; at < table.listStart[i + 1]; ++at) {
            const int e = table.listEdges[at];
            if (e < 0 || e >= table.Edges()) {
                return NodeName(i) + " lists an edge that is not in the graph.";
            }
            const bool fromStart = table.Start(e) == i;
            if (!fromStart && table.End(e) != i) {
                return NodeName(i) + " lists edge " + std::to_string(e) +
                       ", which does not end at it.";
            }
            int& place = fans.places[2 * std::size_t(e) + (fromStart ? 0 : 1)];
            if (place >= 0) {
                return NodeName(i) + " lists edge " + std::to_string(e) + " twice.";
            }
            place = at - table.listStart[i];
            fans.neighbours[at] = fromStart ? table.End(e) : table.Start(e);
            fans.fromStart[at] = fromStart;
        }
    }
    return {};
}

bool ReadLists(const CGraphTable& table, CTableFans& fans, std::string* problem) {
    fans.neighbours = std::make_unique_for_overwrite<int[]>(table.listEdges.size());
    fans.fromStart = std::make_unique_for_overwrite<char[]>(table.listEdges.size());
    fans.places = std::make_unique_for_overwrite<int[]>(2 * std::size_t(table.Edges()));
    int* places = fans.places.get();
    InHalves(table.Edges(), [places](int begin, int end) {
        std::fill(places + 2 * std::size_t(begin), places + 2 * std::size_t(end), -1);
        return std::string();
    });
    std::string fault = InHalves(
        table.Nodes(), [&](int begin, int end) { return ReadNodeLists(table, fans, begin, end); });
    if (fault.empty()) {
        fault = InHalves(table.Edges(), [places](int begin, int end) {
            for (int e = begin; e < end; ++e) {
                if (places[2 * std::size_t(e)] < 0 || places[2 * std::size_t(e) + 1] < 0) {
                    return EdgeName(e) + " is not listed by both its ends.";
                }
            }
            return std::string();
        });
    }
    return fault.empty() || Fail(problem, std::move(fault));
}

// Every kind known and every list in order.
std::string CheckNodes(const CGraphTable& table, int begin, int end) {
    for (int i = begin; i < end; ++i) {
        if (table.listStart[i + 1] < table.listStart[i]) {
            return "The graph's table is incomplete.";
        }
        const int kind = table.kind[i];
        if (kind != Outer && kind != Inner && kind != NotConnected) {
            return NodeName(i) + " has the unknown kind " + std::to_string(kind) + ".";
        }
    }
    return {};
}

// Every edge between two distinct nodes of the graph.
std::string CheckEdgeEnds(const CGraphTable& table, int begin, int end) {
    for (int e = begin; e < end; ++e) {
        const bool inRange = table.Start(e) >= 0 && table.Start(e) < table.Nodes() &&
                             table.End(e) >= 0 && table.End(e) < table.Nodes();
        if (!inRange) {
            return EdgeName(e) + " does not join two nodes of the graph.";
        }
        if (table.Start(e) == table.End(e)) {
            return EdgeName(e) + " joins a node to itself.";
        }
    }
    return {};
}

} // namespace

bool TabulateGraph(const CCPNodeArray& nodes, const CCPEdgeArray& edges, CGraphTable& table,
                   std::string* problem) {
    table = CGraphTable{};
    NodeIndex nodeIndex(nodes.m_array);
    EdgeIndex edgeIndex(edges.m_array);
    return IndexNodes(nodes, nodeIndex, table, problem) &&
           IndexEdges(edges, nodeIndex, edgeIndex, table, problem) &&
           IndexLists(nodes, edgeIndex, table, problem);
}

bool CheckGraphTable(const CGraphTable& table, std::string* problem, CTableFans* fans) {
    if (table.listStart.size() != table.kind.size() + 1 || table.listStart.front() != 0 ||
        table.listStart.back() != static_cast<int>(table.listEdges.size()) ||
        table.edgeData.size() % 3 != 0) {
        return Fail(problem, "The graph's table is incomplete.");
    }
    std::string fault = InHalves(
        table.Nodes(), [&table](int begin, int end) { return CheckNodes(table, begin, end); });
    if (fault.empty()) {
        fault = InHalves(table.Edges(),
                         [&table](int begin, int end) { return CheckEdgeEnds(table, begin, end); });
    }
    if (!fault.empty()) {
        return Fail(problem, std::move(fault));
    }
    CTableFans own;
    return ReadLists(table, fans ? *fans : own, problem);
}

bool CheckGraph(const CCPNodeArray& nodes, const CCPEdgeArray& edges, std::string* problem) {
    CGraphTable table;
    return TabulateGraph(nodes, edges, table, problem) && CheckGraphTable(table, problem);
}
