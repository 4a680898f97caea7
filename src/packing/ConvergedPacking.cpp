// Pack to Convergence: solve, keep Circle Packing's boundary radii, lay out.
#include "packing/ConvergedPacking.h"

#include "circles/CPCircle.h"
#include "model/CPNodeArray.h"
#include "packing/AngleSum.h"
#include "packing/FanIndex.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <queue>

namespace {

int IndexOf(const CCPNodeArray& nodes, const CCPNode* node) {
    auto found = std::find(nodes.m_array.begin(), nodes.m_array.end(), node);
    return found == nodes.m_array.end() ? -1 : static_cast<int>(found - nodes.m_array.begin());
}

// A tentative placement of a node from one pair, with the error it would carry.
struct CCandidate {
    double error = 0;
    int node = -1;
    int a = -1;
    int b = -1;
    bool operator>(const CCandidate& other) const { return error > other.error; }
};

// The error a circle placed from a and b inherits: theirs, magnified where a circle larger
// than the pair turns with any error in the pair's direction, plus one rounding.
double InheritedError(const CDiskCircle& v, const CDiskCircle& a, const CDiskCircle& b,
                      double errorA, double errorB) {
    double pair = std::min(a.euclidRadius, b.euclidRadius);
    double magnification = std::max(1.0, v.euclidRadius / pair);
    return std::max(errorA, errorB) * magnification + 1e-16;
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
                                       const std::vector<double>& radii) {
    std::vector<CDiskCircle> circles(fans.Size());
    const CCPNode* start = nodes.FindStartNode();
    int p = IndexOf(nodes, start);
    int q = start ? IndexOf(nodes, start->FindUpNeighbour()) : -1;
    if (p < 0 || q < 0 || p == q) {
        return circles;
    }
    const double unplaced = std::numeric_limits<double>::infinity();
    std::vector<double> error(fans.Size(), unplaced);
    std::vector<char> placed(fans.Size(), 0);
    std::priority_queue<CCandidate, std::vector<CCandidate>, std::greater<>> queue;
    // The pairs of v that contain x, the node just placed.
    auto offer = [&](int x) {
        for (int e = 0; e < fans.Degree(x); ++e) {
            int v = fans.Neighbour(x, e);
            if (placed[v]) {
                continue;
            }
            int k = fans.Degree(v);
            int at = fans.Position(v, x);
            for (int pair : {at - 1, at}) {
                if (pair < 0 && fans.IsInner(v)) {
                    pair += k;
                }
                if (pair < 0 || pair >= (fans.IsInner(v) ? k : k - 1)) {
                    continue;
                }
                int a = fans.Neighbour(v, pair);
                int b = fans.Neighbour(v, (pair + 1) % k);
                if (a == b || !placed[a] || !placed[b]) {
                    continue;
                }
                CDiskCircle c = PlaceFromPair(circles[a], radii[a], circles[b], radii[b], radii[v]);
                double inherited = InheritedError(c, circles[a], circles[b], error[a], error[b]);
                if (inherited < error[v]) {
                    error[v] = inherited;
                    queue.push({inherited, v, a, b});
                }
            }
        }
    };
    circles[p] = PlaceAtCentre(radii[p]);
    circles[q] = PlaceAlongY(radii[p], radii[q]);
    error[p] = error[q] = 1e-16;
    placed[p] = placed[q] = 1;
    offer(p);
    offer(q);
    // The circle that would carry the least error goes next, from the pair that gives it that.
    while (!queue.empty()) {
        CCandidate next = queue.top();
        queue.pop();
        if (placed[next.node] || next.error > error[next.node]) {
            continue;
        }
        circles[next.node] = PlaceFromPair(circles[next.a], radii[next.a], circles[next.b],
                                           radii[next.b], radii[next.node]);
        placed[next.node] = 1;
        offer(next.node);
    }
    return circles;
}

bool ComputeConvergedPacking(const CCPNodeArray& nodes, double tolerance,
                             const NewtonProgress& progress, CConvergedPacking& packing,
                             std::string& problem) {
    CFanIndex fans(nodes);
    if (!fans.Usable()) {
        problem = fans.Problem();
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
    packing.circles = LayOutPacking(nodes, fans, solved.radii);
    auto unplaced = std::find_if(packing.circles.begin(), packing.circles.end(),
                                 [](const CDiskCircle& c) { return !(c.euclidRadius > 0); });
    if (unplaced != packing.circles.end()) {
        problem = "node " + std::to_string(unplaced - packing.circles.begin()) +
                  " cannot be laid out: the graph is not a triangulated disk";
        return false;
    }
    packing.radii = std::move(solved.radii);
    KeepBoundaryRadii(fans, packing.radii);
    return true;
}
