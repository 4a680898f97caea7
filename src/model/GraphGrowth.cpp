// Growth as new triangles: the old graph's triangles and edges as index arrays, cut or
// surrounded, then built into nodes and edges by BuildTriangleGraph and checked.
#include "model/GraphGrowth.h"

#include "circles/CPCircleArray.h"
#include "model/CPEdgeArray.h"
#include "model/CPNodeArray.h"
#include "model/DiskCheck.h"
#include "model/FanIndex.h"
#include "model/TriangleGraph.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

// What the grown graph is made of: its points, the old node each new one takes its style
// from, and its triangles.
struct CGrowthPlan {
    std::vector<CDPoint> points;
    std::vector<int> styleFrom;
    std::vector<CTriangle> triangles;

    void Add(const CDPoint& point, int style) {
        points.push_back(point);
        styleFrom.push_back(style);
    }
};

// The old graph's edges numbered in the order of their first end's fan, found by their ends.
class CEdgeNumbers {
public:
    explicit CEdgeNumbers(const CFanIndex& fans) {
        for (int v = 0; v < fans.Size(); ++v) {
            for (int p = 0; p < fans.Degree(v); ++p) {
                if (const int x = fans.Neighbour(v, p); v < x) {
                    m_keys.push_back(Key(v, x));
                }
            }
        }
        std::sort(m_keys.begin(), m_keys.end());
    }
    int Count() const { return static_cast<int>(m_keys.size()); }
    // The edge between a and b, which must be joined.
    int Number(int a, int b) const {
        return static_cast<int>(std::lower_bound(m_keys.begin(), m_keys.end(), Key(a, b)) -
                                m_keys.begin());
    }
    int FirstEnd(int number) const { return static_cast<int>(m_keys[number] >> 32); }
    int SecondEnd(int number) const { return static_cast<int>(m_keys[number] & 0xffffffffu); }

private:
    static std::uint64_t Key(int a, int b) {
        return std::uint64_t(std::min(a, b)) << 32 | std::uint32_t(std::max(a, b));
    }
    std::vector<std::uint64_t> m_keys;
};

// Every triangle once, from its corner that comes first, turning the positive way.
std::vector<CTriangle> ListTriangles(const CFanIndex& fans) {
    std::vector<CTriangle> triangles;
    for (int v = 0; v < fans.Size(); ++v) {
        const int degree = fans.Degree(v);
        const int turns = fans.IsInner(v) ? degree : degree - 1;
        for (int p = 0; p < turns; ++p) {
            const int a = fans.Neighbour(v, p);
            const int b = fans.Neighbour(v, (p + 1) % degree);
            if (v < a && v < b) {
                triangles.push_back({v, a, b});
            }
        }
    }
    return triangles;
}

CDPoint Midpoint(const CDPoint& a, const CDPoint& b) {
    return CDPoint((a.x + b.x) / 2, (a.y + b.y) / 2);
}

// The old nodes, then one node at the midpoint of every edge.
void PlanEdgeNodes(const CCPNodeArray& nodes, const CEdgeNumbers& edges, CGrowthPlan& plan) {
    for (int v = 0; v < nodes.GetSize(); ++v) {
        plan.Add(*nodes.m_array[v], v);
    }
    for (int e = 0; e < edges.Count(); ++e) {
        const int a = edges.FirstEnd(e);
        plan.Add(Midpoint(*nodes.m_array[a], *nodes.m_array[edges.SecondEnd(e)]), a);
    }
}

void PlanRefinement(const CCPNodeArray& nodes, const CFanIndex& fans, bool barycentric,
                    CGrowthPlan& plan) {
    const CEdgeNumbers edges(fans);
    const std::vector<CTriangle> triangles = ListTriangles(fans);
    PlanEdgeNodes(nodes, edges, plan);
    const int firstMidpoint = nodes.GetSize();
    for (const CTriangle& t : triangles) {
        const int ab = firstMidpoint + edges.Number(t.a, t.b);
        const int bc = firstMidpoint + edges.Number(t.b, t.c);
        const int ca = firstMidpoint + edges.Number(t.c, t.a);
        if (!barycentric) {
            plan.triangles.insert(plan.triangles.end(),
                                  {{t.a, ab, ca}, {t.b, bc, ab}, {t.c, ca, bc}, {ab, bc, ca}});
            continue;
        }
        const int centre = static_cast<int>(plan.points.size());
        const CDPoint &a = plan.points[t.a], &b = plan.points[t.b], &c = plan.points[t.c];
        plan.Add(CDPoint((a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3), t.a);
        // Round the triangle's rim, each piece with the centre.
        const int rim[] = {t.a, ab, t.b, bc, t.c, ca};
        for (int i = 0; i < 6; ++i) {
            plan.triangles.push_back({rim[i], rim[(i + 1) % 6], centre});
        }
    }
}

// The angle outside the boundary at a node, from its last neighbour round to its first, in
// (0, 2 pi).
double OutsideAngle(const CDPoint& node, const CDPoint& last, const CDPoint& first) {
    const CDPoint u = last - node;
    const CDPoint f = first - node;
    double angle = std::atan2(u.x * f.y - u.y * f.x, u.x * f.x + u.y * f.y);
    angle = angle <= 0 ? angle + 2 * kPi : angle;
    return std::clamp(angle, 1e-6, 2 * kPi - 1e-6);
}

// A layer node sits at the apex of a triangle on its edge, seen from each end at an angle
// from the edge: between (outside - pi) / 2 and outside / 2, so that the two new nodes at a
// boundary node keep their order and the triangle between them turns the right way, on a
// sharp corner as on a straight stretch.
double LowAngle(double outside) {
    return std::max(0.0, (outside - kPi) / 2);
}

double ApexAngle(double outside) {
    return (LowAngle(outside) + outside / 2) / 2;
}

CDPoint LayerApex(const CDPoint& s, const CDPoint& t, double outsideS, double outsideT) {
    double atS = ApexAngle(outsideS);
    double atT = ApexAngle(outsideT);
    // The two angles of a triangle leave room for the third.
    const double room = kPi - LowAngle(outsideS) - LowAngle(outsideT);
    const double above = atS - LowAngle(outsideS) + atT - LowAngle(outsideT);
    if (above > room / 2) {
        atS = LowAngle(outsideS) + (atS - LowAngle(outsideS)) * room / 2 / above;
        atT = LowAngle(outsideT) + (atT - LowAngle(outsideT)) * room / 2 / above;
    }
    const CDPoint edge = t - s;
    const double length = std::hypot(edge.x, edge.y);
    const CDPoint along(edge.x / length, edge.y / length);
    const CDPoint outward(along.y, -along.x); // the inside turns the positive way from the edge
    const double reach = length * std::sin(atT) / std::sin(atS + atT);
    return CDPoint(s.x + reach * (std::cos(atS) * along.x + std::sin(atS) * outward.x),
                   s.y + reach * (std::cos(atS) * along.y + std::sin(atS) * outward.y));
}

// One node per boundary edge, from each boundary node v to its first neighbour: the edge's
// triangle and, at v, the triangle with the new node of the edge that comes into v.
void PlanLayer(const CCPNodeArray& nodes, const CFanIndex& fans, CGrowthPlan& plan) {
    const int n = fans.Size();
    for (int v = 0; v < n; ++v) {
        plan.Add(*nodes.m_array[v], v);
    }
    plan.triangles = ListTriangles(fans);
    std::vector<int> layerNode(n, -1);
    std::vector<double> outside(n, kPi);
    for (int v = 0; v < n; ++v) {
        if (!fans.IsInner(v)) {
            layerNode[v] = static_cast<int>(plan.points.size());
            plan.Add(CDPoint(), v);
            const int last = fans.Neighbour(v, fans.Degree(v) - 1);
            outside[v] =
                OutsideAngle(plan.points[v], plan.points[last], plan.points[fans.Neighbour(v, 0)]);
        }
    }
    for (int v = 0; v < n; ++v) {
        if (layerNode[v] < 0) {
            continue;
        }
        const int first = fans.Neighbour(v, 0);
        const int last = fans.Neighbour(v, fans.Degree(v) - 1);
        plan.points[layerNode[v]] =
            LayerApex(plan.points[v], plan.points[first], outside[v], outside[first]);
        plan.triangles.push_back({first, v, layerNode[v]});
        plan.triangles.push_back({v, layerNode[last], layerNode[v]});
    }
}

bool Asked(const GrowthCancel& cancelled) {
    return cancelled && cancelled();
}

std::string Build(const CGrowthPlan& plan, const CCPNodeArray& nodes, CCPNodeArray& grownNodes,
                  CCPEdgeArray& grownEdges, const GrowthCancel& cancelled) {
    std::string problem = BuildTriangleGraph(plan.points, plan.triangles, grownNodes, grownEdges);
    const bool stop = Asked(cancelled);
    if (problem.empty() && !stop) {
        problem = FindDiskProblem(grownNodes, grownEdges);
    }
    if (!problem.empty() || stop) {
        grownNodes.RemoveAll(CCPCircleArray());
        grownEdges.RemoveAll();
        return stop ? std::string() : "the grown graph is not a disk: " + problem;
    }
    for (std::size_t i = 0; i < plan.points.size(); ++i) {
        grownNodes.m_array[i]->m_circle->CopyStyle(*nodes.m_array[plan.styleFrom[i]]->m_circle);
    }
    return {};
}

} // namespace

CGraphSize MeasureGraph(const CCPNodeArray& nodes, const CCPEdgeArray& edges) {
    CGraphSize size;
    size.nodes = nodes.GetSize();
    size.edges = edges.GetSize();
    size.triangles = size.nodes == 0 ? 0 : size.edges - size.nodes + 1;
    for (const CCPEdge* edge : edges.m_array) {
        size.boundary += edge->m_interior == 0 ? 1 : 0;
    }
    return size;
}

CGraphSize SizeAfter(const CGraphSize& s, GraphGrowth growth) {
    switch (growth) {
    case GraphGrowth::HexRefine:
        return {s.nodes + s.edges, 2 * s.edges + 3 * s.triangles, 4 * s.triangles, 2 * s.boundary};
    case GraphGrowth::BarycentricRefine:
        return {s.nodes + s.edges + s.triangles, 2 * s.edges + 6 * s.triangles, 6 * s.triangles,
                2 * s.boundary};
    case GraphGrowth::BoundaryLayer:
        break;
    }
    return {s.nodes + s.boundary, s.edges + 3 * s.boundary, s.triangles + 2 * s.boundary,
            s.boundary};
}

std::string FindGrowthLimit(const CGraphSize& size, GraphGrowth growth, int times) {
    CGraphSize grown = size;
    for (int i = 0; i < times; ++i) {
        grown = SizeAfter(grown, growth);
        if (grown.nodes > MaxGrownNodes) {
            return "the result would have " + std::to_string(grown.nodes) + " nodes; at most " +
                   std::to_string(MaxGrownNodes) + " are allowed";
        }
    }
    return {};
}

std::string GrowGraph(const CCPNodeArray& nodes, const CCPEdgeArray& edges, GraphGrowth growth,
                      CCPNodeArray& grownNodes, CCPEdgeArray& grownEdges,
                      const GrowthCancel& cancelled) {
    if (nodes.GetSize() == 0) {
        return "the graph is empty";
    }
    if (std::string problem = FindDiskProblem(nodes, edges); !problem.empty()) {
        return problem;
    }
    if (std::string limit = FindGrowthLimit(MeasureGraph(nodes, edges), growth, 1);
        !limit.empty()) {
        return limit;
    }
    if (Asked(cancelled)) {
        return {};
    }
    const CFanIndex fans(nodes);
    CGrowthPlan plan;
    if (growth == GraphGrowth::BoundaryLayer) {
        PlanLayer(nodes, fans, plan);
    } else {
        PlanRefinement(nodes, fans, growth == GraphGrowth::BarycentricRefine, plan);
    }
    if (Asked(cancelled)) {
        return {};
    }
    return Build(plan, nodes, grownNodes, grownEdges, cancelled);
}
