// From triangles to fans: each corner of a triangle turns from one neighbour to the next; a
// node's turns, chained, are its fan.
#include "model/TriangleGraph.h"

#include "model/CPEdge.h"
#include "model/CPEdgeArray.h"
#include "model/CPNodeArray.h"

#include <algorithm>
#include <cstdint>

namespace {

// At one corner, the triangle turns from neighbour `from` to neighbour `to`.
struct CTurn {
    int from = 0;
    int to = 0;
};

std::string Node(int v) {
    return "node " + std::to_string(v);
}

std::string Side(int v, int x) {
    return Node(std::min(v, x)) + " and " + Node(std::max(v, x));
}

class CFanMaker {
public:
    CFanMaker(int points, const std::vector<CTriangle>& triangles) : m_start(points + 1, 0) {
        for (const CTriangle& t : triangles) {
            ++m_start[t.a + 1];
            ++m_start[t.b + 1];
            ++m_start[t.c + 1];
        }
        for (int v = 0; v < points; ++v) {
            m_start[v + 1] += m_start[v];
        }
        m_turns.resize(3 * triangles.size());
        m_tos.resize(3 * triangles.size());
        std::vector<int> fill(m_start.begin(), m_start.end() - 1);
        for (const CTriangle& t : triangles) {
            m_turns[fill[t.a]++] = {t.b, t.c};
            m_turns[fill[t.b]++] = {t.c, t.a};
            m_turns[fill[t.c]++] = {t.a, t.b};
        }
        for (int v = 0; v < points; ++v) {
            auto first = m_turns.begin() + m_start[v];
            auto last = m_turns.begin() + m_start[v + 1];
            std::sort(first, last, [](CTurn x, CTurn y) { return x.from < y.from; });
            for (auto turn = first; turn != last; ++turn) {
                m_tos[turn - m_turns.begin()] = turn->to;
            }
            std::sort(m_tos.begin() + m_start[v], m_tos.begin() + m_start[v + 1]);
        }
    }

    // The node's fan into `fan` (its neighbours in order) and whether it closes; or the
    // fault that keeps its triangles from forming one fan.
    std::string MakeFan(int v, std::vector<int>& fan, bool& closed) const {
        const int turns = m_start[v + 1] - m_start[v];
        if (turns == 0) {
            return Node(v) + " is the corner of no triangle";
        }
        for (int i = m_start[v]; i < m_start[v + 1]; ++i) {
            const int x = m_turns[i].from;
            if (Sides(v, x) > 2) {
                return "the side between " + Side(v, x) + " belongs to " +
                       std::to_string(Sides(v, x)) + " triangles";
            }
            // Two turns from one neighbour, or to one, are two triangles on one side of it.
            const bool twice =
                i + 1 < m_start[v + 1] && (m_turns[i + 1].from == x || m_tos[i + 1] == m_tos[i]);
            if (twice) {
                return "the triangles at " + Node(v) + " overlap or turn opposite ways";
            }
        }
        int start = m_turns[m_start[v]].from;
        int openEnds = 0;
        for (int i = m_start[v]; i < m_start[v + 1]; ++i) {
            if (CountTo(v, m_turns[i].from) == 0) {
                start = openEnds == 0 ? m_turns[i].from : start;
                ++openEnds;
            }
        }
        closed = openEnds == 0;
        fan.assign(1, start);
        for (int x = start; const CTurn* turn = TurnFrom(v, x);) {
            x = turn->to;
            if (x == start || static_cast<int>(fan.size()) > turns) {
                break;
            }
            fan.push_back(x);
        }
        const int used = closed ? static_cast<int>(fan.size()) : static_cast<int>(fan.size()) - 1;
        if (openEnds > 1 || used != turns) {
            return "the triangles at " + Node(v) + " do not form one fan";
        }
        return {};
    }

    // How many triangles have the side between v and x.
    int Sides(int v, int x) const { return CountFrom(v, x) + CountTo(v, x); }

private:
    const CTurn* TurnFrom(int v, int x) const {
        auto first = m_turns.begin() + m_start[v];
        auto last = m_turns.begin() + m_start[v + 1];
        auto found = std::lower_bound(first, last, x,
                                      [](CTurn turn, int value) { return turn.from < value; });
        return found != last && found->from == x ? &*found : nullptr;
    }
    int CountFrom(int v, int x) const {
        auto first = m_turns.begin() + m_start[v];
        auto last = m_turns.begin() + m_start[v + 1];
        auto range = std::equal_range(first, last, CTurn{x, 0},
                                      [](CTurn p, CTurn q) { return p.from < q.from; });
        return static_cast<int>(range.second - range.first);
    }
    int CountTo(int v, int x) const {
        auto range =
            std::equal_range(m_tos.begin() + m_start[v], m_tos.begin() + m_start[v + 1], x);
        return static_cast<int>(range.second - range.first);
    }

    std::vector<int> m_start;   // each node's turns begin here
    std::vector<CTurn> m_turns; // sorted by `from` within each node
    std::vector<int> m_tos;     // the same turns' `to`, sorted within each node
};

std::string CheckTriangles(int points, const std::vector<CTriangle>& triangles) {
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        const CTriangle& t = triangles[i];
        for (int corner : {t.a, t.b, t.c}) {
            if (corner < 0 || corner >= points) {
                return "triangle " + std::to_string(i) + " has the corner " +
                       std::to_string(corner) + ", which is not a node";
            }
        }
        if (t.a == t.b || t.b == t.c || t.c == t.a) {
            return "triangle " + std::to_string(i) + " has a corner twice";
        }
    }
    return {};
}

// Each node's neighbours sorted with their places in its fan, to find the edge a neighbour
// made earlier.
class CEdgeFinder {
public:
    explicit CEdgeFinder(const std::vector<std::vector<int>>& fans) {
        m_start.reserve(fans.size() + 1);
        m_start.push_back(0);
        for (const std::vector<int>& fan : fans) {
            for (std::size_t p = 0; p < fan.size(); ++p) {
                m_entries.push_back({fan[p], static_cast<int>(p)});
            }
            m_start.push_back(m_entries.size());
            std::sort(m_entries.begin() + m_start[m_start.size() - 2], m_entries.end(),
                      [](CTurn a, CTurn b) { return a.from < b.from; });
        }
    }
    // Where x stands in v's fan.
    int PlaceOf(int v, int x) const {
        auto first = m_entries.begin() + m_start[v];
        auto last = m_entries.begin() + m_start[v + 1];
        return std::lower_bound(first, last, x,
                                [](CTurn entry, int value) { return entry.from < value; })
            ->to;
    }

private:
    std::vector<std::size_t> m_start;
    std::vector<CTurn> m_entries; // (neighbour, place in the fan)
};

// Boundary edges run from a node to its first neighbour, as the grow and connect edits keep
// them; the edges inside from the node that comes first.
void MakeGraph(const std::vector<CDPoint>& points, const std::vector<std::vector<int>>& fans,
               const std::vector<char>& closed, const CFanMaker& maker, CCPNodeArray& nodes,
               CCPEdgeArray& edges) {
    const int n = static_cast<int>(points.size());
    for (int v = 0; v < n; ++v) {
        nodes.Add(new CCPNode(points[v].x, points[v].y, closed[v] ? Inner : NotConnected, 0));
    }
    const CEdgeFinder finder(fans);
    for (int v = 0; v < n; ++v) {
        CCPNode* node = nodes.m_array[v];
        node->m_edges.reserve(fans[v].size());
        for (int x : fans[v]) {
            if (x < v) {
                node->AddEdge(nodes.m_array[x]->GetEdge(finder.PlaceOf(x, v)));
                continue;
            }
            const bool interior = maker.Sides(v, x) == 2;
            const bool fromHere = interior || fans[v].front() == x;
            auto* edge = fromHere ? new CCPEdge(node, nodes.m_array[x])
                                  : new CCPEdge(nodes.m_array[x], node);
            edge->m_interior = interior ? 1 : 0;
            edges.Add(edge);
            node->AddEdge(edge);
        }
    }
    for (CCPNode* node : nodes.m_array) {
        node->UpdateKind();
    }
}

} // namespace

std::string BuildTriangleGraph(const std::vector<CDPoint>& points,
                               const std::vector<CTriangle>& triangles, CCPNodeArray& nodes,
                               CCPEdgeArray& edges) {
    const int n = static_cast<int>(points.size());
    if (std::string problem = CheckTriangles(n, triangles); !problem.empty()) {
        return problem;
    }
    const CFanMaker maker(n, triangles);
    std::vector<std::vector<int>> fans(n);
    std::vector<char> closed(n, 0);
    for (int v = 0; v < n; ++v) {
        bool isClosed = false;
        if (std::string problem = maker.MakeFan(v, fans[v], isClosed); !problem.empty()) {
            return problem;
        }
        closed[v] = isClosed;
    }
    MakeGraph(points, fans, closed, maker, nodes, edges);
    return {};
}
