// The invariant checker and graph description used by the model and document tests.
#include "model/GraphInvariants.h"

#include "model/CPEdgeArray.h"
#include "model/CPNodeArray.h"
#include "model/GraphCheck.h"

#include <cmath>
#include <numbers>
#include <sstream>

namespace {

std::string Name(const CCPNodeArray& nodes, const CCPNode* node) {
    return "node " + std::to_string(nodes.IndexOf(node));
}

// Whether b directly follows a in the node's neighbour list, wrapping round for inner nodes.
bool Follows(const CCPNode* node, const CCPNode* a, const CCPNode* b) {
    int n = node->GetEdgeCount();
    for (int i = 0; i < n; ++i) {
        bool last = i + 1 == n;
        if (last && node->m_kind != Inner) {
            break;
        }
        if (node->GetNeighbour(i) == a && node->GetNeighbour(last ? 0 : i + 1) == b) {
            return true;
        }
    }
    return false;
}

// Every triangle (v, a, b) of v's fan must be (a, b, v) in a's fan and (b, v, a) in b's.
std::string CheckFan(const CCPNodeArray& nodes, const CCPNode* v) {
    int n = v->GetEdgeCount();
    bool inner = v->m_kind == Inner;
    if (n < (inner ? 3 : 2)) {
        return Name(nodes, v) + " has only " + std::to_string(n) + " neighbours.";
    }
    int pairs = inner ? n : n - 1;
    for (int i = 0; i < pairs; ++i) {
        const CCPNode* a = v->GetNeighbour(i);
        const CCPNode* b = v->GetNeighbour((i + 1) % n);
        if (a == b || !a->IsNeighbour(b)) {
            return Name(nodes, v) + ": neighbours " + std::to_string(i) + " and " +
                   std::to_string((i + 1) % n) + " are not joined.";
        }
        if (!Follows(a, b, v) || !Follows(b, v, a)) {
            return Name(nodes, v) + ": the triangle after neighbour " + std::to_string(i) +
                   " is not in the fans of its other corners in the same sense.";
        }
    }
    const CCPNode* first = v->GetNeighbour(0);
    const CCPNode* last = v->GetNeighbour(n - 1);
    if (!inner && Follows(last, first, v)) {
        return Name(nodes, v) + " has an open fan, but its last and first neighbours close it.";
    }
    return {};
}

// Open fans start and end on boundary edges and are interior in between.
std::string CheckFanEnds(const CCPNodeArray& nodes, const CCPNode* v) {
    if (v->m_kind == Inner) {
        return {};
    }
    int n = v->GetEdgeCount();
    for (int i = 0; i < n; ++i) {
        int expected = i == 0 || i == n - 1 ? 0 : 1;
        if (v->GetEdge(i)->m_interior != expected) {
            return Name(nodes, v) + ": edge " + std::to_string(i) + " of its open fan should be " +
                   (expected ? "interior." : "a boundary edge.");
        }
    }
    return {};
}

double PositiveTurn(const CDPoint& from, const CDPoint& to) {
    double angle = std::atan2(from.x * to.y - from.y * to.x, from.Dot(to));
    return angle < 0 ? angle + 2 * std::numbers::pi : angle;
}

std::string CheckWinding(const CCPNodeArray& nodes, const CCPNode* v) {
    int n = v->GetEdgeCount();
    bool inner = v->m_kind == Inner;
    double total = 0;
    for (int i = 0; i < (inner ? n : n - 1); ++i) {
        total += PositiveTurn(*v->GetNeighbour(i) - *v, *v->GetNeighbour((i + 1) % n) - *v);
    }
    const double fullTurn = 2 * std::numbers::pi;
    bool ok = inner ? std::abs(total - fullTurn) < 1e-9 : total < fullTurn;
    return ok ? std::string()
              : Name(nodes, v) + ": its neighbours turn " + std::to_string(total) +
                    " radians round it.";
}

std::string CheckNode(const CCPNodeArray& nodes, const CCPNode* v, Winding winding) {
    std::string problem = CheckFan(nodes, v);
    if (problem.empty()) {
        problem = CheckFanEnds(nodes, v);
    }
    if (problem.empty() && winding == Winding::Check) {
        problem = CheckWinding(nodes, v);
    }
    if (problem.empty() && v->m_kind != Inner) {
        bool innerNeighbour = false;
        for (int i = 0; i < v->GetEdgeCount(); ++i) {
            innerNeighbour = innerNeighbour || v->GetNeighbour(i)->m_kind == Inner;
        }
        if (v->m_kind != (innerNeighbour ? Outer : NotConnected)) {
            problem = Name(nodes, v) + " has the wrong kind " + std::to_string(v->m_kind) + ".";
        }
    }
    return problem;
}

std::string CheckEdge(const CCPEdgeArray& edges, const CCPEdge* e) {
    std::string name = "edge " + std::to_string(edges.IndexOf(e));
    if (e->m_interior != e->ComputeInterior()) {
        return name + " has the wrong interior flag " + std::to_string(e->m_interior) + ".";
    }
    if (e->m_interior == 0 &&
        (e->m_start->GetNeighbour(0) != e->m_end ||
         e->m_end->GetNeighbour(e->m_end->GetEdgeCount() - 1) != e->m_start)) {
        return name + " is a boundary edge in the wrong direction.";
    }
    return {};
}

} // namespace

std::string FindInvariantBreak(const CCPNodeArray& nodes, const CCPEdgeArray& edges,
                               Winding winding) {
    std::string problem;
    if (!CheckGraph(nodes, edges, &problem)) {
        return problem;
    }
    for (const CCPNode* node : nodes.m_array) {
        problem = CheckNode(nodes, node, winding);
        if (!problem.empty()) {
            return problem;
        }
    }
    for (const CCPEdge* edge : edges.m_array) {
        problem = CheckEdge(edges, edge);
        if (!problem.empty()) {
            return problem;
        }
    }
    return {};
}

std::string DescribeGraph(const CCPNodeArray& nodes, const CCPEdgeArray& edges) {
    std::ostringstream out;
    out.precision(17);
    for (const CCPNode* node : nodes.m_array) {
        out << "node " << node->x << ' ' << node->y << " kind " << node->m_kind
            << (node->m_circle ? "" : " no circle") << " edges";
        for (const CCPEdge* edge : node->m_edges) {
            out << ' ' << edges.IndexOf(edge);
        }
        out << '\n';
    }
    for (const CCPEdge* edge : edges.m_array) {
        out << "edge " << nodes.IndexOf(edge->m_start) << ' ' << nodes.IndexOf(edge->m_end)
            << " interior " << edge->m_interior << '\n';
    }
    return out.str();
}
