// Pack to Convergence: solve, keep Circle Packing's boundary radii, lay out.
#include "packing/ConvergedPacking.h"

#include "circles/CPCircle.h"
#include "model/CPNodeArray.h"
#include "model/FanIndex.h"
#include "packing/AngleSum.h"
#include "packing/CentralNode.h"
#include "packing/FrameLayout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

int IndexOf(const CCPNodeArray& nodes, const CCPNode* node) {
    auto found = std::find(nodes.m_array.begin(), nodes.m_array.end(), node);
    return found == nodes.m_array.end() ? -1 : static_cast<int>(found - nodes.m_array.begin());
}

// Places v from the pair of consecutive placed neighbours with the smallest sum of
// generations, the earliest on ties, as Circle Packing chooses; false when there is none yet.
bool PlaceNode(const CFanIndex& fans, const std::vector<long double>& radii, int v,
               std::vector<int>& generation, std::vector<CWideCircle>& circles) {
    int k = fans.Degree(v);
    int pairs = fans.IsInner(v) ? k : k - 1;
    int bestA = -1;
    int bestB = -1;
    for (int i = 0; i < pairs; ++i) {
        int a = fans.Neighbour(v, i);
        int b = fans.Neighbour(v, (i + 1) % k);
        if (a == b || generation[a] < 0 || generation[b] < 0) {
            continue;
        }
        if (bestA < 0 || generation[a] + generation[b] < generation[bestA] + generation[bestB]) {
            bestA = a;
            bestB = b;
        }
    }
    if (bestA < 0) {
        return false;
    }
    circles[v] =
        PlaceFromPair(circles[bestA], radii[bestA], circles[bestB], radii[bestB], radii[v]);
    generation[v] = 1 + std::max(generation[bestA], generation[bestB]);
    return true;
}

// Circle Packing's search for a boundary radius, from 1, against the neighbours' radii as
// they stand; repeated until no boundary radius changes, since a neighbour that grows widens
// the angles of the node next to it.
void KeepBoundaryRadii(const CFanIndex& fans, std::vector<double>& radii) {
    std::vector<double> kept = radii;
    for (int i = 0; i < fans.Size(); ++i) {
        if (!fans.IsInner(i)) {
            kept[i] = 1.0;
        }
    }
    double threshold = EffectiveThreshold(CCPNode::m_threshold);
    CFanAngles fan;
    std::vector<double> neighbours;
    for (bool changed = true; changed;) {
        changed = false;
        for (int i = 0; i < fans.Size(); ++i) {
            if (fans.IsInner(i)) {
                continue;
            }
            neighbours.clear();
            for (int p = 0; p < fans.Degree(i); ++p) {
                neighbours.push_back(kept[fans.Neighbour(i, p)]);
            }
            fan.Prepare(neighbours, false);
            double r =
                SearchRadius(kept[i], threshold, [&](double x) { return fan.AngleSumError(x); });
            changed = changed || r != kept[i];
            kept[i] = r;
        }
    }
    radii = kept;
}

} // namespace

std::vector<CDiskCircle> LayOutPacking(const CCPNodeArray& nodes, const CFanIndex& fans,
                                       const std::vector<long double>& radii, int* unreached,
                                       const CLayoutStart& start) {
    std::vector<CDiskCircle> narrow(fans.Size());
    int p = start.Given() ? start.centre : IndexOf(nodes, nodes.FindStartNode());
    if (p >= 0 && !start.Given()) {
        p = FindCentralNode(fans, radii, p);
    }
    int q = start.Given() ? start.up
            : p >= 0      ? IndexOf(nodes, nodes.m_array[p]->FindUpNeighbour())
                          : -1;
    if (unreached) {
        *unreached = fans.Size() > 0 ? 0 : -1;
    }
    if (p < 0 || q < 0 || p == q) {
        return narrow;
    }
    std::vector<CWideCircle> circles(fans.Size());
    std::vector<char> framed(fans.Size(), 0);
    std::vector<int> generation(fans.Size(), -1);
    std::vector<int> placed;
    LayOutByFrames(fans, radii, p, q, circles, framed, start.move);
    for (int v = 0; v < fans.Size(); ++v) {
        if (framed[v]) {
            generation[v] = 0;
            placed.push_back(v);
        }
    }
    // What frames cannot reach (parts joined only through boundary nodes) is placed from
    // pairs, breadth first.
    placed.reserve(fans.Size());
    for (std::size_t head = 0; head < placed.size(); ++head) {
        int x = placed[head];
        for (int e = 0; e < fans.Degree(x); ++e) {
            int v = fans.Neighbour(x, e);
            if (generation[v] < 0 && PlaceNode(fans, radii, v, generation, circles)) {
                placed.push_back(v);
            }
        }
    }
    for (int v : placed) {
        narrow[v] = Narrow(circles[v]);
    }
    if (unreached) {
        auto missing = std::find(generation.begin(), generation.end(), -1);
        *unreached = missing == generation.end() ? -1 : int(missing - generation.begin());
    }
    return narrow;
}

bool PositionsFollowCircles(const CCPNodeArray& nodes, const std::vector<CDiskCircle>& circles,
                            double scale) {
    const double tolerance = 1e-6 * scale;
    for (std::size_t i = 0; i < circles.size(); ++i) {
        if (!(nodes.m_array[i]->Distance(circles[i].euclidCentre * scale) <= tolerance)) {
            return false;
        }
    }
    return true;
}

bool TooSmallForDoubles(const CDiskCircle& circle) {
    const double place =
        std::max(std::fabs(circle.euclidCentre.x), std::fabs(circle.euclidCentre.y));
    return !(circle.euclidRadius > 16 * std::numeric_limits<double>::epsilon() * place) ||
           !(circle.euclidRadius >= std::numeric_limits<double>::min());
}

bool ComputeConvergedPacking(const CCPNodeArray& nodes, double tolerance,
                             const NewtonProgress& progress, CConvergedPacking& packing,
                             std::string& problem, const CLayoutRequest& request) {
    CFanIndex fans(nodes);
    problem = fans.Problem();
    for (int i = 0; i < fans.Size() && problem.empty(); ++i) {
        if (fans.Kind(i) == NotConnected) {
            problem = "node " + std::to_string(i) + " is not joined to an inner node";
        } else if (!nodes.m_array[i]->m_circle) {
            problem = "node " + std::to_string(i) + " has no circle";
        }
    }
    if (!problem.empty()) {
        return false;
    }
    std::vector<double> start(fans.Size());
    for (int i = 0; i < fans.Size(); ++i) {
        start[i] = nodes.m_array[i]->m_circle->m_radius;
    }
    CNewtonResult solved = SolveMaximalPacking(fans, start, tolerance, progress);
    packing.status = solved.status;
    packing.iterations = solved.iterations;
    packing.error = solved.error;
    if (solved.status == NewtonStatus::Cancelled) {
        return true;
    }
    int unreached = -1;
    packing.circles = LayOutPacking(nodes, fans, solved.radii, &unreached, request.start);
    if (unreached < 0 && !request.start.Given() && request.positionsScale > 0 &&
        !PositionsFollowCircles(nodes, packing.circles, request.positionsScale)) {
        CLayoutStart kept = StartFromPositions(nodes, fans, solved.radii, request.positionsScale);
        if (kept.Given()) {
            std::vector<CDiskCircle> moved =
                LayOutPacking(nodes, fans, solved.radii, nullptr, kept);
            if (PositionsFollowCircles(nodes, moved, request.positionsScale)) {
                packing.circles = std::move(moved);
            }
        }
    }
    if (unreached >= 0) {
        problem = "node " + std::to_string(unreached) +
                  " cannot be laid out: the graph is not a triangulated disk";
        return false;
    }
    packing.tooSmall =
        int(std::count_if(packing.circles.begin(), packing.circles.end(), TooSmallForDoubles));
    packing.radii.assign(solved.radii.begin(), solved.radii.end());
    KeepBoundaryRadii(fans, packing.radii);
    return true;
}
