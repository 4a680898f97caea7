// The loaded-graph consistency rules, one small check each.
#include "document/GraphCheck.h"

#include <algorithm>
#include <cstddef>
#include <unordered_set>

namespace {

constexpr std::int32_t kInner = 1;

std::string Node(std::size_t i) {
    return "node " + std::to_string(i);
}

std::string Edge(std::size_t i) {
    return "edge " + std::to_string(i);
}

bool InRange(std::int32_t index, std::size_t size) {
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

std::uint64_t PairKey(std::int32_t a, std::int32_t b) {
    auto low = static_cast<std::uint32_t>(std::min(a, b));
    auto high = static_cast<std::uint32_t>(std::max(a, b));
    return (std::uint64_t(high) << 32) | low;
}

bool CheckIndicesAndValues(const CGraphTopology& g, CArchive& ar) {
    std::size_t nodes = g.nodeEdges.size();
    std::size_t edges = g.edgeEnds.size();
    for (std::size_t n = 0; n < nodes; ++n) {
        for (std::int32_t e : g.nodeEdges[n]) {
            if (!InRange(e, edges)) {
                ar.Fail(ArchiveError::IndexOutOfRange, Node(n) + " lists edge index " +
                                                           std::to_string(e) + " of " +
                                                           std::to_string(edges) + " edges");
                return false;
            }
        }
        if (g.nodeKinds[n] < 0 || g.nodeKinds[n] > 2) {
            ar.Fail(ArchiveError::InconsistentGraph,
                    Node(n) + " has kind " + std::to_string(g.nodeKinds[n]));
            return false;
        }
    }
    for (std::size_t e = 0; e < edges; ++e) {
        for (std::int32_t n : g.edgeEnds[e]) {
            if (!InRange(n, nodes)) {
                ar.Fail(ArchiveError::IndexOutOfRange, Edge(e) + " ends at node index " +
                                                           std::to_string(n) + " of " +
                                                           std::to_string(nodes) + " nodes");
                return false;
            }
        }
        if (g.edgeInterior[e] != 0 && g.edgeInterior[e] != 1) {
            ar.Fail(ArchiveError::InconsistentGraph,
                    Edge(e) + " has interior flag " + std::to_string(g.edgeInterior[e]));
            return false;
        }
    }
    return true;
}

// Every listed edge ends at the listing node, no list holds an edge twice, and every edge is
// listed by both of its ends.
bool CheckIncidence(const CGraphTopology& g, CArchive& ar) {
    std::vector<std::uint8_t> listings(g.edgeEnds.size(), 0);
    std::vector<std::int32_t> lastLister(g.edgeEnds.size(), -1);
    for (std::size_t n = 0; n < g.nodeEdges.size(); ++n) {
        for (std::int32_t e : g.nodeEdges[n]) {
            const auto& ends = g.edgeEnds[e];
            if (ends[0] != std::int32_t(n) && ends[1] != std::int32_t(n)) {
                ar.Fail(ArchiveError::InconsistentGraph,
                        Node(n) + " lists " + Edge(e) + ", which does not end at it");
                return false;
            }
            if (lastLister[e] == std::int32_t(n)) {
                ar.Fail(ArchiveError::InconsistentGraph, Node(n) + " lists " + Edge(e) + " twice");
                return false;
            }
            lastLister[e] = std::int32_t(n);
            ++listings[e];
        }
    }
    for (std::size_t e = 0; e < g.edgeEnds.size(); ++e) {
        if (g.edgeEnds[e][0] == g.edgeEnds[e][1]) {
            ar.Fail(ArchiveError::InconsistentGraph, Edge(e) + " starts and ends at one node");
            return false;
        }
        if (listings[e] != 2) {
            ar.Fail(ArchiveError::InconsistentGraph,
                    Edge(e) + " is missing from the edge list of one of its ends");
            return false;
        }
    }
    return true;
}

std::int32_t Neighbour(const CGraphTopology& g, std::size_t node, std::int32_t edge) {
    const auto& ends = g.edgeEnds[edge];
    return ends[0] == std::int32_t(node) ? ends[1] : ends[0];
}

// No two edges join the same pair, and each node's neighbours bound its triangles.
bool CheckFans(const CGraphTopology& g, CArchive& ar) {
    std::unordered_set<std::uint64_t> joined;
    joined.reserve(g.edgeEnds.size());
    for (std::size_t e = 0; e < g.edgeEnds.size(); ++e) {
        if (!joined.insert(PairKey(g.edgeEnds[e][0], g.edgeEnds[e][1])).second) {
            ar.Fail(ArchiveError::InconsistentGraph,
                    Edge(e) + " joins two nodes that another edge joins already");
            return false;
        }
    }
    for (std::size_t n = 0; n < g.nodeEdges.size(); ++n) {
        const std::vector<std::int32_t>& list = g.nodeEdges[n];
        bool inner = g.nodeKinds[n] == kInner;
        if (inner && list.size() < 3) {
            ar.Fail(ArchiveError::InconsistentGraph,
                    Node(n) + " is inner with fewer than three neighbours");
            return false;
        }
        std::size_t pairs = inner ? list.size() : std::max<std::size_t>(list.size(), 1) - 1;
        for (std::size_t i = 0; i < pairs; ++i) {
            std::int32_t a = Neighbour(g, n, list[i]);
            std::int32_t b = Neighbour(g, n, list[(i + 1) % list.size()]);
            if (!joined.contains(PairKey(a, b))) {
                ar.Fail(ArchiveError::InconsistentGraph,
                        "neighbours " + std::to_string(a) + " and " + std::to_string(b) + " of " +
                            Node(n) + " are not joined by an edge");
                return false;
            }
        }
    }
    return true;
}

} // namespace

bool CheckGraphTopology(const CGraphTopology& graph, CArchive& ar) {
    return !ar.Failed() && CheckIndicesAndValues(graph, ar) && CheckIncidence(graph, ar) &&
           CheckFans(graph, ar);
}
